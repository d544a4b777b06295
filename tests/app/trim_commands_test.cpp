#include <QFileDialog>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/number_field.h"
#include "app/fendo_view.h"
#include "app/qt_text.h"
#include "app_fixture.h"
#include "cli/batch_run.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "dialog_controls.h"
#include "edit/point_file.h"
#include "edit/region_boundary.h"
#include "edit/trim.h"
#include "interact/scripted_input.h"
#include "output/nc_output_options.h"
#include "output/nc_writer.h"
#include "record_twin.h"
#include "support/file_bytes.h"
#include "view_command_fixture.h"

namespace fendo {
namespace {

using test::Difference;
using test::Twin;

// Five passes along X that dip below Z −10 and rise above Z 10 on the way, then a path with a
// G02 half circle: something for every trim, the arc rule included.
std::string TestProgram() {
  std::string nc = "%\nO1500\nG90 G17 G21\nG00 X0 Y0 Z50.\n";
  for (int k = 0; k < 5; ++k) {
    nc += "G00 X0 Y" + std::to_string(10 * k) + ".\nZ2.\nG01 Z0 F1000\nX20.\nX40. Z-15.\nX60. Z12.\nX80. Z0\nG00 Z50.\n";
  }
  nc += "G00 X100. Y0\nZ2.\nG01 Z0 F800\nG02 X120. Y0 I10. J0\nG01 X130.\nG00 Z50.\nM30\n%\n";
  return nc;
}

// Types the values of a number dialog into its fields, by their labels.
void Fill(QWidget& dialog, const std::vector<std::pair<QString, QString>>& values) {
  for (const auto& [label, text] : values) {
    bool found = false;
    for (NumberField* field : dialog.findChildren<NumberField*>()) {
      if (field->Label() == label) {
        field->setText(text);
        found = true;
      }
    }
    QVERIFY2(found, qPrintable(label));
  }
}

// The labels of a number dialog's fields, in their order.
QStringList FieldLabels(QWidget& dialog) {
  QStringList labels;
  for (const NumberField* field : dialog.findChildren<NumberField*>()) labels << field->Label();
  return labels;
}

void Drag(test::ScriptedInput& script, ClientPoint a, ClientPoint b) {
  script.MoveTo(a).Hold({Key::LeftButton}).MoveTo(b).Hold({Key::LeftButton}).Idle();
}

}  // namespace

class TrimCommandsTest : public QObject, public ViewCommandFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void everyTrimIsInTheMenuAndCtrlWAndCtrlXStartTheWindowTrim();
  void dialogTrimsWriteWhatTheBatchTrimWrites();
  void fileTrimsWriteWhatTheBatchTrimWrites();
  void eachDialogOpensOnTheValuesItsCommandWasGivenLast();
  void windowTrimsCutTheModelRectangleInTheTopViewAndTheScreenWindowWhenTurned();
  void aCornerOutsideTheViewAsksWhetherToStop();
  void drawnPolygonsAreTrimmedOnTheScreen();
  void valuesThatCannotTrimChangeNothing();

 private:
  void ExpectSame(ToolpathDatabase& expected, const char* what) {
    QVERIFY2(Difference(db(), expected).isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(what, Difference(db(), expected))));
  }
  // What fendo-batch trim writes from the same program with `trim`'s options.
  std::string BatchTrimmed(const std::vector<std::string>& trim) {
    std::vector<std::string> args = {"trim", Home("trim.nc"), "-o", Home("batch.nc"), "--no-diagonal-check"};
    args.insert(args.end(), trim.begin(), trim.end());
    const test::BatchRun batch = test::Batch(args);
    if (batch.status != 0) return "<batch failed: " + batch.err + ">";
    return test::ReadFile(Home("batch.nc"));
  }
};

void TrimCommandsTest::init() {
  QVERIFY(OpenProgram("trim.nc", TestProgram()));
  QVERIFY(db().recordCount > 40);
}

void TrimCommandsTest::cleanup() { CloseProgram(); }

void TrimCommandsTest::everyTrimIsInTheMenuAndCtrlWAndCtrlXStartTheWindowTrim() {
  const CommandId trims[] = {CommandId::TrimInsideWindow,       CommandId::TrimOutsideWindow,
                             CommandId::TrimInsideRectangle,    CommandId::TrimOutsideRectangle,
                             CommandId::TrimOutsideZRange,      CommandId::TrimInsideCircle,
                             CommandId::TrimOutsideCircle,      CommandId::TrimInsidePolygon,
                             CommandId::TrimOutsidePolygon,     CommandId::TrimInsideFilePolygons,
                             CommandId::TrimOutsideFilePolygons};
  for (CommandId id : trims) {
    QAction* action = frame().Action(id);
    QVERIFY(action);
    QVERIFY2(action->isEnabled(), qPrintable(action->text()));
  }
  const QList<QKeySequence> keys = frame().Action(CommandId::TrimInsideWindow)->shortcuts();
  QVERIFY(keys.contains(QKeySequence(Qt::CTRL | Qt::Key_W)));
  QVERIFY(keys.contains(QKeySequence(Qt::CTRL | Qt::Key_X)));

  // The keys start the same command as the menu item: a window, then ESC.
  auto before = Twin(db());
  const ClientPoint a = OnScreen(15, 5), b = OnScreen(45, 25);
  frame().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&frame()));
  view().setFocus();
  for (Qt::Key key : {Qt::Key_W, Qt::Key_X}) {
    test::ScriptedInput script;
    Drag(script, a, b);
    script.Hold({Key::Esc});
    view().SetInputSource(&script);
    QTest::keyClick(&view(), key, Qt::ControlModifier);
    view().SetInputSource(nullptr);
    QVERIFY(!script.ranOut);
    auto expected = Twin(*before);
    const Point3 p = *ScreenToModel(view().viewState(), a), q = *ScreenToModel(view().viewState(), b);
    QCOMPARE(TrimRegion(*expected, *RectangleBoundary(p.x, p.y, q.x, q.y), TrimSide::Inside), EditOutcome::Changed);
    ExpectSame(*expected, "Ctrl key window trim");
    ExpectUndoGivesBack(*before, "Ctrl key window trim");
    QTest::qWait(1100);  // past the pause that keeps the view's keys from repeating a command
  }
}

// Each trim with a dialog, then "Ncdata로 저장": byte for byte what fendo-batch trim writes
// from the same file with the same values.
void TrimCommandsTest::dialogTrimsWriteWhatTheBatchTrimWrites() {
  struct Case {
    const char* name;
    CommandId command;
    QString title;
    QStringList labels;
    std::vector<std::pair<QString, QString>> typed;
    std::vector<std::string> batch;
  };
  const QStringList rectangle = {"X값 최소", "Y값 최소", "X값 최대", "Y값 최대"};
  const QStringList circle = {"X 좌표", "Y 좌표", "Z 좌표", "반경"};
  const std::vector<std::pair<QString, QString>> rectangleValues = {
      {"X값 최소", "15"}, {"Y값 최소", "-5"}, {"X값 최대", "45"}, {"Y값 최대", "25"}};
  const std::vector<std::pair<QString, QString>> circleValues = {
      {"X 좌표", "40"}, {"Y 좌표", "20"}, {"Z 좌표", "0"}, {"반경", "15"}};
  const std::vector<Case> cases = {
      {"좌표 안쪽", CommandId::TrimInsideRectangle, "XY 영역", rectangle, rectangleValues,
       {"--rect", "15", "-5", "45", "25", "--inside"}},
      {"좌표 바같쪽", CommandId::TrimOutsideRectangle, "XY 영역", rectangle, rectangleValues,
       {"--rect", "15", "-5", "45", "25", "--outside"}},
      {"Z 바같쪽, the dialog's own band", CommandId::TrimOutsideZRange, "변수를 입력하시요!!", {"Z 최소", "Z 최대"}, {},
       {"--z", "-10", "10"}},
      {"Z 바같쪽", CommandId::TrimOutsideZRange, "변수를 입력하시요!!", {"Z 최소", "Z 최대"},
       {{"Z 최소", "-12.5"}, {"Z 최대", "5"}}, {"--z", "-12.5", "5"}},
      {"원 안쪽", CommandId::TrimInsideCircle, "중심좌표와 반경을 입력하시요.", circle, circleValues,
       {"--circle", "40", "20", "15", "--inside"}},
      {"원 바같쪽", CommandId::TrimOutsideCircle, "중심좌표와 반경을 입력하시요.", circle, circleValues,
       {"--circle", "40", "20", "15", "--outside"}},
  };
  const std::string untrimmed = Written();
  for (const Case& c : cases) {
    auto before = Twin(db());
    QString title;
    QStringList labels;
    RunWithDialog(c.command, [&](QWidget& dialog) {
      title = dialog.windowTitle();
      labels = FieldLabels(dialog);
      Fill(dialog, c.typed);
      Press(dialog, QStringLiteral("OK"));
    });
    QCOMPARE(title, c.title);
    QCOMPARE(labels, c.labels);
    QCOMPARE(db().undoPos(), 1);
    const std::string desktop = Written();
    QVERIFY2(desktop != untrimmed, c.name);
    QVERIFY2(desktop == BatchTrimmed(c.batch), c.name);
    ExpectUndoGivesBack(*before, c.name);
    QCOMPARE(db().undoPos(), 0);
  }
}

void TrimCommandsTest::fileTrimsWriteWhatTheBatchTrimWrites() {
  std::ofstream(Home("pockets.poi")) << "two pockets\nstart\n15 -5 0\n45 -5 0\n30 25 0\nend\n"
                                        "START\n55 5 0\n75 5 0\n75 15 0\n55 15 0\n";
  struct Case {
    const char* name;
    CommandId command;
    const char* side;
  };
  const Case cases[] = {{"화일에 의한 안쪽", CommandId::TrimInsideFilePolygons, "--inside"},
                        {"화일에 의한 바같쪽", CommandId::TrimOutsideFilePolygons, "--outside"}};
  const std::string untrimmed = Written();
  for (const Case& c : cases) {
    auto before = Twin(db());
    QString title;
    QStringList filters;
    AnswerNextDialog([&](QWidget& dialog) {
      auto* files = qobject_cast<QFileDialog*>(&dialog);
      QVERIFY(files);
      title = files->windowTitle();
      filters = files->nameFilters();
      AcceptFile(files, fixture_->HomeFile("pockets.poi"));
    });
    frame().RunCommand(c.command);
    QCOMPARE(title, QStringLiteral(" 포인트 화일명을 선택하시오."));
    QCOMPARE(filters, (QStringList{"Point Files (*.poi)", "All Files (*.*) (*)"}));
    QCOMPARE(db().undoPos(), 1);
    const std::string desktop = Written();
    QVERIFY2(desktop != untrimmed, c.name);
    QVERIFY2(desktop == BatchTrimmed({"--poi", Home("pockets.poi"), c.side}), c.name);
    ExpectUndoGivesBack(*before, c.name);
  }

  // Cancel on the file dialog changes nothing.
  auto before = Twin(db());
  AnswerNextDialog([](QWidget& dialog) { qobject_cast<QDialog*>(&dialog)->reject(); });
  frame().RunCommand(CommandId::TrimInsideFilePolygons);
  ExpectSame(*before, "cancelled file choice");
  QCOMPARE(db().undoPos(), 0);
}

void TrimCommandsTest::eachDialogOpensOnTheValuesItsCommandWasGivenLast() {
  RunWithDialog(CommandId::TrimInsideRectangle, [](QWidget& d) {
    Fill(d, {{"X값 최소", "1"}, {"Y값 최소", "2"}, {"X값 최대", "3"}, {"Y값 최대", "4"}});
    Press(d, QStringLiteral("OK"));
  });
  RunWithDialog(CommandId::TrimOutsideCircle, [](QWidget& d) {
    Fill(d, {{"반경", "25"}});
    Press(d, QStringLiteral("OK"));
  });
  RunWithDialog(CommandId::TrimOutsideZRange, [](QWidget& d) {
    Fill(d, {{"Z 최소", "-3"}});
    Press(d, QStringLiteral("Cancel"));
  });
  QStringList seen;
  const auto look = [&seen](QWidget& d) {
    for (const NumberField* field : d.findChildren<NumberField*>()) seen << field->text();
    Press(d, QStringLiteral("Cancel"));
  };
  RunWithDialog(CommandId::TrimInsideRectangle, look);
  RunWithDialog(CommandId::TrimOutsideRectangle, look);
  RunWithDialog(CommandId::TrimOutsideCircle, look);
  RunWithDialog(CommandId::TrimInsideCircle, look);
  RunWithDialog(CommandId::TrimOutsideZRange, look);
  QCOMPARE(seen, (QStringList{"1", "2", "3", "4", "-50", "-50", "0", "0", "0", "0", "0", "25", "0", "0", "0", "70",
                              "-10", "10"}));
}

void TrimCommandsTest::windowTrimsCutTheModelRectangleInTheTopViewAndTheScreenWindowWhenTurned() {
  auto before = Twin(db());
  // The top view: two windows, then ESC, under one undo step; each a rectangle of model XY.
  const ClientPoint a1 = OnScreen(15, 5), b1 = OnScreen(45, 25);
  const ClientPoint a2 = OnScreen(105, -5), b2 = OnScreen(125, 5);
  test::ScriptedInput windows;
  Drag(windows, a1, b1);
  Drag(windows, a2, b2);
  windows.Hold({Key::Esc});
  RunScripted(CommandId::TrimInsideWindow, windows);
  QVERIFY(!windows.ranOut);
  QVERIFY(!view().InteractiveCommandRunning());
  auto expected = Twin(*before);
  const auto model = [this](ClientPoint p) { return *ScreenToModel(view().viewState(), p); };
  QCOMPARE(TrimRegion(*expected, *RectangleBoundary(model(a1).x, model(a1).y, model(b1).x, model(b1).y), TrimSide::Inside),
           EditOutcome::Changed);
  QCOMPARE(TrimRegion(*expected, *RectangleBoundary(model(a2).x, model(a2).y, model(b2).x, model(b2).y), TrimSide::Inside,
                      UndoStep::Skip),
           EditOutcome::Changed);
  ExpectSame(*expected, "top view windows");
  QCOMPARE(db().undoPos(), 1);
  ExpectUndoGivesBack(*before, "top view windows");

  // A turned view: the window trims what is drawn inside it, at any depth, in both senses.
  QTest::qWait(1100);  // past the pause in which the view takes no command after a loop
  frame().RunCommand(CommandId::ViewIso1);
  const ViewState turned = view().viewState();
  QVERIFY(turned.angleA != 0 || turned.angleB != 0 || turned.angleC != 0);
  const ClientPoint a = OnScreen(30, 10, 0), b = OnScreen(50, 30, 0);
  const ClientPoint from{std::min(a.x, b.x), std::min(a.y, b.y)}, to{std::max(a.x, b.x), std::max(a.y, b.y)};
  const std::array<ClientPoint, 4> corners = {{from, {to.x, from.y}, to, {from.x, to.y}}};
  struct Case {
    const char* name;
    CommandId command;
    TrimSide removed;
  };
  const Case cases[] = {{"turned, inside", CommandId::TrimInsideWindow, TrimSide::Inside},
                        {"turned, outside", CommandId::TrimOutsideWindow, TrimSide::Outside}};
  for (const Case& c : cases) {
    test::ScriptedInput turnedWindow;
    Drag(turnedWindow, from, to);
    turnedWindow.Hold({Key::Esc});
    RunScripted(c.command, turnedWindow);
    auto screen = Twin(*before);
    QCOMPARE(TrimRegion(*screen, *ScreenPolygonBoundary(corners, turned), c.removed), EditOutcome::Changed);
    ExpectSame(*screen, c.name);
    ExpectUndoGivesBack(*before, c.name);
  }
}

void TrimCommandsTest::aCornerOutsideTheViewAsksWhetherToStop() {
  auto before = Twin(db());
  const ClientPoint a = OnScreen(15, 5), b = OnScreen(45, 25);
  struct Case {
    const char* name;
    QMessageBox::StandardButton answer;
    bool trimmed;  // the window dragged after the answer was trimmed
  };
  const Case cases[] = {{"OK ends the command", QMessageBox::Ok, false},
                        {"Cancel lets the user drag again", QMessageBox::Cancel, true}};
  for (const Case& c : cases) {
    QString caption, text;
    AnswerNextDialog([&](QWidget& dialog) {
      auto* box = qobject_cast<QMessageBox*>(&dialog);
      QVERIFY(box);
      caption = box->windowTitle();
      text = box->text();
      box->button(c.answer)->click();
    });
    test::ScriptedInput script;
    Drag(script, {-4, a.y}, b);
    Drag(script, a, b);
    script.Hold({Key::Esc});
    RunScripted(CommandId::TrimInsideWindow, script);
    QCOMPARE(caption, QStringLiteral("Error message"));
    QCOMPARE(text, QStringLiteral("Trim 작업을 취소 하겠습니까?"));
    QCOMPARE(Difference(db(), *before).isEmpty(), !c.trimmed);
    if (c.trimmed) ExpectUndoGivesBack(*before, c.name);
  }
}

void TrimCommandsTest::drawnPolygonsAreTrimmedOnTheScreen() {
  auto before = Twin(db());
  const std::vector<ClientPoint> polygon = {OnScreen(15, -5), OnScreen(45, -5), OnScreen(30, 25)};
  struct Case {
    const char* name;
    CommandId command;
    TrimSide removed;
    Key closing;
  };
  const Case cases[] = {{"다각형 안쪽, ENTER", CommandId::TrimInsidePolygon, TrimSide::Inside, Key::Enter},
                        {"다각형 바같쪽, ESC", CommandId::TrimOutsidePolygon, TrimSide::Outside, Key::Esc}};
  for (const Case& c : cases) {
    test::ScriptedInput clicks;
    for (ClientPoint p : polygon) clicks.ClickAt(p);
    clicks.Hold({c.closing});
    RunScripted(c.command, clicks);
    QVERIFY(!clicks.ranOut);
    auto expected = Twin(*before);
    QCOMPARE(TrimRegion(*expected, *ScreenPolygonBoundary(polygon, view().viewState()), c.removed), EditOutcome::Changed);
    ExpectSame(*expected, c.name);
    ExpectUndoGivesBack(*before, c.name);
  }
}

void TrimCommandsTest::valuesThatCannotTrimChangeNothing() {
  std::ofstream(Home("bad.poi")) << "start\n15 -5 0\n45 -5\n30 25 0\nend\n";
  auto before = Twin(db());
  auto shown = std::make_shared<ShownMessage>();
  AnswerFileDialog(fixture_->HomeFile("bad.poi"), [shown](QWidget& dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
      shown->caption = box->windowTitle();
      shown->text = box->text();
    }
    qobject_cast<QDialog*>(&dialog)->accept();
  });
  frame().RunCommand(CommandId::TrimOutsideFilePolygons);
  QCOMPARE(shown->caption, QStringLiteral("Error message"));
  QVERIFY2(shown->text.startsWith(QStringLiteral("화일을 열수 없습니다.\n")), qPrintable(shown->text));
  ExpectSame(*before, "bad point file");
  QCOMPARE(db().undoPos(), 0);

  // No circle, and a Z band upside down: nothing is taken away.
  struct Case {
    const char* name;
    CommandId command;
    std::vector<std::pair<QString, QString>> typed;
  };
  const Case cases[] = {
      {"원 바같쪽, radius 0", CommandId::TrimOutsideCircle, {{"반경", "0"}}},
      {"원 바같쪽, radius below 0", CommandId::TrimOutsideCircle, {{"반경", "-5"}}},
      {"Z 바같쪽, bottom above top", CommandId::TrimOutsideZRange, {{"Z 최소", "10"}, {"Z 최대", "-10"}}},
  };
  for (const Case& c : cases) {
    RunWithDialog(c.command, [&c](QWidget& dialog) {
      Fill(dialog, c.typed);
      Press(dialog, QStringLiteral("OK"));
    });
    ExpectSame(*before, c.name);
    QCOMPARE(db().undoPos(), 0);
  }
}

}  // namespace fendo

QTEST_MAIN(fendo::TrimCommandsTest)
#include "trim_commands_test.moc"
