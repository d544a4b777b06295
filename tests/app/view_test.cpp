#include <QMdiSubWindow>

#include "app/fendo_view.h"
#include "app_fixture.h"
#include "core/toolpath_database.h"
#include "interact/path_loop.h"
#include "interact/scripted_input.h"
#include "view/view_input.h"

namespace fendo {
namespace {

int SelectedRecords(ToolpathDatabase& db) {
  int selected = 0;
  db.ForEachRecord([&selected](int, const ToolpathRecord& r) { selected += r.selected != 0; });
  return selected;
}

// A drag from `from` to `to` in steps, with the modifiers held all along.
void Drag(QWidget* view, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {},
          Qt::MouseButton button = Qt::LeftButton) {
  QTest::mousePress(view, button, modifiers, from);
  constexpr int kSteps = 4;
  for (int k = 1; k <= kSteps; ++k) {
    const QPointF at = from + (to - from) * k / kSteps;
    QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, button, modifiers);
    QApplication::sendEvent(view, &move);
  }
  QTest::mouseRelease(view, button, modifiers, to);
}

}  // namespace

class ViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void leftDragRotatesInRotateMode();
  void shiftDragPans();
  void rightClickFits();
  void rightDragZoomsToTheWindow();
  void windowSelectionToggles();
  void wheelZooms();
  void pathPickAndEnterThroughScriptedInput();
  void aTapBetweenTwoPollsCountsOnce();
  void escapeInTheToolSimulationStopsIt();
  void undoAndRedoOfLoads();
  void pictureShowsTheToolpathInFeedColours();

 private:
  CFendoView& view() { return *view_; }
  QPoint Centre() { return view_->rect().center(); }

  std::unique_ptr<AppFixture> fixture_;
  CFendoView* view_ = nullptr;
};

void ViewTest::init() {
  fixture_ = std::make_unique<AppFixture>();
  view_ = fixture_->frame().OpenDocument(ExampleFile("bracket.nc"));
  QVERIFY(view_);
  fixture_->frame().resize(1000, 800);
  QTest::qWait(0);
}

void ViewTest::cleanup() {
  view_ = nullptr;
  fixture_.reset();
}

void ViewTest::leftDragRotatesInRotateMode() {
  const ViewState before = view().viewState();
  Drag(&view(), Centre(), Centre() + QPoint(40, 30));
  QVERIFY(view().viewState().angleC != before.angleC);
  QVERIFY(view().viewState().angleA != before.angleA);
  QCOMPARE(view().viewState().scale, before.scale);

  // A jitter of a few pixels turns nothing.
  const ViewState turned = view().viewState();
  Drag(&view(), Centre(), Centre() + QPoint(4, 3));
  QCOMPARE(view().viewState().angleA, turned.angleA);
  QCOMPARE(view().viewState().angleC, turned.angleC);
}

void ViewTest::shiftDragPans() {
  const ViewState before = view().viewState();
  Drag(&view(), Centre(), Centre() + QPoint(80, 0), Qt::ShiftModifier);
  QVERIFY(view().viewState().panX != before.panX);
  QCOMPARE(view().viewState().angleC, before.angleC);

  fixture_->frame().RunCommand(CommandId::PanMode);  // no Shift needed
  const int panY = view().viewState().panY;
  Drag(&view(), Centre(), Centre() + QPoint(0, 80));
  QVERIFY(view().viewState().panY != panY);
}

void ViewTest::rightClickFits() {
  const ViewState fitted = view().viewState();
  fixture_->frame().RunCommand(CommandId::ZoomIn);
  QCOMPARE(view().viewState().scale, fitted.scale * 2);
  QTest::mouseClick(&view(), Qt::RightButton, {}, Centre());
  QCOMPARE(view().viewState().scale, fitted.scale);
  QCOMPARE(view().viewState().panX, fitted.panX);
}

void ViewTest::rightDragZoomsToTheWindow() {
  const double scale = view().viewState().scale;
  Drag(&view(), Centre() - QPoint(50, 40), Centre() + QPoint(50, 40), {}, Qt::RightButton);
  QVERIFY(view().viewState().scale > scale * 2);
}

void ViewTest::windowSelectionToggles() {
  fixture_->frame().RunCommand(CommandId::SelectMode);
  const QRect all = view().rect().adjusted(2, 2, -2, -2);
  Drag(&view(), all.topLeft(), all.bottomRight());
  const int selected = SelectedRecords(view().database());
  QVERIFY(selected > 50);
  QCOMPARE(view().database().RecordAt(0)->selected, 0);
  Drag(&view(), all.topLeft(), all.bottomRight());
  QCOMPARE(SelectedRecords(view().database()), 0);

  // Outside select mode Ctrl selects for one drag; "선택 반전" turns it round.
  fixture_->frame().RunCommand(CommandId::SelectMode);
  Drag(&view(), all.topLeft(), all.bottomRight(), Qt::ControlModifier);
  QCOMPARE(SelectedRecords(view().database()), selected);
  fixture_->frame().RunCommand(CommandId::ClearSelection);
  QCOMPARE(SelectedRecords(view().database()), 0);
}

void ViewTest::wheelZooms() {
  fixture_->frame().RunCommand(CommandId::PanMode);  // the wheel zooms
  const double scale = view().viewState().scale;
  QWheelEvent notch(QPointF(Centre()), view().mapToGlobal(QPointF(Centre())), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&view(), &notch);
  QCOMPARE(view().viewState().scale, scale * 1.1);
}

void ViewTest::pathPickAndEnterThroughScriptedInput() {
  fixture_->frame().RunCommand(CommandId::ViewTop);
  ToolpathDatabase& db = view().database();
  int cut = 1;
  while (!IsLinearFeedKind(db.RecordAt(cut)->kind) || !IsLinearFeedKind(db.RecordAt(cut + 1)->kind)) ++cut;
  const Projection projection(view().viewState());
  const ToolpathRecord a = *db.RecordAt(cut);
  const ToolpathRecord b = *db.RecordAt(cut + 1);
  const ClientPoint onPath = projection.ToClient({(a.x + b.x) / 2.0, (a.y + b.y) / 2.0, (a.z + b.z) / 2.0});

  test::ScriptedInput script;
  script.ClickAt(onPath).Hold({Key::Enter});
  std::optional<PathSpan> ran;
  const bool done = RunPathLoop(view().input(), script, [&ran](const PathSpan& path) { ran = path; });
  QVERIFY(done);
  QVERIFY(!script.ranOut);
  QVERIFY(ran);
  QVERIFY(ran->first <= cut + 1 && cut + 1 < ran->end);
  QCOMPARE(fixture_->frame().statusPanes().Text(StatusPane::Prompt), QStringLiteral("도움말:  "));
}

// The window's own input source, as the interactive commands poll it.
void ViewTest::aTapBetweenTwoPollsCountsOnce() {
  InputSource& input = view().inputSource();
  input.Sleep(0);
  QTest::keyClick(&view(), Qt::Key_Escape);
  QVERIFY(input.IsDown(Key::Esc));
  input.Sleep(0);
  QVERIFY(!input.IsDown(Key::Esc));

  QTest::mousePress(&view(), Qt::LeftButton, {}, Centre());
  input.Sleep(0);
  QVERIFY(input.IsDown(Key::LeftButton));
  QCOMPARE(input.CursorPosition().x, double(Centre().x()));
  QTest::mouseRelease(&view(), Qt::LeftButton, {}, Centre());
  input.Sleep(0);
  QVERIFY(!input.IsDown(Key::LeftButton));
}

void ViewTest::escapeInTheToolSimulationStopsIt() {
  test::ScriptedInput script;
  script.Hold({Key::Esc});
  view().SetInputSource(&script);
  fixture_->frame().RunCommand(CommandId::ToolSimulation);
  view().SetInputSource(nullptr);
  QVERIFY(!view().InteractiveCommandRunning());
  QCOMPARE(fixture_->frame().statusPanes().Text(StatusPane::Prompt), QStringLiteral("도움말:  "));
}

void ViewTest::undoAndRedoOfLoads() {
  const int bracket = view().database().recordCount;
  view().database().options.heidenhainInputChk = true;
  QVERIFY(view().LoadDocument(ExampleFile("flange.h")));
  const int flange = view().database().recordCount;
  QVERIFY(flange != bracket);
  fixture_->frame().RunCommand(CommandId::Undo);
  QCOMPARE(view().database().recordCount, bracket);
  fixture_->frame().RunCommand(CommandId::Redo);
  QCOMPARE(view().database().recordCount, flange);
  // Past the newest state Redo does nothing.
  fixture_->frame().RunCommand(CommandId::Redo);
  QCOMPARE(view().database().recordCount, flange);
}

void ViewTest::pictureShowsTheToolpathInFeedColours() {
  const QImage picture = view().Picture();
  QCOMPARE(picture.size(), view().size());
  int white = 0;
  int black = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      white += pixel == qRgb(255, 255, 255);
      black += pixel == qRgb(0, 0, 0);
    }
  }
  QVERIFY(black > picture.width() * picture.height() / 2);  // the background
  QVERIFY(white > 200);                                       // cuts at the work feed
}

}  // namespace fendo

QTEST_MAIN(fendo::ViewTest)
#include "view_test.moc"
