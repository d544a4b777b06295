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

#include "app/fendo_view.h"
#include "app/qt_text.h"
#include "app_fixture.h"
#include "dialog_controls.h"
#include "cli/batch_run.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "app/commands/pencil_commands.h"
#include "generate/pencil.h"
#include "generate/pencil_programs.h"
#include "output/nc_output_options.h"
#include "output/nc_writer.h"
#include "record_twin.h"
#include "support/file_bytes.h"

namespace fendo {

using test::Difference;
using test::Twin;

class PencilCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void theDialogShowsItsLabelsAndDefaultsAndRefusesValuesOutOfRange();
  void theCommandWritesWhatTheBatchVerbWritesAndUndoTakesItBack();
  void aToolpathWithoutCornersIsLeftAsItWasWithAMessage();

 private:
  ToolpathDatabase& db() { return view_->database(); }
  CMainFrame& frame() { return fixture_->frame(); }
  void RunWithDialog(std::function<void(QWidget&)> answer) {
    AnswerNextDialog(std::move(answer));
    frame().RunCommand(CommandId::Pencil);
  }
  void Open(const std::string& name, const std::string& nc) {
    input_ = ToUtf8(fixture_->HomeFile(name));
    std::ofstream(input_) << nc;
    view_ = frame().OpenDocument(QString::fromStdString(input_));
    QVERIFY(view_);
  }

  std::unique_ptr<AppFixture> fixture_;
  CFendoView* view_ = nullptr;
  std::string input_;
};

void PencilCommandsTest::init() {
  fixture_ = std::make_unique<AppFixture>();
  Open("pocket.nc", test::NcText(test::Pocket(0, 30).records()));
}

void PencilCommandsTest::cleanup() {
  view_ = nullptr;
  fixture_.reset();
}

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
    NcOutputOptions options;
    PresetFromWorkLayer(db(), options);
    options.outputPath = ToUtf8(fixture_->HomeFile("desktop.nc"));
    options.diagonalRapidCheck = false;
    options.openEditor = false;
    test::ScriptedPrompts prompts;
    QVERIFY2(WriteNcProgram(db(), options, prompts).ok(), c.name);

    const std::string batchOut = ToUtf8(fixture_->HomeFile("batch.nc"));
    std::vector<std::string> args = {"pencil", input_, "-o", batchOut, "--no-diagonal-check"};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const test::BatchRun batch = test::Batch(args);
    QVERIFY2(batch.status == 0, qPrintable(QString::fromStdString(batch.err)));
    QVERIFY2(test::ReadFile(options.outputPath) == test::ReadFile(batchOut), c.name);

    frame().RunCommand(CommandId::Undo);
    QVERIFY2(Difference(db(), *before).isEmpty(), qPrintable(Difference(db(), *before)));
  }
}

void PencilCommandsTest::aToolpathWithoutCornersIsLeftAsItWasWithAMessage() {
  Open("flat.nc", "G00 X0 Y0 Z50\nG01 Z0 F500\nG01 X10\nG01 X20\nG00 Z50\n");
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
