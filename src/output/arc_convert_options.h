#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"

namespace fendo {

// Each of the two filters asks for its tolerance in a one-value dialog ("필터링 공차") and
// remembers it while the program runs; this is where both start.
inline constexpr double kDefaultFilterTolerance = 0.001;  // mm

// Which way the "Arc Convert" command turns the toolpath; the numbers are the dialog's radio
// buttons.
enum class ArcConvertDirection {
  ArcsToLines = 0,  // "G02, G03 -> G01"
  LinesToArcs = 1,  // "G01 -> G02, G03"
};

// The fields of the "Arc Convert" dialog with their defaults. The dialog edits one of these
// for the whole run of the program, fendo-batch fills one from its flags.
struct ArcConvertOptions {
  ArcConvertDirection direction = ArcConvertDirection::ArcsToLines;
  double arcTolerance = 0.01;      // mm, Arc 변환 공차: chord tolerance both ways, 0.001 … 5
  int maxArcPoints = 100;          // Arc 변환 포인트: most moves one fitted arc replaces, 3 … 1000
  double minRadius = 1.0;          // mm, 최소 반경: fitted arcs are larger, 0.1 … 100
  double maxRadius = 1000.0;       // mm, 최대 반경: fitted arcs are smaller, 10 … 5000
  bool filterFirst = false;        // 필터링후  변환: FilterLinear before fitting arcs
  double filterTolerance = 0.001;  // mm, 필터링 공차 of that filter, 0.0001 … 100
  bool planeXY = true;             // XY 평면 ARC 변환
  bool planeYZ = false;            // YZ 평면 ARC 변환
  bool planeZX = false;            // ZX 평면 ARC 변환
};

// The range check the dialog runs before it closes and fendo-batch before it converts:
// nothing when every value lies in its range (ends included).
std::optional<OptionOutOfRange> CheckRanges(const ArcConvertOptions& options);

// The ranges CheckRanges holds the numbers to, in the dialog's order: the dialog refuses a value
// on its own field with them.
std::span<const FieldRange<ArcConvertOptions>> ArcConvertRanges();

}  // namespace fendo
