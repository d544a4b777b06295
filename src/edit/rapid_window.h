#pragma once

#include "core/view_state.h"
#include "edit/edit_commit.h"

namespace fendo {

class ToolpathDatabase;

// "윈도우에 의한 급속이송 변경": every motion record the view draws inside the window between
// corners a and b (either order, edges included) becomes a Rapid, and so does the motion record
// after it (the move leaving the window); then the kinds are normalised. Nothing is rebuilt:
// the moves stay where they are and are travelled at rapid. An arc that becomes a rapid move
// goes to its end point straight, without its centre record. One undo step; Unchanged when no
// motion record lies inside.
EditOutcome RapidsInWindow(ToolpathDatabase& db, ClientPoint a, ClientPoint b, const ViewState& view,
                           UndoStep undo = UndoStep::Push);

}  // namespace fendo
