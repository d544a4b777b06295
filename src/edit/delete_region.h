#pragma once

#include <span>

#include "core/view_state.h"
#include "edit/edit_commit.h"

namespace fendo {

class ToolpathDatabase;

// Deleting what the user marked on the view: inside a window ("윈도우 안쪽") or a polygon
// ("다각형 안쪽"). Both work in the client pixels of the view as it stands: a record is inside
// when the point the view draws it at is, so what is deleted is what the user saw inside.

// The most vertices a polygon of the delete may have; a 100th cancels it.
inline constexpr int kMostDeletePolygonVertices = 99;

// One window, the rectangle between corners a and b in either order, edges included. Every
// rapid record inside is deleted, except the approach into a path whose first cut stays;
// every other motion record inside becomes a rapid move, and so does the motion record after
// it (the move leaving the window). Then the rapid moves are rebuilt: no cut is left to join
// the end of one path to the start of the next. Unchanged when no motion record lies inside.
// The window command runs this for one window after another with one undo step for all.
EditOutcome DeleteInWindow(ToolpathDatabase& db, ClientPoint a, ClientPoint b, const ViewState& view,
                           UndoStep undo = UndoStep::Push);

// One polygon (client pixels, closed from the last vertex back to the first, inside by the
// even-odd rule): every straight cutting move whose end is inside becomes a rapid move, and so
// does the straight cutting move right after one (the move leaving the polygon); arcs stay.
// Then the rapid moves are rebuilt. Refused for fewer than 3 or more than 99 vertices.
EditOutcome DeleteInPolygon(ToolpathDatabase& db, std::span<const ClientPoint> polygon, const ViewState& view,
                            UndoStep undo = UndoStep::Push);

}  // namespace fendo
