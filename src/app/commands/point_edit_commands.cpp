#include "app/commands/point_edit_commands.h"

#include <optional>

#include "app/command_ids.h"
#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/corner_dialog.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/dialogs/point_edit_dialog.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"
#include "app/status_progress.h"
#include "interact/corner_commands.h"
#include "interact/point_edit_commands.h"

namespace fendo {
namespace {

// The edit mode one point command keeps between uses: each command its own.
template <CommandId command>
struct KeptEditMode {
  PointEditMode mode = PointEditMode::Move;
};

template <CommandId command>
PointEditMode& EditModeOf(CFendoView& view) {
  return view.app().Remembered<KeptEditMode<command>>().mode;
}

// CPointEditDlg over the view, timed by the clock the view's loops read.
AskPointValues AskInDialog(CFendoView& view) {
  return [&view](const PointEditValues& filled) -> std::optional<PointEditValues> {
    CPointEditDlg dialog(filled, view.inputSource(), &view);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.values();
  };
}

void ChangeEndPoint(CFendoView& view, ProgramEnd end, PointEditMode& mode) {
  const CFendoView::InteractiveCommand running(view);
  MessageBoxPrompts prompts(&view);
  RunEndPointChange(view.input(), prompts, end, mode, AskInDialog(view));
}

using CornerCommand = EditOutcome (*)(ToolpathDatabase&, ViewSurface&, UserPrompts&, Progress&, const CornerParams&);

void RunCornerCommand(CFendoView& view, CornerCommand command) {
  CornerParams& params = view.app().Remembered<CornerParams>();
  if (!EditInDialog<CCornerDlg>(params, &view)) return;
  MessageBoxPrompts prompts(&view);
  StatusProgress progress(view.frame().statusPanes());
  command(view.database(), view, prompts, progress, params);
}

}  // namespace

void ChangePointCommand(CFendoView& view) {
  const CFendoView::InteractiveCommand running(view);
  MessageBoxPrompts prompts(&view);
  RunPointChange(view.input(), view.inputSource(), prompts, EditModeOf<CommandId::ChangePoint>(view),
                 AskInDialog(view));
}

void MoveStartPointCommand(CFendoView& view) {
  ChangeEndPoint(view, ProgramEnd::Start, EditModeOf<CommandId::MoveStartPoint>(view));
}

void MoveEndPointCommand(CFendoView& view) {
  ChangeEndPoint(view, ProgramEnd::End, EditModeOf<CommandId::MoveEndPoint>(view));
}

void RapidsInWindowCommand(CFendoView& view) {
  const CFendoView::InteractiveCommand running(view);
  MessageBoxPrompts prompts(&view);
  RunRapidsInWindow(view.input(), view.inputSource(), prompts);
}

void CloseContourPathsCommand(CFendoView& view) {
  MessageBoxPrompts prompts(&view);
  CloseContoursCommand(view.database(), view, prompts);
}

void SelectCornerRegionsCommand(CFendoView& view) { RunCornerCommand(view, &SelectCornersCommand); }
void TrimToCornerRegionsCommand(CFendoView& view) { RunCornerCommand(view, &TrimToCornersCommand); }

}  // namespace fendo
