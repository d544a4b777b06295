#include <QAbstractButton>
#include <QCheckBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/fendo_view.h"
#include "app/qt_text.h"
#include "app/status_panes.h"
#include "app_fixture.h"
#include "dialog_controls.h"
#include "cli/batch_run.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "edit/delete_by_angle.h"
#include "edit/delete_by_length.h"
#include "edit/delete_region.h"
#include "edit/delete_selection.h"
#include "edit/path_delete.h"
#include "edit/plunge.h"
#include "edit/point_delete.h"
#include "edit/reverse.h"
#include "edit/start_point.h"
#include "edit/subdivision.h"
#include "edit/z_up.h"
#include "interact/arc_guard.h"
#include "output/arc_conversion.h"
#include "output/nc_output_options.h"
#include "output/nc_writer.h"
#include "support/file_bytes.h"
#include "view_command_fixture.h"
#include "interact/scripted_input.h"
#include "record_twin.h"
#include "view/path_span.h"
#include "view/picking.h"

namespace fendo {
namespace {

using test::Difference;
using test::Twin;

// Five one-way passes along X (the last with a 60 mm move), a closed 10 mm square, a 5 mm
// path, and a pass over a ridge with 60° walls: something for every command.
std::string TestProgram() {
  std::string nc = "%\nO1400\nG90 G17 G21\nG00 X0 Y0 Z50.\n";
  for (int k = 0; k < 5; ++k) {
    nc += "G00 X0 Y" + std::to_string(10 * k) + ".\nZ2.\nG01 Z0 F1000\n";
    nc += k == 4 ? "X60.\nX80.\n" : "X20.\nX40.\nX60.\nX80.\n";
    nc += "G00 Z50.\n";
  }
  nc += "G00 X100. Y0\nZ2.\nG01 Z0 F800\nX110.\nY10.\nX100.\nY0\nG00 Z50.\n";
  nc += "G00 X100. Y30.\nZ2.\nG01 Z0 F800\nX105.\nG00 Z50.\n";
  nc += "G00 X120. Y0\nZ2.\nG01 Z0 F800\nX130.\nX135. Z8.66\nX145.\nX150. Z0\nX160.\nG00 Z50.\nM30\n%\n";
  return nc;
}

// The labels of a number dialog, in their order.
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

// Marks records first … end − 1 selected, as a drag in select mode would.
void Select(ToolpathDatabase& db, int first, int end) {
  for (int i = first; i < end; ++i) {
    db.cursor = ToCursor(*db.RecordAt(i));
    db.cursor.selected = 1;
    db.WriteRecord(i);
  }
}

int SelectedCount(ToolpathDatabase& db) {
  int n = 0;
  db.ForEachRecord([&n](int, const ToolpathRecord& r) { n += r.selected == 1; });
  return n;
}

// A script that looks at the window each time the loop waits: where the marks drawn over the
// picture are, as the pixels in which the window differs from the picture under them.
class WatchedScript : public test::ScriptedInput {
 public:
  explicit WatchedScript(CFendoView& view) : view_(view) {}

  void Sleep(int milliseconds) override {
    const QImage shown = view_.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage under = view_.Picture().convertToFormat(QImage::Format_RGB32);
    QRect marks;
    for (int y = 0; y < shown.height() && y < under.height(); ++y) {
      for (int x = 0; x < shown.width() && x < under.width(); ++x) {
        if (shown.pixel(x, y) != under.pixel(x, y)) marks |= QRect(x, y, 1, 1);
      }
    }
    seen.push_back(marks);
    ScriptedInput::Sleep(milliseconds);
  }

  std::vector<QRect> seen;  // one per wait; empty where nothing was drawn over the picture

 private:
  CFendoView& view_;
};

// A script that notes whether a progress bar stands in the status bar while the loop waits.
class BarWatch : public test::ScriptedInput {
 public:
  explicit BarWatch(QWidget& frame) : frame_(frame) {}

  void Sleep(int milliseconds) override {
    for (const QProgressBar* bar : frame_.findChildren<QProgressBar*>()) barSeen |= bar->isVisible();
    ScriptedInput::Sleep(milliseconds);
  }

  bool barSeen = false;

 private:
  QWidget& frame_;
};

}  // namespace

class EditCommandsTest : public QObject, public ViewCommandFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void commandsAreInTheMenusWithTheirTextsAndKeys();
  void dialogCommandsGiveWhatTheEngineGivesAndUndoTakesItBack();
  void dialogCommandsWriteWhatTheBatchEditWrites();
  void dialogsOpenOnTheValuesEnteredLast();
  void valuesTheChangeCannotWorkWithAreRefusedOnTheirField();
  void reverseDialogKeepsItsRuleAndShowsFourPictures();
  void windowsAndPolygonDeleteWhatWasInside();
  void pointAndPathLoopsDeleteWhatWasSteppedTo();
  void thePointLoopMarksTheCurrentPointWithACross();
  void reverseMarksWithAPolygonAndOnePathReverseTurnsThePickedPath();
  void startPointsComeFromTheClicks();
  void selectModeKeysActOnTheSelection();
  void theArcGuardsCancelEndsZUpAndStartPointChange();
  void aResultThatWouldNotFitChangesNothing();
};

void EditCommandsTest::init() {
  QVERIFY(OpenProgram("edit.nc", TestProgram()));
  QVERIFY(db().recordCount > 40);
}

void EditCommandsTest::cleanup() { CloseProgram(); }

void EditCommandsTest::commandsAreInTheMenusWithTheirTextsAndKeys() {
  struct Row {
    CommandId id;
    const char* statusText;  // empty: the item's text
  };
  const Row rows[] = {
      {CommandId::DeletePoint, "공구경로의 point (vertex) 삭제"},
      {CommandId::DeleteOnePath, "공구경로 1개 선택하여 삭제"},
      {CommandId::DeleteMiddlePaths, ""},
      {CommandId::DeleteInsideWindow, ""},
      {CommandId::DeleteInsidePolygon, ""},
      {CommandId::DeleteByXyAngle, ""},
      {CommandId::DeleteBySlope, ""},
      {CommandId::DeletePointsByLength, ""},
      {CommandId::DeletePathsByLength, ""},
      {CommandId::DeleteAllPaths, ""},
      {CommandId::ClearSelection, "공구경로 선택을 취소한다."},
      {CommandId::InvertSelection, "공구경로의 선택을 반전시킨다."},
      {CommandId::DeleteSelected, "선택되어진 공구경로를 삭제한다."},
      {CommandId::ReverseDirection, ""},
      {CommandId::ReverseOnePath, ""},
      {CommandId::StartPointOfOpenPaths, ""},
      {CommandId::StartPointOfClosedPaths, ""},
      {CommandId::StartPointOfAllPaths, ""},
      {CommandId::ChangePlunge, "공구경로 진입부 변경"},
      {CommandId::SubdividePoints, ""},
      {CommandId::SuppressZMoves, ""},
  };
  for (const Row& row : rows) {
    QAction* action = frame().Action(row.id);
    QVERIFY(action);
    QVERIFY2(action->isEnabled(), qPrintable(action->text()));
    if (*row.statusText) QCOMPARE(action->statusTip(), QString::fromUtf8(row.statusText));
  }
  QCOMPARE(frame().Action(CommandId::DeletePoint)->shortcut(), QKeySequence(Qt::Key_Tab));
  QCOMPARE(frame().Action(CommandId::DeleteOnePath)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_D));
}

void EditCommandsTest::dialogCommandsGiveWhatTheEngineGivesAndUndoTakesItBack() {
  struct Case {
    const char* name;
    CommandId command;
    QStringList shown;  // the dialog's title and labels; empty for a command without one
    std::function<void(QWidget&)> fill;
    std::function<EditOutcome(ToolpathDatabase&)> engine;
  };
  const QString values = QStringLiteral("변수를 입력하시요!!");
  const std::vector<Case> cases = {
      {"XY 각도", CommandId::DeleteByXyAngle, {values, " 각도 ", " 각도 공차 "},
       [](QWidget& d) { Type(d, "angle", "0"); Type(d, "tolerance", "5"); },
       [](ToolpathDatabase& t) { return DeleteByXyAngle(t, {0, 5}); }},
      {"Z 각도", CommandId::DeleteBySlope, {values, " 최소 면각도 ", " 최대 면각도 ", "삭제 무시 길이"}, {},
       [](ToolpathDatabase& t) { return DeleteBySlope(t, {}); }},
      {"길이에 의한 포인트", CommandId::DeletePointsByLength, {values, " 삭제 길이 "}, {},
       [](ToolpathDatabase& t) { return DeletePointsByLength(t, {50}); }},
      {"길이에 의한 경로", CommandId::DeletePathsByLength, {values, "삭제 경로길이"},
       [](QWidget& d) { Type(d, "length", "12"); },
       [](ToolpathDatabase& t) { return DeletePathsByLength(t, {12}); }},
      {"중간 경로", CommandId::DeleteMiddlePaths, {}, {},
       [](ToolpathDatabase& t) { return DeleteMiddlePaths(t, UndoStep::Push); }},
      {"모든경로", CommandId::DeleteAllPaths, {}, {}, [](ToolpathDatabase& t) { return DeleteAll(t); }},
      {"두방향", CommandId::ReverseDirection, {QStringLiteral("공구경로 방향 바꾸기")},
       [](QWidget& d) { Tick(d, "twoWay"); },
       [](ToolpathDatabase& t) {
         ReverseParams p;
         p.SetTwoWay(true);
         return ReversePaths(t, p);
       }},
      {"순서 바꾸기", CommandId::ReverseDirection, {QStringLiteral("공구경로 방향 바꾸기")},
       [](QWidget& d) { Tick(d, "direction", false); Tick(d, "order"); },
       [](ToolpathDatabase& t) {
         ReverseParams p;
         p.direction = false;
         p.order = true;
         return ReversePaths(t, p);
       }},
      {"포인트 세분화", CommandId::SubdividePoints, {values, "세분화 간격"},
       [](QWidget& d) { Type(d, "interval", "7"); },
       [](ToolpathDatabase& t) { return Subdivide(t, {7}); }},
      {"플런지 길이", CommandId::ChangePlunge, {QStringLiteral("플런지 조건을 입력하시요!!")}, {},
       [](ToolpathDatabase& t) {
         PlungeParams p;
         p.PresetForDialog(t.safeZ);
         return ChangePlunges(t, p);
       }},
      {"플런지 원형", CommandId::ChangePlunge, {QStringLiteral("플런지 조건을 입력하시요!!")},
       [](QWidget& d) { Tick(d, "circle"); Type(d, "circleRadius", "3"); Tick(d, "usePlungeFeed"); },
       [](ToolpathDatabase& t) {
         PlungeParams p;
         p.PresetForDialog(t.safeZ);
         p.method = PlungeMethod::Circle;
         p.circleRadius = 3;
         p.usePlungeFeed = true;
         return ChangePlunges(t, p);
       }},
      {"플런지 직선 홈", CommandId::ChangePlunge, {QStringLiteral("플런지 조건을 입력하시요!!")},
       [](QWidget& d) {
         // The plunge feed the case before ticked is still ticked: the dialog keeps its values.
         Tick(d, "groove"); Tick(d, "usePlungeFeed", false); Tick(d, "newRapidHeight"); Type(d, "rapidHeight", "20");
         Tick(d, "passMachined");
       },
       [](ToolpathDatabase& t) {
         PlungeParams p;
         p.method = PlungeMethod::Groove;
         p.newRapidHeight = true;
         p.rapidHeight = 20;
         p.passMachined = true;
         return ChangePlunges(t, p);
       }},
      {"Z 하향 억제", CommandId::SuppressZMoves, {QStringLiteral("Z 상향")}, {},
       [](ToolpathDatabase& t) { return ZUp(t, {}); }},
      {"Z값 하향 억제", CommandId::SuppressZMoves, {QStringLiteral("Z 상향")},
       [](QWidget& d) { Tick(d, "floor"); Type(d, "floorZ", "-1"); },
       [](ToolpathDatabase& t) { return ZUp(t, {ZUpMode::Floor, -1, 5, 5}); }},
      {"상향 삭제", CommandId::SuppressZMoves, {QStringLiteral("Z 상향")},
       [](QWidget& d) { Tick(d, "dropUp"); Type(d, "upTolerance", "45"); },
       [](ToolpathDatabase& t) { return ZUp(t, {ZUpMode::DropUp, 0, 5, 45}); }},
  };
  for (const Case& c : cases) {
    auto before = Twin(db());
    auto twin = Twin(db());
    QStringList shown;
    if (c.shown.isEmpty()) {
      frame().RunCommand(c.command);
    } else {
      RunWithDialog(c.command, [&shown, &c](QWidget& dialog) {
        shown << dialog.windowTitle();
        if (c.shown.size() > 1) shown << Labels(dialog);
        if (c.fill) c.fill(dialog);
        Press(dialog, QStringLiteral("OK"));
      });
    }
    QCOMPARE(shown, c.shown);
    QVERIFY2(c.engine(*twin) == EditOutcome::Changed, c.name);
    QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(c.name, Difference(db(), *twin))));
    ExpectUndoGivesBack(*before, c.name);
  }
}

// Each dialog command's result, written as "Ncdata로 저장" writes it, is byte for byte what
// fendo-batch edit writes from the same file with the same values.
void EditCommandsTest::dialogCommandsWriteWhatTheBatchEditWrites() {
  struct Case {
    const char* name;
    CommandId command;
    std::function<void(QWidget&)> fill;
    std::vector<std::string> batch;  // the operation's options
  };
  const std::vector<Case> cases = {
      {"XY 각도", CommandId::DeleteByXyAngle, [](QWidget& d) { Type(d, "angle", "0"); Type(d, "tolerance", "5"); },
       {"--delete-xy-angle", "0", "--tol", "5"}},
      {"Z 각도", CommandId::DeleteBySlope, {}, {"--delete-slope", "0", "30", "--ignore", "4"}},
      {"길이에 의한 경로", CommandId::DeletePathsByLength, [](QWidget& d) { Type(d, "length", "12"); },
       {"--delete-paths-shorter", "12"}},
      {"두방향", CommandId::ReverseDirection, [](QWidget& d) { Tick(d, "twoWay"); }, {"--reverse", "two-way"}},
      {"포인트 세분화", CommandId::SubdividePoints, [](QWidget& d) { Type(d, "interval", "7"); }, {"--subdivide", "7"}},
      {"플런지 원형", CommandId::ChangePlunge,
       [](QWidget& d) { Tick(d, "circle"); Type(d, "circleRadius", "3"); Tick(d, "usePlungeFeed"); },
       {"--plunge", "circle", "--radius", "3", "--plunge-feed", "300"}},
      {"Z값 하향 억제", CommandId::SuppressZMoves, [](QWidget& d) { Tick(d, "floor"); Type(d, "floorZ", "-1"); },
       {"--z-up", "floor", "-1"}},
  };
  const std::string input = ToUtf8(fixture_->HomeFile("edit.nc"));
  const test::BatchRun plain = test::Batch({"convert", input, "-o", ToUtf8(fixture_->HomeFile("plain.nc")),
                                            "--no-diagonal-check"});
  QCOMPARE(plain.status, 0);
  const std::string unedited = test::ReadFile(ToUtf8(fixture_->HomeFile("plain.nc")));
  for (const Case& c : cases) {
    auto before = Twin(db());
    RunWithDialog(c.command, [&c](QWidget& dialog) {
      if (c.fill) c.fill(dialog);
      Press(dialog, QStringLiteral("OK"));
    });
    NcOutputOptions options;
    PresetFromWorkLayer(db(), options);
    options.outputPath = ToUtf8(fixture_->HomeFile("desktop.nc"));
    options.diagonalRapidCheck = false;
    options.openEditor = false;
    test::ScriptedPrompts prompts;
    QVERIFY2(WriteNcProgram(db(), options, prompts).ok(), c.name);

    const std::string batchOut = ToUtf8(fixture_->HomeFile("batch.nc"));
    std::vector<std::string> args = {"edit", input, "-o", batchOut, "--no-diagonal-check"};
    args.insert(args.end(), c.batch.begin(), c.batch.end());
    const test::BatchRun batch = test::Batch(args);
    QVERIFY2(batch.status == 0, qPrintable(QStringLiteral("%1: %2").arg(c.name, QString::fromStdString(batch.err))));
    const std::string desktop = test::ReadFile(options.outputPath);
    QVERIFY2(desktop == test::ReadFile(batchOut), c.name);
    QVERIFY2(desktop != unedited, c.name);
    ExpectUndoGivesBack(*before, c.name);
  }
}

void EditCommandsTest::dialogsOpenOnTheValuesEnteredLast() {
  RunWithDialog(CommandId::DeleteByXyAngle, [](QWidget& d) {
    Type(d, "angle", "45");
    Type(d, "tolerance", "3");
    Press(d, QStringLiteral("OK"));
  });
  RunWithDialog(CommandId::ChangePlunge, [](QWidget& d) {
    Tick(d, "groove");
    Type(d, "grooveDepth", "4");
    Press(d, QStringLiteral("OK"));
  });
  RunWithDialog(CommandId::SuppressZMoves, [](QWidget& d) {
    Tick(d, "dropDown");
    Type(d, "downTolerance", "30");
    Press(d, QStringLiteral("OK"));
  });
  // Cancel keeps what was there.
  RunWithDialog(CommandId::ReverseDirection, [](QWidget& d) {
    Tick(d, "order");
    Press(d, QStringLiteral("Cancel"));
  });

  QStringList seen;
  RunWithDialog(CommandId::DeleteByXyAngle, [&seen](QWidget& d) {
    seen << TextOf(d, "angle") << TextOf(d, "tolerance");
    Press(d, QStringLiteral("Cancel"));
  });
  db().safeZ = 35;
  RunWithDialog(CommandId::ChangePlunge, [&seen](QWidget& d) {
    seen << (Ticked(d, "groove") ? "groove" : "?") << TextOf(d, "grooveDepth") << TextOf(d, "rapidHeight");
    Press(d, QStringLiteral("Cancel"));
  });
  RunWithDialog(CommandId::SuppressZMoves, [&seen](QWidget& d) {
    seen << (Ticked(d, "dropDown") ? "dropDown" : "?") << TextOf(d, "downTolerance");
    Press(d, QStringLiteral("Cancel"));
  });
  RunWithDialog(CommandId::ReverseDirection, [&seen](QWidget& d) {
    seen << (Ticked(d, "order") ? "order" : "no order");
    Press(d, QStringLiteral("Cancel"));
  });
  RunWithDialog(CommandId::SubdividePoints, [&seen](QWidget& d) {
    seen << TextOf(d, "interval");
    Press(d, QStringLiteral("Cancel"));
  });
  QCOMPARE(seen, (QStringList{"45", "3", "groove", "4", "35", "dropDown", "30", "no order", "2"}));
}

void EditCommandsTest::valuesTheChangeCannotWorkWithAreRefusedOnTheirField() {
  struct Case {
    CommandId command;
    std::function<void(QWidget&)> fill;
    const char* field;    // the field that gets the focus
    const char* message;  // what the message says
  };
  const Case cases[] = {
      // A pitch that gives the helix or the zigzag no descent.
      {CommandId::ChangePlunge, [](QWidget& d) { Tick(d, "circle"); Type(d, "circlePitch", "0"); }, "circlePitch",
       "피치 각도: 0 보다 크고 60 보다 작은 값을 입력하시요."},
      {CommandId::ChangePlunge, [](QWidget& d) { Tick(d, "circle"); Type(d, "circlePitch", "60"); }, "circlePitch",
       "피치 각도: 0 보다 크고 60 보다 작은 값을 입력하시요."},
      {CommandId::ChangePlunge, [](QWidget& d) { Tick(d, "groove"); Type(d, "groovePitch", "0"); }, "groovePitch",
       "피치 각도: 0 보다 크고 180 보다 작은 값을 입력하시요."},
      {CommandId::ChangePlunge, [](QWidget& d) { Tick(d, "angle"); Type(d, "zAngle", "0"); }, "zAngle",
       "Z각도: 1 ~ 90 사이의 값을 입력하시요."},
      {CommandId::ChangePlunge, [](QWidget& d) { Tick(d, "usePlungeFeed"); Type(d, "plungeFeed", "2.5"); },
       "plungeFeed", "플런지 피드: 정수를 입력하시요."},
      {CommandId::SubdividePoints, [](QWidget& d) { Type(d, "interval", "0"); }, "interval",
       "세분화 간격: 0 ~ 10000 사이의 값을 입력하시요."},
      {CommandId::DeleteByXyAngle, [](QWidget& d) { Type(d, "angle", "400"); }, "angle",
       "각도: -360 ~ 360 사이의 값을 입력하시요."},
      {CommandId::DeleteBySlope, [](QWidget& d) { Type(d, "maxAngle", "91"); }, "maxAngle",
       "최대 면각도: 0 ~ 90 사이의 값을 입력하시요."},
      {CommandId::DeletePointsByLength, [](QWidget& d) { Type(d, "length", "0"); }, "length",
       "삭제 길이: 0.001 ~ 100000 사이의 값을 입력하시요."},
      {CommandId::SuppressZMoves, [](QWidget& d) { Tick(d, "dropUp"); Type(d, "upTolerance", "95"); }, "upTolerance",
       "각도 공차: 0 ~ 90 사이의 값을 입력하시요."},
  };
  auto before = Twin(db());
  for (const Case& c : cases) {
    QString message;
    bool stayedOpen = false;
    QString focused;
    RunWithDialog(c.command, [&](QWidget& dialog) {
      c.fill(dialog);
      const std::shared_ptr<ShownMessage> shown = CatchNextMessage();
      Press(dialog, QStringLiteral("OK"));
      message = shown->text;
      stayedOpen = dialog.isVisible();
      if (QWidget* focus = dialog.focusWidget()) focused = focus->objectName();
      Press(dialog, QStringLiteral("Cancel"));
    });
    QVERIFY2(stayedOpen, c.field);
    QCOMPARE(message, QString::fromUtf8(c.message));
    QCOMPARE(focused, QString::fromLatin1(c.field));
  }
  QVERIFY(Difference(db(), *before).isEmpty());
  QCOMPARE(db().undoPos(), 0);
}

void EditCommandsTest::reverseDialogKeepsItsRuleAndShowsFourPictures() {
  QStringList states;
  std::vector<QImage> pictures;
  RunWithDialog(CommandId::ReverseDirection, [&](QWidget& d) {
    for (const QLabel* label : d.findChildren<QLabel*>()) {
      if (!label->pixmap().isNull()) pictures.push_back(label->pixmap().toImage());
    }
    const auto state = [&d] {
      QString s;
      for (const char* box : {"direction", "order", "twoWay", "polygon"}) s += Ticked(d, box) ? '1' : '0';
      return s;
    };
    states << state();
    Tick(d, "order");
    states << state();
    Tick(d, "twoWay");
    states << state();
    Tick(d, "direction");
    states << state();
    Tick(d, "polygon");
    states << state();
    Press(d, QStringLiteral("Cancel"));
  });
  QCOMPARE(pictures.size(), 4u);
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    for (std::size_t j = i + 1; j < pictures.size(); ++j) QVERIFY2(pictures[i] != pictures[j], "each box its own picture");
  }
  QCOMPARE(states, (QStringList{"1000", "1100", "0010", "1000", "1001"}));
}

void EditCommandsTest::windowsAndPolygonDeleteWhatWasInside() {
  auto before = Twin(db());
  auto twin = Twin(db());
  const ViewState shown = view().viewState();

  // Two windows, then ESC: one undo step for both.
  const ClientPoint a1 = OnScreen(15, 25), b1 = OnScreen(45, 45);
  const ClientPoint a2 = OnScreen(98, -2), b2 = OnScreen(112, 12);
  test::ScriptedInput windows;
  Drag(windows, a1, b1);
  Drag(windows, a2, b2);
  windows.Hold({Key::Esc});
  RunScripted(CommandId::DeleteInsideWindow, windows);
  QVERIFY(!windows.ranOut);
  QVERIFY(!view().InteractiveCommandRunning());
  QCOMPARE(DeleteInWindow(*twin, a1, b1, shown), EditOutcome::Changed);
  QCOMPARE(DeleteInWindow(*twin, a2, b2, shown, UndoStep::Skip), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
  ExpectUndoGivesBack(*before, "window delete");

  // A polygon closed with ENTER.
  const std::vector<ClientPoint> polygon = {OnScreen(-5, -5), OnScreen(50, -5), OnScreen(50, 15), OnScreen(-5, 15)};
  test::ScriptedInput clicks;
  for (ClientPoint p : polygon) clicks.ClickAt(p);
  clicks.Hold({Key::Enter});
  RunScripted(CommandId::DeleteInsidePolygon, clicks);
  QVERIFY(!clicks.ranOut);
  auto polygonTwin = Twin(*before);
  QCOMPARE(DeleteInPolygon(*polygonTwin, polygon, shown), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *polygonTwin).isEmpty(), qPrintable(Difference(db(), *polygonTwin)));
  ExpectUndoGivesBack(*before, "polygon delete");

  // ESC while drawing: nothing changes.
  test::ScriptedInput escape;
  escape.ClickAt(polygon[0]).Hold({Key::Esc});
  RunScripted(CommandId::DeleteInsidePolygon, escape);
  QVERIFY(Difference(db(), *before).isEmpty());
}

void EditCommandsTest::pointAndPathLoopsDeleteWhatWasSteppedTo() {
  auto before = Twin(db());
  const ViewState shown = view().viewState();
  const ClientPoint onPass = OnScreen(30, 20);

  // Point delete: pick, one step forward with SPACE, ENTER.
  test::ScriptedInput points;
  points.ClickAt(onPass).Hold({Key::Space}).Idle().Hold({Key::Enter});
  RunScripted(CommandId::DeletePoint, points);
  QVERIFY(!points.ranOut);
  auto twin = Twin(*before);
  const int picked = PickRecord(*twin, shown, view().options().rapidShown, onPass);
  QVERIFY(picked >= 0);
  const std::optional<int> stepped = twin->HasNextMotion(picked);
  QVERIFY(stepped);
  QCOMPARE(DeletePoint(*twin, *stepped), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
  QCOMPARE(frame().statusPanes().Text(StatusPane::Prompt), QStringLiteral("도움말:  "));
  ExpectUndoGivesBack(*before, "point delete");

  // One-path delete: pick a pass, ENTER.
  test::ScriptedInput paths;
  paths.ClickAt(onPass).Hold({Key::Enter});
  RunScripted(CommandId::DeleteOnePath, paths);
  QVERIFY(!paths.ranOut);
  auto pathTwin = Twin(*before);
  const int first = PathOfRecord(*pathTwin, PickRecord(*pathTwin, shown, view().options().rapidShown, onPass))->first;
  QCOMPARE(DeleteOnePath(*pathTwin, first), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *pathTwin).isEmpty(), qPrintable(Difference(db(), *pathTwin)));
  ExpectUndoGivesBack(*before, "path delete");

  // ESC in the loop deletes nothing.
  test::ScriptedInput escape;
  escape.ClickAt(onPass).Hold({Key::Esc});
  RunScripted(CommandId::DeleteOnePath, escape);
  QVERIFY(Difference(db(), *before).isEmpty());

  // TAB starts the point delete from the keyboard.
  frame().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&frame()));
  view().setFocus();
  test::ScriptedInput keyed;
  keyed.ClickAt(onPass).Hold({Key::Enter});
  view().SetInputSource(&keyed);
  QTest::keyClick(&view(), Qt::Key_Tab);
  view().SetInputSource(nullptr);
  QVERIFY(!keyed.ranOut);
  auto keyedTwin = Twin(*before);
  QCOMPARE(DeletePoint(*keyedTwin, picked), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *keyedTwin).isEmpty(), qPrintable(Difference(db(), *keyedTwin)));
  ExpectUndoGivesBack(*before, "point delete by TAB");

  // Shift+D the one-path delete.
  test::ScriptedInput shifted;
  shifted.ClickAt(onPass).Hold({Key::Enter});
  view().SetInputSource(&shifted);
  QTest::keyClick(&view(), Qt::Key_D, Qt::ShiftModifier);
  view().SetInputSource(nullptr);
  QVERIFY(!shifted.ranOut);
  QVERIFY2(Difference(db(), *pathTwin).isEmpty(), qPrintable(Difference(db(), *pathTwin)));
}

void EditCommandsTest::thePointLoopMarksTheCurrentPointWithACross() {
  const ViewState shown = view().viewState();
  const ClientPoint onPass = OnScreen(30, 20);
  const int picked = PickRecord(db(), shown, view().options().rapidShown, onPass);
  const int next = *db().HasNextMotion(picked);
  WatchedScript script(view());
  script.ClickAt(onPass).Idle().Hold({Key::Space}).Idle().Hold({Key::Esc});
  RunScripted(CommandId::DeletePoint, script);
  QVERIFY(!script.ranOut);
  // The marks of the picked point, then of the one SPACE stepped to: a cross around each.
  const auto crossAt = [&shown](int record, ToolpathDatabase& db) {
    const ToolpathRecord& r = *db.RecordAt(record);
    const ClientPoint c = Projection(shown).ToClient({r.x, r.y, r.z});
    return QRectF(c.x - 12, c.y - 12, 24, 24).toAlignedRect();
  };
  const auto markedAround = [&](int record) {
    for (const QRect& marks : script.seen) {
      if (!marks.isEmpty() && crossAt(record, db()).contains(marks) && marks.width() >= 8) return true;
    }
    return false;
  };
  QVERIFY(markedAround(picked));
  QVERIFY(markedAround(next));
  QVERIFY(view().grab().toImage().convertToFormat(QImage::Format_RGB32) ==
          view().Picture().convertToFormat(QImage::Format_RGB32));
}

void EditCommandsTest::reverseMarksWithAPolygonAndOnePathReverseTurnsThePickedPath() {
  auto before = Twin(db());
  const ViewState shown = view().viewState();

  // Only the passes starting inside the polygon (the second and the third).
  const std::vector<ClientPoint> polygon = {OnScreen(-3, 7), OnScreen(3, 7), OnScreen(3, 23), OnScreen(-3, 23)};
  test::ScriptedInput clicks;
  for (ClientPoint p : polygon) clicks.ClickAt(p);
  clicks.Hold({Key::Enter});
  view().SetInputSource(&clicks);
  RunWithDialog(CommandId::ReverseDirection, [](QWidget& d) {
    Tick(d, "polygon");
    Press(d, QStringLiteral("OK"));
  });
  view().SetInputSource(nullptr);
  QVERIFY(!clicks.ranOut);
  auto twin = Twin(*before);
  ReverseParams marked;
  marked.polygon = true;
  QCOMPARE(ReversePaths(*twin, marked, polygon, shown), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
  ExpectUndoGivesBack(*before, "reverse with a polygon");

  const ClientPoint onPass = OnScreen(30, 30);
  test::ScriptedInput pick;
  pick.ClickAt(onPass).Hold({Key::Enter});
  RunScripted(CommandId::ReverseOnePath, pick);
  QVERIFY(!pick.ranOut);
  auto oneTwin = Twin(*before);
  const int record = PickRecord(*oneTwin, shown, view().options().rapidShown, onPass);
  QCOMPARE(ReverseOnePath(*oneTwin, PathOfRecord(*oneTwin, record)->first), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *oneTwin).isEmpty(), qPrintable(Difference(db(), *oneTwin)));
  ExpectUndoGivesBack(*before, "one-path reverse");
}

void EditCommandsTest::startPointsComeFromTheClicks() {
  struct Case {
    CommandId command;
    StartPointMode mode;
  };
  const Case cases[] = {{CommandId::StartPointOfOpenPaths, StartPointMode::Open},
                        {CommandId::StartPointOfClosedPaths, StartPointMode::Closed},
                        {CommandId::StartPointOfAllPaths, StartPointMode::Both}};
  auto before = Twin(db());
  const ViewState shown = view().viewState();
  // Near the square's far corner and near the end of the 5 mm path.
  const std::vector<ClientPoint> clicked = {OnScreen(111, 11), OnScreen(106, 30)};
  for (const Case& c : cases) {
    test::ScriptedInput clicks;
    for (ClientPoint p : clicked) clicks.ClickAt(p);
    clicks.Hold({Key::Enter});
    RunScripted(c.command, clicks);
    QVERIFY(!clicks.ranOut);
    std::vector<Point3> model;
    for (ClientPoint p : clicked) model.push_back(*ScreenToModel(shown, p));
    auto twin = Twin(*before);
    QCOMPARE(ChangeStartPoints(*twin, c.mode, model), EditOutcome::Changed);
    QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
    ExpectUndoGivesBack(*before, "start points");
  }
}

void EditCommandsTest::selectModeKeysActOnTheSelection() {
  auto before = Twin(db());
  frame().RunCommand(CommandId::SelectMode);
  QVERIFY(view().SelectMode());

  // BACK SPACE inverts, SPACE clears.
  Select(db(), 5, 12);
  QTest::keyClick(&view(), Qt::Key_Backspace);
  QCOMPARE(SelectedCount(db()), db().recordCount - 7);
  QTest::keyClick(&view(), Qt::Key_Space);
  QCOMPARE(SelectedCount(db()), 0);

  // RETURN deletes what is selected.
  Select(db(), 5, 12);
  auto twin = Twin(db());
  Select(*twin, 5, 12);
  QTest::keyClick(&view(), Qt::Key_Return);
  QCOMPARE(DeleteSelected(*twin), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
  ExpectUndoGivesBack(*before, "delete selected");

  // RETURN with nothing selected does nothing; the menu item does the same as the key.
  frame().RunCommand(CommandId::ClearSelection);
  const int undoPos = db().undoPos();
  QTest::keyClick(&view(), Qt::Key_Return);
  QCOMPARE(db().undoPos(), undoPos);
  Select(db(), 20, 26);
  frame().RunCommand(CommandId::DeleteSelected);
  auto menuTwin = Twin(*before);
  Select(*menuTwin, 20, 26);
  QCOMPARE(DeleteSelected(*menuTwin), EditOutcome::Changed);
  QVERIFY2(Difference(db(), *menuTwin).isEmpty(), qPrintable(Difference(db(), *menuTwin)));
}

void EditCommandsTest::theArcGuardsCancelEndsZUpAndStartPointChange() {
  const QString path = fixture_->HomeFile("arc.nc");
  std::ofstream(path.toStdString()) << "%\nG90 G17 G21\nG00 X0 Y0 Z50.\nZ2.\nG01 Z0 F500\nX10.\n"
                                       "G02 X20. Y0 I5. J0\nG01 X20. Y-5. Z-2.\nG00 Z50.\nM30\n%\n";
  view_ = frame().OpenDocument(path);
  QVERIFY(view_);
  frame().RunCommand(CommandId::ViewTop);
  auto before = Twin(db());

  // Z-up: its dialog, then the question; Cancel ends the command.
  auto asked = std::make_shared<ShownMessage>();
  const auto cancelQuestion = [asked](QWidget& question) {
    if (auto* box = qobject_cast<QMessageBox*>(&question)) {
      asked->text = box->text();
      box->button(QMessageBox::Cancel)->click();
    }
  };
  RunWithDialog(CommandId::SuppressZMoves, [cancelQuestion](QWidget& d) {
    AnswerNextDialog(cancelQuestion);
    Press(d, QStringLiteral("OK"));
  });
  QCOMPARE(asked->text, QString::fromUtf8(kArcGuardQuestion.data(), kArcGuardQuestion.size()));
  QVERIFY(Difference(db(), *before).isEmpty());

  // Start point change asks before it takes any click.
  asked->text.clear();
  test::ScriptedInput clicks;
  clicks.ClickAt(OnScreen(20, -5)).Hold({Key::Enter});
  AnswerNextDialog(cancelQuestion);
  RunScripted(CommandId::StartPointOfOpenPaths, clicks);
  QVERIFY(!asked->text.isEmpty());
  QVERIFY(Difference(db(), *before).isEmpty());

  // OK turns the arc into straight moves, then drops the steep descent.
  RunWithDialog(CommandId::SuppressZMoves, [](QWidget& d) {
    AnswerNextDialog([](QWidget& question) { Press(question, QStringLiteral("OK")); });
    Tick(d, "dropDown");
    Press(d, QStringLiteral("OK"));
  });
  int arcs = 0;
  db().ForEachRecord([&arcs](int, const ToolpathRecord& r) { arcs += IsArcKind(r.kind); });
  QCOMPARE(arcs, 0);
  QVERIFY(!Difference(db(), *before).isEmpty());
  frame().RunCommand(CommandId::Undo);
  frame().RunCommand(CommandId::Undo);
  QVERIFY(Difference(db(), *before).isEmpty());

  // After the conversion the clicks are taken with no progress bar left standing.
  BarWatch watched(frame());
  watched.ClickAt(OnScreen(20, -5)).Hold({Key::Enter});
  AnswerNextDialog([](QWidget& question) { Press(question, QStringLiteral("OK")); });
  RunScripted(CommandId::StartPointOfOpenPaths, watched);
  QVERIFY(!watched.ranOut);
  QVERIFY(!watched.barSeen);
  auto twin = Twin(*before);
  QVERIFY(ArcsToLines(*twin, kArcGuardChordTolerance));
  const ClientPoint click = OnScreen(20, -5);
  QCOMPARE(ChangeStartPoints(*twin, StartPointMode::Open, std::vector{*ScreenToModel(view().viewState(), click)}),
           EditOutcome::Changed);
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
}

void EditCommandsTest::aResultThatWouldNotFitChangesNothing() {
  auto before = Twin(db());
  std::shared_ptr<ShownMessage> shown;
  RunWithDialog(CommandId::SubdividePoints, [&shown](QWidget& d) {
    Type(d, "interval", "0.00001");
    shown = CatchNextMessage();
    Press(d, QStringLiteral("OK"));
  });
  QVERIFY(shown);
  QCOMPARE(shown->caption, QStringLiteral(" Message"));
  QCOMPARE(shown->text, QStringLiteral("Memory를 할당할 수 없습니다!!!"));
  QVERIFY(Difference(db(), *before).isEmpty());
  QCOMPARE(db().undoPos(), 0);
}

}  // namespace fendo

QTEST_MAIN(fendo::EditCommandsTest)
#include "edit_commands_test.moc"
