#pragma once

#include "edit/edit_outcome.h"
#include "interact/no_room.h"
#include "view/view_surface.h"

namespace fendo {

// How a command tells what its edit did: a redraw after a change, the no-room message when the
// result did not fit (the toolpath is as it was).
inline EditOutcome ReportEdit(EditOutcome outcome, ViewSurface& surface, UserPrompts& prompts) {
  if (outcome == EditOutcome::NoRoom) TellNoRoom(prompts);
  if (outcome == EditOutcome::Changed) surface.Redraw();
  return outcome;
}

}  // namespace fendo
