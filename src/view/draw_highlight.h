#pragma once

#include "core/view_state.h"
#include "view/canvas.h"
#include "view/view_surface.h"

namespace fendo {

class ToolpathDatabase;

// Marks records over the picture in the highlight pen (magenta, distinct from the feed bands
// and the selection): the move into record `first` (a line, or the arc as it is drawn), every
// move of records first … end − 1, or a cross of 11 × 11 pixels at record `first`.
void DrawHighlight(Canvas& canvas, ToolpathDatabase& db, const ViewState& view, const Highlight& highlight,
                   bool backgroundInverted);

}  // namespace fendo
