#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/fendo_view.h"
#include "app_fixture.h"
#include "dialog_controls.h"
#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "interact/scripted_input.h"
#include "record_twin.h"
#include "feed/arc_radius_feed.h"
#include "feed/ff_cut.h"
#include "feed/machine_condition_feed.h"
#include "feed/move_length_feed.h"
#include "feed/set_all_feeds.h"
#include "feed/window_feed_limits.h"
#include "output/arc_conversion.h"

namespace fendo {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A program with something for every command: a half circle of short straight moves (arcs to
// fit, points to filter), straight moves with a corner and arcs of radius 5, 0.5 and 10 (the
// last sweeping 1°), and a run of 0.05 mm moves; three paths between rapid moves.
std::string TestProgram() {
  std::string nc = "%\nO1000\nG90 G17 G21\nG00 X0 Y0 Z50.\n";
  char line[64];
  nc += "G00 X20. Y0\nZ2.\nG01 Z0 F1000\n";
  for (int k = 1; k <= 60; ++k) {
    const double a = k * 3 * kPi / 180;
    std::snprintf(line, sizeof line, "X%.4f Y%.4f\n", 20 * std::cos(a), 20 * std::sin(a));
    nc += line;
  }
  nc += "G00 Z50.\n";
  nc += "G00 X50. Y0\nZ2.\nG01 Z0 F1500\nX55.\nX60.\nX65.\nY5.\nX65.3\nG02 X75.3 I5. J0\nG01 X75.8\n"
        "G03 X76.8 I0.5 J0\nG01 X77.\nX90.\nG02 X90.1745 Y4.9985 I0 J-10.\nG01 X100.\nG00 Z50.\n";
  nc += "G00 X0 Y-20.\nZ2.\nG01 Z0 F2000\n";
  for (int k = 1; k <= 40; ++k) {
    std::snprintf(line, sizeof line, "X%.4f Y%.4f\n", 0.05 * k, -20 + 0.0005 * k * k);
    nc += line;
  }
  nc += "G00 Z50.\nM30\n%\n";
  return nc;
}

using test::Difference;
using test::Twin;

int CountRecords(ToolpathDatabase& db, bool (*counted)(MoveKind)) {
  int n = 0;
  db.ForEachRecord([&n, counted](int, const ToolpathRecord& r) { n += counted(r.kind); });
  return n;
}

// The one-value dialogs: their label and the text of their field.
QString OnlyLabel(QWidget& dialog) {
  const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
  return labels.size() == 1 ? labels.front()->text() : QString();
}
QLineEdit* OnlyField(QWidget& dialog) {
  const QList<QLineEdit*> fields = dialog.findChildren<QLineEdit*>();
  return fields.size() == 1 ? fields.front() : nullptr;
}

// What a dialog showed when it opened, and what its refusal said.
struct Seen {
  QStringList texts;
  QString message;
  QString caption;
  bool stayedOpen = false;
};

// A drag with the left button from `a` to `b`, released at `b`.
void Drag(test::ScriptedInput& script, ClientPoint a, ClientPoint b) {
  script.MoveTo(a).Hold({Key::LeftButton}).MoveTo(b).Hold({Key::LeftButton}).Idle();
}

}  // namespace

class ConversionTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void filtersKeepTheirOwnTolerance();
  void regenerationOnlyNormalizesKinds();
  void rapidRebuildBeyondTheRecordLimitTellsNoRoom();
  void arcConvertGoesBothWaysAndKeepsItsValues();
  void arcConvertRefusesValuesOutOfRange();
  void feedChangesGiveWhatTheEngineGives();
  void feedDialogsRefuseValuesOutOfRange();
  void machineWeightLabelFollowsTheSlider();
  void wholePathFeedStartsAtTheWorkFeed();
  void windowMaximumRepeatsUntilEscape();
  void cornerOutsideTheViewAsksWhetherToStop();
  void polygonMinimumLimitsInsideThePolygon();

 private:
  CFendoView& view() { return *view_; }
  ToolpathDatabase& db() { return view_->database(); }
  // Runs a command whose dialog `answer` sees and closes.
  void RunWithDialog(CommandId command, std::function<void(QWidget&)> answer) {
    AnswerNextDialog(std::move(answer));
    fixture_->frame().RunCommand(command);
  }
  // Opens the command's dialog, types `text` into `field` and presses OK: what was said, and
  // whether the dialog stayed open; then Cancel.
  Seen Refusal(CommandId command, const char* field, const QString& text);
  ClientPoint OnScreen(double x, double y) { return Projection(view().viewState()).ToClient({x, y, 0}); }

  std::unique_ptr<AppFixture> fixture_;
  CFendoView* view_ = nullptr;
};

void ConversionTest::init() {
  fixture_ = std::make_unique<AppFixture>();
  const QString path = fixture_->HomeFile("conversion.nc");
  std::ofstream(path.toStdString()) << TestProgram();
  view_ = fixture_->frame().OpenDocument(path);
  QVERIFY(view_);
  fixture_->frame().resize(1000, 800);
  QTest::qWait(0);
  QCOMPARE(CountRecords(db(), IsArcKind), 3);
}

void ConversionTest::cleanup() {
  view_ = nullptr;
  fixture_.reset();
}

Seen ConversionTest::Refusal(CommandId command, const char* field, const QString& text) {
  Seen seen;
  RunWithDialog(command, [&seen, field, text](QWidget& dialog) {
    if (QLineEdit* edit = field ? dialog.findChild<QLineEdit*>(QString::fromLatin1(field)) : OnlyField(dialog)) {
      edit->setText(text);
    }
    const std::shared_ptr<ShownMessage> shown = CatchNextMessage();
    Press(dialog, QStringLiteral("OK"));
    seen.message = shown->text;
    seen.caption = shown->caption;
    seen.stayedOpen = dialog.isVisible();
    Press(dialog, QStringLiteral("Cancel"));
  });
  return seen;
}

void ConversionTest::filtersKeepTheirOwnTolerance() {
  auto twin = Twin(db());
  Seen linear;
  RunWithDialog(CommandId::FilterLinear, [&linear](QWidget& dialog) {
    linear.texts = {dialog.windowTitle(), OnlyLabel(dialog), OnlyField(dialog) ? OnlyField(dialog)->text() : QString()};
    if (QLineEdit* field = OnlyField(dialog)) field->setText(QStringLiteral("0.05"));
    Press(dialog, QStringLiteral("OK"));
  });
  QCOMPARE(linear.texts, (QStringList{QStringLiteral("변수를 입력하시요!!"), QStringLiteral("필터링 공차"), QStringLiteral("0.001")}));
  const int before = twin->recordCount;
  FilterLinear(*twin, 0.05);
  QVERIFY(twin->recordCount < before);
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));

  // The arc filter has a tolerance of its own.
  Seen arcs;
  RunWithDialog(CommandId::FilterArcs, [&arcs](QWidget& dialog) {
    arcs.texts = {OnlyField(dialog) ? OnlyField(dialog)->text() : QString()};
    if (QLineEdit* field = OnlyField(dialog)) field->setText(QStringLiteral("0.01"));
    Press(dialog, QStringLiteral("OK"));
  });
  QCOMPARE(arcs.texts, QStringList{QStringLiteral("0.001")});
  QCOMPARE(FilterArcs(*twin, 0.01), 1);  // the arc of 1°
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));

  // Each opens again on its own last value; Cancel changes nothing.
  QStringList shown;
  for (CommandId command : {CommandId::FilterLinear, CommandId::FilterArcs}) {
    RunWithDialog(command, [&shown](QWidget& dialog) {
      shown << (OnlyField(dialog) ? OnlyField(dialog)->text() : QString());
      if (QLineEdit* field = OnlyField(dialog)) field->setText(QStringLiteral("3"));
      Press(dialog, QStringLiteral("Cancel"));
    });
  }
  QCOMPARE(shown, (QStringList{QStringLiteral("0.05"), QStringLiteral("0.01")}));
  QVERIFY(Difference(db(), *twin).isEmpty());
}

void ConversionTest::regenerationOnlyNormalizesKinds() {
  // A record whose kind no longer fits its place: the first cut after a rapid move marked as
  // a continuing cut, and a rapid after a rapid marked as the start of one.
  int cut = 0;
  while (db().RecordAt(cut)->kind != MoveKind::FeedStart) ++cut;
  db().SetKind(cut, MoveKind::Feed);
  int rapid = 1;
  while (db().RecordAt(rapid)->kind != MoveKind::Rapid) ++rapid;
  db().SetKind(rapid, MoveKind::RapidStart);
  auto twin = Twin(db());
  fixture_->frame().RunCommand(CommandId::RegenerateNcData);
  NormalizeKinds(*twin);
  QCOMPARE(db().RecordAt(cut)->kind, MoveKind::FeedStart);
  QCOMPARE(db().RecordAt(rapid)->kind, MoveKind::Rapid);
  QVERIFY(Difference(db(), *twin).isEmpty());
}

// "급속이송 경로 걸르기" whose result would not fit in the work buffer says so as every other
// command does, and leaves the toolpath as it was.
void ConversionTest::rapidRebuildBeyondTheRecordLimitTellsNoRoom() {
  // Paths of one cut each behind one rapid move: the rebuild makes every pair four records
  // (retract, traverse, approach, cut). Filled through a layer's block, which is much faster
  // than record by record.
  const int count = ToolpathDatabase::kMaxRecords / 2 + 2;
  RecordBlock& block = db().layers[1].points;
  QVERIFY(block.Allocate(count));
  for (int i = 0; i < count; ++i) {
    const bool rapid = i % 2 == 0;
    block.data()[i] = {static_cast<float>(i % 100), 0, rapid ? 5.0F : -1.0F, 1000, 0,
                       rapid ? MoveKind::RapidStart : MoveKind::FeedStart};
  }
  QVERIFY(db().LoadFromLayer(1));
  block.Free();
  const ToolpathRecord last = *db().RecordAt(count - 1);

  const auto shown = CatchNextMessage();
  fixture_->frame().RunCommand(CommandId::RebuildRapids);
  QCOMPARE(shown->caption, QStringLiteral(" Message"));
  QCOMPARE(shown->text, QStringLiteral("Memory를 할당할 수 없습니다!!!"));
  QCOMPARE(db().recordCount, count);
  QCOMPARE(db().RecordAt(count - 1)->kind, last.kind);
  QCOMPARE(db().RecordAt(count - 1)->x, last.x);
}

void ConversionTest::arcConvertGoesBothWaysAndKeepsItsValues() {
  auto twin = Twin(db());
  QStringList opened;
  RunWithDialog(CommandId::ConvertLinesAndArcs, [&opened](QWidget& dialog) {
    opened << dialog.windowTitle();
    for (const char* field : {"arcTolerance", "maxArcPoints", "minRadius", "maxRadius", "filterTolerance"}) {
      opened << TextOf(dialog, field);
    }
    for (const char* box : {"arcsToLines", "filterFirst", "planeXY", "planeYZ", "planeZX"}) {
      opened << QString::number(Ticked(dialog, box));
    }
    Tick(dialog, "linesToArcs", true);
    Type(dialog, "arcTolerance", QStringLiteral("0.02"));
    Tick(dialog, "filterFirst", true);
    Type(dialog, "filterTolerance", QStringLiteral("0.002"));
    Press(dialog, QStringLiteral("OK"));
  });
  QCOMPARE(opened, (QStringList{"Arc Convert", "0.01", "100", "1", "1000", "0.001", "1", "0", "1", "0", "0"}));
  const int arcs = CountRecords(*twin, IsArcKind);
  QVERIFY(RunArcConvert(*twin, {.direction = ArcConvertDirection::LinesToArcs,
                                .arcTolerance = 0.02,
                                .filterFirst = true,
                                .filterTolerance = 0.002}));
  QVERIFY(CountRecords(*twin, IsArcKind) > arcs);
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));

  // The dialog opens on what was given last; back to straight moves with a coarser chord.
  QStringList reopened;
  RunWithDialog(CommandId::ConvertLinesAndArcs, [&reopened](QWidget& dialog) {
    reopened << QString::number(Ticked(dialog, "linesToArcs")) << TextOf(dialog, "arcTolerance")
             << QString::number(Ticked(dialog, "filterFirst")) << TextOf(dialog, "filterTolerance");
    Tick(dialog, "arcsToLines", true);
    Type(dialog, "arcTolerance", QStringLiteral("0.05"));
    Press(dialog, QStringLiteral("OK"));
  });
  QCOMPARE(reopened, (QStringList{"1", "0.02", "1", "0.002"}));
  QVERIFY(RunArcConvert(*twin, {.direction = ArcConvertDirection::ArcsToLines, .arcTolerance = 0.05}));
  QCOMPARE(CountRecords(db(), IsArcKind), 0);
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
  // The progress has left the status bar.
  QVERIFY(!fixture_->frame().statusPanes().Text(StatusPane::Prompt).contains(QStringLiteral("processing")));
}

void ConversionTest::arcConvertRefusesValuesOutOfRange() {
  auto twin = Twin(db());
  const struct {
    const char* field;
    const char* text;
    const char* said;
  } cases[] = {
      {"arcTolerance", "5.001", "Arc 변환 공차: 0.001 ~ 5 사이의 값을 입력하시요."},
      {"arcTolerance", "0.0009", "Arc 변환 공차: 0.001 ~ 5 사이의 값을 입력하시요."},
      {"maxArcPoints", "2", "Arc 변환 포인트: 3 ~ 1000 사이의 값을 입력하시요."},
      {"maxArcPoints", "3.5", "Arc 변환 포인트: 정수를 입력하시요."},
      {"minRadius", "100.5", "최소 반경: 0.1 ~ 100 사이의 값을 입력하시요."},
      {"maxRadius", "9.99", "최대 반경: 10 ~ 5000 사이의 값을 입력하시요."},
      {"filterTolerance", "0.00009", "필터링 공차: 0.0001 ~ 100 사이의 값을 입력하시요."},
      {"filterTolerance", "1,5", "필터링 공차: 숫자를 입력하시요."},
  };
  for (const auto& c : cases) {
    const Seen seen = Refusal(CommandId::ConvertLinesAndArcs, c.field, QString::fromLatin1(c.text));
    QVERIFY2(seen.stayedOpen, c.field);
    QCOMPARE(seen.message, QString::fromUtf8(c.said));
    QCOMPARE(seen.caption, QStringLiteral("Fendo message"));
  }
  QVERIFY(Difference(db(), *twin).isEmpty());

  // The ends of every range are taken; a refused value was never kept.
  QString kept;
  RunWithDialog(CommandId::ConvertLinesAndArcs, [&kept](QWidget& dialog) {
    kept = TextOf(dialog, "arcTolerance");
    const char* const ends[][2] = {{"arcTolerance", "5"}, {"maxArcPoints", "1000"}, {"minRadius", "100"},
                                   {"maxRadius", "10"}, {"filterTolerance", "0.0001"}};
    for (const auto& [field, text] : ends) Type(dialog, field, QString::fromLatin1(text));
    Press(dialog, QStringLiteral("OK"));
  });
  QCOMPARE(kept, QStringLiteral("0.01"));
  QVERIFY(RunArcConvert(*twin, {.arcTolerance = 5, .maxArcPoints = 1000, .minRadius = 100, .maxRadius = 10,
                                .filterTolerance = 0.0001}));
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
}

void ConversionTest::feedChangesGiveWhatTheEngineGives() {
  auto twin = Twin(db());

  QStringList opened;
  RunWithDialog(CommandId::FeedByArcRadius, [&opened](QWidget& dialog) {
    opened << dialog.windowTitle();
    for (const char* f : {"minRadius", "minRadiusFeed", "maxRadius", "maxRadiusFeed", "distance", "setAllFeed"}) {
      opened << TextOf(dialog, f);
    }
    Type(dialog, "minRadius", QStringLiteral("0.4"));
    Type(dialog, "minRadiusFeed", QStringLiteral("150"));
    Type(dialog, "maxRadius", QStringLiteral("6"));
    Type(dialog, "maxRadiusFeed", QStringLiteral("900"));
    Type(dialog, "distance", QStringLiteral("2"));
    Tick(dialog, "setAllFirst", true);
    Type(dialog, "setAllFeed", QStringLiteral("1200"));
    Press(dialog, QStringLiteral("OK"));
  });
  QCOMPARE(opened, (QStringList{"G02, G03의 feed를 변경합니다.", "0.1", "200", "20", "500", "1", "1000"}));
  QVERIFY(ChangeFeedsByArcRadius(*twin, {.minRadius = 0.4, .minRadiusFeed = 150, .maxRadius = 6, .maxRadiusFeed = 900,
                                         .distance = 2, .setAllFirst = true, .setAllFeed = 1200}));
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));

  opened.clear();
  RunWithDialog(CommandId::FeedByMoveLength, [&opened](QWidget& dialog) {
    for (const char* f : {"minLength", "minLengthFeed", "maxLength", "maxLengthFeed", "setAllFeed"}) opened << TextOf(dialog, f);
    Type(dialog, "maxLength", QStringLiteral("0.1"));
    Type(dialog, "minLengthFeed", QStringLiteral("100"));
    Type(dialog, "maxLengthFeed", QStringLiteral("400"));
    Press(dialog, QStringLiteral("OK"));
  });
  QCOMPARE(opened, (QStringList{"0.01", "200", "0.5", "500", "1000"}));
  QVERIFY(ChangeFeedsByMoveLength(*twin, {.minLengthFeed = 100, .maxLength = 0.1, .maxLengthFeed = 400}));
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));

  opened.clear();
  RunWithDialog(CommandId::FeedByMachine, [&opened](QWidget& dialog) {
    auto* machine = dialog.findChild<QComboBox*>(QStringLiteral("machine"));
    auto* baud = dialog.findChild<QComboBox*>(QStringLiteral("baudRate"));
    auto* weight = dialog.findChild<QSlider*>(QStringLiteral("cncWeight"));
    if (!machine || !baud || !weight) return Press(dialog, QStringLiteral("Cancel"));
    opened << dialog.windowTitle() << machine->currentText() << baud->currentText();
    for (const char* f : {"maxFeed", "minFeed", "rapidFeed", "feedUnit"}) opened << TextOf(dialog, f);
    opened << QString::number(Ticked(dialog, "smooth")) << QString::number(Ticked(dialog, "setAllFirst"))
           << QString::number(weight->value());
    machine->setCurrentText(QStringLiteral("Machine0"));
    baud->setCurrentText(QStringLiteral("2400"));
    Type(dialog, "feedUnit", QStringLiteral("10"));
    Tick(dialog, "smooth", false);
    weight->setValue(30);
    Press(dialog, QStringLiteral("OK"));
  });
  QCOMPARE(opened, (QStringList{"기계와 DNC 조건을 입력하시요.", "Fanuc0M", "9600", "1000", "300", "8000", "50", "1", "1", "50"}));
  QVERIFY(ChangeFeedsByMachineCondition(
      *twin, {.machine = 0, .baudRate = 2400, .feedUnit = 10, .smooth = false, .cncWeight = 30}));
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));

  opened.clear();
  RunWithDialog(CommandId::FfCut, [&opened](QWidget& dialog) {
    opened << dialog.windowTitle();
    for (const char* f : {"firstFeed", "secondFeed", "secondLayer"}) opened << TextOf(dialog, f);
    opened << QString::number(Ticked(dialog, "secondToLayer"));
    Type(dialog, "firstFeed", QStringLiteral("700"));
    Type(dialog, "secondFeed", QStringLiteral("1900"));
    Press(dialog, QStringLiteral("OK"));
  });
  QCOMPARE(opened, (QStringList{"FF CUT", "1000", "2000", "0", "0"}));
  QVERIFY(FfCut(*twin, {.firstFeed = 700, .secondFeed = 1900}));
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));

  // Every dialog opens again on what was given last, and Cancel changes nothing.
  QStringList reopened;
  const struct {
    CommandId command;
    const char* field;
  } kept[] = {{CommandId::FeedByArcRadius, "setAllFeed"},
              {CommandId::FeedByMoveLength, "maxLength"},
              {CommandId::FeedByMachine, "feedUnit"},
              {CommandId::FfCut, "secondFeed"}};
  for (const auto& k : kept) {
    RunWithDialog(k.command, [&reopened, field = k.field](QWidget& dialog) {
      reopened << TextOf(dialog, field);
      Type(dialog, field, QStringLiteral("20"));
      Press(dialog, QStringLiteral("Cancel"));
    });
  }
  QCOMPARE(reopened, (QStringList{"1200", "0.1", "10", "1900"}));
  QVERIFY(Difference(db(), *twin).isEmpty());
}

void ConversionTest::feedDialogsRefuseValuesOutOfRange() {
  auto twin = Twin(db());
  const struct {
    CommandId command;
    const char* field;  // nullptr: the one field of a one-value dialog
    const char* text;
    const char* said;
  } cases[] = {
      {CommandId::FeedByArcRadius, "setAllFeed", "1000001", "Feed 변경후 감속: 1 ~ 1000000 사이의 값을 입력하시요."},
      {CommandId::FeedByArcRadius, "minRadius", "0.05", "최소 반경: 0.1 ~ 100000 사이의 값을 입력하시요."},
      {CommandId::FeedByMoveLength, "setAllFeed", "10001", "Feed 변경후 감속: 1 ~ 10000 사이의 값을 입력하시요."},
      {CommandId::FeedByMoveLength, "minLengthFeed", "150.5", "Feed: 정수를 입력하시요."},
      {CommandId::FeedByMachine, "rapidFeed", "2999", "Rapid feed: 3000 ~ 100000 사이의 값을 입력하시요."},
      {CommandId::FeedByMachine, "feedUnit", "1001", "Feed 단위: 0 ~ 1000 사이의 값을 입력하시요."},
      {CommandId::FfCut, "secondLayer", "100", "2차 공구경로 layer: 0 ~ 99 사이의 값을 입력하시요."},
      {CommandId::WholePathFeed, nullptr, "0.5", "변경할 피드: 1 ~ 1000000 사이의 값을 입력하시요."},
      {CommandId::MaxFeedInWindow, nullptr, "1000001", "Max feed: 1 ~ 1000000 사이의 값을 입력하시요."},
  };
  for (const auto& c : cases) {
    const Seen seen = Refusal(c.command, c.field, QString::fromLatin1(c.text));
    QVERIFY2(seen.stayedOpen, c.text);
    QCOMPARE(seen.message, QString::fromUtf8(c.said));
  }
  QVERIFY(Difference(db(), *twin).isEmpty());
  QCOMPARE(db().workFeed, twin->workFeed);
}

void ConversionTest::machineWeightLabelFollowsTheSlider() {
  QStringList labels;
  RunWithDialog(CommandId::FeedByMachine, [&labels](QWidget& dialog) {
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("cncWeightLabel"));
    auto* weight = dialog.findChild<QSlider*>(QStringLiteral("cncWeight"));
    if (label && weight) {
      labels << label->text();
      weight->setValue(100);
      labels << label->text();
      weight->setValue(0);
      labels << label->text();
    }
    Press(dialog, QStringLiteral("Cancel"));
  });
  QCOMPARE(labels, (QStringList{"<< CNC 가중치(0) >>", "<< CNC 가중치(50) >>", "<< CNC 가중치(-50) >>"}));
}

void ConversionTest::wholePathFeedStartsAtTheWorkFeed() {
  auto twin = Twin(db());
  QStringList opened;
  RunWithDialog(CommandId::WholePathFeed, [&opened](QWidget& dialog) {
    opened << OnlyLabel(dialog) << (OnlyField(dialog) ? OnlyField(dialog)->text() : QString());
    if (QLineEdit* field = OnlyField(dialog)) field->setText(QStringLiteral("777.9"));
    Press(dialog, QStringLiteral("OK"));
  });
  QCOMPARE(opened, (QStringList{QStringLiteral("변경할 피드"), QString::number(twin->workFeed)}));
  QVERIFY(ChangeWholePathFeed(*twin, 777.9));
  QCOMPARE(db().workFeed, 777);
  QVERIFY(Difference(db(), *twin).isEmpty());

  // Not kept: the next opening shows the work feed, whatever was typed and cancelled.
  QString reopened;
  RunWithDialog(CommandId::WholePathFeed, [&reopened](QWidget& dialog) {
    reopened = OnlyField(dialog) ? OnlyField(dialog)->text() : QString();
    Press(dialog, QStringLiteral("Cancel"));
  });
  QCOMPARE(reopened, QStringLiteral("777"));
}

void ConversionTest::windowMaximumRepeatsUntilEscape() {
  fixture_->frame().RunCommand(CommandId::ViewTop);
  auto twin = Twin(db());
  const ViewState shown = view().viewState();
  const ClientPoint a1 = OnScreen(58, -3), b1 = OnScreen(72, 8);
  const ClientPoint a2 = OnScreen(10, 5), b2 = OnScreen(25, 25);
  test::ScriptedInput script;
  Drag(script, a1, b1);
  Drag(script, a2, b2);
  script.Hold({Key::Esc});
  view().SetInputSource(&script);
  QStringList opened;
  RunWithDialog(CommandId::MaxFeedInWindow, [&opened](QWidget& dialog) {
    opened << OnlyLabel(dialog) << (OnlyField(dialog) ? OnlyField(dialog)->text() : QString());
    Press(dialog, QStringLiteral("OK"));
  });
  view().SetInputSource(nullptr);
  QCOMPARE(opened, (QStringList{"Max feed", "300"}));
  QVERIFY(!script.ranOut);
  QVERIFY(!view().InteractiveCommandRunning());
  QCOMPARE(fixture_->frame().statusPanes().Text(StatusPane::Prompt), QStringLiteral("도움말:  "));

  const int records = twin->recordCount;
  QVERIFY(FeedLimitInPolygon(*twin, WindowPolygon(a1, b1), shown, 300, FeedLimit::Maximum));
  QVERIFY(FeedLimitInPolygon(*twin, WindowPolygon(a2, b2), shown, 300, FeedLimit::Maximum));
  QVERIFY(twin->recordCount > records);  // moves split where they cross the windows
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
  int slowed = 0;
  int fast = 0;
  db().ForEachRecord([&](int, const ToolpathRecord& r) {
    if (!IsMotionKind(r.kind) || IsRapidKind(r.kind)) return;
    slowed += r.feed == 300;
    fast += r.feed > 300;
  });
  QVERIFY(slowed > 0 && fast > 0);
}

void ConversionTest::cornerOutsideTheViewAsksWhetherToStop() {
  fixture_->frame().RunCommand(CommandId::ViewTop);
  auto twin = Twin(db());
  const ViewState shown = view().viewState();
  const ClientPoint a = OnScreen(58, -3), b = OnScreen(72, 8);

  // Cancel: the user picks again.
  test::ScriptedInput again;
  Drag(again, {-5, 10}, b);
  Drag(again, a, b);
  again.Hold({Key::Esc});
  view().SetInputSource(&again);
  auto asked = std::make_shared<ShownMessage>();
  RunWithDialog(CommandId::MinFeedInWindow, [asked](QWidget& dialog) {
    if (QLineEdit* field = OnlyField(dialog)) field->setText(QStringLiteral("1800"));
    AnswerNextDialog([asked](QWidget& question) {
      if (auto* box = qobject_cast<QMessageBox*>(&question)) {
        asked->caption = box->windowTitle();
        asked->text = box->text();
        box->button(QMessageBox::Cancel)->click();
      }
    });
    Press(dialog, QStringLiteral("OK"));
  });
  view().SetInputSource(nullptr);
  QCOMPARE(asked->text, QStringLiteral("Feed 변경 작업을 취소 하겠습니까?"));
  QCOMPARE(asked->caption, QStringLiteral("Error message"));
  QVERIFY(!again.ranOut);
  QVERIFY(FeedLimitInPolygon(*twin, WindowPolygon(a, b), shown, 1800, FeedLimit::Minimum));
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));

  // OK: the command ends there, the next window is never taken.
  test::ScriptedInput stop;
  Drag(stop, a, {b.x, -1});
  Drag(stop, a, b);
  stop.Hold({Key::Esc});
  view().SetInputSource(&stop);
  RunWithDialog(CommandId::MinFeedInWindow, [](QWidget& dialog) {
    AnswerNextDialog([](QWidget& question) { Press(question, QStringLiteral("OK")); });
    Press(dialog, QStringLiteral("OK"));
  });
  view().SetInputSource(nullptr);
  QVERIFY(!stop.ranOut);
  QVERIFY(Difference(db(), *twin).isEmpty());
}

void ConversionTest::polygonMinimumLimitsInsideThePolygon() {
  fixture_->frame().RunCommand(CommandId::ViewTop);
  auto twin = Twin(db());
  const ViewState shown = view().viewState();
  const std::vector<ClientPoint> polygon = {OnScreen(-1, -21), OnScreen(1.2, -21), OnScreen(1.2, -18),
                                            OnScreen(-1, -18)};
  test::ScriptedInput script;
  for (ClientPoint p : polygon) script.ClickAt(p);
  script.Hold({Key::Enter});
  view().SetInputSource(&script);
  RunWithDialog(CommandId::MinFeedInPolygon, [](QWidget& dialog) {
    if (QLineEdit* field = OnlyField(dialog)) field->setText(QStringLiteral("2500"));
    Press(dialog, QStringLiteral("OK"));
  });
  view().SetInputSource(nullptr);
  QVERIFY(!script.ranOut);
  QVERIFY(FeedLimitInPolygon(*twin, polygon, shown, 2500, FeedLimit::Minimum));
  QVERIFY2(Difference(db(), *twin).isEmpty(), qPrintable(Difference(db(), *twin)));
  int raised = 0;
  db().ForEachRecord([&raised](int, const ToolpathRecord& r) { raised += IsMotionKind(r.kind) && r.feed == 2500; });
  QVERIFY(raised > 10);

  // ESC while drawing: nothing changes.
  test::ScriptedInput escape;
  escape.ClickAt(polygon[0]).Hold({Key::Esc});
  view().SetInputSource(&escape);
  RunWithDialog(CommandId::MaxFeedInPolygon, [](QWidget& dialog) { Press(dialog, QStringLiteral("OK")); });
  view().SetInputSource(nullptr);
  QVERIFY(Difference(db(), *twin).isEmpty());
}

}  // namespace fendo

QTEST_MAIN(fendo::ConversionTest)
#include "conversion_test.moc"
