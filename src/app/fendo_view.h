#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "app/fendo_doc.h"
#include "app/qt_input_source.h"
#include "qtdraw/qt_image_canvas.h"
#include "config/layer_colours.h"
#include "core/toolpath_database.h"
#include "core/view_state.h"
#include "feed/master_model.h"
#include "view/view_options.h"
#include "view/view_surface.h"

class QPainter;

namespace fendo {

class Canvas;
struct LayerTextLayout;
class CFendoApp;
class CMainFrame;
class ViewInput;

// The toolpath view of one document window: it owns the document's toolpaths (the database),
// the projection and the display toggles, draws them through the engine, hands mouse and key
// events to the engine's navigation, picking and selection, and runs the view's commands.
//
// The picture is drawn into an image the size of the window; a paint shows that image and,
// over it, the marks of the moment (rubber band, polygon, highlight, tool), so that the
// interactive commands can mark records without drawing millions of moves again.
class CFendoView : public QWidget, public ViewSurface {
  Q_OBJECT

 public:
  CFendoView(CFendoApp& app, CMainFrame& frame, QWidget* parent);
  ~CFendoView() override;

  // Loads the document's NC program, as a new document's first showing does. False, with the
  // user told why, when it cannot be read.
  bool LoadDocument(const QString& path);
  const CFendoDoc& document() const { return document_; }
  // Shows `title` as the document's title, as when the work layer comes to name another file;
  // the document still names the file it was opened from.
  void SetDocumentTitle(const QString& title);

  CFendoApp& app() { return app_; }
  CMainFrame& frame() { return frame_; }
  ToolpathDatabase& database() { return *db_; }
  // The master model the feed optimizer slows down by, and the view draws while
  // "마스타 모델 보기" is on; none until one is built or loaded.
  std::unique_ptr<MasterModel>& masterModel() { return masterModel_; }
  ViewState& viewState() { return viewState_; }
  ViewOptions& options() { return options_; }
  LayerColours& layerColours() { return layerColours_; }
  ViewInput& input() { return *input_; }
  // Where the interactive commands read keys and the mouse: the window's own events, or a
  // script a test puts in their place (nullptr goes back to the window's).
  InputSource& inputSource() { return scriptedInput_ ? *scriptedInput_ : windowInput_; }
  void SetInputSource(InputSource* source) { scriptedInput_ = source; }
  // While an interactive command runs inside the view, the menus take no other command.
  bool InteractiveCommandRunning() const { return interactiveCommands_ > 0; }
  // Marks the run of an interactive command (one that polls the input source in a loop of
  // its own); see InteractiveCommandRunning.
  class InteractiveCommand {
   public:
    explicit InteractiveCommand(CFendoView& view) : view_(view) { ++view_.interactiveCommands_; }
    ~InteractiveCommand() { --view_.interactiveCommands_; }
    InteractiveCommand(const InteractiveCommand&) = delete;
    InteractiveCommand& operator=(const InteractiveCommand&) = delete;

   private:
    CFendoView& view_;
  };

  int redrawMilliseconds() const { return redrawMilliseconds_; }
  // The picture of the view as it is on the screen.
  QImage Picture();

  // The view's commands.
  void OnOpenNcData();
  void OnAddNcData();
  void OnFilePrint();
  void OnFilePrintPreview();
  void OnViewTop();
  void OnViewFront();
  void OnViewSide();
  void OnViewIso1();
  void OnViewIso2();
  void OnViewIso3();
  void OnViewIso4();
  void OnRedraw();
  void OnFitView();
  void OnZoomIn();
  void OnZoomOut();
  void OnToggleRapids();
  void OnToolSimulation();
  void OnViewInEditor();
  void OnRotateMode();
  void OnPanMode();
  void OnSelectMode();
  void OnToggleMasterModel();
  void OnToggleFeedLegend();
  void OnClearSelection();
  void OnInvertSelection();
  void OnRebuildRapids();
  void OnToolpathInformation();
  void OnUndo();
  void OnRedo();
  void OnSettings();
  void OnToolShape();
  void OnInvertBackground();
  void OnHelp();
  void OnTutorial();

  // The modes the menu's check marks show.
  bool RapidsShown() const { return options_.rapidShown; }
  bool BackgroundInverted() const { return options_.backgroundInverted; }
  bool RotateMode() const;
  bool PanMode() const;
  bool SelectMode() const;
  bool MasterModelShown() const { return options_.masterModelShown && masterModel_; }
  bool ColourByLayer() const { return db_->layers.colourByLayer; }
  bool LayerTextShown() const { return options_.layerTextShown; }
  bool FeedLegendShown() const { return options_.feedLegendShown; }

  // ViewSurface: what the engine's input handling and interactive loops ask of the window.
  void Redraw() override;
  void RedrawDragFrame() override;
  void ShowRubberBand(ClientPoint a, ClientPoint b) override;
  void HideRubberBand() override;
  void ShowPolygon(std::span<const ClientPoint> vertices) override;
  void ShowHighlight(const Highlight& highlight) override;
  void ClearHighlight() override;
  void ShowTool(int record) override;
  void SetStatusText(ViewStatusPane pane, std::string_view text) override;

 signals:
  void documentTitleChanged(const QString& title);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  enum class LoadMode { Open, Add };

  bool ReadProgram(const QString& path, LoadMode mode);
  void SetDocument(const QString& path);
  void FitAndRedraw();
  // The whole picture on a canvas of `size` pixels, the view's projection stretched so that
  // the window's picture fills it (a printer page has more pixels than the window).
  void DrawPicture(Canvas& canvas, QSize size, const LayerTextLayout& layerText);
  void PrintOn(QPainter& painter, QSize pageSize);
  void DrawMarks(QPainter& painter);

  CFendoApp& app_;
  CMainFrame& frame_;
  std::unique_ptr<ToolpathDatabase> db_ = std::make_unique<ToolpathDatabase>();
  ViewState viewState_;
  ViewOptions options_;
  LayerColours layerColours_ = DefaultLayerColours();
  std::unique_ptr<MasterModel> masterModel_;
  QtInputSource windowInput_;
  InputSource* scriptedInput_ = nullptr;
  std::unique_ptr<ViewInput> input_;
  int interactiveCommands_ = 0;
  bool reading_ = false;  // a program is being read into the database
  CFendoDoc document_;
  int redrawMilliseconds_ = 0;
  // Until the user turns, moves or zooms the view, a new window size fits the toolpath again.
  bool refitOnResize_ = true;

  QtImageCanvas picture_{1, 1};
  std::optional<std::pair<ClientPoint, ClientPoint>> rubberBand_;
  std::vector<ClientPoint> polygon_;
  std::optional<Highlight> highlight_;
  std::optional<int> toolRecord_;
  QString readout_;  // the simulated tool's position
};

}  // namespace fendo
