#pragma once

#include "core/view_state.h"
#include "view/canvas.h"
#include "view/tool_shape.h"

namespace fendo {

class ToolpathDatabase;

// The tool standing at motion record `record`: a wire frame of the cutter, its tip on the
// record's point and its axis along +Z, seen in the view's projection. Two profiles through
// the axis (the bottom, the corner rounding of a ball or bull-nose cutter, the flutes and the
// shank) and the circles where the corner ends, the flutes end and the shank ends, in the tool
// pen. Nothing for a record that is not a motion record.
void DrawTool(Canvas& canvas, ToolpathDatabase& db, const ViewState& view, const ToolShape& tool, int record,
              bool backgroundInverted);

}  // namespace fendo
