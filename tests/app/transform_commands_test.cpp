// "공구경로 이동및 복사" and "공구경로 정렬" through their menu rows and dialogs: each writes what
// fendo-batch transform and sort write with the same values, undo takes it back, the dialogs
// open on the values entered last and refuse values out of range.
#include <QAction>
#include <QGroupBox>
#include <QRadioButton>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/fendo_view.h"
#include "app/qt_text.h"
#include "app_fixture.h"
#include "cli/batch_run.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "dialog_controls.h"
#include "output/nc_output_options.h"
#include "output/nc_writer.h"
#include "record_twin.h"
#include "support/file_bytes.h"
#include "view_command_fixture.h"

namespace fendo {
namespace {

using test::Difference;
using test::Twin;

// Passes scattered so that the sort has something to do, one of them ending in a half circle.
std::string TestProgram() {
  std::string nc = "%\nO1500\nG90 G17 G21\nG00 X0 Y0 Z50.\n";
  const int starts[][2] = {{0, 0}, {60, 0}, {3, 10}, {63, 10}, {6, 20}, {66, 20}};
  for (const auto& [x, y] : starts) {
    nc += "G00 X" + std::to_string(x) + ". Y" + std::to_string(y) + ".\nZ2.\nG01 Z0 F800\n";
    nc += "X" + std::to_string(x + 20) + ". F1000\n";
    if (x == 0) nc += "G02 X" + std::to_string(x + 30) + ". I5. J0\n";
    nc += "G00 Z50.\n";
  }
  return nc + "M30\n%\n";
}

}  // namespace

class TransformCommandsTest : public QObject, public ViewCommandFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void commandsAreInTheEditMenu();
  void dialogsShowTheirGroupsAndDefaults();
  void commandsWriteWhatTheBatchVerbsWriteAndUndoTakesItBack();
  void dialogsOpenOnTheValuesEnteredLast();
  void valuesOutOfRangeAreRefusedOnTheirField();
  void copiesPastTheRecordLimitChangeNothing();
  void aMoveBeyondWhatRecordsHoldChangesNothing();
};

void TransformCommandsTest::init() {
  fixture_ = std::make_unique<AppFixture>();
  const QString path = fixture_->HomeFile("transform.nc");
  std::ofstream(path.toStdString()) << TestProgram();
  view_ = frame().OpenDocument(path);
  QVERIFY(view_);
  QVERIFY(db().recordCount > 20);
}

void TransformCommandsTest::cleanup() { CloseProgram(); }

void TransformCommandsTest::commandsAreInTheEditMenu() {
  for (CommandId id : {CommandId::MoveOrCopyToolpath, CommandId::SortPaths}) {
    QAction* action = frame().Action(id);
    QVERIFY(action);
    QVERIFY2(action->isEnabled(), qPrintable(action->text()));
  }
  QCOMPARE(frame().Action(CommandId::MoveOrCopyToolpath)->text(), QStringLiteral("공구경로 이동및 복사"));
  QCOMPARE(frame().Action(CommandId::SortPaths)->text(), QStringLiteral("공구경로 정렬"));
}

void TransformCommandsTest::dialogsShowTheirGroupsAndDefaults() {
  QStringList seen;
  RunWithDialog(CommandId::MoveOrCopyToolpath, [&seen](QWidget& d) {
    seen << d.windowTitle();
    for (const QGroupBox* box : d.findChildren<QGroupBox*>()) seen << box->title();
    seen << (Ticked(d, "move") ? "move" : "?") << TextOf(d, "sx") << TextOf(d, "copies");
    const auto* rotateX = d.findChild<QAbstractButton*>(QStringLiteral("rotateX"));
    seen << (rotateX && !rotateX->isEnabled() ? "X disabled" : "X?");
    Press(d, QStringLiteral("Cancel"));
  });
  QCOMPARE(seen, (QStringList{"공구경로 이동, 회전, 미러, 복사", "<< 이동방법 >>", "<< 이동거리 >>", "<< 회전각도 >>",
                              "<< 회전중심>>", "<< 미러, 스케일 >>", "move", "-1", "0", "X disabled"}));
  seen.clear();
  RunWithDialog(CommandId::SortPaths, [&seen](QWidget& d) {
    seen << d.windowTitle();
    for (const QRadioButton* button : d.findChildren<QRadioButton*>()) seen << button->text();
    seen << (Ticked(d, "startToStart") ? "mode 1" : "?") << TextOf(d, "distance") << TextOf(d, "height");
    Press(d, QStringLiteral("Cancel"));
  });
  QCOMPARE(seen, (QStringList{"공구경로 정렬", "방향유지, 시작점-시작점", "방향유지, 시작점-끝점", "방향무시",
                              "정렬거리내 복귀높이 ", "mode 1", "5", "10"}));
}

void TransformCommandsTest::commandsWriteWhatTheBatchVerbsWriteAndUndoTakesItBack() {
  struct Case {
    const char* name;
    CommandId command;
    std::function<void(QWidget&)> fill;
    std::vector<std::string> batch;  // the verb and its options
  };
  const std::vector<Case> cases = {
      {"거리 복사", CommandId::MoveOrCopyToolpath,
       [](QWidget& d) {
         Tick(d, "moveX");
         Type(d, "dx", "-10");
         Tick(d, "moveY");
         Tick(d, "moveZ");
         Tick(d, "copy");
         Type(d, "copies", "3");
       },
       {"transform", "--move", "-10,0,0", "--copies", "3"}},
      {"회전", CommandId::MoveOrCopyToolpath,
       [](QWidget& d) {
         Tick(d, "rotate");
         Tick(d, "rotateZ");
         Type(d, "angle", "90");
         Type(d, "centreX", "5");
         Type(d, "centreY", "-5");
         Tick(d, "copy", false);
       },
       {"transform", "--rotate", "90", "--about", "5,-5,0"}},
      {"미러", CommandId::MoveOrCopyToolpath,
       [](QWidget& d) {
         Tick(d, "mirrorScale");
         Tick(d, "scaleX");
         Type(d, "centreX", "0");
         Type(d, "centreY", "0");
       },
       {"transform", "--mirror", "x"}},
      {"정렬 1", CommandId::SortPaths, {}, {"sort", "--mode", "1"}},
      {"정렬 3", CommandId::SortPaths,
       [](QWidget& d) {
         Tick(d, "eitherEnd");
         Type(d, "distance", "100");
       },
       {"sort", "--mode", "3", "--distance", "100"}},
      {"정렬 4", CommandId::SortPaths,
       [](QWidget& d) {
         Tick(d, "returnHeight");
         Type(d, "distance", "40");
         Type(d, "height", "-1");
       },
       {"sort", "--mode", "4", "--distance", "40", "--height", "-1"}},
  };
  const std::string input = ToUtf8(fixture_->HomeFile("transform.nc"));
  for (const Case& c : cases) {
    auto before = Twin(db());
    RunWithDialog(c.command, [&c](QWidget& dialog) {
      if (c.fill) c.fill(dialog);
      Press(dialog, QStringLiteral("OK"));
    });
    QVERIFY2(!Difference(db(), *before).isEmpty(), c.name);
    NcOutputOptions options;
    PresetFromWorkLayer(db(), options);
    options.outputPath = ToUtf8(fixture_->HomeFile("desktop.nc"));
    options.diagonalRapidCheck = false;
    options.openEditor = false;
    test::ScriptedPrompts prompts;
    QVERIFY2(WriteNcProgram(db(), options, prompts).ok(), c.name);

    const std::string batchOut = ToUtf8(fixture_->HomeFile("batch.nc"));
    std::vector<std::string> args = {c.batch[0], input, "-o", batchOut, "--no-diagonal-check"};
    args.insert(args.end(), c.batch.begin() + 1, c.batch.end());
    const test::BatchRun batch = test::Batch(args);
    QVERIFY2(batch.status == 0, qPrintable(QStringLiteral("%1: %2").arg(c.name, QString::fromStdString(batch.err))));
    QVERIFY2(test::ReadFile(options.outputPath) == test::ReadFile(batchOut), c.name);

    frame().RunCommand(CommandId::Undo);
    QVERIFY2(Difference(db(), *before).isEmpty(), qPrintable(QStringLiteral("%1 undone: %2").arg(c.name, Difference(db(), *before))));
  }
}

void TransformCommandsTest::dialogsOpenOnTheValuesEnteredLast() {
  RunWithDialog(CommandId::MoveOrCopyToolpath, [](QWidget& d) {
    Tick(d, "rotate");
    Tick(d, "rotateZ");
    Type(d, "angle", "30");
    Type(d, "centreZ", "-2");
    Press(d, QStringLiteral("OK"));
  });
  RunWithDialog(CommandId::SortPaths, [](QWidget& d) {
    Tick(d, "endToStart");
    Type(d, "distance", "12.5");
    Press(d, QStringLiteral("OK"));
  });
  // Cancel keeps what was there.
  RunWithDialog(CommandId::SortPaths, [](QWidget& d) {
    Tick(d, "eitherEnd");
    Type(d, "height", "3");
    Press(d, QStringLiteral("Cancel"));
  });
  QStringList seen;
  RunWithDialog(CommandId::MoveOrCopyToolpath, [&seen](QWidget& d) {
    seen << (Ticked(d, "rotate") ? "rotate" : "?") << (Ticked(d, "rotateZ") ? "Z" : "?") << TextOf(d, "angle")
         << TextOf(d, "centreZ");
    Press(d, QStringLiteral("Cancel"));
  });
  RunWithDialog(CommandId::SortPaths, [&seen](QWidget& d) {
    seen << (Ticked(d, "endToStart") ? "mode 2" : "?") << TextOf(d, "distance") << TextOf(d, "height");
    Press(d, QStringLiteral("Cancel"));
  });
  QCOMPARE(seen, (QStringList{"rotate", "Z", "30", "-2", "mode 2", "12.5", "10"}));
}

void TransformCommandsTest::valuesOutOfRangeAreRefusedOnTheirField() {
  auto before = Twin(db());
  struct Case {
    CommandId command;
    const char* field;
    const char* text;
  };
  for (const Case& c : {Case{CommandId::MoveOrCopyToolpath, "copies", "1.5"},
                        Case{CommandId::MoveOrCopyToolpath, "angle", "4000"},
                        Case{CommandId::SortPaths, "height", "-0.5"}, Case{CommandId::SortPaths, "distance", "-1"}}) {
    bool stayed = false;
    QString focus;
    RunWithDialog(c.command, [&](QWidget& d) {
      Type(d, c.field, QString::fromLatin1(c.text));
      CatchNextMessage();
      Press(d, QStringLiteral("OK"));
      stayed = d.isVisible();
      focus = d.focusWidget() ? d.focusWidget()->objectName() : QString();
      Press(d, QStringLiteral("Cancel"));
    });
    QVERIFY2(stayed, c.field);
    QCOMPARE(focus, QString::fromLatin1(c.field));
  }
  QVERIFY(Difference(db(), *before).isEmpty());
  QCOMPARE(db().undoPos(), 0);
}

void TransformCommandsTest::copiesPastTheRecordLimitChangeNothing() {
  // 10,000 copies of a program of more than 1,308 records pass the limit.
  std::string nc = "G00 X0 Y0 Z50\n";
  for (int k = 0; k < 300; ++k) nc += "G00 X" + std::to_string(k) + " Y0\nG00 Z2\nG01 Z-1 F500\nG01 Y5\nG00 Z50\n";
  const QString path = fixture_->HomeFile("large.nc");
  std::ofstream(path.toStdString()) << nc;
  view_ = frame().OpenDocument(path);
  QVERIFY(view_);
  auto before = Twin(db());
  std::shared_ptr<ShownMessage> shown;
  RunWithDialog(CommandId::MoveOrCopyToolpath, [&shown](QWidget& d) {
    Tick(d, "move");
    Tick(d, "moveX");
    Type(d, "dx", "1");
    Tick(d, "copy");
    Type(d, "copies", "10000");
    shown = CatchNextMessage();
    Press(d, QStringLiteral("OK"));
  });
  QVERIFY(shown);
  QCOMPARE(shown->text, QStringLiteral("Memory를 할당할 수 없습니다!!!"));
  QVERIFY(Difference(db(), *before).isEmpty());
  QCOMPARE(db().undoPos(), 0);
}

void TransformCommandsTest::aMoveBeyondWhatRecordsHoldChangesNothing() {
  auto before = Twin(db());
  std::shared_ptr<ShownMessage> shown;
  RunWithDialog(CommandId::MoveOrCopyToolpath, [&shown](QWidget& d) {
    Tick(d, "move");
    Tick(d, "moveX");
    Type(d, "dx", "10000");
    Tick(d, "copy");
    Type(d, "copies", "4");  // the fourth copy lies beyond X 40000
    shown = CatchNextMessage();
    Press(d, QStringLiteral("OK"));
  });
  QVERIFY(shown);
  QVERIFY2(shown->text.contains(QStringLiteral("32700")), qPrintable(shown->text));
  QVERIFY(Difference(db(), *before).isEmpty());
  QCOMPARE(db().undoPos(), 0);
}

}  // namespace fendo

QTEST_MAIN(fendo::TransformCommandsTest)
#include "transform_commands_test.moc"
