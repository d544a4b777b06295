#pragma once

#include <optional>

#include "core/view_state.h"

namespace fendo {

class ToolpathDatabase;

// The record whose move passes nearest a client point, as the view shows it: the first record
// in index order within 3 pixels, else within 8, 13 and then 18 pixels; 0 when nothing is that
// close. A move is the segment from the previous motion record to the record. Arcs count when
// they pass within 5 pixels, whatever the tolerance; rapid moves only while they are shown.
int PickRecord(ToolpathDatabase& db, const ViewState& view, bool rapidShown, ClientPoint p);

// The user's layer (0..99) whose toolpath passes nearest a client point, as the view draws them:
// the work layer from the work buffer and the layers drawn with it from their slots, with the
// tolerances of PickRecord. A nearer tolerance wins; at the same one the work layer, then the
// lower layer number. Nothing when no toolpath is that close.
std::optional<int> PickLayer(ToolpathDatabase& db, const ViewState& view, bool rapidShown, ClientPoint p);

}  // namespace fendo
