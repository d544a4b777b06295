#include <QAbstractButton>
#include <QButtonGroup>
#include <QKeySequence>
#include <QLabel>
#include <QRadioButton>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/number_field.h"
#include "app/dialogs/point_edit_dialog.h"
#include "app/fendo_view.h"
#include "app/qt_text.h"
#include "app_fixture.h"
#include "cli/batch_run.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "dialog_controls.h"
#include "edit/contour_close.h"
#include "edit/corner_region.h"
#include "edit/point_edit.h"
#include "edit/rapid_window.h"
#include "interact/scripted_input.h"
#include "output/nc_output_options.h"
#include "output/nc_writer.h"
#include "record_twin.h"
#include "support/file_bytes.h"
#include "view_command_fixture.h"
#include "view/picking.h"

namespace fendo {
namespace {

using test::Difference;
using test::Twin;

// Three one-way passes along X, a ring of 16 points round a square at depth −3, and two passes
// over a pocket 20 mm wide and 10 deep with a point every millimetre.
std::string TestProgram() {
  std::string nc = "%\nO1500\nG90 G17 G21\nG00 X0 Y0 Z50.\n";
  char line[64];
  const auto add = [&nc, &line](const char* format, int a, int b = 0) {
    std::snprintf(line, sizeof line, format, a, b);
    nc += line;
  };
  for (int k = 0; k < 3; ++k) add("G00 X0 Y%d.\nZ2.\nG01 Z0 F1000\nX20.\nX40.\nX60.\nX80.\nG00 Z50.\n", 10 * k);
  nc += "G00 X100. Y0\nZ-1.\nG01 Z-3. F800\n";
  for (int k = 1; k <= 16; ++k) {
    const int t = 5 * k;  // along the outline of a 20 mm square
    const int x = t < 20 ? t : t < 40 ? 20 : t < 60 ? 60 - t : 0;
    const int y = t < 20 ? 0 : t < 40 ? t - 20 : t < 60 ? 20 : 80 - t;
    add("X%d. Y%d.\n", 100 + x, y);
  }
  nc += "X101.\nG00 Z50.\n";
  for (int y : {40, 50}) {
    add("G00 X0 Y%d.\nZ2.\nG01 Z0 F900\n", y);
    for (int x = 1; x <= 10; ++x) add("X%d.\n", x);
    for (int z = -1; z >= -10; --z) add("Z%d.\n", z);
    for (int x = 11; x <= 30; ++x) add("X%d.\n", x);
    for (int z = -9; z <= 0; ++z) add("Z%d.\n", z);
    for (int x = 31; x <= 40; ++x) add("X%d.\n", x);
    nc += "G00 Z50.\n";
  }
  return nc + "M30\n%\n";
}

// A clock a test moves by hand.
class TestClock : public TickSource {
 public:
  std::int64_t TickCount() override { return now; }
  std::int64_t now = 5000;
};

void TypePoint(QWidget& d, const char* x, const char* y, const char* z, const char* feed) {
  Type(d, "x", QString::fromLatin1(x));
  Type(d, "y", QString::fromLatin1(y));
  Type(d, "z", QString::fromLatin1(z));
  Type(d, "feed", QString::fromLatin1(feed));
}

}  // namespace

class PointEditCommandsTest : public QObject, public ViewCommandFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void commandsAreInTheMenusAndShiftCChangesAPoint();
  void thePointDialogClosesOnlyASecondAfterItOpened();
  void pointChangeEditsThePointSteppedTo();
  void startAndEndPointsKeepTheirFeedAndEachCommandItsMode();
  void rapidChangeByWindowAndContourClose();
  void cornerCommandsGiveWhatFendoBatchCornersWrites();
  void theCornerDialogOpensOnItsDefaultsAndHoldsItsRanges();
};

void PointEditCommandsTest::init() {
  QVERIFY(OpenProgram("points.nc", TestProgram()));
  QVERIFY(db().recordCount > 100);
}

void PointEditCommandsTest::cleanup() { CloseProgram(); }

void PointEditCommandsTest::commandsAreInTheMenusAndShiftCChangesAPoint() {
  for (CommandId id : {CommandId::ChangePoint, CommandId::MoveStartPoint, CommandId::MoveEndPoint,
                       CommandId::RapidsInsideWindow, CommandId::CloseContourPaths, CommandId::SelectCorners,
                       CommandId::TrimToCorners}) {
    QAction* action = frame().Action(id);
    QVERIFY(action);
    QVERIFY2(action->isEnabled(), qPrintable(action->text()));
  }
  QCOMPARE(frame().Action(CommandId::ChangePoint)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_C));

  // Shift+C in the view starts the point loop; ESC ends it without change.
  auto before = Twin(db());
  frame().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&frame()));
  view().setFocus();
  test::ScriptedInput keyed;
  keyed.Idle().ClickAt(OnScreen(30, 10)).Hold({Key::Esc});
  view().SetInputSource(&keyed);
  QTest::keyClick(&view(), Qt::Key_C, Qt::ShiftModifier);
  view().SetInputSource(nullptr);
  QVERIFY(!keyed.ranOut);
  QCOMPARE(keyed.sleeps.front(), 500);
  QVERIFY(Difference(db(), *before).isEmpty());
  QCOMPARE(db().undoPos(), 0);
}

void PointEditCommandsTest::thePointDialogClosesOnlyASecondAfterItOpened() {
  TestClock clock;
  CPointEditDlg dialog({.x = 1, .y = 2, .z = 3, .feed = 400, .mode = PointEditMode::Insert}, clock);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("포인트 편집 조건을 입력하시요 !!"));
  QStringList labels;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
  QCOMPARE(labels, (QStringList{"X 촤표", "Y 촤표", "Z 촤표", "이송속도"}));
  QVERIFY(Ticked(dialog, "insert"));
  QVERIFY(Ticked(dialog, "cutting"));
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));

  // The ENTER of the pick, at once and just under a second later: the dialog stays.
  QTest::keyClick(&dialog, Qt::Key_Return);
  QVERIFY(dialog.isVisible());
  clock.now += CPointEditDlg::kGuardMs;
  Press(dialog, QStringLiteral("OK"));
  QVERIFY(dialog.isVisible());
  // A second later ENTER takes the values.
  clock.now += 1;
  Type(dialog, "x", QStringLiteral("7.5"));
  Tick(dialog, "rapid");
  QTest::keyClick(&dialog, Qt::Key_Return);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(dialog.values().x, 7.5);
  QCOMPARE(dialog.values().motion, PointMotion::Rapid);
  QCOMPARE(dialog.values().mode, PointEditMode::Insert);

  // A feed beyond 100000 is refused on its field.
  TestClock late;
  late.now = 0;
  CPointEditDlg refusing({}, late);
  late.now = 2000;
  Type(refusing, "feed", QStringLiteral("100001"));
  const std::shared_ptr<ShownMessage> shown = CatchNextMessage();
  refusing.show();
  Press(refusing, QStringLiteral("OK"));
  QVERIFY(refusing.isVisible());
  QCOMPARE(shown->text, QStringLiteral("이송속도: 0 ~ 100000 사이의 값을 입력하시요."));
}

void PointEditCommandsTest::pointChangeEditsThePointSteppedTo() {
  auto before = Twin(db());
  const ViewState shown = view().viewState();
  const ClientPoint onPass = OnScreen(30, 10);
  struct Case {
    const char* what;
    std::function<void(QWidget&)> fill;
    PointEditValues values;  // coordinates and feed as typed
  };
  const Case cases[] = {
      {"move as a rapid move", [](QWidget& d) { TypePoint(d, "35", "12", "4", "1200"); Tick(d, "rapid"); },
       {.x = 35, .y = 12, .z = 4, .feed = 1200, .mode = PointEditMode::Move, .motion = PointMotion::Rapid}},
      {"insert a cut", [](QWidget& d) { TypePoint(d, "30", "11", "-1", "700"); Tick(d, "insert"); },
       {.x = 30, .y = 11, .z = -1, .feed = 700, .mode = PointEditMode::Insert, .motion = PointMotion::Cutting}},
  };
  for (const Case& c : cases) {
    // Pick, one step forward with SPACE, ENTER; ENTER in the dialog at once, then a second later.
    test::ScriptedInput script;
    script.Idle().ClickAt(onPass).Hold({Key::Space}).Idle().Hold({Key::Enter});
    bool closedAtOnce = true;
    AnswerNextDialog([&](QWidget& d) {
      c.fill(d);
      QTest::keyClick(&d, Qt::Key_Return);
      closedAtOnce = !d.isVisible();
      script.ticks += CPointEditDlg::kGuardMs + 1;
      QTest::keyClick(&d, Qt::Key_Return);
    });
    RunScripted(CommandId::ChangePoint, script);
    QVERIFY2(!script.ranOut, c.what);
    QVERIFY2(!closedAtOnce, c.what);
    auto twin = Twin(*before);
    const int picked = PickRecord(*twin, shown, view().options().rapidShown, onPass);
    const int stepped = *twin->HasNextMotion(picked);
    QCOMPARE(EditPoint(*twin, stepped, c.values), EditOutcome::Changed);
    QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(c.what, Difference(db(), *twin))));
    ExpectUndoGivesBack(*before, c.what);
  }
  // Cancel changes nothing.
  test::ScriptedInput script;
  script.Idle().ClickAt(onPass).Hold({Key::Enter});
  AnswerNextDialog([](QWidget& d) { Press(d, QStringLiteral("Cancel")); });
  RunScripted(CommandId::ChangePoint, script);
  QVERIFY(Difference(db(), *before).isEmpty());
}

void PointEditCommandsTest::startAndEndPointsKeepTheirFeedAndEachCommandItsMode() {
  auto before = Twin(db());
  // The start point, inserted: the new first record takes the feed of the one it goes before.
  QString filledZ;
  RunWithDialog(CommandId::MoveStartPoint, [&](QWidget& d) {
    filledZ = TextOf(d, "z");
    TypePoint(d, "-10", "-10", "60", "4321");
    Tick(d, "insert");
    Tick(d, "rapid");
    Press(d, QStringLiteral("OK"));  // the desktop's clock: the dialog stays open for a second
    QTest::qWait(CPointEditDlg::kGuardMs + 50);
    Press(d, QStringLiteral("OK"));
  });
  QCOMPARE(filledZ, QStringLiteral("50"));
  auto twin = Twin(*before);
  const PointEditValues start{.x = -10, .y = -10, .z = 60, .feed = 4321, .mode = PointEditMode::Insert,
                              .motion = PointMotion::Rapid};
  QCOMPARE(EditPoint(*twin, *FirstMotionRecord(*twin), start, FeedField::Ignored), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
  QCOMPARE(db().RecordAt(0)->feed, db().RecordAt(1)->feed);

  // The end point command keeps its own mode: it opens on "이동".
  test::ScriptedInput clock;
  clock.ticks = 0;
  view().SetInputSource(&clock);
  QStringList modes;
  RunWithDialog(CommandId::MoveEndPoint, [&](QWidget& d) {
    modes << (Ticked(d, "move") ? "move" : "insert");
    TypePoint(d, "90", "60", "55", "1");
    clock.ticks = 2000;
    Press(d, QStringLiteral("OK"));
  });
  RunWithDialog(CommandId::MoveStartPoint, [&](QWidget& d) {
    modes << (Ticked(d, "move") ? "move" : "insert");
    Press(d, QStringLiteral("Cancel"));
  });
  view().SetInputSource(nullptr);
  QCOMPARE(modes, (QStringList{"move", "insert"}));
  const int last = *LastMotionRecord(*twin);
  const int lastFeed = twin->RecordAt(last)->feed;
  const PointEditValues end{.x = 90, .y = 60, .z = 55, .feed = 1, .motion = PointMotion::Rapid};  // filled from the retract
  QCOMPARE(EditPoint(*twin, last, end, FeedField::Ignored), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
  QCOMPARE(db().RecordAt(*LastMotionRecord(db()))->feed, lastFeed);
  frame().RunCommand(CommandId::Undo);
  ExpectUndoGivesBack(*before, "start and end points");
}

void PointEditCommandsTest::rapidChangeByWindowAndContourClose() {
  auto before = Twin(db());
  const ViewState shown = view().viewState();
  // A window over the middle of the second pass.
  const ClientPoint a = OnScreen(30, 8), b = OnScreen(50, 12);
  test::ScriptedInput drag;
  drag.MoveTo(a).Hold({Key::LeftButton}).MoveTo(b).Hold({Key::LeftButton}).Idle();
  RunScripted(CommandId::RapidsInsideWindow, drag);
  QVERIFY(!drag.ranOut);
  auto twin = Twin(*before);
  QCOMPARE(RapidsInWindow(*twin, a, b, shown), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
  ExpectUndoGivesBack(*before, "rapid change by window");

  // Contour close offers the ring's gap under "최소 간격 ".
  QStringList asked;
  RunWithDialog(CommandId::CloseContourPaths, [&](QWidget& d) {
    asked << d.windowTitle() << d.findChild<QLabel*>()->text() << d.findChild<QLineEdit*>()->text();
    Press(d, QStringLiteral("OK"));
  });
  auto ringTwin = Twin(*before);
  const double gap = LargestRingGap(*ringTwin);
  QVERIFY(gap > 0);
  QCOMPARE(asked, (QStringList{"변수를 입력하시요!!", "최소 간격 ", NumberText(gap)}));
  QCOMPARE(CloseContours(*ringTwin, gap), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *ringTwin).isEmpty(), qPrintable(Difference(db(), *ringTwin)));
  ExpectUndoGivesBack(*before, "contour close");
}

void PointEditCommandsTest::cornerCommandsGiveWhatFendoBatchCornersWrites() {
  auto before = Twin(db());
  // The selection: the engine's, the toolpath otherwise as it was.
  RunWithDialog(CommandId::SelectCorners, [](QWidget& d) {
    Type(d, "angle", "30");
    Type(d, "distance", "5");
    Press(d, QStringLiteral("OK"));
  });
  auto twin = Twin(*before);
  QCOMPARE(SelectCorners(*twin, {.angle = 30, .distance = 5}), EditOutcome::Changed);
  int selected = 0;
  for (int i = 0; i < twin->recordCount; ++i) {
    QCOMPARE(db().RecordAt(i)->selected, twin->RecordAt(i)->selected);
    selected += twin->RecordAt(i)->selected;
  }
  QVERIFY(selected > 10);
  QVERIFY(Difference(db(), *before).isEmpty());
  frame().RunCommand(CommandId::ClearSelection);

  // The trim, with subdivision: the dialog keeps the values of the selection.
  QStringList kept;
  RunWithDialog(CommandId::TrimToCorners, [&kept](QWidget& d) {
    kept << TextOf(d, "angle") << TextOf(d, "distance") << TextOf(d, "interval");
    Tick(d, "subdivide");
    Type(d, "interval", "0.5");
    Press(d, QStringLiteral("OK"));
  });
  QCOMPARE(kept, (QStringList{"30", "5", "5"}));
  NcOutputOptions options;
  PresetFromWorkLayer(db(), options);
  options.outputPath = ToUtf8(fixture_->HomeFile("desktop.nc"));
  options.diagonalRapidCheck = false;
  options.openEditor = false;
  test::ScriptedPrompts prompts;
  QVERIFY(WriteNcProgram(db(), options, prompts).ok());
  const std::string batchOut = ToUtf8(fixture_->HomeFile("batch.nc"));
  const test::BatchRun batch = test::Batch({"corners", ToUtf8(fixture_->HomeFile("points.nc")), "-o", batchOut,
                                            "--no-diagonal-check", "--angle", "30", "--distance", "5",
                                            "--subdivide", "0.5"});
  QVERIFY2(batch.status == 0, batch.err.c_str());
  QVERIFY(test::ReadFile(options.outputPath) == test::ReadFile(batchOut));
  ExpectUndoGivesBack(*before, "corner trim");
}

void PointEditCommandsTest::theCornerDialogOpensOnItsDefaultsAndHoldsItsRanges() {
  QStringList shown;
  RunWithDialog(CommandId::TrimToCorners, [&shown](QWidget& d) {
    shown << d.windowTitle() << TextOf(d, "angle") << TextOf(d, "distance") << TextOf(d, "interval");
    for (const QLabel* label : d.findChildren<QLabel*>()) shown << label->text();
    shown << (Ticked(d, "subdivide") ? "subdivide" : "whole");
    if (const auto* box = d.findChild<QAbstractButton*>(QStringLiteral("subdivide"))) shown << box->text();
    Press(d, QStringLiteral("Cancel"));
  });
  QCOMPARE(shown, (QStringList{"코너 분리", "30", "10", "5", "코너검색 각도", "코너 거리", "whole", "공구경로 세분화"}));

  struct Case {
    const char* field;
    const char* typed;
    const char* message;
  };
  const Case cases[] = {
      {"angle", "0", "코너검색 각도: 0.01 ~ 90 사이의 값을 입력하시요."},
      {"distance", "1000.5", "코너 거리: 0.01 ~ 1000 사이의 값을 입력하시요."},
      {"interval", "0.01", "공구경로 세분화: 0.1 ~ 1000 사이의 값을 입력하시요."},
  };
  auto before = Twin(db());
  for (const Case& c : cases) {
    QString message;
    bool stayedOpen = false;
    RunWithDialog(CommandId::SelectCorners, [&](QWidget& d) {
      Type(d, c.field, QString::fromLatin1(c.typed));
      const std::shared_ptr<ShownMessage> caught = CatchNextMessage();
      Press(d, QStringLiteral("OK"));
      message = caught->text;
      stayedOpen = d.isVisible();
      Press(d, QStringLiteral("Cancel"));
    });
    QVERIFY2(stayedOpen, c.field);
    QCOMPARE(message, QString::fromUtf8(c.message));
  }
  QVERIFY(Difference(db(), *before).isEmpty());
}

}  // namespace fendo

QTEST_MAIN(fendo::PointEditCommandsTest)
#include "point_edit_commands_test.moc"
