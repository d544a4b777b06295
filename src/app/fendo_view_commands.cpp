// The commands of the toolpath view's menu.
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QProcess>

#include "app/dialogs/message_box_prompts.h"
#include "app/dialogs/ncdata_info_dialog.h"
#include "app/dialogs/settings_dialog.h"
#include "app/dialogs/tool_shape_dialog.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"
#include "app/nc_file_dialog.h"
#include "app/qt_text.h"
#include "core/post_edit.h"
#include "core/statistics.h"
#include "interact/no_room.h"
#include "interact/tool_simulation.h"
#include "interact/undo_commands.h"
#include "qtdraw/qt_painter_canvas.h"
#include "view/draw_view.h"
#include "view/navigation.h"
#include "view/view_input.h"

namespace fendo {

// ---- Files

void CFendoView::OnOpenNcData() {
  const QString path = ChooseNcFile(this, app_, CommandId::OpenNcData);
  if (path.isEmpty() || !ReadProgram(path, LoadMode::Open)) return;
  SetDocument(path);
  app_.recentFiles().Add(document_.title);
}

void CFendoView::OnAddNcData() {
  const QString path = ChooseNcFile(this, app_, CommandId::AddNcData);
  if (!path.isEmpty()) ReadProgram(path, LoadMode::Add);
}

void CFendoView::OnViewInEditor() {
  QString& last = app_.LastDialogPath(CommandId::ViewInEditor);
  const QString path = QFileDialog::getOpenFileName(this, QString(), last, NcFileFilter(app_.settings()));
  if (path.isEmpty()) return;
  last = path;
  const QString editor = Utf8(app_.settings().editor);
  if (!QProcess::startDetached(editor, {path})) {
    QMessageBox::information(this, Utf8(kErrorCaption), QStringLiteral("%1 을(를) 실행할 수 없습니다.").arg(editor));
  }
}

// ---- Printing: the page shows what the window shows, stretched to the page.

void CFendoView::PrintOn(QPainter& painter, QSize pageSize) {
  QtPainterCanvas canvas(painter, QRect(QPoint(), pageSize));
  DrawPicture(canvas, pageSize, kPrintedLayerText);
}

void CFendoView::OnFilePrint() {
  QPrinter& printer = app_.printer();
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  QPainter painter(&printer);
  PrintOn(painter, printer.pageRect(QPrinter::DevicePixel).size().toSize());
}

void CFendoView::OnFilePrintPreview() {
  QPrintPreviewDialog dialog(&app_.printer(), this);
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
    QPainter painter(printer);
    PrintOn(painter, printer->pageRect(QPrinter::DevicePixel).size().toSize());
  });
  dialog.exec();
}

// ---- Directions, zoom and display

void CFendoView::OnViewTop() { input_->ShowDirection(ViewDirection::Top); }
void CFendoView::OnViewFront() { input_->ShowDirection(ViewDirection::Front); }
void CFendoView::OnViewSide() { input_->ShowDirection(ViewDirection::Side); }
void CFendoView::OnViewIso1() { input_->ShowDirection(ViewDirection::Iso1); }
void CFendoView::OnViewIso2() { input_->ShowDirection(ViewDirection::Iso2); }
void CFendoView::OnViewIso3() { input_->ShowDirection(ViewDirection::Iso3); }
void CFendoView::OnViewIso4() { input_->ShowDirection(ViewDirection::Iso4); }
void CFendoView::OnRedraw() { input_->Redraw(); }

void CFendoView::OnFitView() {
  refitOnResize_ = true;
  input_->Fit();
}

void CFendoView::OnZoomIn() {
  refitOnResize_ = false;
  input_->ZoomIn();
}

void CFendoView::OnZoomOut() {
  refitOnResize_ = false;
  input_->ZoomOut();
}

void CFendoView::OnToggleRapids() {
  options_.rapidShown = !options_.rapidShown;
  Redraw();
}

void CFendoView::OnInvertBackground() {
  options_.backgroundInverted = !options_.backgroundInverted;
  Redraw();
}

void CFendoView::OnToggleFeedLegend() {
  options_.feedLegendShown = !options_.feedLegendShown;
  Redraw();
}

// Without a master model (until the master model commands build or load one) the display stays
// off.
void CFendoView::OnToggleMasterModel() {
  options_.masterModelShown = masterModel_ && !options_.masterModelShown;
  Redraw();
}

void CFendoView::OnRotateMode() { input_->ToggleRotateMode(); }
void CFendoView::OnPanMode() { input_->TogglePanMode(); }
void CFendoView::OnSelectMode() { input_->ToggleSelectMode(); }
void CFendoView::OnClearSelection() { input_->ClearSelection(); }
void CFendoView::OnInvertSelection() { input_->InvertSelection(); }

void CFendoView::OnToolSimulation() {
  InteractiveCommand running(*this);
  RunToolSimulation(*input_, inputSource());
}

// ---- Editing

void CFendoView::OnRebuildRapids() {
  if (!RebuildRapids(*db_)) {
    MessageBoxPrompts prompts(this);
    TellNoRoom(prompts);
    return;
  }
  Redraw();
}

void CFendoView::OnUndo() { UndoCommand(*db_, *this); }
void CFendoView::OnRedo() { RedoCommand(*db_, *this); }

// ---- Settings and information

void CFendoView::OnSettings() {
  SettingsDialog dialog(db_->options, app_.settings(), this);
  dialog.exec();
  if (dialog.outcome() != SettingsOutcome::Cancelled) db_->options = dialog.options();
}

void CFendoView::OnToolShape() {
  ToolShapeDialog dialog(options_.tool, this);
  if (dialog.exec() != QDialog::Accepted) return;
  options_.tool = dialog.values();
  Redraw();
}

void CFendoView::OnToolpathInformation() {
  ComputeStatistics(*db_);
  CNcdataInfoDlg dialog(db_->statistics, db_->layers[db_->layers.workLayer].unit, this);
  dialog.exec();
}

void CFendoView::OnHelp() { OpenHelpFile(this, app_.settings(), "fendo.hlp"); }
void CFendoView::OnTutorial() { OpenHelpFile(this, app_.settings(), "fendo-T.hlp"); }

}  // namespace fendo
