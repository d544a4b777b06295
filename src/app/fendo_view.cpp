#include "app/fendo_view.h"

#include <array>
#include <utility>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStringList>
#include <QWheelEvent>

#include "app/commands/delete_commands.h"
#include "app/fendo_app.h"
#include "app/main_frame.h"
#include "app/qt_keys.h"
#include "app/qt_text.h"
#include "app/status_progress.h"
#include "app/dialogs/message_box_prompts.h"
#include "config/nc_options_file.h"
#include "core/nc_reader.h"
#include "core/user_prompts.h"
#include "interact/no_room.h"
#include "qtdraw/qt_painter_canvas.h"
#include "view/draw_highlight.h"
#include "view/draw_tool.h"
#include "view/draw_view.h"
#include "view/fit_view.h"
#include "view/pens.h"
#include "view/status_texts.h"
#include "view/view_input.h"

namespace fendo {
namespace {

// Where the tool simulation writes the tool's position: at the lower left, beside the feed
// legend while that is shown there.
constexpr int kReadoutLeft = 10;           // pixels
constexpr int kReadoutBesideLegend = 170;  // pixels
constexpr int kReadoutAboveBottom = 20;    // pixels

static_assert(static_cast<int>(ViewStatusPane::Point) == static_cast<int>(StatusPane::Point),
              "the view's panes are the status bar's, in the same order");

MouseEvent MouseEventOf(const QMouseEvent& event) {
  return {{event.position().x(), event.position().y()},
          event.modifiers().testFlag(Qt::ShiftModifier),
          event.modifiers().testFlag(Qt::ControlModifier)};
}

// What the user is told when reading stopped before the end of the program.
QString StoppedReadingText(const LoadResult& result) {
  switch (result.status) {
    case LoadStatus::ReadFailed:
      return QStringLiteral("화일을 끝까지 읽지 못했습니다 (%1 줄 이후).\n%2")
          .arg(result.lines)
          .arg(Utf8(result.reason));
    case LoadStatus::RecordLimit:
      return QStringLiteral("공구경로가 %1 포인트를 넘습니다. %2 줄까지만 읽었습니다.")
          .arg(ToolpathDatabase::kMaxRecords)
          .arg(result.lines);
    case LoadStatus::OutOfMemory:
      return QStringLiteral("메모리가 부족합니다. %1 줄까지만 읽었습니다.").arg(result.lines);
    default:
      return QString();
  }
}

constexpr std::string_view kMessageCaption = "Fendo message";

// What the user is told of a program whose arcs read right only with absolute centres.
QString AbsoluteCentresText(const ArcCentreCounts& counts) {
  return QStringLiteral(
             "이 프로그램의 원호 중심(I, J, K)은 절대좌표로 보입니다.\n"
             "I, J, K가 있는 원호 %1개 중 %2개는 시작점 기준으로 읽으면 시작점과 끝점의 반경이 맞지 않고, "
             "그 중 %3개는 절대좌표로 읽으면 맞습니다.\n"
             "설정에서 \"Arc 중심 절대좌표\"를 켜고 다시 불러오십시오.")
      .arg(counts.arcs)
      .arg(counts.offsetMisfits)
      .arg(counts.absoluteFits);
}

// What the user is told of a program that reads as the other dialect, and how to read it so.
QString OtherDialectText(const DialectCheck& check, bool readAsHeidenhain) {
  if (readAsHeidenhain) {
    return QStringLiteral(
               "이 프로그램은 ISO(G 코드) 프로그램으로 보입니다.\n"
               "Heidenhain으로 읽으면 이동 %1개(원호 %2개), ISO로 읽으면 이동 %3개(원호 %4개)입니다.\n"
               "설정에서 \"Heidenhain 입력\"을 끄고 다시 불러오십시오.")
        .arg(check.moves)
        .arg(check.arcs)
        .arg(check.otherMoves)
        .arg(check.otherArcs);
  }
  return QStringLiteral(
             "이 프로그램은 Heidenhain 대화형 프로그램으로 보입니다.\n"
             "ISO로 읽으면 이동 %1개, Heidenhain으로 읽으면 이동 %2개(원호 %3개)입니다.\n"
             "설정에서 \"Heidenhain 입력\"을 켜고 다시 불러오십시오.")
      .arg(check.moves)
      .arg(check.otherMoves)
      .arg(check.otherArcs);
}

// What the reader did to words and moves it could not take as they stand, for the status bar;
// empty when nothing.
QString ReadingNotesText(const LoadResult& result) {
  QStringList notes;
  if (result.lateAxes.axes != 0) {
    QStringList axes;
    const std::array<std::pair<unsigned, double Point3::*>, 3> named = {
        {{kAxisX, &Point3::x}, {kAxisY, &Point3::y}, {kAxisZ, &Point3::z}}};
    for (std::size_t a = 0; a < named.size(); ++a) {
      if (result.lateAxes.axes & named[a].first) {
        axes << QStringLiteral("%1 %2").arg(QChar("XYZ"[a])).arg(result.lateAxes.values.*named[a].second, 0, 'f', 3);
      }
    }
    notes << QStringLiteral("프로그램이 축을 지정하기 전에 이동합니다. 첫 이동은 처음 지정된 값을 씁니다: %1.")
                 .arg(axes.join(QStringLiteral(", ")));
  }
  if (result.outOfReachLines > 0) {
    notes << QStringLiteral("좌표가 ±%1 mm를 넘는 블록 %2개는 읽지 않았습니다.")
                 .arg(ToolpathDatabase::kCoordinateLimit, 0, 'f', 0)
                 .arg(result.outOfReachLines);
  }
  if (result.shortRadiusArcs > 0) {
    notes << QStringLiteral("R이 현의 절반보다 짧은 원호 %1개는 반원으로 읽었습니다 (컨트롤러는 거부합니다).")
                 .arg(result.shortRadiusArcs);
  }
  if (result.droppedWords > 0) {
    notes << QStringLiteral("음수 F 값 %1개는 쓰지 않았습니다 (블록의 다른 값은 읽었습니다).")
                 .arg(result.droppedWords);
  }
  return notes.join(QLatin1Char(' '));
}

}  // namespace

CFendoView::CFendoView(CFendoApp& app, CMainFrame& frame, QWidget* parent)
    : QWidget(parent), app_(app), frame_(frame) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(64, 48);
  // Each view starts with the reader's options and the layer colours saved last; a missing
  // file leaves the defaults.
  ReadNcOptionsFile(NcOptionsPath(app_.settings()), db_->options);
  ReadLayerColoursFile(LayerColoursPath(app_.settings()), layerColours_);
  input_ = std::make_unique<ViewInput>(*db_, viewState_, options_, *this, windowInput_);
  input_->deleteSelection = [this] { DeleteSelectedCommand(*this); };
}

CFendoView::~CFendoView() = default;

bool CFendoView::LoadDocument(const QString& path) {
  if (!ReadProgram(path, LoadMode::Open)) return false;
  SetDocument(path);
  return true;
}

bool CFendoView::ReadProgram(const QString& path, LoadMode mode) {
  const std::filesystem::path file = QFile::encodeName(path).toStdString();
  LoadResult result;
  {
    // The window repaints while the program is read, but from the picture it had: the
    // toolpath is not drawn (drawing writes to the records) before it is whole.
    const QScopedValueRollback reading(reading_, true);
    StatusProgress progress(frame_.statusPanes());
    result = mode == LoadMode::Open ? LoadFile(*db_, file, &progress) : AppendFile(*db_, file, &progress);
  }
  if (result.status == LoadStatus::CannotOpen) {
    QMessageBox::information(this, Utf8(kErrorCaption), Utf8(kCannotOpenFileText));
    return false;
  }
  if (result.status == LoadStatus::NotProgram) {
    QMessageBox::information(this, Utf8(kErrorCaption), Utf8(result.reason));
    return false;
  }
  if (result.status == LoadStatus::OtherDialect) {
    QMessageBox::warning(this, Utf8(kErrorCaption), OtherDialectText(result.dialect, db_->options.heidenhainInputChk));
  } else if (!result.ok()) {
    QMessageBox::warning(this, Utf8(kErrorCaption), StoppedReadingText(result));
  }
  if (mode == LoadMode::Open && !RunAfterLoadSteps(*db_, file)) {
    MessageBoxPrompts prompts(this);
    TellNoRoom(prompts);
  }
  refitOnResize_ = true;
  FitAndRedraw();
  if (result.arcCentres.looksAbsolute) {
    QMessageBox::information(this, Utf8(kMessageCaption), AbsoluteCentresText(result.arcCentres.counts));
  }
  // What the reader made of words it could not take as they stand is told without stopping the
  // user: the records already say it the safe way.
  if (const QString notes = ReadingNotesText(result); !notes.isEmpty()) {
    frame_.statusPanes().SetText(StatusPane::Prompt, notes);
  }
  return true;
}

void CFendoView::SetDocument(const QString& path) {
  document_ = {path, QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())};
  emit documentTitleChanged(document_.title);
}

void CFendoView::SetDocumentTitle(const QString& title) {
  document_.title = title;
  emit documentTitleChanged(title);
}

void CFendoView::FitAndRedraw() {
  viewState_.clientWidth = width();
  viewState_.clientHeight = height();
  FitView(*db_, viewState_, options_);
  Redraw();
}

QImage CFendoView::Picture() {
  if (picture_.image().size() != size()) Redraw();
  return picture_.image();
}

// ---- ViewSurface

void CFendoView::Redraw() {
  if (reading_) return;
  QElapsedTimer clock;
  clock.start();
  viewState_.clientWidth = width();
  viewState_.clientHeight = height();
  picture_.Resize(width(), height());
  DrawPicture(picture_, size(), kScreenLayerText);
  highlight_.reset();
  toolRecord_.reset();
  readout_.clear();
  repaint();
  redrawMilliseconds_ = static_cast<int>(clock.elapsed());
}

void CFendoView::RedrawDragFrame() {
  picture_.Resize(width(), height());
  DrawDragFrame(picture_, *db_, viewState_, options_);
  repaint();
}

void CFendoView::ShowRubberBand(ClientPoint a, ClientPoint b) {
  rubberBand_.emplace(a, b);
  repaint();
}

void CFendoView::HideRubberBand() {
  rubberBand_.reset();
  repaint();
}

void CFendoView::ShowPolygon(std::span<const ClientPoint> vertices) {
  polygon_.assign(vertices.begin(), vertices.end());
  repaint();
}

void CFendoView::ShowHighlight(const Highlight& highlight) {
  highlight_ = highlight;
  repaint();
}

void CFendoView::ClearHighlight() {
  highlight_.reset();
  repaint();
}

void CFendoView::ShowTool(int record) {
  toolRecord_ = record;
  const ToolpathRecord* r = db_->RecordAt(record);
  readout_ = r ? Utf8(LiveReadoutText(PositionOf(*r), r->feed)) : QString();
  repaint();
}

void CFendoView::SetStatusText(ViewStatusPane pane, std::string_view text) {
  frame_.statusPanes().SetText(static_cast<StatusPane>(pane), Utf8(text));
}

// ---- Painting

void CFendoView::DrawPicture(Canvas& canvas, QSize size, const LayerTextLayout& layerText) {
  ViewState view = viewState_;
  if (size != this->size() && width() > 0 && height() > 0) {
    view.scale *= std::min(double(size.width()) / width(), double(size.height()) / height());
  }
  view.clientWidth = size.width();
  view.clientHeight = size.height();
  DrawView(canvas, *db_, view, options_, {layerColours_, masterModel_.get(), layerText});
}

void CFendoView::paintEvent(QPaintEvent*) {
  if (picture_.image().size() != size() && !reading_) {
    Redraw();
    return;
  }
  QPainter painter(this);
  if (picture_.image().size() != size()) painter.fillRect(rect(), palette().window());
  painter.drawImage(0, 0, picture_.image());
  DrawMarks(painter);
}

// The marks of the moment over the picture: the highlighted records, the tool, the polygon
// and the rubber band, in the colour that stands out on the background.
void CFendoView::DrawMarks(QPainter& painter) {
  QtPainterCanvas canvas(painter, rect());
  if (highlight_) DrawHighlight(canvas, *db_, viewState_, *highlight_, options_.backgroundInverted);
  if (toolRecord_) DrawTool(canvas, *db_, viewState_, options_.tool, *toolRecord_, options_.backgroundInverted);
  const QColor ink = options_.backgroundInverted ? Qt::black : Qt::white;
  if (!readout_.isEmpty()) {
    const Rgb colour = BackgroundColour(!options_.backgroundInverted);
    const int left = options_.feedLegendShown ? kReadoutBesideLegend : kReadoutLeft;
    canvas.Text({left, height() - kReadoutAboveBottom}, ToUtf8(readout_), colour);
  }
  if (polygon_.size() > 1) {
    painter.setPen(QPen(ink, 0));
    QPolygonF line;
    for (const ClientPoint& p : polygon_) line << QPointF(p.x, p.y);
    painter.drawPolyline(line);
  }
  if (rubberBand_) {
    painter.setPen(QPen(ink, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    const auto& [a, b] = *rubberBand_;
    painter.drawRect(QRectF(QPointF(a.x, a.y), QPointF(b.x, b.y)).normalized());
  }
}

void CFendoView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  viewState_.clientWidth = width();
  viewState_.clientHeight = height();
  if (refitOnResize_ && !reading_) FitView(*db_, viewState_, options_);
  Redraw();
}

// ---- Mouse and keys

bool CFendoView::event(QEvent* event) {
  // The menu's accelerators (F1 … F10 among them) would take the keys from an interactive
  // command, which must see them to pass them on to the view.
  if (event->type() == QEvent::ShortcutOverride && InteractiveCommandRunning()) {
    event->accept();
    return true;
  }
  if (event->type() == QEvent::FocusOut) windowInput_.ReleaseAll();
  return QWidget::event(event);
}

void CFendoView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  windowInput_.MoveCursor({event->position().x(), event->position().y()});
  windowInput_.Press(KeyOf(event->button()));
  if (InteractiveCommandRunning()) return;
  refitOnResize_ = false;
  if (event->button() == Qt::LeftButton) input_->LeftButtonDown(MouseEventOf(*event));
  if (event->button() == Qt::RightButton) input_->RightButtonDown(MouseEventOf(*event));
}

void CFendoView::mouseMoveEvent(QMouseEvent* event) {
  windowInput_.MoveCursor({event->position().x(), event->position().y()});
  if (!InteractiveCommandRunning()) input_->MouseMove(MouseEventOf(*event));
}

void CFendoView::mouseReleaseEvent(QMouseEvent* event) {
  windowInput_.MoveCursor({event->position().x(), event->position().y()});
  windowInput_.Release(KeyOf(event->button()));
  if (InteractiveCommandRunning()) return;
  if (event->button() == Qt::LeftButton) input_->LeftButtonUp(MouseEventOf(*event));
  if (event->button() == Qt::RightButton) input_->RightButtonUp(MouseEventOf(*event));
  frame_.UpdateCommandStates();
}

void CFendoView::mouseDoubleClickEvent(QMouseEvent* event) {
  windowInput_.Press(KeyOf(event->button()));
  if (InteractiveCommandRunning() || event->button() != Qt::LeftButton) return;
  input_->LeftDoubleClick(MouseEventOf(*event));
}

void CFendoView::wheelEvent(QWheelEvent* event) {
  if (InteractiveCommandRunning()) return;
  refitOnResize_ = false;
  input_->Wheel(event->angleDelta().y());
  event->accept();
}

void CFendoView::keyPressEvent(QKeyEvent* event) {
  const Key key = KeyOf(event->key());
  windowInput_.Press(key);
  if (InteractiveCommandRunning()) return;
  if (key != Key::None && input_->KeyDown(key)) {
    refitOnResize_ = false;
    frame_.UpdateCommandStates();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CFendoView::keyReleaseEvent(QKeyEvent* event) {
  windowInput_.Release(KeyOf(event->key()));
  QWidget::keyReleaseEvent(event);
}

bool CFendoView::RotateMode() const { return input_->mouseMode() == MouseMode::Rotate; }
bool CFendoView::PanMode() const { return input_->mouseMode() == MouseMode::Pan; }
bool CFendoView::SelectMode() const { return input_->mouseMode() == MouseMode::Select; }

}  // namespace fendo
