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

// Whether the arc passes within the arc distance of the point. Every point of an arc lies within
// its radius and its rise of the centre: arcs that cannot come near the point are passed over
// without cutting them into chords.
bool ArcIsNear(const Arc& arc, const ViewState& view, const Projection& projection, ClientPoint p) {
  const double reach = (arc.radius + Length(arc.end - arc.start)) * view.scale + kArcPickDistance;
  const ClientPoint centre = projection.ToClient(arc.centre);
  if (std::hypot(p.x - centre.x, p.y - centre.y) > reach) return false;
  return DistanceToArcOnScreen(arc, view, p) < kArcPickDistance;
}

// The nearest move of one layer's records: its tolerance class and record, the first record in
// index order of the smallest class.
struct LayerHit {
  int cls = kNoClass;
  int record = 0;
};

// `recordAt(i)` gives record i (nullptr for one that is no motion), `arcIsNear(i, previous)`
// whether the arc ending at record i, starting at motion record `previous`, passes within the
// arc distance.
template <typename RecordAt, typename ArcIsNear>
LayerHit NearestMove(int count, RecordAt recordAt, ArcIsNear arcIsNear, const Projection& projection,
                     bool rapidShown, ClientPoint p) {
  LayerHit hit;
  int previousIndex = -1;
  ClientPoint previous;
  for (int i = 0; i < count && hit.cls > 0; ++i) {
    const ToolpathRecord* r = recordAt(i);
    if (!r || !IsMotionKind(r->kind)) continue;
    const ClientPoint here = projection.ToClient(PositionOf(*r));
    if (previousIndex >= 0) {
      int cls = kNoClass;
      if (IsArcKind(r->kind)) {
        if (arcIsNear(i, previousIndex)) cls = 0;
      } else if (IsLinearFeedKind(r->kind) || rapidShown) {
        cls = ToleranceClass(DistanceToSegment(p, previous, here));
      }
      if (cls < hit.cls) hit = {cls, i};
    }
    previous = here;
    previousIndex = i;
  }
  return hit;
}

LayerHit NearestWorkMove(ToolpathDatabase& db, const ViewState& view, bool rapidShown, ClientPoint p) {
  const Projection projection(view);
  const auto arcIsNear = [&](int i, int) { return ArcIsNear(ArcGeometry(db, i), view, projection, p); };
  return NearestMove(db.recordCount, [&db](int i) { return db.RecordAt(i); }, arcIsNear, projection, rapidShown, p);
}

// A stored layer's records are not retired on reading: one beyond the limit is no motion.
LayerHit NearestStoredMove(const LayerSlot& layer, const ViewState& view, bool rapidShown, ClientPoint p) {
  const Projection projection(view);
  const ToolpathRecord* records = layer.points.data();
  const int count = layer.pointCount();
  const auto recordAt = [records](int i) {
    return ToolpathDatabase::IsOutOfRange(records[i]) ? nullptr : &records[i];
  };
  const auto arcIsNear = [&](int i, int previous) {
    const ToolpathRecord* centre = i + 1 < count ? &records[i + 1] : nullptr;
    const Arc arc = MeasureArc(PositionOf(records[previous]), PositionOf(records[i]),
                               centre ? PositionOf(*centre) : Point3{}, records[i].kind,
                               centre ? PlaneOfCentreKind(centre->kind) : ArcPlane::XY);
    return ArcIsNear(arc, view, projection, p);
  };
  return NearestMove(count, recordAt, arcIsNear, projection, rapidShown, p);
}

}  // namespace

int PickRecord(ToolpathDatabase& db, const ViewState& view, bool rapidShown, ClientPoint p) {
  return NearestWorkMove(db, view, rapidShown, p).record;
}

std::optional<int> PickLayer(ToolpathDatabase& db, const ViewState& view, bool rapidShown, ClientPoint p) {
  const int work = db.layers.workLayer;
  LayerHit best = NearestWorkMove(db, view, rapidShown, p);
  int bestLayer = work;
  for (int layer = 0; layer < LayerTable::kUserLayers && best.cls > 0; ++layer) {
    const LayerSlot& slot = db.layers[layer];
    if (layer == work || !slot.layerOn || slot.pointCount() == 0) continue;
    const LayerHit hit = NearestStoredMove(slot, view, rapidShown, p);
    if (hit.cls < best.cls) {
      best = hit;
      bestLayer = layer;
    }
  }
  if (best.cls == kNoClass) return std::nullopt;
  return bestLayer;
}

}  // namespace fendo
