#include "view/draw_highlight.h"

#include <algorithm>
#include <vector>

#include "core/arc_rule.h"
#include "core/toolpath_database.h"
#include "view/arc_chords.h"
#include "view/model_lines.h"
#include "view/pens.h"

namespace fendo {
namespace {

constexpr int kCrossHalf = 5;  // pixels

// The move into motion record i as the toolpath is drawn: its arc's chords, or a line from the
// motion record before it.
void DrawMove(Canvas& canvas, ToolpathDatabase& db, const DeviceProjection& projection, double scale, int i) {
  if (!db.IsMotion(i)) return;
  if (IsArcKind(db.cursor.kind)) {
    const Arc arc = ArcGeometry(db, i);
    const int n = ArcDrawChords(arc, scale);
    std::vector<Point3> points;
    for (int k = 0; k <= n; ++k) points.push_back(ArcChordPoint(arc, k, n));
    DrawModelPolyline(canvas, projection, points);
    return;
  }
  const Point3 end = db.cursor.position();
  if (!db.HasPrevMotion(i)) return;
  const Point3 start = db.cursor.position();
  const Point3 line[] = {start, end};
  DrawModelPolyline(canvas, projection, line);
}

}  // namespace

void DrawHighlight(Canvas& canvas, ToolpathDatabase& db, const ViewState& view, const Highlight& highlight,
                   bool backgroundInverted) {
  const DeviceProjection projection(view);
  canvas.SetPen(ViewPen(kHighlightPen, backgroundInverted));
  switch (highlight.shape) {
    case Highlight::Shape::Segment:
      DrawMove(canvas, db, projection, view.scale, highlight.first);
      break;
    case Highlight::Shape::Path:
      for (int i = std::max(highlight.first, 0); i < std::min(highlight.end, db.recordCount); ++i) {
        DrawMove(canvas, db, projection, view.scale, i);
      }
      break;
    case Highlight::Shape::Point: {
      if (!db.IsMotion(highlight.first)) return;
      const std::optional<DevicePoint> p = projection.ToPixel(db.cursor.position());
      if (!p) return;
      canvas.Line({p->x - kCrossHalf, p->y}, {p->x + kCrossHalf, p->y});
      canvas.Line({p->x, p->y - kCrossHalf}, {p->x, p->y + kCrossHalf});
      break;
    }
  }
}

}  // namespace fendo
