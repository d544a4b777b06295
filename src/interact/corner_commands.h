#pragma once

#include "edit/corner_region.h"

namespace fendo {

class Progress;
class ToolpathDatabase;
class UserPrompts;
class ViewSurface;

// "코너 부위 선택" and "코너부위를 트림한다." once CCornerDlg was accepted with `params`: the
// arc guard (its Cancel ends the command), then the selection or the trim and the redraw.
EditOutcome SelectCornersCommand(ToolpathDatabase& db, ViewSurface& surface, UserPrompts& prompts, Progress& progress,
                                 const CornerParams& params);
EditOutcome TrimToCornersCommand(ToolpathDatabase& db, ViewSurface& surface, UserPrompts& prompts, Progress& progress,
                                 const CornerParams& params);

}  // namespace fendo
