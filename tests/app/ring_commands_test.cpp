// "방사선", "나선형" and "방사선 간격조절" through their menu rows and dialogs: each writes what
// fendo-batch generate and radial-spacing write with the same values, undo takes it back, the
// one RingDialog keeps its values for both patterns, and what the commands cannot do is said
// and changes nothing.
#include <QAction>
#include <QLabel>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "dialog_controls.h"
#include "generate/radial_spacing.h"
#include "generate/ring_patterns.h"
#include "view_command_fixture.h"

namespace fendo {
namespace {

using test::Difference;
using test::Twin;

constexpr char kPlate[] = "%\nO1700\nG90 G17 G21\nG00 X-80. Y-80. Z25.\nG01 Z-1. F450\nX80.\nY80.\nG00 Z25.\nM30\n%\n";
// Spokes cut by arcs, from the outer end round to the centre.
constexpr char kArcSpokes[] =
    "G00 X0 Y0 Z20\nG00 X40 Y0\nG01 Z-1 F300\nG03 X0 Y0 I-20 J0\nG00 Z20\n"
    "G00 X0 Y40\nG01 Z-1\nG03 X0 Y0 I0 J-20\nG00 Z20\nG00 X-40 Y0\nG01 Z-1\nG03 X0 Y0 I20 J0\nG00 Z20\n";

}  // namespace

class RingCommandsTest : public QObject, public ViewCommandFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void commandsAreInTheOptimizeMenu();
  void dialogsShowTheirLabelsAndDefaults();
  void commandsWriteWhatTheBatchVerbsWriteAndUndoTakesItBack();
  void bothPatternsOpenOnTheRingEnteredLast();
  void valuesTheCommandsCannotUseAreRefusedOnTheirField();
  void whatCannotBeMadeIsSaidAndChangesNothing();

 private:
  // Opens `program` in another view of the same frame.
  void Open(const char* name, const std::string& program) {
    std::ofstream(Home(name)) << program;
    view_ = frame().OpenDocument(QString::fromStdString(Home(name)));
    QVERIFY(view_);
  }
};

void RingCommandsTest::init() { QVERIFY(OpenProgram("plate.nc", kPlate)); }

void RingCommandsTest::cleanup() { CloseProgram(); }

void RingCommandsTest::commandsAreInTheOptimizeMenu() {
  const struct {
    CommandId id;
    const char* text;
  } rows[] = {{CommandId::GenerateRadial, "방사선"},
              {CommandId::GenerateSpiral, "나선형"},
              {CommandId::AdjustRadialSpacing, "방사선 간격조절"}};
  for (const auto& row : rows) {
    QAction* action = frame().Action(row.id);
    QVERIFY(action);
    QCOMPARE(action->text(), QString::fromUtf8(row.text));
    QVERIFY2(action->isEnabled(), row.text);
  }
}

void RingCommandsTest::dialogsShowTheirLabelsAndDefaults() {
  QStringList seen;
  const auto look = [&seen](const char* const* fields) {
    return [&seen, fields](QWidget& d) {
      seen << d.windowTitle();
      for (const QLabel* label : d.findChildren<QLabel*>()) seen << label->text();
      for (const char* const* field = fields; *field; ++field) seen << TextOf(d, *field);
      Press(d, QStringLiteral("Cancel"));
    };
  };
  static const char* const kRing[] = {"centreX", "centreY", "cuttingZ", "stepover", "outerDiameter", "innerDiameter",
                                      nullptr};
  static const char* const kSpacing[] = {"centreX",    "centreY",    "centreZ",       "smallAngle",
                                         "largeAngle", "minimumSpacing", nullptr};
  RunWithDialog(CommandId::GenerateRadial, look(kRing));
  RunWithDialog(CommandId::AdjustRadialSpacing, look(kSpacing));
  QCOMPARE(seen, (QStringList{"Ring", "X 좌표", "Y 좌표", "Z 좌표", "Stepover", "외 경", "내 경", "0", "0", "0", "10",
                              "100", "0", "방사선 간격조절", "X 중심", "Y 중심", "Z 중심", "작은 각도", "큰 각도",
                              "최소 간격", "0", "0", "0", "0", "360", "2"}));
}

void RingCommandsTest::commandsWriteWhatTheBatchVerbsWriteAndUndoTakesItBack() {
  struct Case {
    const char* name;
    const char* program;  // opened first
    CommandId command;
    std::function<void(QWidget&)> fill;
    std::vector<std::string> batch;  // the verb and its options; "IN" stands for the program
    bool asksArcGuard = false;
  };
  const std::string radial = Home("radial.nc");
  QCOMPARE(test::Batch({"generate", "radial", "-o", radial, "--stepover", "1.5", "--cutting-z", "-2",
                        "--centre-y", "10", "--inner-diameter", "8"})
               .status,
           0);
  const std::string radialProgram = test::ReadFile(radial);
  const std::vector<Case> cases = {
      {"방사선", kPlate, CommandId::GenerateRadial,
       [](QWidget& d) {
         Type(d, "centreX", "12.5");
         Type(d, "cuttingZ", "-3");
         Type(d, "stepover", "4");
         Type(d, "outerDiameter", "60");
         Type(d, "innerDiameter", "10");
       },
       {"generate", "radial", "--append-to", "IN", "--centre-x", "12.5", "--cutting-z", "-3", "--stepover", "4",
        "--outer-diameter", "60", "--inner-diameter", "10"}},
      {"나선형", kPlate, CommandId::GenerateSpiral,
       [](QWidget& d) {
         Type(d, "centreY", "-20");
         Type(d, "stepover", "7");
         Type(d, "outerDiameter", "90");
         Type(d, "innerDiameter", "0");
       },
       {"generate", "spiral", "--append-to", "IN", "--centre-x", "12.5", "--centre-y", "-20", "--cutting-z", "-3",
        "--stepover", "7", "--outer-diameter", "90"}},
      {"방사선 간격조절", radialProgram.c_str(), CommandId::AdjustRadialSpacing,
       [](QWidget& d) {
         Type(d, "centreY", "10");
         Type(d, "minimumSpacing", "3");
       },
       {"radial-spacing", "IN", "--centre-y", "10", "--minimum-spacing", "3"}},
      {"방사선 간격조절, arcs", kArcSpokes, CommandId::AdjustRadialSpacing,
       [](QWidget& d) {
         Type(d, "centreY", "0");
         Type(d, "largeAngle", "270");
         Type(d, "minimumSpacing", "60");
       },
       {"radial-spacing", "IN", "--large-angle", "270", "--minimum-spacing", "60"}, true},
  };
  for (const Case& c : cases) {
    Open("input.nc", c.program);
    auto before = Twin(db());
    RunWithDialog(c.command, [&c](QWidget& dialog) {
      c.fill(dialog);
      if (c.asksArcGuard) AnswerNextDialog([](QWidget& question) { Press(question, QStringLiteral("OK")); });
      Press(dialog, QStringLiteral("OK"));
    });
    QVERIFY2(!Difference(db(), *before).isEmpty(), c.name);
    const std::string batchOut = Home("batch.nc");
    std::vector<std::string> args;
    for (const std::string& word : c.batch) args.push_back(word == "IN" ? Home("input.nc") : word);
    args.insert(args.end(), {"-o", batchOut, "--no-diagonal-check"});
    const test::BatchRun batch = test::Batch(args);
    QVERIFY2(batch.status == 0, qPrintable(QStringLiteral("%1: %2").arg(c.name, QString::fromStdString(batch.err))));
    QVERIFY2(Written() == test::ReadFile(batchOut), c.name);

    // One undo step takes the command back (the arc guard's conversion has a step of its own).
    if (c.asksArcGuard) frame().RunCommand(CommandId::Undo);
    ExpectUndoGivesBack(*before, c.name);
  }
}

void RingCommandsTest::bothPatternsOpenOnTheRingEnteredLast() {
  RunWithDialog(CommandId::GenerateSpiral, [](QWidget& d) {
    Type(d, "centreX", "-5");
    Type(d, "outerDiameter", "30");
    Press(d, QStringLiteral("OK"));
  });
  // Cancel keeps what was there.
  RunWithDialog(CommandId::GenerateRadial, [](QWidget& d) {
    Type(d, "stepover", "3");
    Press(d, QStringLiteral("Cancel"));
  });
  QStringList seen;
  RunWithDialog(CommandId::GenerateRadial, [&seen](QWidget& d) {
    seen << TextOf(d, "centreX") << TextOf(d, "outerDiameter") << TextOf(d, "stepover");
    Press(d, QStringLiteral("Cancel"));
  });
  QCOMPARE(seen, (QStringList{"-5", "30", "10"}));
}

void RingCommandsTest::valuesTheCommandsCannotUseAreRefusedOnTheirField() {
  auto before = Twin(db());
  struct Case {
    CommandId command;
    const char* field;
    const char* text;
    const char* says;
  };
  const Case cases[] = {
      {CommandId::GenerateRadial, "stepover", "0", "0.01 ~ 1000"},
      {CommandId::GenerateSpiral, "outerDiameter", "20000", "0 ~ 10000"},
      {CommandId::GenerateSpiral, "innerDiameter", "x", "숫자를 입력하시요."},
      {CommandId::AdjustRadialSpacing, "minimumSpacing", "0", "최소 간격: 0 보다 큰 값을 입력하시요."},
      {CommandId::AdjustRadialSpacing, "largeAngle", "0", "큰 각도: 작은 각도와 다른 값을 입력하시요."},
  };
  for (const Case& c : cases) {
    bool stayed = false;
    QString focus;
    std::shared_ptr<ShownMessage> shown;
    RunWithDialog(c.command, [&](QWidget& d) {
      Type(d, c.field, QString::fromLatin1(c.text));
      shown = CatchNextMessage();
      Press(d, QStringLiteral("OK"));
      stayed = d.isVisible();
      focus = d.focusWidget() ? d.focusWidget()->objectName() : QString();
      Press(d, QStringLiteral("Cancel"));
    });
    QVERIFY2(stayed, c.field);
    QCOMPARE(focus, QString::fromLatin1(c.field));
    QVERIFY2(shown && shown->text.contains(QString::fromUtf8(c.says)), qPrintable(shown ? shown->text : "no message"));
  }
  QVERIFY(Difference(db(), *before).isEmpty());
  QCOMPARE(db().undoPos(), 0);
}

void RingCommandsTest::whatCannotBeMadeIsSaidAndChangesNothing() {
  struct Case {
    const char* program;
    CommandId command;
    std::function<void(QWidget&)> fill;
    QString says;
  };
  const Case cases[] = {
      {kPlate, CommandId::GenerateSpiral,
       [](QWidget& d) {
         Type(d, "outerDiameter", "40");
         Type(d, "innerDiameter", "40");
       },
       QString::fromUtf8(kEmptyRingText.data(), static_cast<int>(kEmptyRingText.size()))},
      {kPlate, CommandId::GenerateRadial,
       [](QWidget& d) {
         Type(d, "centreX", "32690");
         Type(d, "innerDiameter", "0");
       },
       QStringLiteral("32700")},
      {"G00 X0 Y0 Z20\nG00 X10\nG00 Z5\n", CommandId::AdjustRadialSpacing, [](QWidget&) {},
       QString::fromUtf8(kNoSpokesText.data(), static_cast<int>(kNoSpokesText.size()))},
  };
  for (const Case& c : cases) {
    Open("input.nc", c.program);
    auto before = Twin(db());
    std::shared_ptr<ShownMessage> shown;
    RunWithDialog(c.command, [&](QWidget& d) {
      c.fill(d);
      shown = CatchNextMessage();
      Press(d, QStringLiteral("OK"));
    });
    QVERIFY(shown);
    QVERIFY2(shown->text.contains(c.says), qPrintable(shown->text));
    QVERIFY(Difference(db(), *before).isEmpty());
    QCOMPARE(db().undoPos(), 0);
  }
}

}  // namespace fendo

QTEST_MAIN(fendo::RingCommandsTest)
#include "ring_commands_test.moc"
