#include <QDialog>
#include <QLabel>
#include <QMessageBox>

#include <cstdio>
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
#include "edit/point_offset.h"
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

// Three passes along X at z = 0, one with a half circle, and a pass over a ridge 8.66 high.
std::string TestProgram() {
  std::string nc = "%\nO1500\nG90 G17 G21\nG00 X0 Y0 Z50.\n";
  for (int k = 0; k < 3; ++k) {
    nc += "G00 X0 Y" + std::to_string(10 * k) + ".\nZ2.\nG01 Z0 F1000\nX20.\nX40.\n";
    nc += k == 1 ? "G03 X60. I10. J0\n" : "X60.\n";
    nc += "G00 Z50.\n";
  }
  nc += "G00 X70. Y0\nZ2.\nG01 Z0 F800\nX80.\nX85. Z8.66\nX95.\nX100. Z0\nX110.\nG00 Z50.\nM30\n%\n";
  return nc;
}

// Types `values` into the number fields of a dialog, in their order.
void Fill(QWidget& dialog, const QStringList& values) {
  const QList<NumberField*> fields = dialog.findChildren<NumberField*>();
  for (int i = 0; i < values.size() && i < fields.size(); ++i) fields[i]->setText(values[i]);
}

QStringList Labels(QWidget& dialog) {
  QStringList texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (!label->text().isEmpty()) texts << label->text();
  }
  return texts;
}

void Drag(test::ScriptedInput& script, ClientPoint a, ClientPoint b) {
  script.MoveTo(a).Hold({Key::LeftButton}).MoveTo(b).Hold({Key::LeftButton}).Idle();
}

std::string Number(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

}  // namespace

class OffsetCommandsTest : public QObject, public ViewCommandFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void commandsAreInTheMenu();
  void dialogCommandsWriteWhatTheBatchOffsetWrites();
  void windowsUntilEscWriteWhatTheBatchOffsetWritesAndUndoAtOnce();
  void aDrawnPolygonShiftsWhatWasDrawnInside();
  void cancelLeavesTheToolpathAsItWas();
  void aPointFileThatCannotBeReadIsRefused();

 private:
  // The direction dialog answered with `by` (OK), then `next` answers the dialog after it.
  void AnswerDirection(const QStringList& by, std::function<void(QWidget&)> next = {}) {
    AnswerNextDialog([by, next](QWidget& dialog) {
      if (next) AnswerNextDialog(next);
      Fill(dialog, by);
      Press(dialog, QStringLiteral("OK"));
    });
  }
  // What fendo-batch offset writes of `input` with `flags`.
  std::string BatchOffset(const std::string& input, const std::vector<std::string>& flags,
                          const std::string& output = "batch.nc") {
    std::vector<std::string> args = {"offset", input, "-o", Home(output), "--no-diagonal-check"};
    args.insert(args.end(), flags.begin(), flags.end());
    const test::BatchRun run = test::Batch(args);
    if (run.status != 0) return "<batch failed: " + run.err + ">";
    return test::ReadFile(Home(output));
  }
  std::string input_;
};

void OffsetCommandsTest::init() {
  QVERIFY(OpenProgram("offset.nc", TestProgram()));
  input_ = Home("offset.nc");
}

void OffsetCommandsTest::cleanup() { CloseProgram(); }

void OffsetCommandsTest::commandsAreInTheMenu() {
  for (CommandId id : {CommandId::OffsetInsideWindow, CommandId::OffsetInsideRectangle, CommandId::OffsetOutsideZRange,
                       CommandId::OffsetInsideCircle, CommandId::OffsetInsidePolygon,
                       CommandId::OffsetInsideFilePolygons}) {
    QAction* action = frame().Action(id);
    QVERIFY(action);
    QVERIFY2(action->isEnabled(), qPrintable(action->text()));
  }
}

// Each dialog command's result, written as "Ncdata로 저장" writes it, is byte for byte what
// fendo-batch offset writes from the same file with the same values; one undo takes it back.
void OffsetCommandsTest::dialogCommandsWriteWhatTheBatchOffsetWrites() {
  const std::string poi = Home("regions.poi");
  std::ofstream(poi) << "start\n15 -5 0\n45 -5 0\n45 15 0\n15 15 0\nend\nstart\n75 -5 0\n105 -5 0\n90 5 0\n";
  struct Case {
    const char* name;
    CommandId command;
    QStringList by;
    QStringList region;     // the region dialog's title and labels; empty for the file
    QStringList values;     // typed into the region dialog
    std::vector<std::string> batch;
  };
  const std::vector<Case> cases = {
      {"좌표 안쪽 Offset", CommandId::OffsetInsideRectangle, {"1", "-2", "3"},
       {"XY 영역", "X값 최소", "Y값 최소", "X값 최대", "Y값 최대"}, {"15", "-5", "45", "15"},
       {"--rect", "15", "-5", "45", "15", "--by", "1,-2,3"}},
      {"원 안쪽 Offset", CommandId::OffsetInsideCircle, {"0", "0", "5"},
       {"중심좌표와 반경을 입력하시요.", "X 좌표", "Y 좌표", "Z 좌표", "반경"}, {"50", "10", "0", "7.5"},
       {"--circle", "50", "10", "7.5"}},
      {"Z 좌표 바같쪽 Offset", CommandId::OffsetOutsideZRange, {"-0.5", "0", "-1"},
       {"변수를 입력하시요!!", "Z 최소", "Z 최대"}, {"-1", "4"}, {"--z", "-1", "4", "--by", "-0.5,0,-1"}},
      {"화일에 의한 안쪽 Offset", CommandId::OffsetInsideFilePolygons, {"0", "1", "2"}, {}, {},
       {"--poi", poi, "--by", "0,1,2"}},
  };
  for (const Case& c : cases) {
    auto before = Twin(db());
    QStringList shown;
    AnswerDirection(c.by, [&](QWidget& dialog) {
      if (c.region.isEmpty()) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        QVERIFY(files);
        shown << files->windowTitle() << files->nameFilters();
        AcceptFile(files, QString::fromStdString(poi));
        return;
      }
      shown << dialog.windowTitle() << Labels(dialog);
      Fill(dialog, c.values);
      Press(dialog, QStringLiteral("OK"));
    });
    frame().RunCommand(c.command);
    const QStringList expected = c.region.isEmpty()
                                     ? QStringList{" 포인트 화일명을 선택하시오.", "Point Files (*.poi)", "All Files (*.*) (*)"}
                                     : c.region;
    QCOMPARE(shown, expected);
    const std::string desktop = Written();
    QVERIFY2(desktop == BatchOffset(input_, c.batch), c.name);
    QVERIFY2(Difference(db(), *before) != QString(), c.name);
    ExpectUndoGivesBack(*before, c.name);
  }
}

void OffsetCommandsTest::windowsUntilEscWriteWhatTheBatchOffsetWritesAndUndoAtOnce() {
  auto before = Twin(db());
  const ViewState shown = view().viewState();
  const ClientPoint a1 = OnScreen(15, -5), b1 = OnScreen(45, 15);
  const ClientPoint a2 = OnScreen(85, 5), b2 = OnScreen(115, -5);

  // One window in the top view: the model rectangle under it, as the batch takes it.
  test::ScriptedInput one;
  Drag(one, a1, b1);
  one.Hold({Key::Esc});
  AnswerDirection({"0", "0", "5"});
  RunScripted(CommandId::OffsetInsideWindow, one);
  QVERIFY(!one.ranOut);
  const Point3 p = *ScreenToModel(shown, a1);
  const Point3 q = *ScreenToModel(shown, b1);
  QCOMPARE(Written(), BatchOffset(input_, {"--rect", Number(p.x), Number(p.y), Number(q.x), Number(q.y)}));
  ExpectUndoGivesBack(*before, "one window");

  // Two windows, then ESC: one undo step for both.
  test::ScriptedInput windows;
  Drag(windows, a1, b1);
  Drag(windows, a2, b2);
  windows.Hold({Key::Esc});
  AnswerDirection({"1", "0", "-2"});
  RunScripted(CommandId::OffsetInsideWindow, windows);
  QVERIFY(!windows.ranOut);
  QVERIFY(!view().InteractiveCommandRunning());
  auto twin = Twin(*before);
  QCOMPARE(OffsetInsideWindow(*twin, a1, b1, shown, {1, 0, -2}), EditOutcome::Changed);
  QCOMPARE(OffsetInsideWindow(*twin, a2, b2, shown, {1, 0, -2}, UndoStep::Skip), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
  ExpectUndoGivesBack(*before, "two windows");
}

void OffsetCommandsTest::aDrawnPolygonShiftsWhatWasDrawnInside() {
  frame().RunCommand(CommandId::ViewIso1);
  const ViewState shown = view().viewState();
  const std::vector<ClientPoint> polygon = {OnScreen(10, -5), OnScreen(50, -5), OnScreen(50, 15), OnScreen(10, 15)};
  // The polygon is drawn as for the trims: ENTER or ESC closes it, and a click closer than five
  // pixels to the last vertex adds nothing.
  for (Key closing : {Key::Enter, Key::Esc}) {
    auto before = Twin(db());
    auto twin = Twin(db());
    test::ScriptedInput clicks;
    for (ClientPoint p : polygon) clicks.ClickAt(p);
    clicks.ClickAt({polygon.back().x + 3, polygon.back().y});
    clicks.Hold({closing});
    AnswerDirection({"2", "0", "1"});
    RunScripted(CommandId::OffsetInsidePolygon, clicks);
    QVERIFY(!clicks.ranOut);
    QCOMPARE(OffsetInsideScreenPolygon(*twin, polygon, shown, {2, 0, 1}), EditOutcome::Changed);
    QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
    ExpectUndoGivesBack(*before, "polygon offset");
  }
}

void OffsetCommandsTest::cancelLeavesTheToolpathAsItWas() {
  auto before = Twin(db());
  // Cancel on the direction dialog, then on the region dialog after OK on the direction.
  AnswerNextDialog([](QWidget& dialog) { Press(dialog, QStringLiteral("Cancel")); });
  frame().RunCommand(CommandId::OffsetInsideRectangle);
  AnswerDirection({"0", "0", "5"}, [](QWidget& dialog) { Press(dialog, QStringLiteral("Cancel")); });
  frame().RunCommand(CommandId::OffsetInsideCircle);
  // A window of a pixel (a click) ends the window command before the window after it.
  test::ScriptedInput click;
  Drag(click, OnScreen(15, -5), {OnScreen(15, -5).x + 1, OnScreen(15, -5).y + 1});
  Drag(click, OnScreen(15, -5), OnScreen(45, 15));
  click.Hold({Key::Esc});
  AnswerDirection({"0", "0", "5"});
  RunScripted(CommandId::OffsetInsideWindow, click);
  QVERIFY(!view().InteractiveCommandRunning());
  QVERIFY(Difference(db(), *before).isEmpty());
  QCOMPARE(db().undoPos(), 0);
}

void OffsetCommandsTest::aPointFileThatCannotBeReadIsRefused() {
  auto before = Twin(db());
  const std::string bad = Home("bad.poi");
  std::ofstream(bad) << "start\n0 0 0\n10 zero 0\n10 10 0\nend\n";
  std::shared_ptr<ShownMessage> message;
  AnswerDirection({"0", "0", "5"}, [&](QWidget& dialog) {
    message = CatchNextMessage();
    AcceptFile(qobject_cast<QFileDialog*>(&dialog), QString::fromStdString(bad));
  });
  frame().RunCommand(CommandId::OffsetInsideFilePolygons);
  QVERIFY(message);
  QCOMPARE(message->caption, QStringLiteral("Error message"));
  QCOMPARE(message->text, QStringLiteral("화일을 열수 없습니다.\n"));
  QVERIFY(Difference(db(), *before).isEmpty());
}

}  // namespace fendo

QTEST_MAIN(fendo::OffsetCommandsTest)
#include "offset_commands_test.moc"
