#include "app/commands/optimizer_commands.h"

#include <QMessageBox>

#include <memory>
#include <string>
#include <string_view>

#include "app/commands/master_model_commands.h"
#include "app/dialogs/feed_file_dialogs.h"
#include "app/dialogs/transfer_dialog.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"
#include "app/qt_text.h"
#include "app/status_progress.h"
#include "interact/undo_commands.h"
#include "feed/feed_control.h"
#include "feed/feed_optimizer.h"

namespace fendo {
namespace {

// What the program remembers must be copyable; the host is not, so it is held by pointer.
struct OptimizerHost {
  std::shared_ptr<FeedControl> control = std::make_shared<FeedControl>();
};

constexpr std::string_view kNotOptimizedText = "Feed Optimizer를 실행할 수 없습니다.\n";
constexpr std::string_view kMessageCaption = "Fendo message";

// Whether the run slows down by a master model: the file the settings name is loaded into
// the view (a file that cannot be loaded switches the master pass off), else a model the view
// already holds switches it on.
void TakeMasterModel(CFendoView& view, MachineCondition& machine) {
  if (machine.ByMasterModel()) {
    if (!LoadMasterModel(view, LocalPath(Utf8(machine.masterFile)))) machine.qelByMaster = 0;
  } else if (view.masterModel()) {
    machine.qelByMaster = 1;
  }
}

}  // namespace

FeedControl& FeedOptimizerHost(CFendoApp& app) { return *app.Remembered<OptimizerHost>().control; }

void FeedOptimizerCommand(CFendoView& view) {
  // The host, made at the first run; the optimizer works on its machine slot 1.
  FeedControl& host = FeedOptimizerHost(view.app());
  host.currentMachine = FeedControl::kOptimizerMachine;
  MachineCondition& machine = host.machines[FeedControl::kOptimizerMachine];
  OptimizerSlot& slot = host.optimizerSlots[FeedControl::kOptimizerMachine];

  // The settings of the run; Cancel, or a machine whose optimizer is off, changes
  // nothing.
  TransferDialog dialog(host.transferDialog, machine, &view);
  if (dialog.exec() != QDialog::Accepted || !machine.OptimizerEnabled()) return;

  TakeMasterModel(view, machine);

  // The optimizer rewrites every feed and adds the ramp points; the toolpath as it
  // was can come back with Undo.
  ToolpathDatabase& db = view.database();
  PushUndo(db);
  OptimizerResult result;
  {
    StatusProgress progress(view.frame().statusPanes());
    result = OptimizeFeeds(db, machine, slot, view.masterModel().get(), &progress);
  }
  if (result.status != OptimizerStatus::Done) {
    QMessageBox::information(&view, Utf8(kMessageCaption), Utf8(std::string(kNotOptimizedText) + result.message));
  }
  view.Redraw();
}

}  // namespace fendo
