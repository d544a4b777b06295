#pragma once

#include "core/view_state.h"

namespace fendo {

class ToolpathDatabase;

// Selection by a window dragged on the screen. The window is the rectangle between two client
// points in either order, edges included; one narrower or lower than 10 pixels grows by 5
// pixels on each side, so that a click selects within a 10 × 10 box. A cutting move is in the
// window when one of the points it is drawn through lies in it (a point every 3 pixels along a
// straight move, the chord ends of an arc); rapid moves are never selected, nor is record 0.
// Selecting toggles: a selected record becomes unselected and any other becomes selected.

// Toggles every cutting record whose move is in the window. Returns the number toggled.
int SelectInWindow(ToolpathDatabase& db, const ViewState& view, ClientPoint p, ClientPoint q);

// Toggles every record of every path that has a move in the window (PathAround). Returns the
// number of records toggled.
int SelectPathsInWindow(ToolpathDatabase& db, const ViewState& view, ClientPoint p, ClientPoint q);

// Whether any motion record is selected.
bool AnySelected(ToolpathDatabase& db);

}  // namespace fendo
