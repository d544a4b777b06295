#include "view/fit_view.h"

#include <algorithm>

#include "core/toolpath_database.h"
#include "view/navigation.h"

namespace fendo {
namespace {

constexpr double kExtentStart = 100000;     // mm: the extents start inverted at ± this
constexpr double kEmptyHalfRange = 20;      // mm: the window of a view with nothing to fit
constexpr double kSmallestRange = 0.01;     // mm: a narrower range fits at kNarrowScale
constexpr double kNarrowScale = 10;         // pixels per mm
constexpr double kLargestFitScale = 500;    // pixels per mm

struct ProjectedExtents {
  double minX = kExtentStart;
  double maxX = -kExtentStart;
  double minY = kExtentStart;
  double maxY = -kExtentStart;

  void Widen(Projection::Projected p) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  bool widened() const { return minX <= maxX; }
};

// Only motion records hold positions: a centre record holds the offset from an arc's start to
// its centre, which would pull the fit towards the origin.
bool Counts(MoveKind kind, bool rapidShown) {
  return IsMotionKind(kind) && (rapidShown || !IsRapidKind(kind));
}

double AxisScale(int pixels, double range) { return range > kSmallestRange ? pixels / range : kNarrowScale; }

}  // namespace

void FitView(ToolpathDatabase& db, ViewState& view, const ViewOptions& options) {
  // 1. The projection of the view's current angles.
  const Projection projection(view);

  // 2. The extents of what is drawn: the work buffer, then the other layers shown with it.
  ProjectedExtents extents;
  db.ForEachRecord([&](int, const ToolpathRecord& r) {
    if (Counts(r.kind, options.rapidShown)) extents.Widen(projection.Project(PositionOf(r)));
  });
  for (int slot = 0; slot < LayerTable::kSlots - 1; ++slot) {
    const LayerSlot& layer = db.layers[slot];
    if (slot == db.layers.workLayer || !layer.layerOn || layer.pointCount() == 0) continue;
    const ToolpathRecord* records = layer.points.data();
    for (int k = 0; k < layer.pointCount(); ++k) {
      if (Counts(records[k].kind, options.rapidShown)) extents.Widen(projection.Project(PositionOf(records[k])));
    }
  }

  // 3. Nothing to fit: a window around the origin.
  if (!extents.widened()) {
    extents = {-kEmptyHalfRange, kEmptyHalfRange, -kEmptyHalfRange, kEmptyHalfRange};
  }

  // 4. The zoom that fits both axes, capped.
  const double scaleX = AxisScale(view.clientWidth, extents.maxX - extents.minX);
  const double scaleY = AxisScale(view.clientHeight, extents.maxY - extents.minY);
  // A window not yet sized would give a zoom of 0; the view never goes below its least zoom.
  view.scale = std::max(std::min({scaleX, scaleY, kLargestFitScale}), kMinScale);

  // 5. The centre of the extents, cut to whole projected mm.
  view.panX = static_cast<int>((extents.minX + extents.maxX) / 2);
  view.panY = static_cast<int>((extents.minY + extents.maxY) / 2);
}

}  // namespace fendo
