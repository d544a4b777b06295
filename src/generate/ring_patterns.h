#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "core/option_range.h"
#include "edit/edit_outcome.h"

namespace fendo {

class ToolpathDatabase;

// Two patterns over a ring, made from typed numbers alone: "방사선" (spokes from the outer
// circle in to the inner one) and "나선형" (a spiral from the inner circle out to the outer
// one). Both take their values from RingDialog, one object the two commands share, so a
// spiral made after a radial pattern starts from the same ring.

// RingDialog's fields with their defaults, kept between uses.
struct RingParams {
  double centreX = 0;           // mm, "X 좌표"
  double centreY = 0;           // mm, "Y 좌표"
  double cuttingZ = 0;          // mm, "Z 좌표": every cut lies at this height
  double stepover = 10;         // mm, "Stepover": 0.01 … 1000, between spokes at the outer circle
                                // or between turns of the spiral
  double outerDiameter = 100;   // mm, "외 경": 0 … 10000
  double innerDiameter = 0;     // mm, "내 경": 0 … 10000
};

// The first value out of its range, in the dialog's order.
std::optional<OptionOutOfRange> CheckRingParams(const RingParams& params);
// The ranges of the fields that have one, for a help that quotes them.
std::span<const FieldRange<RingParams>> RingRanges();

// What the commands say when the ring has no width (the outer diameter not above the inner
// one, or no outer circle at all): no pass is made and the toolpath stays as it was.
inline constexpr std::string_view kEmptyRingText =
    "외경이 내경보다 커야 합니다. 공구경로를 생성하지 않았습니다.";

// "방사선": e = 2π·Ro / stepover spokes (a real number; spokes i = 0, 1, … while i < e) at the
// angular step 360 / e degrees, counter-clockwise from +X. The program starts with a rapid
// move above the centre at safeZ; each spoke is a rapid move above its point on the outer
// circle, a plunge straight down to the cutting height, a cut in to the inner circle and a
// retract to safeZ. Every record has the work feed.
// The records are appended behind the work buffer's, with one undo snapshot. Refused for a value
// out of range or a ring reaching beyond the coordinates a record holds (±32700 mm), Unchanged
// (nothing made) for a ring without width, NoRoom (nothing changed) when the records would pass
// the record limit.
EditOutcome GenerateRadial(ToolpathDatabase& db, const RingParams& params);

// "나선형": a spiral that runs counter-clockwise from the inner circle out to the outer one.
// It starts above its centre at safeZ. With an inner radius above 0.1 mm it plunges onto the
// inner circle and cuts it whole first; otherwise it plunges at the centre and spirals out from
// 0.1 mm. The spiral makes whole turns of the radial step w (the ring's width divided into as
// few turns as keep w within the stepover), each turn at the angular step whose chord strays
// no more than the database's chord tolerance from the circle, the radius growing by an equal
// share of w at every point; then the outer circle is cut whole and the tool retracts to safeZ.
// Outcomes as GenerateRadial's.
EditOutcome GenerateSpiral(ToolpathDatabase& db, const RingParams& params);

}  // namespace fendo
