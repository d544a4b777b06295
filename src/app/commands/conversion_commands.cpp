#include "app/commands/conversion_commands.h"

#include <string>

#include "app/dialogs/arc_convert_dialog.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/dialogs/value_dialogs.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"
#include "app/status_progress.h"
#include "core/post_edit.h"
#include "interact/no_room.h"
#include "output/arc_conversion.h"
#include "view/show_prompt.h"

namespace fendo {
namespace {

constexpr char kFilterToleranceLabel[] = "필터링 공차";

// Each filter remembers its own tolerance (mm) while the program runs.
struct LinearFilterTolerance {
  OneValue dialog{kFilterToleranceLabel, kDefaultFilterTolerance};
};
struct ArcFilterTolerance {
  OneValue dialog{kFilterToleranceLabel, kDefaultFilterTolerance};
};

// Asks for the filter's tolerance and runs it on the work buffer.
template <typename Tolerance>
void RunFilter(CFendoView& view, int (*filter)(ToolpathDatabase&, double)) {
  OneValue& tolerance = view.app().Remembered<Tolerance>().dialog;
  if (!EditInDialog<COneValueDlg>(tolerance, &view)) return;
  filter(view.database(), tolerance.value);
  view.Redraw();
}

}  // namespace

void FilterLinearCommand(CFendoView& view) { RunFilter<LinearFilterTolerance>(view, &FilterLinear); }

void FilterArcsCommand(CFendoView& view) { RunFilter<ArcFilterTolerance>(view, &FilterArcs); }

void RegenerateNcDataCommand(CFendoView& view) { NormalizeKinds(view.database()); }

void ArcConvertCommand(CFendoView& view) {
  ArcConvertOptions& options = view.app().Remembered<ArcConvertOptions>();
  if (!EditInDialog<ArcConvertDialog>(options, &view)) return;
  bool converted = false;
  {
    StatusProgress status(view.frame().statusPanes());
    PromptedProgress progress(status);
    converted = RunArcConvert(view.database(), options, &progress);
  }
  if (!converted) {
    MessageBoxPrompts prompts(&view);
    TellNoRoom(prompts);
  }
  view.Redraw();
}

}  // namespace fendo
