#include "app/commands/direction_commands.h"

#include "app/commands/view_edit_report.h"
#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/edit_value_dialogs.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/dialogs/plunge_dialog.h"
#include "app/dialogs/reverse_dialog.h"
#include "app/dialogs/z_up_dialog.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"
#include "app/status_progress.h"
#include "interact/no_room.h"
#include "interact/reverse_command.h"
#include "interact/start_point_command.h"
#include "interact/z_up_command.h"

namespace fendo {
namespace {

void ChangeStartPoints(CFendoView& view, StartPointMode mode) {
  const CFendoView::InteractiveCommand running(view);
  MessageBoxPrompts prompts(&view);
  // The arc guard's conversion shows its bar only while it runs.
  TransientProgress progress(view.frame().statusPanes());
  StartPointCommand(view.input(), view.inputSource(), prompts, progress, mode);
}

}  // namespace

void ReverseDirectionCommand(CFendoView& view) {
  ReverseParams& params = view.app().Remembered<ReverseParams>();
  if (!EditInDialog<CReverseDlg>(params, &view)) return;
  const CFendoView::InteractiveCommand running(view);
  MessageBoxPrompts prompts(&view);
  ReverseCommand(view.input(), view.inputSource(), prompts, params);
}

void ReverseOnePathCommand(CFendoView& view) {
  const CFendoView::InteractiveCommand running(view);
  if (OnePathReverseCommand(view.input(), view.inputSource()) == EditOutcome::NoRoom) {
    MessageBoxPrompts prompts(&view);
    TellNoRoom(prompts);
  }
}

void StartPointsOfOpenPathsCommand(CFendoView& view) { ChangeStartPoints(view, StartPointMode::Open); }
void StartPointsOfClosedPathsCommand(CFendoView& view) { ChangeStartPoints(view, StartPointMode::Closed); }
void StartPointsOfAllPathsCommand(CFendoView& view) { ChangeStartPoints(view, StartPointMode::Both); }

void ChangePlungeCommand(CFendoView& view) {
  PlungeParams& params = view.app().Remembered<PlungeParams>();
  params.PresetForDialog(view.database().safeZ);
  if (!EditInDialog<CPlungeDlg>(params, &view)) return;
  ReportOnView(view, ChangePlunges(view.database(), params));
}

void SubdivideCommand(CFendoView& view) {
  SubdivisionParams& params = view.app().Remembered<SubdivisionParams>();
  params.PresetForDialog();
  if (!EditInDialog<SubdivisionDialog>(params, &view)) return;
  ReportOnView(view, Subdivide(view.database(), params));
}

void SuppressZMovesCommand(CFendoView& view) {
  ZUpParams& params = view.app().Remembered<ZUpParams>();
  if (!EditInDialog<CZUpDlg>(params, &view)) return;
  MessageBoxPrompts prompts(&view);
  StatusProgress progress(view.frame().statusPanes());
  ZUpCommand(view.database(), view, prompts, progress, params);
}

}  // namespace fendo
