#include "core/arc_split.h"

#include <cmath>

#include "core/geometry.h"
#include "core/toolpath_record.h"

namespace fendo {
namespace {

constexpr double kSweepTolerance = 0.5;  // degrees a split arc's part may differ from its share

// The centre record's I, J, K for a part of the arc that starts at `start`.
Point3 CentreOffset(const Arc& arc, Point3 start) {
  Point3 offset = StoredPoint(arc.centre - start);
  offset.*AxesOf(arc.plane).normal = 0;
  return offset;
}

// Whether the part of the arc from `start` to `end` (points as stored) with that centre
// offset measures `share` of the whole arc's sweep.
bool IsPartOf(const Arc& arc, Point3 start, Point3 end, Point3 offset, double share) {
  const Arc part = MeasureArc(start, end, offset, arc.kind, arc.plane);
  return std::fabs(part.sweep - share * arc.sweep) <= kSweepTolerance;
}

}  // namespace

std::vector<ArcPart> SplitArc(const Arc& arc, Point3 centreOffset, std::span<const double> fractions) {
  std::vector<ArcPart> parts;
  double start = 0;
  Point3 startPoint = arc.start;
  Point3 offset = centreOffset;
  for (double f : fractions) {
    const Point3 point = StoredPoint(ArcPointAt(arc, f));
    const Point3 nextOffset = CentreOffset(arc, point);
    if (!IsPartOf(arc, startPoint, point, offset, f - start) || !IsPartOf(arc, point, arc.end, nextOffset, 1 - f)) {
      continue;
    }
    parts.push_back({f, point, offset});
    start = f;
    startPoint = point;
    offset = nextOffset;
  }
  parts.push_back({1, arc.end, offset});
  return parts;
}

}  // namespace fendo
