#pragma once

#include <numbers>
#include <optional>
#include <span>

#include "core/option_range.h"

namespace fendo {

// The cutting-data calculator behind the transfer dialog's "GetFeed" button ("GetFeed Ver 1.0"):
// from the tool and the cutting conditions its maker recommends to the spindle speed and the
// feed the machine is given, and back.
//
//   S = 1000 · Vc / (π · D)      F = S · z · fz
//
// Vc is the speed of the cutting edge in m/min, hence the 1000 to millimetres.

// The spindle speed (rev/min) that moves the edge of a tool of `diameter` mm at `cuttingSpeed`
// m/min.
constexpr double SpindleSpeedFor(double cuttingSpeed, double diameter) {
  return 1000 * cuttingSpeed / (std::numbers::pi * diameter);
}

// The calculator's fields with their defaults, kept for the whole run. The tool diameter is
// preset from the transfer dialog's ToolDiameter every time the calculator opens.
struct CuttingData {
  double toolDiameter = 10;    // D, mm: 0.001 … 10000
  int teeth = 2;               // z: 1 … 100
  double cuttingSpeed = 100;   // Vc, m/min: 0.1 … 10000
  double feedPerTooth = 0.05;  // fz, mm: 0.0001 … 10
  double spindleSpeed = SpindleSpeedFor(cuttingSpeed, toolDiameter);  // S, rev/min: 1 … 200000
  double feed = spindleSpeed * teeth * feedPerTooth;                  // F, mm/min: 0.1 … 100000
};

// The first field out of its range, in the calculator's order (D, z, Vc, fz, S, F).
std::optional<OptionOutOfRange> CheckCuttingData(const CuttingData& data);
std::span<const FieldRange<CuttingData>> CuttingDataRanges();

// S and F from D, z, Vc and fz. A D, z, Vc or fz out of its range is refused and nothing
// changes.
std::optional<OptionOutOfRange> WorkOutSpindleAndFeed(CuttingData& data);

// The other way: Vc and fz from D, z, S and F. A D, z, S or F out of its range is refused and
// nothing changes.
std::optional<OptionOutOfRange> WorkOutCuttingSpeedAndFeedPerTooth(CuttingData& data);

}  // namespace fendo
