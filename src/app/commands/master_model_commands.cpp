#include "app/commands/master_model_commands.h"

#include <QMessageBox>

#include <memory>
#include <string>
#include <string_view>

#include "app/dialogs/feed_file_dialogs.h"
#include "app/dialogs/master_model_dialog.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"
#include "app/qt_text.h"
#include "app/status_progress.h"
#include "interact/undo_commands.h"
#include "feed/master_file.h"
#include "feed/master_model_build.h"

namespace fendo {
namespace {

constexpr std::string_view kMessageCaption = " Message";
constexpr std::string_view kDeleteQuestion = " 마스터 모텔을 삭제 하겠읍니까? ";
constexpr std::string_view kNothingToBuildText = "마스터 모델을 만들 수 없습니다: 직선 절삭 경로가 없거나 너무 짧습니다.";
constexpr std::string_view kNothingToSaveText = "저장할 마스터 모델이 없습니다.";

void ShowCannotOpen(CFendoView& view, const std::string& reason) {
  QMessageBox::information(&view, Utf8(kErrorCaption), Utf8(std::string(kCannotOpenFileText) + reason));
}

// A new model is drawn at once: the display goes on as "마스타 모델 보기" turns it on.
void ShowNewModel(CFendoView& view) {
  if (view.options().masterModelShown) {
    view.Redraw();
  } else {
    view.OnToggleMasterModel();
  }
}

}  // namespace

bool LoadMasterModel(CFendoView& view, const std::filesystem::path& path) {
  // The model held so far goes first, whatever the file holds.
  view.masterModel().reset();
  auto model = std::make_unique<MasterModel>();
  if (const FileStatus read = ReadMasterFile(path, *model); !read) {
    view.options().masterModelShown = false;
    view.Redraw();
    ShowCannotOpen(view, read.reason);
    return false;
  }
  view.masterModel() = std::move(model);
  return true;
}

void CreateMasterModelCommand(CFendoView& view) {
  MasterModelInputs& inputs = view.app().Remembered<MasterModelInputs>();
  if (!EditInDialog<MasterModelDialog>(inputs, &view)) return;
  ToolpathDatabase& db = view.database();
  MessageBoxPrompts prompts(&view);
  MasterBuildResult built;
  {
    StatusProgress progress(view.frame().statusPanes());
    built = BuildMasterModel(db, inputs, prompts, &progress);
  }
  if (!built.ok()) {
    // Running out of memory has been told already.
    if (built.status != MasterBuildStatus::OutOfMemory) {
      prompts.Message(kNothingToBuildText, kMessageCaption, PromptIcon::Information);
    }
    return;
  }
  view.masterModel() = std::make_unique<MasterModel>(std::move(built.model));
  // The finished part's toolpath makes way for the one the model will slow down; Undo brings
  // it back.
  PushUndo(db);
  db.Clear();
  ShowNewModel(view);
}

void DeleteMasterModelCommand(CFendoView& view) {
  MessageBoxPrompts prompts(&view);
  if (!prompts.AskOkCancel(kDeleteQuestion, kMessageCaption, PromptIcon::Question)) return;
  view.masterModel().reset();
  if (view.options().masterModelShown) view.OnToggleMasterModel();
}

void SaveMasterModelCommand(CFendoView& view) {
  if (!view.masterModel()) {
    QMessageBox::information(&view, Utf8(kMessageCaption), Utf8(kNothingToSaveText));
    return;
  }
  const QString path = ChooseMasterModelToSave(&view, view.app().LastDialogPath(CommandId::SaveMasterModel));
  if (path.isEmpty()) return;
  if (const FileStatus written = WriteMasterFile(LocalPath(path), *view.masterModel()); !written) {
    ShowCannotOpen(view, written.reason);
  }
}

void LoadMasterModelCommand(CFendoView& view) {
  const QString path = ChooseMasterModelToOpen(&view, view.app().LastDialogPath(CommandId::LoadMasterModel));
  if (path.isEmpty() || !LoadMasterModel(view, LocalPath(path))) return;
  ShowNewModel(view);
}

}  // namespace fendo
