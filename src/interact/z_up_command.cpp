#include "interact/z_up_command.h"

#include "interact/arc_guard.h"
#include "interact/edit_report.h"

namespace fendo {

EditOutcome ZUpCommand(ToolpathDatabase& db, ViewSurface& surface, UserPrompts& prompts, Progress& progress,
                       const ZUpParams& params) {
  if (!ArcGuard(db, prompts, progress)) return EditOutcome::Unchanged;
  return ReportEdit(ZUp(db, params), surface, prompts);
}

}  // namespace fendo
