#pragma once

#include "core/view_state.h"

namespace fendo {

class ToolpathDatabase;

// The centre-a-record request: brings one record before the user, as a finding of the
// pre-flight check asks. The selection becomes that record alone and the view is moved (not
// turned or zoomed) so that its end point sits at the centre of the window. A record that is
// not a move (a None record left by a coordinate out of reach, a centre record) is not
// selected; the view centres on the move before it, where the tool stands when its line comes.
// False, with nothing changed, for an index outside the work buffer. The caller redraws.
bool CentreOnRecord(ToolpathDatabase& db, ViewState& view, int record);

}  // namespace fendo
