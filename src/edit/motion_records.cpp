#include "edit/motion_records.h"

#include "core/arc_rule.h"

namespace fendo {

double CuttingLength(std::span<const ToolpathRecord> records, int from, int to) {
  const ToolpathRecord& end = records[to];
  if (!IsArcKind(end.kind)) return StraightMove(records, from, to).length;
  const bool centreFollows = to + 1 < static_cast<int>(records.size()) && IsCentreKind(records[to + 1].kind);
  const Point3 offset = centreFollows ? PositionOf(records[to + 1]) : Point3{};
  const ArcPlane plane = centreFollows ? PlaneOfCentreKind(records[to + 1].kind) : ArcPlane::XY;
  return MeasureArc(PositionOf(records[from]), PositionOf(end), offset, end.kind, plane).length;
}

}  // namespace fendo
