#include "output/arc_convert_options.h"

#include <array>

namespace fendo {
namespace {

using Range = FieldRange<ArcConvertOptions>;

constexpr std::array kRanges = {
    Range{"arcTolerance", "Arc 변환 공차", 0.001, 5, [](const ArcConvertOptions& o) { return o.arcTolerance; }},
    Range{"maxArcPoints", "Arc 변환 포인트", 3, 1000,
          [](const ArcConvertOptions& o) { return static_cast<double>(o.maxArcPoints); }},
    Range{"minRadius", "최소 반경", 0.1, 100, [](const ArcConvertOptions& o) { return o.minRadius; }},
    Range{"maxRadius", "최대 반경", 10, 5000, [](const ArcConvertOptions& o) { return o.maxRadius; }},
    Range{"filterTolerance", "필터링 공차", 0.0001, 100, [](const ArcConvertOptions& o) { return o.filterTolerance; }},
};

}  // namespace

std::span<const FieldRange<ArcConvertOptions>> ArcConvertRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckRanges(const ArcConvertOptions& options) {
  return CheckFieldRanges<ArcConvertOptions>(options, kRanges);
}

}  // namespace fendo
