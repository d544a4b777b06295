#pragma once

#include "config/layer_colours.h"
#include "core/view_state.h"
#include "feed/master_model.h"
#include "view/canvas.h"
#include "view/layer_text.h"
#include "view/view_options.h"

namespace fendo {

class ToolpathDatabase;

// What the picture needs besides the database, the view state and the options.
struct DrawSettings {
  LayerColours layerColours = DefaultLayerColours();  // color.par of the view
  const MasterModel* masterModel = nullptr;           // the view's, drawn while shown; null: none
  LayerTextLayout layerText = kScreenLayerText;       // kPrintedLayerText on a printed page
};

// The view's whole picture on a canvas of view.clientWidth × view.clientHeight pixels:
//  1. the background;
//  2. the axes, and the master model while it is shown;
//  3. the toolpaths of every layer shown (DrawToolpaths: rewrites rapid kinds after a pen-up
//     and sets workFeed, as the drawing always has);
//  4. the layer text while it is shown, then the feed legend while it is shown and layers are
//     not drawn in their own colours;
//  5. the tool at the last motion record of the work buffer.
void DrawView(Canvas& canvas, ToolpathDatabase& db, const ViewState& view, const ViewOptions& options,
              const DrawSettings& settings);

// The picture while a drag turns or moves a large program: the background, the axes and the
// wire frame of the toolpath's bounding box (nothing of it while the box is empty).
void DrawDragFrame(Canvas& canvas, ToolpathDatabase& db, const ViewState& view, const ViewOptions& options);

}  // namespace fendo
