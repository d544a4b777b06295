#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace fendo {

// The length unit a program states: G21 (BEGIN PGM … MM) or G20 (BEGIN PGM … INCH). The reader
// keeps the numbers as they stand; the unit travels with the program so that what is shown and
// what is written say it. Feeds are in the same unit per minute.
enum class LengthUnit : std::uint8_t { Millimetre, Inch };

inline constexpr double kMillimetresPerInch = 25.4;

// The unit of a layer's program: the one in force at its first move (none when the program
// leaves it to the machine), and whether a later block states another one, which leaves the
// program's numbers in two units.
struct ProgramUnit {
  std::optional<LengthUnit> stated;
  bool changes = false;

  friend bool operator==(const ProgramUnit&, const ProgramUnit&) = default;
};

// A program that states no unit is measured in millimetres, as every length the system shows.
inline LengthUnit UnitOrMillimetres(std::optional<LengthUnit> unit) { return unit.value_or(LengthUnit::Millimetre); }

inline std::string_view LengthUnitName(LengthUnit unit) { return unit == LengthUnit::Inch ? "inch" : "mm"; }
inline std::string_view FeedUnitName(LengthUnit unit) { return unit == LengthUnit::Inch ? "inch/min" : "mm/min"; }

}  // namespace fendo
