#include "view/draw_toolpaths.h"

#include <algorithm>
#include <vector>

#include "core/arc_rule.h"
#include "core/toolpath_database.h"
#include "view/arc_chords.h"
#include "view/device_projection.h"
#include "view/feed_bands.h"
#include "view/pens.h"

namespace fendo {
namespace {

// A work feed of 1 or less is no feed to colour by: the work feed stays as it was.
constexpr int kLowestWorkFeed = 1;

// The walk of one layer's records: the pen-up flag, the pens and the last motion point.
class LayerDrawing {
 public:
  LayerDrawing(LineBatch& lines, const ViewState& view, const ViewOptions& options, const ToolpathDatabase& db,
               int layer, bool workLayer, const LayerColours& colours)
      : lines_(lines),
        projection_(view),
        scale_(view.scale),
        rapidShown_(options.rapidShown),
        inverted_(options.backgroundInverted),
        colourByLayer_(db.layers.colourByLayer),
        workLayer_(workLayer),
        workFeed_(db.workFeed),
        layerPen_(ViewPen(PaletteIndexPen(PaletteIndexOfLayer(colours, layer)), inverted_)) {
    // A layer never continues the line of the layer drawn before it.
    lines_.Lift();
  }

  // Record i, followed by `next` (the centre record of an arc; null at the end). The record
  // is in range (the work buffer retires the others as it hands them out).
  void Visit(int i, const ToolpathRecord& r, const ToolpathRecord* next) {
    if (!IsMotionKind(r.kind)) return;
    const ToolpathRecord* arcStart = lastMotion_;
    lastMotion_ = &r;
    if (IsCuttingKind(r.kind)) highestCuttingFeed_ = std::max(highestCuttingFeed_, r.feed);

    const std::optional<DevicePoint> pixel = projection_.ToPixel(r.x, r.y, r.z);
    if (!pixel) return;

    // The common case first: a feed move of a path already begun.
    if (IsLinearFeedKind(r.kind) && !penUp_) {
      lines_.SetPen(CuttingPen(r, false));
      lines_.LineTo(*pixel);
      return;
    }

    MoveKind kind = r.kind;
    if (penUp_ && workLayer_ && kind == MoveKind::Rapid) {
      kind = MoveKind::RapidStart;
      rewrittenToRapidStart_.push_back(i);
    } else if (penUp_ && !workLayer_ && !IsLinearFeedKind(kind)) {
      kind = MoveKind::RapidStart;
    }

    switch (kind) {
      case MoveKind::RapidStart:
        lines_.SetPen(rapidPen_);
        if (penUp_) {
          lines_.MoveTo(*pixel);
          penUp_ = false;
        } else {
          RapidTo(*pixel);
        }
        break;
      case MoveKind::Rapid:
        lines_.SetPen(rapidPen_);
        RapidTo(*pixel);
        break;
      case MoveKind::FeedStart:
      case MoveKind::Feed:
        lines_.SetPen(CuttingPen(r, false));
        lines_.LineTo(*pixel);
        break;
      case MoveKind::ArcCcw:
      case MoveKind::ArcCw:
        lines_.SetPen(CuttingPen(r, true));
        DrawArc(arcStart ? PositionOf(*arcStart) : firstPoint_, r, next, *pixel);
        break;
      default: break;
    }
  }

  // The first record's position stands for "the previous motion point" of an arc that opens
  // the layer, as the arc rule takes it.
  void StartAt(Point3 p) { firstPoint_ = p; }

  int highestCuttingFeed() const { return highestCuttingFeed_; }
  const std::vector<int>& rewrittenToRapidStart() const { return rewrittenToRapidStart_; }

 private:
  void RapidTo(DevicePoint p) {
    if (rapidShown_) {
      lines_.LineTo(p);
    } else {
      lines_.MoveTo(p);
    }
  }

  Pen CuttingPen(const ToolpathRecord& r, bool arc) {
    if (colourByLayer_) return r.selected && arc ? ViewPen(kAxisPen, inverted_) : layerPen_;
    if (r.selected) return ViewPen(kSelectedPen, inverted_);
    // A feed outside every band keeps the band pen of the feed before it.
    if (r.feed != bandFeed_) {
      bandFeed_ = r.feed;
      if (const std::optional<int> band = FeedBandPen(r.feed, workFeed_)) bandPen_ = ViewPen(*band, inverted_);
    }
    return bandPen_;
  }

  // Kept out of Visit: arcs are rare, and their frame would weigh on every straight move.
  [[gnu::noinline]] void DrawArc(Point3 start, const ToolpathRecord& r, const ToolpathRecord* next,
                                 DevicePoint end) {
    const bool hasCentre = next && IsCentreKind(next->kind);
    const Point3 offset = hasCentre ? PositionOf(*next) : Point3{};
    const ArcPlane plane = hasCentre ? PlaneOfCentreKind(next->kind) : ArcPlane::XY;
    const Arc arc = MeasureArc(start, PositionOf(r), offset, r.kind, plane);
    const int n = ArcDrawChords(arc, scale_);
    if (const std::optional<DevicePoint> from = projection_.ToPixel(arc.start)) lines_.MoveTo(*from);
    for (int k = 1; k < n; ++k) {
      if (const std::optional<DevicePoint> p = projection_.ToPixel(ArcChordPoint(arc, k, n))) lines_.LineTo(*p);
    }
    lines_.LineTo(end);
  }

  LineBatch& lines_;
  const DeviceProjection projection_;
  const double scale_;
  const bool rapidShown_;
  const bool inverted_;
  const bool colourByLayer_;
  const bool workLayer_;
  const int workFeed_;
  const Pen layerPen_;
  const Pen rapidPen_ = ViewPen(kRapidPen, inverted_);

  bool penUp_ = true;
  const ToolpathRecord* lastMotion_ = nullptr;  // records stay where they are during the walk
  Point3 firstPoint_;
  std::int32_t bandFeed_ = -1;  // the feed bandPen_ was chosen for; −1 (no band either way) at first
  Pen bandPen_ = ViewPen(kDefaultPen, inverted_);
  std::int32_t highestCuttingFeed_ = 0;
  std::vector<int> rewrittenToRapidStart_;
};

void DrawWorkLayer(LineBatch& lines, ToolpathDatabase& db, const ViewState& view, const ViewOptions& options,
                   const LayerColours& colours) {
  LayerDrawing drawing(lines, view, options, db, db.layers.workLayer, true, colours);
  if (const ToolpathRecord* first = db.RecordAt(0)) drawing.StartAt(PositionOf(*first));
  db.ForEachRecord([&](int i, const ToolpathRecord& r) {
    drawing.Visit(i, r, IsArcKind(r.kind) ? db.RecordAt(i + 1) : nullptr);
  });
  // The rewritten kinds are relied upon by what reads the work buffer after a redraw.
  for (const int i : drawing.rewrittenToRapidStart()) db.SetKind(i, MoveKind::RapidStart);
  if (drawing.highestCuttingFeed() > kLowestWorkFeed) db.workFeed = drawing.highestCuttingFeed();
}

void DrawStoredLayer(LineBatch& lines, ToolpathDatabase& db, int slot, const ViewState& view,
                     const ViewOptions& options, const LayerColours& colours) {
  const LayerSlot& layer = db.layers[slot];
  const ToolpathRecord* records = layer.points.data();
  const int count = layer.pointCount();
  LayerDrawing drawing(lines, view, options, db, slot, false, colours);
  drawing.StartAt(PositionOf(records[0]));
  for (int k = 0; k < count; ++k) {
    // Stored records are not retired on reading: a position beyond the limit is no motion.
    if (ToolpathDatabase::IsOutOfRange(records[k])) continue;
    drawing.Visit(k, records[k], k + 1 < count ? &records[k + 1] : nullptr);
  }
}

}  // namespace

void DrawToolpaths(LineBatch& lines, ToolpathDatabase& db, const ViewState& view, const ViewOptions& options,
                   const LayerColours& colours) {
  for (int slot = 0; slot < LayerTable::kSlots - 1; ++slot) {
    if (slot == db.layers.workLayer) {
      DrawWorkLayer(lines, db, view, options, colours);
    } else if (db.layers[slot].layerOn && db.layers[slot].pointCount() > 0) {
      DrawStoredLayer(lines, db, slot, view, options, colours);
    }
  }
}

}  // namespace fendo
