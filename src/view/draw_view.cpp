#include "view/draw_view.h"

#include <array>

#include "core/toolpath_database.h"
#include "view/device_projection.h"
#include "view/draw_axes.h"
#include "view/draw_master_model.h"
#include "view/draw_tool.h"
#include "view/draw_toolpaths.h"
#include "view/feed_bands.h"
#include "view/line_batch.h"
#include "view/model_lines.h"
#include "view/pens.h"

namespace fendo {
namespace {

void DrawTexts(Canvas& canvas, const auto& lines) {
  for (const auto& line : lines) canvas.Text(line.topLeft, line.text, line.colour);
}

// The box's twelve edges as three polylines: the bottom ring with one riser, the top ring, and
// the other three risers.
void DrawBox(Canvas& canvas, const DeviceProjection& projection, const Extents& box) {
  const Point3 lo = box.min;
  const Point3 hi = box.max;
  const std::array<Point3, 4> ring = {{{lo.x, lo.y, 0}, {hi.x, lo.y, 0}, {hi.x, hi.y, 0}, {lo.x, hi.y, 0}}};
  for (const double z : {lo.z, hi.z}) {
    std::array<Point3, 5> loop;
    for (std::size_t k = 0; k < loop.size(); ++k) loop[k] = {ring[k % 4].x, ring[k % 4].y, z};
    DrawModelPolyline(canvas, projection, loop);
  }
  for (const Point3& corner : ring) {
    const std::array<Point3, 2> riser = {{{corner.x, corner.y, lo.z}, {corner.x, corner.y, hi.z}}};
    DrawModelPolyline(canvas, projection, riser);
  }
}

}  // namespace

void DrawView(Canvas& canvas, ToolpathDatabase& db, const ViewState& view, const ViewOptions& options,
              const DrawSettings& settings) {
  const bool inverted = options.backgroundInverted;
  // 1.
  canvas.Fill(BackgroundColour(inverted));
  // 2.
  DrawAxes(canvas, view, inverted);
  if (options.masterModelShown && settings.masterModel) DrawMasterModel(canvas, *settings.masterModel, view);
  // 3.
  {
    LineBatch lines(canvas);
    DrawToolpaths(lines, db, view, options, settings.layerColours);
  }
  // 4.
  if (options.layerTextShown) {
    DrawTexts(canvas, LayerText(db, settings.layerColours, view.clientWidth, view.clientHeight, inverted,
                                  settings.layerText));
  }
  if (options.feedLegendShown && !db.layers.colourByLayer) {
    DrawTexts(canvas, FeedLegend(db.workFeed, view.clientHeight, inverted));
  }
  // 5.
  if (const std::optional<int> last = db.HasPrevMotion(db.recordCount)) {
    DrawTool(canvas, db, view, options.tool, *last, inverted);
  }
}

void DrawDragFrame(Canvas& canvas, ToolpathDatabase& db, const ViewState& view, const ViewOptions& options) {
  canvas.Fill(BackgroundColour(options.backgroundInverted));
  DrawAxes(canvas, view, options.backgroundInverted);
  if (db.boundingBox.empty()) return;
  canvas.SetPen(ViewPen(kDefaultPen, options.backgroundInverted));
  DrawBox(canvas, DeviceProjection(view), db.boundingBox);
}

}  // namespace fendo
