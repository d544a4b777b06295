#include "app/commands/pencil_commands.h"

#include "app/commands/view_edit_report.h"
#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/pencil_dialog.h"
#include "app/fendo_app.h"
#include "app/main_frame.h"
#include "app/status_progress.h"
#include "generate/pencil.h"

namespace fendo {
namespace {

constexpr std::string_view kMessageCaption = " Message";

}  // namespace

void PencilCommand(CFendoView& view) {
  PencilParams& params = view.app().Remembered<PencilParams>();
  if (!EditInDialog<PencilDialog>(params, &view)) return;
  PencilResult result;
  {
    StatusProgress progress(view.frame().statusPanes());
    result = GeneratePencil(view.database(), params, &progress);
  }
  if (result.outcome == EditOutcome::Unchanged) {
    MessageBoxPrompts prompts(&view);
    prompts.Message(kNoPencilPathText, kMessageCaption, PromptIcon::Information);
    return;
  }
  ReportOnView(view, result.outcome);
}

}  // namespace fendo
