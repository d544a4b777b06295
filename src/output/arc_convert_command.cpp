#include "core/move_kind.h"
#include "output/arc_conversion.h"

namespace fendo {

bool RunArcConvert(ToolpathDatabase& db, const ArcConvertOptions& options, Progress* progress) {
  if (CheckRanges(options)) return false;
  if (options.direction == ArcConvertDirection::ArcsToLines) return ArcsToLines(db, options.arcTolerance, progress);
  if (options.filterFirst) FilterLinear(db, options.filterTolerance);
  // The planes in the order the command has always fitted them.
  const struct {
    bool ticked;
    ArcPlane plane;
  } planes[] = {{options.planeXY, ArcPlane::XY}, {options.planeZX, ArcPlane::ZX}, {options.planeYZ, ArcPlane::YZ}};
  for (const auto& [ticked, plane] : planes) {
    if (!ticked) continue;
    LinesToArcs(db, options.minRadius, options.maxRadius, options.arcTolerance, plane, options.maxArcPoints, progress);
  }
  return true;
}

}  // namespace fendo
