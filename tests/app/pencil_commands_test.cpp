// "펜슬" in the desktop program: its dialog with the labels, defaults and ranges of the
// engine, the pencil paths written as fendo-batch pencil writes them with the same values,
// undo, and the message when no pencil path can be made.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/commands/pencil_commands.h"
#include "cli/batch_run.h"
#include "dialog_controls.h"
#include "generate/pencil.h"
#include "generate/pencil_programs.h"
#include "view_command_fixture.h"

namespace fendo {

using test::Difference;
using test::Twin;

class PencilCommandsTest : public QObject, public ViewCommandFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void theDialogShowsItsLabelsAndDefaultsAndRefusesValuesOutOfRange();
  void theCommandWritesWhatTheBatchVerbWritesAndUndoTakesItBack();
  void aToolpathWithoutCornersIsLeftAsItWasWithAMessage();

 private:
  void RunWithDialog(std::function<void(QWidget&)> answer) {
    ViewCommandFixture::RunWithDialog(CommandId::Pencil, std::move(answer));
  }
  // Opens `nc` in another view of the same frame.
  void OpenAnother(const std::string& name, const std::string& nc) {
    input_ = Home(name);
    std::ofstream(input_) << nc;
    view_ = frame().OpenDocument(QString::fromStdString(input_));
    QVERIFY(view_);
  }

  std::string input_;
};

void PencilCommandsTest::init() {
  QVERIFY(OpenProgram("pocket.nc", test::NcText(test::Pocket(0, 30).records())));
  input_ = Home("pocket.nc");
}

void PencilCommandsTest::cleanup() { CloseProgram(); }

void PencilCommandsTest::theDialogShowsItsLabelsAndDefaultsAndRefusesValuesOutOfRange() {
  auto before = Twin(db());
  bool seen = false;
  std::shared_ptr<ShownMessage> refused;
  RunWithDialog([&](QWidget& d) {
    seen = true;
    QCOMPARE(d.windowTitle(), QStringLiteral("펜슬 공구경로 생성"));
    QStringList labels;
    for (const QLabel* label : d.findChildren<QLabel*>()) labels << label->text();
    for (const QString& text : {QStringLiteral("    코너 검색           최소 각도"), QStringLiteral("삭제 경로길이"),
                                QStringLiteral("최대 연결거리")}) {
      QVERIFY2(labels.contains(text), qPrintable(text));
    }
    QCOMPARE(d.findChild<QCheckBox*>("separateUpDown")->text(), QStringLiteral("상, 하향 구분"));
    QCOMPARE(d.findChild<QCheckBox*>("xyCorner")->text(), QStringLiteral("XY 코너"));
    QCOMPARE(TextOf(d, "smallAngle").toDouble(), 15.0);
    QCOMPARE(TextOf(d, "deleteLength").toDouble(), 4.0);
    QCOMPARE(TextOf(d, "maxLink").toDouble(), 4.0);
    QVERIFY(Ticked(d, "separateUpDown"));
    QVERIFY(!Ticked(d, "xyCorner"));
    Type(d, "maxLink", "0");
    refused = CatchNextMessage();
    Press(d, QStringLiteral("OK"));
    QVERIFY(d.isVisible());
    Press(d, QStringLiteral("Cancel"));
  });
  QVERIFY(seen);
  QVERIFY(refused);
  QVERIFY2(refused->text.contains(QStringLiteral("최대 연결거리")), qPrintable(refused->text));
  QVERIFY(Difference(db(), *before).isEmpty());
}

void PencilCommandsTest::theCommandWritesWhatTheBatchVerbWritesAndUndoTakesItBack() {
  struct Case {
    const char* name;
    std::function<void(QWidget&)> fill;
    std::vector<std::string> flags;
  };
  const std::vector<Case> cases = {
      {"defaults", {}, {}},
      {"own values",
       [](QWidget& d) {
         Type(d, "smallAngle", "16");
         Type(d, "deleteLength", "10");
         Type(d, "maxLink", "2.5");
         Tick(d, "separateUpDown", false);
         Tick(d, "xyCorner");
       },
       {"--small-angle", "16", "--delete-length", "10", "--max-link", "2.5", "--no-separate-up-down", "--xy-corner"}},
  };
  for (const Case& c : cases) {
    auto before = Twin(db());
    RunWithDialog([&c](QWidget& d) {
      if (c.fill) c.fill(d);
      Press(d, QStringLiteral("OK"));
    });
    QVERIFY2(Difference(db(), *before).size() > 0, c.name);
    const std::string batchOut = Home("batch.nc");
    std::vector<std::string> args = {"pencil", input_, "-o", batchOut, "--no-diagonal-check"};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const test::BatchRun batch = test::Batch(args);
    QVERIFY2(batch.status == 0, qPrintable(QString::fromStdString(batch.err)));
    QVERIFY2(Written() == test::ReadFile(batchOut), c.name);

    ExpectUndoGivesBack(*before, c.name);
  }
}

void PencilCommandsTest::aToolpathWithoutCornersIsLeftAsItWasWithAMessage() {
  OpenAnother("flat.nc", "G00 X0 Y0 Z50\nG01 Z0 F500\nG01 X10\nG01 X20\nG00 Z50\n");
  auto before = Twin(db());
  const int undoBefore = db().undoTop();
  std::shared_ptr<ShownMessage> shown;
  RunWithDialog([&shown](QWidget& d) {
    shown = CatchNextMessage();
    Press(d, QStringLiteral("OK"));
  });
  QVERIFY(shown);
  QCOMPARE(shown->text, Utf8(kNoPencilPathText));
  QVERIFY(Difference(db(), *before).isEmpty());
  QCOMPARE(db().undoTop(), undoBefore);
}

}  // namespace fendo

QTEST_MAIN(fendo::PencilCommandsTest)
#include "pencil_commands_test.moc"
