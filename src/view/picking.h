#pragma once

#include "core/view_state.h"

namespace fendo {

class ToolpathDatabase;

// The record whose move passes nearest a client point, as the view shows it: the first record
// in index order within 3 pixels, else within 8, 13 and then 18 pixels; 0 when nothing is that
// close. A move is the segment from the previous motion record to the record. Arcs count when
// they pass within 5 pixels, whatever the tolerance; rapid moves only while they are shown.
int PickRecord(ToolpathDatabase& db, const ViewState& view, bool rapidShown, ClientPoint p);

}  // namespace fendo
