// "등고선 공구경로 생성" through its dialog: the presets it opens on, what it writes compared with
// fendo-batch contour given the same values, the undo, and a spacing it refuses.
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>

#include <fstream>
#include <memory>
#include <string>

#include "cli/batch_run.h"
#include "dialog_controls.h"
#include "generate/contour_programs.h"
#include "interact/arc_guard.h"
#include "view_command_fixture.h"

namespace fendo {

using test::Difference;
using test::Twin;

class ContourCommandsTest : public QObject, public ViewCommandFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void theDialogOpensOnThePresetsOfTheProgram();
  void theCommandWritesWhatTheBatchContourWrites();
  void aSpacingOfZeroIsRefusedAndTakesNoSnapshot();
  void theArcGuardComesAfterTheDialog();

 private:
  void RunWithDialog(std::function<void(QWidget&)> answer) {
    ViewCommandFixture::RunWithDialog(CommandId::GenerateContours, std::move(answer));
  }
};

void ContourCommandsTest::init() {
  QVERIFY(OpenProgram("hemisphere.nc", test::HemisphereFinishing()));
  QVERIFY(frame().Action(CommandId::GenerateContours)->isEnabled());
}

void ContourCommandsTest::cleanup() { CloseProgram(); }

void ContourCommandsTest::theDialogOpensOnThePresetsOfTheProgram() {
  QStringList shown;
  RunWithDialog([&shown](QWidget& d) {
    shown << d.windowTitle();
    for (const QLabel* label : d.findChildren<QLabel*>()) shown << label->text();
    for (const char* field : {"topZ", "bottomZ", "zSpacing", "startX", "startY", "maxLink"}) shown << TextOf(d, field);
    Press(d, QStringLiteral("Cancel"));
  });
  // The hemisphere's top is reached by no pass exactly; the floor is at 0, last reached at the
  // end of the last pass.
  const QStringList expected{QStringLiteral("등고선 변수를 입력하시요!!!"),
                             QStringLiteral("최대 높이"),
                             QStringLiteral("최저 높이"),
                             QStringLiteral("등고선 Z 간격"),
                             QStringLiteral("시작점 X좌표"),
                             QStringLiteral("시작점 Y좌표"),
                             QStringLiteral("최대 연결거리")};
  QCOMPARE(shown.mid(0, 7), expected);
  QCOMPARE(shown.mid(8), (QStringList{"0", "4", "-25", "24.75", "4"}));
  QVERIFY(shown[7].startsWith(QStringLiteral("19.99")));
  QCOMPARE(db().undoPos(), 0);
}

void ContourCommandsTest::theCommandWritesWhatTheBatchContourWrites() {
  auto before = Twin(db());
  RunWithDialog([](QWidget& d) {
    Type(d, "zSpacing", "2.5");
    Type(d, "startX", "3");
    Type(d, "maxLink", "3.5");
    Press(d, QStringLiteral("OK"));
  });
  QCOMPARE(db().undoPos(), 1);

  const std::string batchOut = Home("batch.nc");
  const test::BatchRun batch =
      test::Batch({"contour", Home("hemisphere.nc"), "-o", batchOut, "--no-diagonal-check",
                   "--z-spacing", "2.5", "--start-x", "3", "--max-link", "3.5"});
  QVERIFY2(batch.status == 0, batch.err.c_str());
  QVERIFY(Written() == test::ReadFile(batchOut));

  // The spacing and link distance are kept for the next time, the presets taken afresh.
  QStringList seen;
  RunWithDialog([&seen](QWidget& d) {
    for (const char* field : {"zSpacing", "startX", "maxLink"}) seen << TextOf(d, field);
    Press(d, QStringLiteral("Cancel"));
  });
  QCOMPARE(seen[0], QStringLiteral("2.5"));
  QCOMPARE(seen[2], QStringLiteral("3.5"));
  QVERIFY(seen[1] != QStringLiteral("3"));

  ExpectUndoGivesBack(*before, "the contours");
}

void ContourCommandsTest::aSpacingOfZeroIsRefusedAndTakesNoSnapshot() {
  auto before = Twin(db());
  QString message;
  bool stayedOpen = false;
  RunWithDialog([&](QWidget& d) {
    Type(d, "zSpacing", "0");
    const std::shared_ptr<ShownMessage> shown = CatchNextMessage();
    Press(d, QStringLiteral("OK"));
    message = shown->text;
    stayedOpen = d.isVisible();
    Press(d, QStringLiteral("Cancel"));
  });
  QVERIFY(stayedOpen);
  QCOMPARE(message, QStringLiteral("등고선 Z 간격: 0.001 ~ 10000 사이의 값을 입력하시요."));
  QVERIFY(Difference(db(), *before).isEmpty());
  QCOMPARE(db().undoPos(), 0);
}

// Passes over a half cylinder of radius 10, each an arc in G18.
void ContourCommandsTest::theArcGuardComesAfterTheDialog() {
  const std::string path = Home("dome.nc");
  std::ofstream(path) << "G90 G17 G21\nG00 X-20 Y0 Z50\nG01 Z0 F800\nG01 X-10\nG18 G02 X10 Z0 I10 K0\n"
                                       "G01 X20\nG00 Z50\nG00 X-20 Y1\nG01 Z0\nG01 X-10\nG18 G02 X10 Z0 I10 K0\n"
                                       "G01 X20\nG00 Z50\n";
  view_ = frame().OpenDocument(QString::fromStdString(path));
  QVERIFY(view_);
  auto before = Twin(db());
  const auto fill = [](QWidget& d) {
    Type(d, "topZ", "12");
    Type(d, "bottomZ", "-12");
    Type(d, "zSpacing", "2");
    Type(d, "maxLink", "1.5");
  };

  // Cancel on the question ends the command with nothing changed.
  QString asked;
  RunWithDialog([&](QWidget& d) {
    fill(d);
    AnswerNextDialog([&asked](QWidget& question) {
      if (auto* box = qobject_cast<QMessageBox*>(&question)) {
        asked = box->text();
        box->button(QMessageBox::Cancel)->click();
      }
    });
    Press(d, QStringLiteral("OK"));
  });
  QCOMPARE(asked, QString::fromUtf8(kArcGuardQuestion.data(), kArcGuardQuestion.size()));
  QVERIFY(Difference(db(), *before).isEmpty());

  // OK makes the arcs straight, then cuts them as fendo-batch contour does.
  RunWithDialog([&](QWidget& d) {
    fill(d);
    AnswerNextDialog([](QWidget& question) { Press(question, QStringLiteral("OK")); });
    Press(d, QStringLiteral("OK"));
  });
  const std::string batchOut = Home("batch.nc");
  const test::BatchRun batch =
      test::Batch({"contour", path, "-o", batchOut, "--no-diagonal-check", "--top-z", "12", "--bottom-z", "-12",
                   "--z-spacing", "2", "--max-link", "1.5"});
  QVERIFY2(batch.status == 0, batch.err.c_str());
  QVERIFY(Written() == test::ReadFile(batchOut));
}

}  // namespace fendo

QTEST_MAIN(fendo::ContourCommandsTest)
#include "contour_commands_test.moc"
