#pragma once

#include "core/view_state.h"
#include "view/canvas.h"

namespace fendo {

// The model's axes at its origin in the axis pen: X, Y and Z each a line of up to 40 pixels
// (shorter as it turns away from the screen) with its letter at its end.
void DrawAxes(Canvas& canvas, const ViewState& view, bool backgroundInverted);

}  // namespace fendo
