#pragma once

#include "app/dialogs/message_box_prompts.h"
#include "app/fendo_view.h"
#include "interact/edit_report.h"

namespace fendo {

// How the view's editing commands end: the redraw after a change, or the no-room message over
// the view when the result did not fit (the toolpath is then as it was).
inline void ReportOnView(CFendoView& view, EditOutcome outcome) {
  MessageBoxPrompts prompts(&view);
  ReportEdit(outcome, view, prompts);
}

}  // namespace fendo
