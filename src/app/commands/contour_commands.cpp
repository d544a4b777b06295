#include "app/commands/contour_commands.h"

#include <optional>

#include "app/commands/view_edit_report.h"
#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/contour_dialog.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"
#include "app/status_progress.h"
#include "generate/contours.h"
#include "interact/arc_guard.h"

namespace fendo {

void GenerateContoursCommand(CFendoView& view) {
  ToolpathDatabase& db = view.database();
  ContourParams& params = view.app().Remembered<ContourParams>();
  const std::optional<ContourParams> presets = ContourPresets(db, params);
  if (!presets) return;
  params = *presets;
  if (!EditInDialog<ContourDialog>(params, &view)) return;
  MessageBoxPrompts prompts(&view);
  StatusProgress progress(view.frame().statusPanes());
  if (!ArcGuard(db, prompts, progress)) return;
  ReportOnView(view, GenerateContours(db, params, &progress));
}

}  // namespace fendo
