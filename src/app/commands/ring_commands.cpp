#include "app/commands/ring_commands.h"

#include <string>

#include "app/commands/view_edit_report.h"
#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/radial_spacing_dialog.h"
#include "app/dialogs/ring_dialog.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"
#include "app/status_progress.h"
#include "generate/radial_spacing.h"
#include "generate/ring_patterns.h"
#include "interact/arc_guard.h"
#include "view/show_prompt.h"

namespace fendo {
namespace {

void GenerateRing(CFendoView& view, EditOutcome (*generate)(ToolpathDatabase&, const RingParams&)) {
  RingParams& params = view.app().Remembered<RingParams>();
  if (!EditInDialog<RingDialog>(params, &view)) return;
  const EditOutcome outcome = generate(view.database(), params);
  MessageBoxPrompts prompts(&view);
  if (outcome == EditOutcome::Unchanged) {
    prompts.Message(kEmptyRingText, kFieldMessageCaption, PromptIcon::Warning);
  } else if (outcome == EditOutcome::Refused) {
    // The values passed the dialog; what did not fit is the pattern they make.
    prompts.Message("생성된 공구경로가 ±32700 mm를 넘어 공구경로를 바꾸지 않았습니다.", kFieldMessageCaption,
                    PromptIcon::Warning);
  }
  ReportEdit(outcome, view, prompts);
}

}  // namespace

void GenerateRadialCommand(CFendoView& view) { GenerateRing(view, &GenerateRadial); }

void GenerateSpiralCommand(CFendoView& view) { GenerateRing(view, &GenerateSpiral); }

void AdjustRadialSpacingCommand(CFendoView& view) {
  RadialSpacingParams& params = view.app().Remembered<RadialSpacingParams>();
  if (!EditInDialog<RadialSpacingDialog>(params, &view)) return;
  MessageBoxPrompts prompts(&view);
  EditOutcome outcome = EditOutcome::Unchanged;
  {
    StatusProgress status(view.frame().statusPanes());
    if (!ArcGuard(view.database(), prompts, status)) return;
    PromptedProgress progress(status);
    outcome = SpaceRadialPaths(view.database(), params, &progress);
  }
  if (outcome == EditOutcome::Unchanged) prompts.Message(kNoSpokesText, kFieldMessageCaption, PromptIcon::Warning);
  ReportEdit(outcome, view, prompts);
}

}  // namespace fendo
