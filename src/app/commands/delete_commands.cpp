#include "app/commands/delete_commands.h"

#include "app/commands/view_edit_report.h"
#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/edit_value_dialogs.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "edit/delete_selection.h"
#include "edit/path_delete.h"
#include "interact/delete_commands.h"

namespace fendo {
namespace {

// Opens the command's value dialog on the values it keeps; on OK runs `edit` with them.
template <typename Dialog, typename Options>
void EditWithValues(CFendoView& view, EditOutcome (*edit)(ToolpathDatabase&, const Options&, UndoStep)) {
  Options& options = view.app().Remembered<Options>();
  if (!EditInDialog<Dialog>(options, &view)) return;
  ReportOnView(view, edit(view.database(), options, UndoStep::Push));
}

}  // namespace

void DeletePointCommand(CFendoView& view) {
  const CFendoView::InteractiveCommand running(view);
  RunPointDelete(view.input(), view.inputSource());
}

void DeleteOnePathCommand(CFendoView& view) {
  const CFendoView::InteractiveCommand running(view);
  RunPathDelete(view.input(), view.inputSource());
}

void DeleteMiddlePathsCommand(CFendoView& view) {
  ReportOnView(view, DeleteMiddlePaths(view.database(), UndoStep::Push));
}

void DeleteInWindowCommand(CFendoView& view) {
  const CFendoView::InteractiveCommand running(view);
  MessageBoxPrompts prompts(&view);
  RunDeleteInWindow(view.input(), view.inputSource(), prompts);
}

void DeleteInPolygonCommand(CFendoView& view) {
  const CFendoView::InteractiveCommand running(view);
  MessageBoxPrompts prompts(&view);
  RunDeleteInPolygon(view.input(), view.inputSource(), prompts);
}

void DeleteByXyAngleCommand(CFendoView& view) { EditWithValues<XyAngleDeleteDialog>(view, &DeleteByXyAngle); }
void DeleteBySlopeCommand(CFendoView& view) { EditWithValues<SlopeDeleteDialog>(view, &DeleteBySlope); }
void DeletePointsByLengthCommand(CFendoView& view) {
  EditWithValues<PointLengthDeleteDialog>(view, &DeletePointsByLength);
}
void DeletePathsByLengthCommand(CFendoView& view) {
  EditWithValues<PathLengthDeleteDialog>(view, &DeletePathsByLength);
}

void DeleteAllCommand(CFendoView& view) { ReportOnView(view, DeleteAll(view.database())); }

void DeleteSelectedCommand(CFendoView& view) { ReportOnView(view, DeleteSelected(view.database())); }

}  // namespace fendo
