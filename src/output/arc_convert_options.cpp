#include "output/arc_convert_options.h"

#include <array>
#include <charconv>

namespace fendo {
namespace {

// One row per ranged field, in the order of the dialog, so that the first value refused is
// the first one the user meets.
struct FieldRange {
  std::string_view field;
  std::string_view label;
  double lowest;
  double highest;
  double (*value)(const ArcConvertOptions&);
};

constexpr std::array kRanges = {
    FieldRange{"arcTolerance", "Arc 변환 공차", 0.001, 5, [](const ArcConvertOptions& o) { return o.arcTolerance; }},
    FieldRange{"maxArcPoints", "Arc 변환 포인트", 3, 1000,
               [](const ArcConvertOptions& o) { return static_cast<double>(o.maxArcPoints); }},
    FieldRange{"minRadius", "최소 반경", 0.1, 100, [](const ArcConvertOptions& o) { return o.minRadius; }},
    FieldRange{"maxRadius", "최대 반경", 10, 5000, [](const ArcConvertOptions& o) { return o.maxRadius; }},
    FieldRange{"filterTolerance", "필터링 공차", 0.0001, 100,
               [](const ArcConvertOptions& o) { return o.filterTolerance; }},
};

// The shortest text that reads back as v, without an exponent: "0.0001", "5", "1000".
std::string NumberText(double v) {
  char digits[400];
  return {digits, std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed).ptr};
}

}  // namespace

std::optional<OptionOutOfRange> CheckRanges(const ArcConvertOptions& options) {
  for (const FieldRange& range : kRanges) {
    const double v = range.value(options);
    // Written so that NaN is refused too.
    if (v >= range.lowest && v <= range.highest) continue;
    return OptionOutOfRange{range.field, range.label,
                            std::string(range.field) + " (" + std::string(range.label) + ") must lie between " +
                                NumberText(range.lowest) + " and " + NumberText(range.highest) + ", not " +
                                NumberText(v)};
  }
  return std::nullopt;
}

}  // namespace fendo
