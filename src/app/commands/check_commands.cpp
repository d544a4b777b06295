#include "app/commands/check_commands.h"

#include <cstdint>
#include <vector>

#include "app/commands/optimizer_commands.h"
#include "app/dialogs/preflight_dialog.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "check/preflight_check.h"
#include "feed/feed_control.h"
#include "feed/machine_feed_options.h"
#include "view/centre_record.h"

namespace fendo {

void PreflightCheckCommand(CFendoView& view) {
  ToolpathDatabase& db = view.database();
  const FeedControl& host = FeedOptimizerHost(view.app());
  // The work buffer holds the work layer's program, which need not be the file the window
  // was opened on: its lines are counted in the file it was read from.
  const CheckInput input{db.layers[db.layers.workLayer].fileName, db.options.heidenhainInputChk,
                         &host.machines[host.currentMachine], &view.app().Remembered<MachineFeedOptions>()};
  const CheckReport report = CheckProgramReport(db, input);
  PreflightDialog dialog(report, [&view](std::int64_t record) {
    if (CentreOnRecord(view.database(), view.viewState(), static_cast<int>(record))) view.Redraw();
  }, &view);
  dialog.exec();
}

}  // namespace fendo
