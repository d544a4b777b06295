#pragma once

#include "core/view_state.h"
#include "feed/master_model.h"
#include "view/canvas.h"

namespace fendo {

// The master model as a grid of points, each cell that holds a height at that height, coloured
// from blue (the model's lowest) through green to red (its highest). Cells closer than a pixel
// are thinned to about one a pixel. Nothing for a model that is not present.
void DrawMasterModel(Canvas& canvas, const MasterModel& model, const ViewState& view);

}  // namespace fendo
