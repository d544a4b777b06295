// The output commands: each asks for the file and its options, then hands the run to the
// engine's writers (output/), whose results fendo-batch convert gives for the same options.
#include "app/commands/output_commands.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>

#include "app/dialogs/layer_output_dialog.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/dialogs/nc_output_dialog.h"
#include "app/dialogs/path_button.h"
#include "app/dialogs/post_output_dialog.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"
#include "app/nc_file_dialog.h"
#include "app/qt_text.h"
#include "app/status_progress.h"
#include "output/nc_writer.h"
#include "output/post_processor.h"
#include "output/post_template.h"

namespace fendo {
namespace {

// A layer whose name still holds this word was never named from a file: it proposes no name.
constexpr std::string_view kUnnamedLayerWord = "Layer";

// What the dialogs keep from one use to the next while the program runs.
struct NcOutputMemory {
  NcOutputOptions options;  // the presets of the work layer are put over it at every use
};
struct LayerOutputMemory {
  QString layerText;  // 출력 layer
};
struct PostOutputMemory {
  PostOutputOptions options;  // the template is default.ppr again at every use
};

const LayerSlot& WorkLayer(CFendoView& view) {
  ToolpathDatabase& db = view.database();
  return db.layers[db.layers.workLayer];
}

// The save dialog of NC data, opening on `proposed` or, without one, where this command's
// dialog was left; the overwrite of an existing file is asked. The path, empty when cancelled.
QString ChooseOutputFile(CFendoView& view, CommandId command, const QString& proposed) {
  QString& last = view.app().LastDialogPath(command);
  const QString path =
      QFileDialog::getSaveFileName(&view, QString(), proposed.isEmpty() ? last : proposed, NcFileFilter(view.app().settings()));
  if (!path.isEmpty()) last = path;
  return path;
}

// The file a layer's program proposes to be saved as: `name` unless the layer's `label`
// shows that it was never named from a file.
QString ProposedFile(const std::string& label, const std::string& name) {
  return label.find(kUnnamedLayerWord) == std::string::npos ? PathText(name) : QString();
}

// The window's title shows the file the work layer names, and the layer box the layer's new
// name.
void ShowWorkLayerFile(CFendoView& view) {
  view.frame().ShowLayerNames(view.database().layers);
  const std::string& file = WorkLayer(view).fileName;
  if (!file.empty()) view.SetDocumentTitle(QDir::toNativeSeparators(PathText(file)));
}

void StartEditor(CFendoView& view, const QString& file) {
  const QString editor = PathText(view.app().settings().editor);
  if (!QProcess::startDetached(editor, {file})) {
    QMessageBox::information(&view, Utf8(kErrorCaption), QStringLiteral("%1 을(를) 실행할 수 없습니다.").arg(editor));
  }
}

// Tells the user why a file was not written whole; false then.
bool Written(CFendoView& view, bool created, bool complete, const std::string& reason) {
  if (!created) {
    QMessageBox::information(&view, Utf8(kErrorCaption), Utf8(kCannotOpenFileText));
    return false;
  }
  if (!complete) {
    QMessageBox::warning(&view, Utf8(kErrorCaption),
                         QStringLiteral("화일을 끝까지 쓰지 못했습니다. 화일은 쓰기 전 그대로입니다.\n%1").arg(Utf8(reason)));
    return false;
  }
  return true;
}

void ShowNothingToWrite(CFendoView& view) {
  QMessageBox::information(&view, QStringLiteral(" Message"), Utf8(kNothingToWriteText));
}

// The fixed writer's outcome: a run the user stopped at the diagonal-rapid question keeps
// its part without a message; a program without motion and layers of different units are
// refused before any file exists.
bool Written(CFendoView& view, const WriteResult& result) {
  if (result.status == WriteStatus::Stopped) return false;
  if (result.status == WriteStatus::NoMotion) {
    ShowNothingToWrite(view);
    return false;
  }
  if (result.status == WriteStatus::MixedUnits) {
    QMessageBox::information(&view, Utf8(kErrorCaption),
                             QStringLiteral("단위가 다른 layer는 한 화일로 출력할 수 없습니다.\n%1").arg(Utf8(result.reason)));
    return false;
  }
  return Written(view, result.status != WriteStatus::CannotCreate, result.status != WriteStatus::WriteFailed,
                 result.reason);
}

// Tells the user of the arcs written otherwise than they were held, because a control would
// refuse them as they were.
void ShowRefusedArcs(CFendoView& view, int asLines, int byOffsets) {
  if (asLines == 0 && byOffsets == 0) return;
  QMessageBox::information(&view, QStringLiteral(" Message"),
                           QStringLiteral("컨트롤러가 거부할 원호를 바꾸어 출력했습니다.\n"
                                          "직선 이송으로: %1개 (반경이 없거나 끝점이 원 위에 없는 원호)\n"
                                          "I J K로: %2개 (R로 나타낼 수 없는 원과 반원)")
                               .arg(asLines)
                               .arg(byOffsets));
}

}  // namespace

void SaveNcData(CFendoView& view) {
  ToolpathDatabase& db = view.database();
  CFendoApp& app = view.app();
  // 1. The file: the one the work layer came from, unless it never came from one.
  const LayerSlot& layer = WorkLayer(view);
  const QString path = ChooseOutputFile(view, CommandId::SaveNcData, ProposedFile(layer.layerName, layer.fileName));
  if (path.isEmpty()) return;

  // 2. The options: what the dialog kept from its last use, the work layer's header over it.
  NcOutputOptions& kept = app.Remembered<NcOutputMemory>().options;
  NcOutputOptions options = kept;
  options.outputPath = PathBytes(path);
  PresetFromWorkLayer(db, options);
  NcOutputDialog dialog(options, NcFileFilter(app.settings()), &view);
  if (dialog.exec() != QDialog::Accepted) return;
  options = dialog.values();
  kept = options;

  // 3. The program; the work layer is now named after it and the Heidenhain choice kept.
  WriteResult result;
  {
    StatusProgress progress(view.frame().statusPanes());
    MessageBoxPrompts prompts(&view);
    result = WriteNcProgram(db, options, prompts, &progress);
  }
  ShowWorkLayerFile(view);
  if (!Written(view, result)) return;
  ShowRefusedArcs(view, result.arcsAsLines, result.arcsByOffsets);
  if (options.openEditor) StartEditor(view, PathText(options.outputPath));
}

void SaveLayerNcData(CFendoView& view) {
  ToolpathDatabase& db = view.database();
  CFendoApp& app = view.app();
  // 1. The file the dialog starts with: the work layer's own, or one asked for first.
  const LayerSlot& work = WorkLayer(view);
  QString path = ProposedFile(work.layerName, work.fileName);
  if (path.isEmpty()) {
    path = ChooseOutputFile(view, CommandId::SaveLayerNcData, QString());
    if (path.isEmpty()) return;
  }
  QString& layerText = app.Remembered<LayerOutputMemory>().layerText;
  LayerOutputDialog dialog(db.layers, db.layers.workLayer, {path, layerText, {}}, NcFileFilter(app.settings()), &view);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  // "Layer update" in the dialog renames layers whether or not the program is then written.
  view.frame().ShowLayerNames(db.layers);
  if (!accepted) return;
  const LayerOutputChoice& choice = dialog.values();
  layerText = choice.layerText;
  if (choice.layers.empty()) return;

  // 2. The writer's defaults, the program number of layer 0.
  NcOutputOptions options = LayerOutputOptions(db);
  options.outputPath = PathBytes(choice.outputPath);
  db.options.heidenhainOutChk = false;
  WriteResult result;
  {
    StatusProgress progress(view.frame().statusPanes());
    MessageBoxPrompts prompts(&view);
    result = WriteLayerNcProgram(db, choice.layers, options, prompts, &progress);
  }
  if (Written(view, result)) ShowRefusedArcs(view, result.arcsAsLines, result.arcsByOffsets);
}

void RunPostProcessor(CFendoView& view) {
  ToolpathDatabase& db = view.database();
  CFendoApp& app = view.app();
  // 1. The file: the work layer's own. Here the file name itself tells whether the layer came
  // from a file: a layer given no file carries "Layer" in it.
  LayerSlot& layer = db.layers[db.layers.workLayer];
  const QString path = ChooseOutputFile(view, CommandId::PostProcess, ProposedFile(layer.fileName, layer.fileName));
  if (path.isEmpty()) return;

  // 2. The template: default.ppr of PostDir over the built-in one.
  PostTemplate postTemplate;
  const std::filesystem::path templatePath = DefaultTemplatePath(app.settings().postDir);
  if (const FileStatus loaded = postTemplate.LoadTemplate(templatePath); !loaded) {
    QMessageBox::information(&view, Utf8(kErrorCaption),
                             Utf8(kCannotOpenFileText) + PathText(templatePath.string()) + QLatin1Char('\n') +
                                 Utf8(loaded.reason));
  }

  // 3. The dialog with the work layer's header data.
  PostOutputOptions& kept = app.Remembered<PostOutputMemory>().options;
  PostOutputOptions options = kept;
  options.templatePath = templatePath.string();
  options.outputPath = PathBytes(path);
  PresetPostOutputOptions(options, layer);
  PostOutputDialog dialog(postTemplate, options, app.settings(), NcFileFilter(app.settings()), &view);
  if (dialog.exec() != QDialog::Accepted) return;
  options = dialog.values();
  kept = options;

  // 4. The program; the work layer now names it.
  PostResult result;
  {
    StatusProgress progress(view.frame().statusPanes());
    MessageBoxPrompts prompts(&view);
    result = RunPostProcessor(db, postTemplate, options, prompts, &progress);
  }
  if (result.status == PostStatus::NoMotion) {
    ShowNothingToWrite(view);
    return;
  }
  if (result.status == PostStatus::NoMotionBlock) {
    QMessageBox::information(&view, Utf8(kErrorCaption),
                             QStringLiteral("템플릿에 이송 블록이 없어 출력하지 않았습니다.\n%1").arg(Utf8(result.reason)));
    return;
  }
  ShowWorkLayerFile(view);
  if (!Written(view, result.status != PostStatus::CannotCreate, result.status != PostStatus::WriteFailed,
               result.reason)) {
    return;
  }
  ShowRefusedArcs(view, result.arcsAsLines, 0);
  // An arc whose centre record is missing has no section to be written by: the program lacks it.
  if (result.skippedArcs > 0) {
    QMessageBox::warning(&view, Utf8(kErrorCaption),
                         QStringLiteral("중심점이 없는 원호 %1개를 출력하지 못했습니다.").arg(result.skippedArcs));
  }
}

}  // namespace fendo
