#include "edit/motion_records.h"

#include "core/arc_rule.h"
#include "core/post_edit.h"

namespace fendo {

void NormalizeBeforeRebuild(ToolpathDatabase& db) {
  const std::optional<int> first = db.FirstMotion();
  if (first && !IsRapidKind(db.RecordAt(*first)->kind)) NormalizeKinds(db);
}

double CuttingLength(Point3 from, const ToolpathRecord& to, const ToolpathRecord* centre) {
  if (!IsArcKind(to.kind)) return Length(PositionOf(to) - from);
  const bool centreFollows = centre && IsCentreKind(centre->kind);
  const Point3 offset = centreFollows ? PositionOf(*centre) : Point3{};
  const ArcPlane plane = centreFollows ? PlaneOfCentreKind(centre->kind) : ArcPlane::XY;
  return MeasureArc(from, PositionOf(to), offset, to.kind, plane).length;
}

}  // namespace fendo
