#include "interact/corner_commands.h"

#include "interact/arc_guard.h"
#include "interact/edit_report.h"

namespace fendo {

EditOutcome SelectCornersCommand(ToolpathDatabase& db, ViewSurface& surface, UserPrompts& prompts, Progress& progress,
                                 const CornerParams& params) {
  if (!ArcGuard(db, prompts, progress)) return EditOutcome::Unchanged;
  return ReportEdit(SelectCorners(db, params), surface, prompts);
}

EditOutcome TrimToCornersCommand(ToolpathDatabase& db, ViewSurface& surface, UserPrompts& prompts, Progress& progress,
                                 const CornerParams& params) {
  if (!ArcGuard(db, prompts, progress)) return EditOutcome::Unchanged;
  return ReportEdit(TrimToCorners(db, params), surface, prompts);
}

}  // namespace fendo
