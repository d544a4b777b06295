#include "interact/delete_commands.h"

#include <optional>
#include <vector>

#include "core/toolpath_database.h"
#include "edit/delete_region.h"
#include "edit/path_delete.h"
#include "edit/point_delete.h"
#include "interact/edit_report.h"
#include "interact/path_loop.h"
#include "interact/region_input.h"
#include "view/view_input.h"
#include "view/view_surface.h"

namespace fendo {

bool RunPointDelete(ViewInput& view, InputSource& input) {
  ToolpathDatabase& db = view.database();
  EditOutcome outcome = EditOutcome::Unchanged;
  RunPointLoop(view, input, [&](int record) { outcome = DeletePoint(db, record); });
  view.surface().Redraw();
  return outcome == EditOutcome::Changed;
}

bool RunPathDelete(ViewInput& view, InputSource& input) {
  ToolpathDatabase& db = view.database();
  EditOutcome outcome = EditOutcome::Unchanged;
  RunPathLoop(view, input, [&](const PathSpan& path) { outcome = DeleteOnePath(db, path.first); });
  view.surface().Redraw();
  return outcome == EditOutcome::Changed;
}

void RunDeleteInWindow(ViewInput& view, InputSource& input, UserPrompts& prompts) {
  UndoStep undo = UndoStep::Push;
  while (const std::optional<ScreenWindow> window = RunWindowInput(view, input)) {
    const EditOutcome outcome =
        ReportEdit(DeleteInWindow(view.database(), window->first, window->second, view.view(), undo), view.surface(),
                   prompts);
    if (outcome == EditOutcome::NoRoom) return;
    if (outcome == EditOutcome::Changed) undo = UndoStep::Skip;
  }
}

void RunDeleteInPolygon(ViewInput& view, InputSource& input, UserPrompts& prompts) {
  const std::optional<std::vector<ClientPoint>> polygon = RunPolygonInput(view, input);
  if (!polygon) return;
  ReportEdit(DeleteInPolygon(view.database(), *polygon, view.view()), view.surface(), prompts);
}

}  // namespace fendo
