#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <string>
#include <utility>
#include <vector>

#include "cli/batch_run.h"
#include "dialog_controls.h"
#include "generate/face.h"
#include "generate/pocket.h"
#include "generate/profile.h"
#include "view_command_fixture.h"

namespace fendo {
namespace {

using test::Difference;
using test::Twin;

// Two passes along X: something for the patterns to be appended behind.
std::string TestProgram() {
  return "%\nO1700\nG90 G17 G21\nG00 X0 Y0 Z50.\nG00 X-120. Y-90.\nZ2.\nG01 Z0 F800\nX120.\nY90.\n"
         "G00 Z50.\nM30\n%\n";
}

// The labels and group titles of a dialog.
QStringList Texts(QWidget& dialog) {
  QStringList texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
  for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) texts << button->text();
  for (const QGroupBox* box : dialog.findChildren<QGroupBox*>()) texts << box->title();
  return texts;
}

// A field or a button of the dialog, and what it is given: a number typed, a button ticked
// ("on") or unticked ("off").
using Entry = std::pair<const char*, QString>;

void Enter(QWidget& dialog, const std::vector<Entry>& entries) {
  for (const auto& [name, value] : entries) {
    if (value == QStringLiteral("on") || value == QStringLiteral("off")) {
      Tick(dialog, name, value == QStringLiteral("on"));
    } else {
      Type(dialog, name, value);
    }
  }
}

}  // namespace

class Generate2dTest : public QObject, public ViewCommandFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void commandsAreInTheMenu();
  void dialogsShowTheirTitlesLabelsAndDefaults();
  void eachCommandWritesWhatTheBatchVerbWritesAndUndoesAtOnce();
  void theDialogKeepsTheValuesEnteredLast();
  void valuesThatMakeNoPassChangeNothing();

 private:
  // What fendo-batch generate writes, appended to the test program, with `flags`.
  std::string BatchGenerate(const std::vector<std::string>& flags) {
    std::vector<std::string> args = {"generate"};
    args.insert(args.end(), flags.begin(), flags.end());
    args.insert(args.end(), {"--append-to", input_, "-o", Home("batch.nc"), "--no-diagonal-check"});
    const test::BatchRun run = test::Batch(args);
    if (run.status != 0) return "<batch failed: " + run.err + ">";
    return test::ReadFile(Home("batch.nc"));
  }
  // Runs `command`, answering its dialog with `entries` and OK; the title it showed.
  QString RunWith(CommandId command, const std::vector<Entry>& entries) {
    QString title;
    AnswerNextDialog([&](QWidget& dialog) {
      title = dialog.windowTitle();
      Enter(dialog, entries);
      Press(dialog, QStringLiteral("OK"));
    });
    frame().RunCommand(command);
    return title;
  }

  std::string input_;
};

void Generate2dTest::init() {
  QVERIFY(OpenProgram("generate.nc", TestProgram()));
  input_ = Home("generate.nc");
}

void Generate2dTest::cleanup() { CloseProgram(); }

void Generate2dTest::commandsAreInTheMenu() {
  for (CommandId id : {CommandId::GeneratePocket, CommandId::GenerateProfile, CommandId::GenerateFace}) {
    QAction* action = frame().Action(id);
    QVERIFY(action);
    QVERIFY2(action->isEnabled(), qPrintable(action->text()));
  }
}

void Generate2dTest::dialogsShowTheirTitlesLabelsAndDefaults() {
  struct Case {
    CommandId command;
    QString title;
    QStringList texts;
    std::vector<std::pair<const char*, QString>> defaults;
  };
  const QStringList rectangle = {"<< 변수 Type >>", "중심, 크기", "최소, 크기", "최소, 최대", "X 최대", "X 최소",
                                 "X 크기", "Y 최대", "Y 최소", "Y 크기", "X 중심", "Y 중심"};
  const QStringList tapers = {"단일 taper", "<< 다중 taper angle >>", "X + taper", "X -  taper", "Y + taper",
                              "Y -  taper"};
  const std::vector<Case> cases = {
      {CommandId::GeneratePocket, "Pocket ",
       rectangle + tapers + QStringList{"사각형", "라운드 사각형", "원형", "코너반경", "원형 Pocket       반경",
                                        "XY Stepoever", "Z Stepover", "시작 높이", "Z 깊이", "가공 여유"},
       {{"xMax", "100"}, {"xMin", "-100"}, {"xSize", "200"}, {"yMax", "80"}, {"yMin", "-80"}, {"ySize", "160"},
        {"cornerRadius", "20"}, {"circleRadius", "100"}, {"xyStepover", "10"}, {"zStepover", "10"},
        {"startHeight", "0"}, {"zDepth", "-50"}, {"allowance", "0"}, {"taperAngle", "0"}}},
      {CommandId::GenerateProfile, "Profile Dialog",
       rectangle + tapers + QStringList{"<< 방향 >>", "ON", "In side", "Out side", "원형 Pocket      반경",
                                        "Stepoever", "Profile 횟수"},
       {{"passes", "1"}, {"xyStepover", "10"}, {"zDepth", "-50"}}},
      {CommandId::GenerateFace, "FaceMill",
       rectangle + QStringList{"<< 방향 >>", "X+, Y+", "X+, Y-", "Y+,  X+", "Y+,  X-", "Stepoever", "시작 높이"},
       {{"stepover", "10"}, {"cuttingHeight", "0"}, {"xCentre", "0"}}},
  };
  for (const Case& c : cases) {
    QString title;
    QStringList shown;
    std::vector<QString> values;
    AnswerNextDialog([&](QWidget& dialog) {
      title = dialog.windowTitle();
      shown = Texts(dialog);
      for (const auto& [field, v] : c.defaults) values.push_back(TextOf(dialog, field));
      Press(dialog, QStringLiteral("Cancel"));
    });
    frame().RunCommand(c.command);
    QCOMPARE(title, c.title);
    for (const QString& text : c.texts) QVERIFY2(shown.contains(text), qPrintable(c.title + ": " + text));
    for (std::size_t i = 0; i < c.defaults.size(); ++i) QCOMPARE(values[i], c.defaults[i].second);
  }
  QCOMPARE(db().undoPos(), 0);
}

// Each command through its dialog, written as "Ncdata로 저장" writes it, is byte for byte what
// fendo-batch generate writes appended to the same program with the same values; one undo
// takes it back.
void Generate2dTest::eachCommandWritesWhatTheBatchVerbWritesAndUndoesAtOnce() {
  struct Case {
    CommandId command;
    std::vector<Entry> entries;
    std::vector<std::string> batch;
  };
  const std::vector<Case> cases = {
      {CommandId::GeneratePocket, {}, {"pocket"}},
      {CommandId::GeneratePocket,
       {{"rounded", "on"}, {"xSize", "60"}, {"ySize", "100"}, {"cornerRadius", "15"}, {"zDepth", "-20"},
        {"allowance", "1.5"}},
       {"pocket", "--shape", "rounded", "--x-size", "60", "--y-size", "100", "--corner-radius", "15", "--z-depth",
        "-20", "--allowance", "1.5"}},
      {CommandId::GeneratePocket,
       {{"circle", "on"}, {"circleRadius", "40"}, {"taperAngle", "30"}, {"xCentre", "5"}, {"zDepth", "-30"}},
       {"pocket", "--shape", "circle", "--circle-radius", "40", "--taper-angle", "30", "--x-centre", "5",
        "--z-depth", "-30"}},
      {CommandId::GenerateProfile,
       {{"inside", "on"}, {"passes", "3"}, {"singleTaper", "off"}, {"xPlusTaper", "10"}, {"minMax", "on"},
        {"xMin", "0"}, {"xMax", "90"}, {"yMin", "-30"}, {"yMax", "40"}},
       {"profile", "--side", "inside", "--passes", "3", "--no-single-taper", "--x-plus-taper", "10", "--form",
        "min-max", "--x-min", "0", "--x-max", "90", "--y-min", "-30", "--y-max", "40"}},
      {CommandId::GenerateProfile, {{"outside", "on"}, {"circle", "on"}, {"passes", "2"}},
       {"profile", "--side", "outside", "--shape", "circle", "--passes", "2"}},
      {CommandId::GenerateFace,
       {{"yPlusXMinus", "on"}, {"stepover", "7"}, {"cuttingHeight", "-1.5"}, {"minSize", "on"}, {"xMin", "10"},
        {"yMin", "20"}},
       {"face", "--direction", "y+x-", "--stepover", "7", "--cutting-height", "-1.5", "--form", "min-size",
        "--x-min", "10", "--y-min", "20"}},
  };
  for (const Case& c : cases) {
    fixture_->app().Remembered<PocketParams>() = {};
    fixture_->app().Remembered<ProfileParams>() = {};
    fixture_->app().Remembered<FaceParams>() = {};
    auto before = Twin(db());
    const int undoBefore = db().undoPos();
    RunWith(c.command, c.entries);
    const std::string what = c.batch.front() + " " + std::to_string(c.entries.size());
    QVERIFY2(db().recordCount > before->recordCount, what.c_str());
    QCOMPARE(db().undoPos(), undoBefore + 1);
    QCOMPARE(QString::fromStdString(Written()), QString::fromStdString(BatchGenerate(c.batch)));
    ExpectUndoGivesBack(*before, what.c_str());
  }
}

void Generate2dTest::theDialogKeepsTheValuesEnteredLast() {
  // A rectangle entered by its corners comes back by its centre and size.
  RunWith(CommandId::GeneratePocket, {{"xyStepover", "12.5"}, {"minMax", "on"}, {"xMin", "0"}, {"xMax", "60"}});
  QString stepover, xCentre, xSize;
  bool centreSize = false;
  AnswerNextDialog([&](QWidget& dialog) {
    stepover = TextOf(dialog, "xyStepover");
    xCentre = TextOf(dialog, "xCentre");
    xSize = TextOf(dialog, "xSize");
    centreSize = Ticked(dialog, "centreSize");
    Press(dialog, QStringLiteral("Cancel"));
  });
  frame().RunCommand(CommandId::GeneratePocket);
  QCOMPARE(stepover, QStringLiteral("12.5"));
  QCOMPARE(xCentre, QStringLiteral("30"));
  QCOMPARE(xSize, QStringLiteral("60"));
  QVERIFY(centreSize);
}

void Generate2dTest::valuesThatMakeNoPassChangeNothing() {
  auto before = Twin(db());
  std::shared_ptr<ShownMessage> shown;
  AnswerNextDialog([&shown](QWidget& dialog) {
    shown = CatchNextMessage();
    Type(dialog, "allowance", QStringLiteral("90"));
    Press(dialog, QStringLiteral("OK"));
  });
  frame().RunCommand(CommandId::GeneratePocket);
  QVERIFY(shown);
  QVERIFY2(shown->text.contains(QStringLiteral("가공할 경로가 없어")), qPrintable(shown->text));
  QVERIFY(Difference(db(), *before).isEmpty());
  QCOMPARE(db().undoPos(), 0);
}

}  // namespace fendo

QTEST_MAIN(fendo::Generate2dTest)
#include "generate_2d_test.moc"
