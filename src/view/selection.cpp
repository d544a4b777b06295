#include "view/selection.h"

#include <algorithm>
#include <cmath>

#include "core/arc_rule.h"
#include "core/toolpath_database.h"
#include "view/path_span.h"

namespace fendo {
namespace {

constexpr double kNarrowWindow = 10;    // pixels: a window below this grows...
constexpr double kWindowGrowth = 5;     // ...by this on each side
constexpr double kPixelsPerSample = 3;  // moves are tested at a point about every 3 pixels
constexpr int kMostArcSamples = 100000;
// Sample positions along a straight move are compared with this slack, so that a sample lying
// on the window's edge is not lost to rounding.
constexpr double kSampleSlack = 1e-9;

struct Window {
  double left, top, right, bottom;  // client pixels, edges included

  bool Contains(ClientPoint p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

Window WindowOf(ClientPoint p, ClientPoint q) {
  Window w{std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)};
  if (w.right - w.left < kNarrowWindow) {
    w.left -= kWindowGrowth;
    w.right += kWindowGrowth;
  }
  if (w.bottom - w.top < kNarrowWindow) {
    w.top -= kWindowGrowth;
    w.bottom += kWindowGrowth;
  }
  return w;
}

// A straight move a→b is tested at g + 1 evenly spaced points, g = its length / 3 pixels (at
// least 1). Rather than visit every point, clip the move to the window (the points of the move
// inside it form one stretch t0 … t1 of the parameter) and ask whether a sample k/g falls in
// that stretch: the same answer for a move of any length at any zoom.
bool StraightMoveHits(const Window& w, ClientPoint a, ClientPoint b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  double t0 = 0;
  double t1 = 1;
  // Keeps the part of the move where direction · t ≤ room.
  const auto clip = [&t0, &t1](double direction, double room) {
    if (direction == 0) return room >= 0;
    const double t = room / direction;
    if (direction < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    return t0 <= t1;
  };
  if (!clip(-dx, a.x - w.left) || !clip(dx, w.right - a.x) || !clip(-dy, a.y - w.top) || !clip(dy, w.bottom - a.y)) {
    return false;
  }
  const double g = std::max(1.0, std::floor(std::hypot(dx, dy) / kPixelsPerSample));
  return std::ceil(t0 * g - kSampleSlack) <= std::floor(t1 * g + kSampleSlack);
}

bool ArcHits(ToolpathDatabase& db, int i, const ViewState& view, const Projection& projection, const Window& w) {
  const Arc arc = ArcGeometry(db, i);
  // Arcs whose circle (with its rise) stays clear of the window are not sampled.
  const double reach = (arc.radius + Length(arc.end - arc.start)) * view.scale;
  const ClientPoint centre = projection.ToClient(arc.centre);
  const double outX = std::max({w.left - centre.x, 0.0, centre.x - w.right});
  const double outY = std::max({w.top - centre.y, 0.0, centre.y - w.bottom});
  if (std::hypot(outX, outY) > reach) return false;
  const double wanted = arc.length * view.scale / kPixelsPerSample + 1;
  const int n = std::max(1, static_cast<int>(std::min(wanted, double{kMostArcSamples})));
  for (int k = 0; k <= n; ++k) {
    if (w.Contains(projection.ToClient(ArcChordPoint(arc, k, n)))) return true;
  }
  return false;
}

// Calls hit(i) for every cutting record i ≥ 1 with a move in the window, in index order;
// hit returns the index the walk goes on from (the records before it are not tested).
template <typename Hit>
void ForEachMoveInWindow(ToolpathDatabase& db, const ViewState& view, const Window& w, Hit hit) {
  const Projection projection(view);
  ClientPoint previous;
  bool havePrevious = false;
  int testFrom = 1;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord* r = db.RecordAt(i);
    if (!IsMotionKind(r->kind)) continue;
    const ClientPoint here = projection.ToClient(PositionOf(*r));
    if (havePrevious && i >= testFrom) {
      const bool inside = IsArcKind(r->kind)         ? ArcHits(db, i, view, projection, w)
                          : IsLinearFeedKind(r->kind) ? StraightMoveHits(w, previous, here)
                                                      : false;
      if (inside) testFrom = hit(i);
    }
    previous = here;
    havePrevious = true;
  }
}

// Toggles the selection of record i when it holds something (not None). 1 when toggled.
int Toggle(ToolpathDatabase& db, int i) {
  if (!db.ReadRecord(i)) return 0;
  db.cursor.selected = db.cursor.selected == 1 ? 0 : 1;
  db.WriteRecord(i);
  return 1;
}

}  // namespace

int SelectInWindow(ToolpathDatabase& db, const ViewState& view, ClientPoint p, ClientPoint q) {
  int toggled = 0;
  ForEachMoveInWindow(db, view, WindowOf(p, q), [&db, &toggled](int i) {
    toggled += Toggle(db, i);
    return i + 1;
  });
  return toggled;
}

int SelectPathsInWindow(ToolpathDatabase& db, const ViewState& view, ClientPoint p, ClientPoint q) {
  int toggled = 0;
  ForEachMoveInWindow(db, view, WindowOf(p, q), [&db, &toggled](int i) {
    const PathSpan path = PathAround(db, i);
    for (int k = std::max(path.first, 1); k < path.end; ++k) toggled += Toggle(db, k);
    return path.end;
  });
  return toggled;
}

bool AnySelected(ToolpathDatabase& db) {
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord* r = db.RecordAt(i);
    if (IsMotionKind(r->kind) && r->selected == 1) return true;
  }
  return false;
}

}  // namespace fendo
