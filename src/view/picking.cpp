// Picking walks the motion records once, keeping the previous motion point, and gives every
// move the smallest of the growing tolerances it falls within. Trying the tolerances one after
// the other and taking the first record in index order that the first successful one hits
// comes to the same record: the first record of the smallest tolerance class. A record of the
// smallest class ends the walk.
#include "view/picking.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/arc_rule.h"
#include "core/geometry.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr std::array<double, 4> kPickTolerances = {3, 8, 13, 18};  // pixels, tried in turn
constexpr double kArcPickDistance = 5;                              // pixels, at every tolerance
constexpr int kNoClass = static_cast<int>(kPickTolerances.size());

double DistanceToSegment(ClientPoint p, ClientPoint a, ClientPoint b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  const double t = lengthSquared == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The index of the smallest tolerance within which a straight move lies, or kNoClass.
int ToleranceClass(double distance) {
  for (int k = 0; k < kNoClass; ++k) {
    if (distance <= kPickTolerances[k]) return k;
  }
  return kNoClass;
}

bool ArcIsNear(ToolpathDatabase& db, int i, const ViewState& view, const Projection& projection, ClientPoint p) {
  // Every point of the arc lies within its radius and its rise of the centre: arcs that cannot
  // come near the point are passed over without cutting them into chords.
  const Arc arc = ArcGeometry(db, i);
  const double reach = (arc.radius + Length(arc.end - arc.start)) * view.scale + kArcPickDistance;
  const ClientPoint centre = projection.ToClient(arc.centre);
  if (std::hypot(p.x - centre.x, p.y - centre.y) > reach) return false;
  return DistanceToArcOnScreen(db, i, view, p) < kArcPickDistance;
}

}  // namespace

int PickRecord(ToolpathDatabase& db, const ViewState& view, bool rapidShown, ClientPoint p) {
  const Projection projection(view);
  int bestClass = kNoClass;
  int best = 0;
  bool havePrevious = false;
  ClientPoint previous;
  for (int i = 0; i < db.recordCount && bestClass > 0; ++i) {
    const ToolpathRecord* r = db.RecordAt(i);
    if (!IsMotionKind(r->kind)) continue;
    const ClientPoint here = projection.ToClient(PositionOf(*r));
    if (havePrevious) {
      int cls = kNoClass;
      if (IsArcKind(r->kind)) {
        if (ArcIsNear(db, i, view, projection, p)) cls = 0;
      } else if (IsLinearFeedKind(r->kind) || rapidShown) {
        cls = ToleranceClass(DistanceToSegment(p, previous, here));
      }
      if (cls < bestClass) {
        bestClass = cls;
        best = i;
      }
    }
    previous = here;
    havePrevious = true;
  }
  return best;
}

}  // namespace fendo
