#include "app/commands/transform_commands.h"

#include "app/commands/view_edit_report.h"
#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/move_copy_dialog.h"
#include "app/dialogs/sort_dialog.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"

namespace fendo {

void MoveOrCopyToolpathCommand(CFendoView& view) {
  TransformParams& params = view.app().Remembered<TransformParams>();
  if (!EditInDialog<CMoveCopyDlg>(params, &view)) return;
  const EditOutcome outcome = TransformToolpath(view.database(), params);
  if (outcome == EditOutcome::Refused) {
    // The values passed the dialog; what did not fit is the program moved by them.
    MessageBoxPrompts prompts(&view);
    prompts.Message("이동된 공구경로가 ±32700 mm를 넘어 공구경로를 바꾸지 않았습니다.", kFieldMessageCaption,
                    PromptIcon::Warning);
    return;
  }
  ReportOnView(view, outcome);
}

void SortPathsCommand(CFendoView& view) {
  SortParams& params = view.app().Remembered<SortParams>();
  if (!EditInDialog<CSortDlg>(params, &view)) return;
  ReportOnView(view, SortPaths(view.database(), params));
}

}  // namespace fendo
