#pragma once

#include "edit/z_up.h"

namespace fendo {

class Progress;
class ToolpathDatabase;
class UserPrompts;
class ViewSurface;

// "Z 상향" once CZUpDlg was accepted with `params`: the arc guard (its Cancel ends the command),
// then the change and the redraw.
EditOutcome ZUpCommand(ToolpathDatabase& db, ViewSurface& surface, UserPrompts& prompts, Progress& progress,
                       const ZUpParams& params);

}  // namespace fendo
