#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/commands/optimizer_commands.h"
#include "app/dialogs/number_field.h"
#include "app/fendo_view.h"
#include "app_fixture.h"
#include "cli/batch_run.h"
#include "core/nc_reader.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "feed/feed_control.h"
#include "feed/feed_optimizer.h"
#include "feed/master_file.h"
#include "feed/qel_file.h"
#include "output/nc_output_options.h"
#include "output/nc_writer.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;

QPushButton* Button(QWidget& dialog, const QString& text) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

// The button whose text starts with `text` (the file buttons add the file's name).
QPushButton* ButtonStarting(QWidget& dialog, const QString& text) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text().startsWith(text)) return button;
  }
  return nullptr;
}

NumberField* Field(QWidget& dialog, const QString& label) {
  for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
    if (auto* field = dynamic_cast<NumberField*>(edit); field && field->Label() == label) return field;
  }
  return nullptr;
}

QCheckBox* CheckBox(QWidget& dialog, const QString& text) {
  for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
    if (box->text() == text) return box;
  }
  return nullptr;
}

QStringList LabelTexts(QWidget& dialog) {
  QStringList texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
  return texts;
}

// Types `text` into the field as the user would, replacing what it held.
void Type(QLineEdit* field, const QString& text) {
  field->clear();
  QTest::keyClicks(field, text);
}

// Answers the next modal dialog; one the answer leaves open (a check that failed, a refusal)
// is cancelled, so that a failing test never hangs.
void Answer(std::function<void(QDialog&)> answer) {
  AnswerNextDialog([answer](QWidget& widget) {
    auto* dialog = qobject_cast<QDialog*>(&widget);
    QVERIFY(dialog);
    answer(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
}

// Answers the next file dialog with `path`.
void AnswerFile(const fs::path& path) {
  AnswerFileDialog(QString::fromStdString(path.string()));
}

// Answers the next file dialog with `path`, then the message box that follows it.
std::shared_ptr<ShownMessage> AnswerFileThenMessage(const fs::path& path) {
  auto shown = std::make_shared<ShownMessage>();
  AnswerFileDialog(QString::fromStdString(path.string()), [shown](QWidget& next) {
    if (auto* box = qobject_cast<QMessageBox*>(&next)) {
      shown->caption = box->windowTitle();
      shown->text = box->text();
    }
    qobject_cast<QDialog*>(&next)->accept();
  });
  return shown;
}

std::vector<ToolpathRecord> Records(ToolpathDatabase& db) {
  std::vector<ToolpathRecord> records;
  db.ForEachRecord([&records](int, const ToolpathRecord& r) { records.push_back(r); });
  return records;
}

bool SameRecords(const std::vector<ToolpathRecord>& a, const std::vector<ToolpathRecord>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].z != b[i].z || a[i].feed != b[i].feed || a[i].kind != b[i].kind) {
      return false;
    }
  }
  return true;
}

// A *.qel file of settings unlike the defaults in every field the optimizer reads.
MachineCondition TestCondition() {
  MachineCondition c = DefaultMachineCondition(1);
  c.toolDiameter = 8;
  c.safetyDistance = 4;
  c.cornerMinAngle = 12;
  c.cornerMaxReduction = 0.2f;
  c.slopeMinAngle = 8;
  c.slopeMaxReduction = 0.4f;
  c.plungeFeed = 800;
  c.qelMaxFeed = 2500;
  c.material = "AL6061";
  c.feedChgSmoothCheck = 1;
  c.feedUnit = 50;
  c.corWeight30 = 0.6f;
  c.sideWeight60 = 0.2f;
  c.zupZdown = 0.8f;
  return c;
}

}  // namespace

class OptimizerTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void transferFeedsSetTheReductions();
  void cuttingConditionsEditLoadAndSave();
  void qelSettingsAndTheMasterFile();
  void getFeedSetsTheMaximumFeed();
  void masterModelBuildSaveLoadDelete();
  void optimizerSlowsByTheViewsMasterModel();
  void desktopRunWritesWhatTheBatchToolWrites();

 private:
  CFendoView& view() { return *view_; }
  CMainFrame& frame() { return fixture_->frame(); }
  FeedControl& host() { return FeedOptimizerHost(fixture_->app()); }
  const MachineCondition& copy() { return host().transferDialog.condition; }
  const MachineCondition& slot() { return host().machines[FeedControl::kOptimizerMachine]; }
  fs::path Temp(const std::string& name) { return fixture_->home() / name; }

  std::unique_ptr<AppFixture> fixture_;
  CFendoView* view_ = nullptr;
};

void OptimizerTest::init() {
  fixture_ = std::make_unique<AppFixture>();
  view_ = fixture_->frame().OpenDocument(ExampleFile("bracket.nc"));
  QVERIFY(view_);
}

void OptimizerTest::cleanup() {
  view_ = nullptr;
  fixture_.reset();
}

// The two feeds are the user's way to the reductions; the private copy outlives a Cancel, the
// slot takes it only on OK.
void OptimizerTest::transferFeedsSetTheReductions() {
  const std::vector<ToolpathRecord> original = Records(view().database());
  Answer([this](QDialog& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("전송 dialog"));
    NumberField* minimum = Field(dialog, QStringLiteral("최저 피드"));
    NumberField* maximum = Field(dialog, QStringLiteral("최대 피드"));
    QCOMPARE(maximum->text(), QStringLiteral("1000"));
    QCOMPARE(minimum->text(), QStringLiteral("100"));
    QVERIFY(Button(dialog, QStringLiteral("조건화일 :")));
    QVERIFY(Button(dialog, QStringLiteral("MMA : ")));
    QVERIFY(Button(dialog, QStringLiteral("GetFeed"))->isEnabled());
    QVERIFY(CheckBox(dialog, QStringLiteral("정삭"))->isChecked());
    QVERIFY(CheckBox(dialog, QStringLiteral("Z 상하향 검색"))->isChecked());

    Type(minimum, QStringLiteral("300"));
    QCOMPARE(copy().cornerMaxReduction, 0.3f);
    QCOMPARE(copy().slopeMaxReduction, 0.6f);
    // The cutting-condition dialog shows what the feeds made of the reductions.
    Answer([](QDialog& cutting) {
      QCOMPARE(Field(cutting, QStringLiteral("코너 최대 감속비"))->text(), QStringLiteral(" 0.300"));
      QCOMPARE(Field(cutting, QStringLiteral("경사 최대감속비"))->text(), QStringLiteral(" 0.600"));
    });
    Button(dialog, QStringLiteral("QEL"))->click();
    Type(minimum, QStringLiteral("600"));
    QCOMPARE(copy().slopeMaxReduction, 1.0f);
    Type(maximum, QStringLiteral("2000"));
    QCOMPARE(copy().cornerMaxReduction, 0.3f);
    QCOMPARE(copy().qelMaxFeed, 2000);
    CheckBox(dialog, QStringLiteral("정삭"))->click();
    QCOMPARE(copy().conCorChk, 0);

    // A feed that is no whole number is refused, and the dialog stays open.
    Type(minimum, QStringLiteral("600.5"));
    const auto refused = CatchNextMessage();
    Button(dialog, QStringLiteral("OK"))->click();
    QVERIFY(dialog.isVisible());
    QVERIFY(refused->text.contains(QStringLiteral("최저 피드")));
    QCOMPARE(slot().qelMaxFeed, 1000);
    Type(minimum, QStringLiteral("600"));
    Button(dialog, QStringLiteral("OK"))->click();
    QVERIFY(!dialog.isVisible());
  });
  frame().RunCommand(CommandId::OptimizeFeed);
  QCOMPARE(slot().qelMaxFeed, 2000);
  QCOMPARE(slot().cornerMaxReduction, 0.3f);
  QCOMPARE(slot().conCorChk, 0);

  // The optimizer ran: more records, every feed at most the maximum, the work feed that one.
  ToolpathDatabase& db = view().database();
  QVERIFY(db.recordCount > static_cast<int>(original.size()));
  QCOMPARE(db.workFeed, 2000);
  int slowed = 0;
  for (const ToolpathRecord& r : Records(db)) {
    QVERIFY(r.feed <= 2000);
    slowed += IsLinearFeedKind(r.kind) && r.feed < 2000;
  }
  QVERIFY(slowed > 0);
  // Undo gives the toolpath back as it was.
  frame().RunCommand(CommandId::Undo);
  QVERIFY(SameRecords(Records(db), original));

  // Cancel: the slot stays, the copy keeps what was typed for the next showing.
  Answer([](QDialog& dialog) { Type(Field(dialog, QStringLiteral("최대 피드")), QStringLiteral("1500")); });
  frame().RunCommand(CommandId::OptimizeFeed);
  QCOMPARE(slot().qelMaxFeed, 2000);
  QCOMPARE(copy().qelMaxFeed, 1500);
  QVERIFY(SameRecords(Records(db), original));
  Answer([](QDialog& dialog) { QCOMPARE(Field(dialog, QStringLiteral("최대 피드"))->text(), QStringLiteral("1500")); });
  frame().RunCommand(CommandId::OptimizeFeed);
}

void OptimizerTest::cuttingConditionsEditLoadAndSave() {
  const fs::path written = Temp("written.qel");
  MachineCondition loaded = TestCondition();
  loaded.cornerMaxReduction = 0.1234f;  // more decimals than the field shows
  QVERIFY(WriteQelFile(Temp("loaded.qel"), loaded).ok());
  {
    std::ofstream(Temp("broken.qel")) << "공구직경 8\r\n안전거리 many\r\n";
  }

  Answer([&](QDialog& transfer) {
    // Edited, saved, then cancelled: the file holds the edits, the transfer copy does not.
    Answer([&](QDialog& dialog) {
      QCOMPARE(dialog.windowTitle(), QStringLiteral("자동 피드 조정"));
      QCOMPARE(Field(dialog, QStringLiteral("공구경로 공구 직경"))->text(), QStringLiteral("10.000"));
      QCOMPARE(Field(dialog, QStringLiteral("안전거리"))->text(), QStringLiteral(" 5.000"));
      QCOMPARE(Field(dialog, QStringLiteral("경사 최대감속비"))->text(), QStringLiteral(" 0.200"));
      QCOMPARE(Field(dialog, QStringLiteral("공구 접근피드"))->text(), QStringLiteral("1000"));
      QCOMPARE(Field(dialog, QStringLiteral("최대피드"))->text(), QStringLiteral("1000"));
      Type(Field(dialog, QStringLiteral("안전거리")), QStringLiteral("-1"));
      const auto refused = CatchNextMessage();
      Button(dialog, QStringLiteral("OK"))->click();
      QVERIFY(dialog.isVisible());
      QVERIFY(refused->text.contains(QStringLiteral("안전거리")));

      Type(Field(dialog, QStringLiteral("안전거리")), QStringLiteral("3"));
      Type(Field(dialog, QStringLiteral("공구경로 공구 직경")), QStringLiteral("6"));
      Type(Field(dialog, QStringLiteral("최대피드")), QStringLiteral("1500"));
      AnswerFile(Temp("written"));
      Button(dialog, QStringLiteral("조건저장"))->click();
      dialog.reject();
    });
    Button(transfer, QStringLiteral("QEL"))->click();
    QCOMPARE(copy().toolDiameter, 10.0f);

    // Loaded and taken with OK: an untouched field keeps the file's value whole, and the
    // transfer dialog's feeds follow.
    Answer([&](QDialog& dialog) {
      const auto unreadable = AnswerFileThenMessage(Temp("broken.qel"));
      Button(dialog, QStringLiteral("가공조건 화일 :"))->click();
      QVERIFY(unreadable->text.startsWith(QStringLiteral("가공조건 화일을 읽을 수 없습니다.")));
      QCOMPARE(Field(dialog, QStringLiteral("공구경로 공구 직경"))->text(), QStringLiteral("10.000"));

      AnswerFile(Temp("loaded.qel"));
      Button(dialog, QStringLiteral("가공조건 화일 :"))->click();
      QCOMPARE(Field(dialog, QStringLiteral("공구경로 공구 직경"))->text(), QStringLiteral(" 8.000"));
      QCOMPARE(Field(dialog, QStringLiteral("코너 최대 감속비"))->text(), QStringLiteral(" 0.123"));
      dialog.accept();
    });
    Button(transfer, QStringLiteral("QEL"))->click();
    QCOMPARE(copy().toolDiameter, 8.0f);
    QCOMPARE(copy().cornerMaxReduction, 0.1234f);
    QCOMPARE(copy().material, std::string("AL6061"));
    QCOMPARE(Field(transfer, QStringLiteral("최대 피드"))->text(), QStringLiteral("2500"));
    QCOMPARE(Field(transfer, QStringLiteral("최저 피드"))->text(), QStringLiteral("308"));  // ⌊2500 × 0.1234⌋
  });
  frame().RunCommand(CommandId::OptimizeFeed);

  MachineCondition saved;
  QVERIFY(ReadQelFile(written, saved).ok());
  QCOMPARE(saved.toolDiameter, 6.0f);
  QCOMPARE(saved.safetyDistance, 3.0f);
  QCOMPARE(saved.qelMaxFeed, 1500);
  QCOMPARE(slot().toolDiameter, 10.0f);  // the transfer dialog was cancelled
}

// "GetFeed": the calculator opens on the optimizer's tool diameter, works either way as the user
// types, keeps its values from one opening to the next, and "적용" puts F into "최대 피드".
void OptimizerTest::getFeedSetsTheMaximumFeed() {
  Answer([&](QDialog& transfer) {
    QPushButton* getFeed = Button(transfer, QStringLiteral("GetFeed"));
    NumberField* maximum = Field(transfer, QStringLiteral("최대 피드"));

    // S and F typed give Vc and fz; closed, "최대 피드" stays.
    Answer([](QDialog& dialog) {
      QCOMPARE(dialog.windowTitle(), QStringLiteral("GetFeed Ver 1.0"));
      QCOMPARE(Field(dialog, QStringLiteral("D (mm)"))->text(), QStringLiteral("10"));
      Type(Field(dialog, QStringLiteral("z (날수)")), QStringLiteral("4"));
      Type(Field(dialog, QStringLiteral("S (rpm)")), QStringLiteral("6366"));
      Type(Field(dialog, QStringLiteral("F (mm/min)")), QStringLiteral("1273"));
      QCOMPARE(Field(dialog, QStringLiteral("Vc (m/min)"))->text(), QStringLiteral("200.0"));
      QCOMPARE(Field(dialog, QStringLiteral("fz (mm/날)"))->text(), QStringLiteral("0.0500"));
      Button(dialog, QStringLiteral("닫기"))->click();
    });
    getFeed->click();
    QCOMPARE(maximum->text(), QStringLiteral("1000"));

    // The four conditions typed give S and F; a value out of range is refused on its field.
    Answer([](QDialog& dialog) {
      NumberField* teeth = Field(dialog, QStringLiteral("z (날수)"));
      QCOMPARE(teeth->text(), QStringLiteral("4"));  // kept from the last opening
      Type(Field(dialog, QStringLiteral("D (mm)")), QStringLiteral("10"));
      Type(teeth, QStringLiteral("4"));
      Type(Field(dialog, QStringLiteral("Vc (m/min)")), QStringLiteral("200"));
      Type(Field(dialog, QStringLiteral("fz (mm/날)")), QStringLiteral("0.05"));
      QCOMPARE(Field(dialog, QStringLiteral("S (rpm)"))->text(), QStringLiteral("6366"));
      QCOMPARE(Field(dialog, QStringLiteral("F (mm/min)"))->text(), QStringLiteral("1273"));

      Type(teeth, QStringLiteral("0"));
      const auto refused = CatchNextMessage();
      Button(dialog, QStringLiteral("적용"))->click();
      QVERIFY(dialog.isVisible());
      QVERIFY(refused->text.startsWith(QStringLiteral("z (날수)")));
      Type(teeth, QStringLiteral("4"));
      Button(dialog, QStringLiteral("적용"))->click();
    });
    getFeed->click();
    QCOMPARE(maximum->text(), QStringLiteral("1273"));
    QCOMPARE(copy().qelMaxFeed, 1273);
  });
  frame().RunCommand(CommandId::OptimizeFeed);
  QCOMPARE(host().transferDialog.cuttingData.teeth, 4);  // kept past the transfer dialog's Cancel
}

void OptimizerTest::qelSettingsAndTheMasterFile() {
  // A folder whose path holds no "mma" by chance.
  const test::TempDir folder;
  const fs::path part = folder / "part.bin";
  { std::ofstream(part) << "not a master model"; }
  const QString partMma = QString::fromStdString(part.string()) + QStringLiteral(".mma");

  Answer([&](QDialog& transfer) {
    // Without a master file "Master에 의한 QEL " does not go on.
    Answer([](QDialog& dialog) {
      QCOMPARE(dialog.windowTitle(), QStringLiteral("QEL 설정"));
      const QStringList labels = LabelTexts(dialog);
      QCOMPARE(labels.count(QStringLiteral("0도 가중치(1.00)")), 2);
      QCOMPARE(labels.count(QStringLiteral("30도 가중치(0.70)")), 2);
      QCOMPARE(labels.count(QStringLiteral("60도 가중치(0.30)")), 2);
      const QList<QSlider*> sliders = dialog.findChildren<QSlider*>();
      QCOMPARE(sliders.size(), 6);
      QCOMPARE(sliders[1]->value(), 70);
      sliders[1]->setValue(45);
      sliders[5]->setValue(12);
      QVERIFY(LabelTexts(dialog).contains(QStringLiteral("30도 가중치(0.45)")));
      QVERIFY(LabelTexts(dialog).contains(QStringLiteral("60도 가중치(0.12)")));
      QCheckBox* byMaster = CheckBox(dialog, QStringLiteral("Master에 의한 QEL "));
      byMaster->click();
      QVERIFY(!byMaster->isChecked());
      CheckBox(dialog, QStringLiteral("부드러운 피드 변화"))->click();
      Type(Field(dialog, QStringLiteral("경사/코너 감속비")), QStringLiteral("3"));
      Type(Field(dialog, QStringLiteral("피드 변화 단위")), QStringLiteral("25"));
      dialog.accept();
    });
    Button(transfer, QStringLiteral("Set"))->click();
    QCOMPARE(copy().corWeight30, 0.45f);
    QCOMPARE(copy().sideWeight60, 0.12f);
    QCOMPARE(copy().feedChgSmoothCheck, 1);
    QCOMPARE(copy().feedUnit, 25);
    QCOMPARE(copy().qelByMaster, 0);
    QCOMPARE(copy().slopeMaxReduction, 0.1f * 3.0f);

    // A cancelled file dialog names no master file; a chosen one without "mma" gets ".mma".
    Answer([](QDialog& files) { files.reject(); });
    ButtonStarting(transfer, QStringLiteral("MMA"))->click();
    QCOMPARE(ButtonStarting(transfer, QStringLiteral("MMA"))->text(), QStringLiteral("MMA :"));
    AnswerFile(part);
    ButtonStarting(transfer, QStringLiteral("MMA"))->click();
    QCOMPARE(QString::fromStdString(copy().masterFile), partMma);
    QCOMPARE(ButtonStarting(transfer, QStringLiteral("MMA"))->text(), QStringLiteral("MMA : ") + partMma);

    // With a master file it goes on, and Cancel of "QEL 설정" keeps nothing of it.
    Answer([](QDialog& dialog) {
      QCheckBox* byMaster = CheckBox(dialog, QStringLiteral("Master에 의한 QEL "));
      byMaster->click();
      QVERIFY(byMaster->isChecked());
      dialog.reject();
    });
    Button(transfer, QStringLiteral("Set"))->click();
    QCOMPARE(copy().qelByMaster, 0);
    Answer([](QDialog& dialog) {
      CheckBox(dialog, QStringLiteral("Master에 의한 QEL "))->click();
      dialog.accept();
    });
    Button(transfer, QStringLiteral("Set"))->click();
    QCOMPARE(copy().qelByMaster, 1);
    // The run cannot load the master file: it says so and goes on without the master pass.
    CatchNextMessage();
    transfer.accept();
  });
  const int before = view().database().recordCount;
  frame().RunCommand(CommandId::OptimizeFeed);
  QCOMPARE(slot().qelByMaster, 0);
  QCOMPARE(slot().feedUnit, 25);
  QVERIFY(!view().masterModel());
  QVERIFY(view().database().recordCount > before);
}

void OptimizerTest::masterModelBuildSaveLoadDelete() {
  ToolpathDatabase& db = view().database();
  const std::vector<ToolpathRecord> original = Records(db);
  QAction* shown = frame().Action(CommandId::ShowMasterModel);

  Answer([](QDialog& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Master Model"));
    QCOMPARE(Field(dialog, QStringLiteral("공구 직경"))->text(), QStringLiteral("10"));
    QCOMPARE(Field(dialog, QStringLiteral("가공 여유"))->text(), QStringLiteral("0"));
    NumberField* tolerance = Field(dialog, QStringLiteral("마스터 모델 공차"));
    QCOMPARE(tolerance->text(), QStringLiteral("1"));
    Type(tolerance, QStringLiteral("0"));
    const auto refused = CatchNextMessage();
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QVERIFY(refused->text.contains(QStringLiteral("마스터 모델 공차")));
    Type(tolerance, QStringLiteral("2"));
    dialog.accept();
  });
  frame().RunCommand(CommandId::CreateMasterModel);
  QVERIFY(view().masterModel());
  const MasterModel built = *view().masterModel();
  QCOMPARE(built.present, 1);
  QCOMPARE(built.cellSize, 2.0);
  QCOMPARE(db.recordCount, 0);
  QVERIFY(view().options().masterModelShown);
  QVERIFY(shown->isChecked());
  // The toolpath the model was built from comes back with Undo; the model stays.
  frame().RunCommand(CommandId::Undo);
  QVERIFY(SameRecords(Records(db), original));
  QVERIFY(view().masterModel());

  // Saved: ".mma" added, 188 bytes and 6 a cell.
  AnswerFile(Temp("part"));
  frame().RunCommand(CommandId::SaveMasterModel);
  QCOMPARE(fs::file_size(Temp("part.mma")),
           static_cast<std::uintmax_t>(kMasterFileHeaderBytes + kMasterFileCellBytes * built.cellCount));

  // Deleted only after OK; the display goes off with the model.
  Answer([](QDialog& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    QVERIFY(box);
    QCOMPARE(box->text(), QStringLiteral(" 마스터 모텔을 삭제 하겠읍니까? "));
    box->button(QMessageBox::Cancel)->click();
  });
  frame().RunCommand(CommandId::DeleteMasterModel);
  QVERIFY(view().masterModel());
  Answer([](QDialog& dialog) { qobject_cast<QMessageBox*>(&dialog)->button(QMessageBox::Ok)->click(); });
  frame().RunCommand(CommandId::DeleteMasterModel);
  QVERIFY(!view().masterModel());
  QVERIFY(!view().options().masterModelShown);
  QVERIFY(!shown->isChecked());

  // Nothing to save: said so, no file dialog.
  const auto nothing = CatchNextMessage();
  frame().RunCommand(CommandId::SaveMasterModel);
  QCOMPARE(nothing->text, QStringLiteral("저장할 마스터 모델이 없습니다."));

  // Loaded back: the heights and wall angles of the saved model, shown at once.
  AnswerFile(Temp("part.mma"));
  frame().RunCommand(CommandId::LoadMasterModel);
  QVERIFY(view().masterModel());
  const MasterModel& loaded = *view().masterModel();
  QCOMPARE(loaded.cellCount, built.cellCount);
  QCOMPARE(loaded.originX, built.originX);
  for (std::size_t i = 0; i < built.cells.size(); ++i) {
    QCOMPARE(loaded.cells[i].top, built.cells[i].top);
    QCOMPARE(loaded.cells[i].wallAngle, built.cells[i].wallAngle);
  }
  QVERIFY(shown->isChecked());

  // A file that is no master model: said so, and the view is left without one.
  { std::ofstream(Temp("bad.mma")) << "short"; }
  const auto unreadable = AnswerFileThenMessage(Temp("bad.mma"));
  frame().RunCommand(CommandId::LoadMasterModel);
  QCOMPARE(unreadable->caption, QStringLiteral("Error message"));
  QVERIFY(unreadable->text.startsWith(QStringLiteral("화일을 열수 없습니다.\n")));
  QVERIFY(!view().masterModel());
  QVERIFY(!shown->isChecked());

  // Building from an empty view builds nothing and says so.
  db.Clear();
  Answer([](QDialog& dialog) {
    CatchNextMessage();
    dialog.accept();
  });
  frame().RunCommand(CommandId::CreateMasterModel);
  QVERIFY(!view().masterModel());
}

// A master model in the view switches the master pass on: the desktop run gives what the
// engine gives with that model.
void OptimizerTest::optimizerSlowsByTheViewsMasterModel() {
  Answer([](QDialog& dialog) { dialog.accept(); });
  frame().RunCommand(CommandId::CreateMasterModel);
  frame().RunCommand(CommandId::Undo);
  QVERIFY(view().masterModel());

  Answer([](QDialog& dialog) { dialog.accept(); });
  frame().RunCommand(CommandId::OptimizeFeed);
  QCOMPARE(slot().qelByMaster, 1);

  ToolpathDatabase expected;
  QVERIFY(LoadFile(expected, ExampleFile("bracket.nc").toStdString()).ok());
  RunAfterLoadSteps(expected, ExampleFile("bracket.nc").toStdString());
  FeedControl control;
  QCOMPARE(OptimizeFeeds(expected, slot(), control.optimizerSlots[1], view().masterModel().get()).status,
           OptimizerStatus::Done);
  QVERIFY(SameRecords(Records(view().database()), Records(expected)));

  // Without the model the same settings give another program.
  ToolpathDatabase without;
  QVERIFY(LoadFile(without, ExampleFile("bracket.nc").toStdString()).ok());
  RunAfterLoadSteps(without, ExampleFile("bracket.nc").toStdString());
  QCOMPARE(OptimizeFeeds(without, slot(), control.optimizerSlots[1], nullptr).status, OptimizerStatus::Done);
  QVERIFY(!SameRecords(Records(without), Records(expected)));
}

// The example program optimised through the dialogs with a *.qel file and written by the
// writer is, byte for byte, what fendo-batch optimize writes with the same file and options.
void OptimizerTest::desktopRunWritesWhatTheBatchToolWrites() {
  const fs::path qel = Temp("machine.qel");
  QVERIFY(WriteQelFile(qel, TestCondition()).ok());

  Answer([&](QDialog& dialog) {
    AnswerFile(qel);
    Button(dialog, QStringLiteral("조건화일 :"))->click();
    QCOMPARE(ButtonStarting(dialog, QStringLiteral("가공조건 화일 :"))->text(),
             QStringLiteral("가공조건 화일 :machine.qel"));
    QCOMPARE(Field(dialog, QStringLiteral("최대 피드"))->text(), QStringLiteral("2500"));
    QCOMPARE(Field(dialog, QStringLiteral("최저 피드"))->text(), QStringLiteral("500"));
    dialog.accept();
  });
  frame().RunCommand(CommandId::OptimizeFeed);
  QCOMPARE(slot().feedUnit, 50);

  ToolpathDatabase& db = view().database();
  NcOutputOptions options;
  PresetFromWorkLayer(db, options);
  options.outputPath = Temp("desktop.nc").string();
  options.sequenceNumbers = true;
  options.machiningInfo = true;
  options.diagonalRapidCheck = false;
  options.openEditor = false;
  test::ScriptedPrompts prompts;
  QCOMPARE(WriteNcProgram(db, options, prompts).status, WriteStatus::Written);

  const std::string input = ExampleFile("bracket.nc").toStdString();
  const std::vector<std::string> output = {"--seq", "--machining-info", "--no-diagonal-check"};
  std::vector<std::string> optimize = {"optimize", "--qel", qel.string(), input, "-o", Temp("batch.nc").string()};
  optimize.insert(optimize.end(), output.begin(), output.end());
  const test::BatchRun optimized = test::Batch(optimize);
  QCOMPARE(optimized.status, 0);
  std::vector<std::string> convert = {"convert", input, "-o", Temp("plain.nc").string()};
  convert.insert(convert.end(), output.begin(), output.end());
  QCOMPARE(test::Batch(convert).status, 0);

  const std::string desktop = test::ReadFile(Temp("desktop.nc"));
  QVERIFY(desktop.size() > 1000);
  QVERIFY(desktop == test::ReadFile(Temp("batch.nc")));
  QVERIFY(desktop != test::ReadFile(Temp("plain.nc")));
}

}  // namespace fendo

QTEST_MAIN(fendo::OptimizerTest)
#include "optimizer_test.moc"
