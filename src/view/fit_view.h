#pragma once

#include "core/view_state.h"
#include "view/view_options.h"

namespace fendo {

class ToolpathDatabase;

// "자동 확대축소": zoom and pan so that everything the view draws fills the window. The extents
// are those of the projected motion records of the work buffer and of every other layer that is
// switched on (rapid records only while rapid moves are shown); a view without any gets ±20 mm.
// A range under 0.01 mm takes 10 pixels per mm; the zoom is the smaller of the two axes' and at
// most 500 pixels per mm. The caller redraws.
void FitView(ToolpathDatabase& db, ViewState& view, const ViewOptions& options);

}  // namespace fendo
