#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs/about_dialog.h"
#include "app/dialogs/cutting_condition_dialog.h"
#include "app/dialogs/feed_change_dialogs.h"
#include "app/dialogs/master_model_dialog.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/dialogs/ncdata_info_dialog.h"
#include "app/dialogs/number_field.h"
#include "app/dialogs/settings_dialog.h"
#include "app/dialogs/qel_settings_dialog.h"
#include "app/dialogs/tool_shape_dialog.h"
#include "app/dialogs/transfer_dialog.h"
#include "app/dialogs/value_dialogs.h"
#include "app/dialogs/work_environment_dialog.h"
#include "config/nc_options_file.h"
#include "config/system_settings.h"
#include "core/scripted_prompts.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;

const std::string kFileNotWritten = "Error message: 화일을 열수 없습니다.\n";

std::optional<std::string> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

QPushButton* Button(QWidget& dialog, const QString& text) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

// The label standing for `field`: the one whose buddy it is.
QString LabelOf(const QWidget& dialog, const QWidget* field) {
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (label->buddy() == field) return label->text();
  }
  return {};
}

// The text of the field `label` stands for, among the widgets of `scope`.
QString ValueBeside(const QWidget& scope, const QString& label) {
  for (const QLabel* candidate : scope.findChildren<QLabel*>()) {
    if (candidate->text() == label) {
      if (const auto* field = dynamic_cast<const QLineEdit*>(candidate->buddy())) return field->text();
    }
  }
  return QStringLiteral("<no field beside %1>").arg(label);
}

// Shows the dialog as the active window and presses Tab `presses` times: the widgets that
// hold the focus, the first one included.
QList<QWidget*> FocusWalk(QDialog& dialog, int presses) {
  dialog.show();
  dialog.activateWindow();
  if (!QTest::qWaitForWindowActive(&dialog)) return {};
  QList<QWidget*> walk{QApplication::focusWidget()};
  for (int i = 0; i < presses; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    walk.append(QApplication::focusWidget());
  }
  return walk;
}

// The number field labelled `label`.
NumberField* FieldLabelled(const QWidget& dialog, const QString& label) {
  for (NumberField* field : dialog.findChildren<NumberField*>()) {
    if (field->Label() == label) return field;
  }
  return nullptr;
}

// Types `text` over what `field` holds, as the user does (the dialogs follow typed edits only).
void TypeOver(NumberField* field, const QString& text) {
  field->selectAll();
  QTest::keyClicks(field, text);
}

// Runs `act` on the modal dialog that opens next, once it is up.
void WhenModalOpens(std::function<void(QWidget&)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    QVERIFY(modal);
    act(*modal);
  });
}

// One of the six value dialogs, as the user meets it and as OK gives it back.
struct ValueDialogCase {
  const char* name;
  std::function<std::unique_ptr<QDialog>()> open;
  QString title;
  QStringList labels;  // beside the fields, in the order Tab reaches them
  QStringList shown;   // the fields' texts on opening
  QStringList typed;
  std::function<bool(const QDialog&)> gaveBackTyped;
};

std::vector<ValueDialogCase> ValueDialogCases() {
  const QString ask = QStringLiteral("변수를 입력하시요!!");
  return {
      {"one value", [] { return std::make_unique<COneValueDlg>(OneValue{.label = "삭제 길이", .value = 50}); }, ask,
       {"삭제 길이"}, {"50"}, {"12.5"},
       [](const QDialog& d) { return static_cast<const COneValueDlg&>(d).values().value == 12.5; }},
      {"two values, each label beside its own value",
       [] {
         return std::make_unique<CTwoValueDlg>(TwoValues{.label1 = "Z 최소", .value1 = -10, .label2 = "Z 최대", .value2 = 10});
       },
       ask, {"Z 최소", "Z 최대"}, {"-10", "10"}, {"-2.5", "+7"},
       [](const QDialog& d) {
         const TwoValues v = static_cast<const CTwoValueDlg&>(d).values();
         return v.value1 == -2.5 && v.value2 == 7 && v.label1 == "Z 최소";
       }},
      {"three values",
       [] {
         return std::make_unique<CThreeValueDlg>(ThreeValues{.label1 = " 최소 면각도 ", .value1 = 0, .label2 = " 최대 면각도 ",
                                                             .value2 = 30, .label3 = "삭제 무시 길이", .value3 = 4});
       },
       ask, {" 최소 면각도 ", " 최대 면각도 ", "삭제 무시 길이"}, {"0", "30", "4"}, {"5", "1e1", "0.125"},
       [](const QDialog& d) {
         const ThreeValues v = static_cast<const CThreeValueDlg&>(d).values();
         return v.value1 == 5 && v.value2 == 10 && v.value3 == 0.125;
       }},
      {"XY range", [] { return std::make_unique<CXYRangeDlg>(XYRange{}); }, QStringLiteral("XY 영역"),
       {"X값 최소", "Y값 최소", "X값 최대", "Y값 최대"}, {"-50", "-50", "0", "0"}, {"-1.1", "-2", " 3 ", "4.75"},
       [](const QDialog& d) {
         const XYRange v = static_cast<const CXYRangeDlg&>(d).values();
         return v.xMin == -1.1f && v.yMin == -2 && v.xMax == 3 && v.yMax == 4.75f;
       }},
      {"centre and radius", [] { return std::make_unique<CCentreRadiusDlg>(CentreRadius{}); },
       QStringLiteral("중심좌표와 반경을 입력하시요."), {"X 좌표", "Y 좌표", "Z 좌표", "반경"}, {"0", "0", "0", "70"},
       {"1", "2", "-3", "0.1"},
       [](const QDialog& d) {
         const CentreRadius v = static_cast<const CCentreRadiusDlg&>(d).values();
         return v.x == 1 && v.y == 2 && v.z == -3 && v.radius == 0.1f;
       }},
      {"direction", [] { return std::make_unique<CDirectionDlg>(Direction{}); }, QStringLiteral("방향을 지정하시요 !!!"),
       {"X 방향", "Y 방향", "Z 방향"}, {"0", "0", "5"}, {"0.1", "-0", "2"},
       [](const QDialog& d) {
         const Direction v = static_cast<const CDirectionDlg&>(d).values();
         return v.x == 0.1 && v.y == 0 && v.z == 2;
       }},
  };
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void valueDialogs_data();
  void valueDialogs();
  void numbersIgnoreTheLocale();
  void refusedNumbersKeepTheDialogOpen();
  void cancelLeavesTheCallersValues();
  void messageBoxPromptsAskWithTheOneValueDialog();
  void feedChangeDialogsTabThroughEachSwitchBeforeItsFeed();
  void rangeMessagesNameTheValueByTheDialogsOwnLabel();
  void toolShapeFollowsTheToolType();
  void toolShapeRefusesSizesOutOfRange();
  void workEnvironmentSavesFendoCfg();
  void workEnvironmentReportsAFileItCannotCreate();
  void workEnvironmentRefusesAValueWithABlank();
  void settingsDialogButtons_data();
  void settingsDialogButtons();
  void settingsSaveThatFailsStillApplies();
  void ncdataInfoShowsTheStatistics();
  void aboutBox();
  void hangulHasGlyphs();
};

void DialogsTest::valueDialogs_data() {
  QTest::addColumn<int>("index");
  int index = 0;
  for (const ValueDialogCase& c : ValueDialogCases()) QTest::newRow(c.name) << index++;
}

// Title, labels, the values shown, the tab order (fields, OK, Cancel) and the values OK gives back.
void DialogsTest::valueDialogs() {
  QFETCH(int, index);
  const ValueDialogCase c = ValueDialogCases()[static_cast<std::size_t>(index)];
  const std::unique_ptr<QDialog> dialog = c.open();
  test::ScriptedPrompts prompts;
  static_cast<CheckedDialog&>(*dialog).SetPrompts(prompts);
  QCOMPARE(dialog->windowTitle(), c.title);

  const qsizetype fieldCount = c.labels.size();
  const QList<QWidget*> walk = FocusWalk(*dialog, static_cast<int>(fieldCount) + 2);
  QCOMPARE(walk.size(), fieldCount + 3);
  QStringList labels;
  QStringList shown;
  for (qsizetype i = 0; i < fieldCount; ++i) {
    auto* field = dynamic_cast<NumberField*>(walk[i]);
    QVERIFY2(field, "a field comes before the buttons");
    labels << LabelOf(*dialog, field);
    shown << field->text();
    field->setText(c.typed[i]);
  }
  QCOMPARE(labels, c.labels);
  QCOMPARE(shown, c.shown);
  QCOMPARE(walk[fieldCount], Button(*dialog, "OK"));
  QCOMPARE(walk[fieldCount + 1], Button(*dialog, "Cancel"));
  QCOMPARE(walk[fieldCount + 2], walk[0]);

  Button(*dialog, "OK")->click();
  QCOMPARE(dialog->result(), int(QDialog::Accepted));
  QVERIFY(prompts.messages.empty());
  QVERIFY(c.gaveBackTyped(*dialog));
}

// A decimal point in and out, whatever the user's locale says.
void DialogsTest::numbersIgnoreTheLocale() {
  const QLocale usersLocale;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  COneValueDlg dialog(OneValue{.label = "세분화 간격", .value = 0.5});
  QLocale::setDefault(usersLocale);
  auto* field = dialog.findChild<NumberField*>();
  QCOMPARE(field->text(), QStringLiteral("0.5"));

  double v = 0;
  for (const char* refused : {"2,5", "1.000,5", "", " ", "abc", "1.5x", "inf", "nan", "1e400", "0x10", "--1"}) {
    field->setText(refused);
    QVERIFY2(!field->Read(v), refused);
  }
  QCOMPARE(v, 0.0);
  field->setText(" +2.5e-1 ");
  QVERIFY(field->Read(v));
  QCOMPARE(v, 0.25);

  float f = 0;
  field->setText("1e39");  // a double, but no float
  QVERIFY(!field->Read(f));
  field->SetNumber(0.1f);
  QCOMPARE(field->text(), QStringLiteral("0.1"));
  QVERIFY(field->Read(f));
  QCOMPARE(f, 0.1f);
}

void DialogsTest::refusedNumbersKeepTheDialogOpen() {
  test::ScriptedPrompts prompts;
  CXYRangeDlg dialog(XYRange{});
  dialog.SetPrompts(prompts);
  dialog.show();
  const QList<NumberField*> fields = dialog.findChildren<NumberField*>();
  QCOMPARE(fields.size(), 4);
  NumberField* yMax = fields[3];
  QCOMPARE(LabelOf(dialog, yMax), QStringLiteral("Y값 최대"));
  fields[0]->setText("7");
  yMax->setText("1,5");

  Button(dialog, "OK")->click();
  QVERIFY(dialog.isVisible());
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
  QCOMPARE(prompts.messages, std::vector<std::string>{"Fendo message: Y값 최대: 숫자를 입력하시요."});
  QCOMPARE(dialog.focusWidget(), yMax);
  QCOMPARE(dialog.values().xMin, -50.0f);  // nothing is taken until every field is

  yMax->setText("1e39");  // beyond what the coordinate can hold
  Button(dialog, "OK")->click();
  QVERIFY(dialog.isVisible());
  QCOMPARE(prompts.messages.size(), std::size_t{2});

  yMax->setText("1.5");
  Button(dialog, "OK")->click();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(dialog.values().xMin, 7.0f);
  QCOMPARE(dialog.values().yMax, 1.5f);
}

void DialogsTest::cancelLeavesTheCallersValues() {
  Direction direction{.x = 1, .y = 2, .z = 3};
  WhenModalOpens([](QWidget& dialog) {
    dialog.findChild<NumberField*>()->setText("99");
    Button(dialog, "Cancel")->click();
  });
  QVERIFY(!EditInDialog<CDirectionDlg>(direction, nullptr));
  QCOMPARE(direction.x, 1.0);

  WhenModalOpens([](QWidget& dialog) {
    dialog.findChild<NumberField*>()->setText("99");
    Button(dialog, "OK")->click();
  });
  QVERIFY(EditInDialog<CDirectionDlg>(direction, nullptr));
  QCOMPARE(direction.x, 99.0);
  QCOMPARE(direction.z, 3.0);
}

void DialogsTest::messageBoxPromptsAskWithTheOneValueDialog() {
  MessageBoxPrompts prompts(nullptr);
  QString label;
  WhenModalOpens([&label](QWidget& dialog) {
    auto* field = dialog.findChild<NumberField*>();
    label = LabelOf(dialog, field);
    field->setText("0.002");
    Button(dialog, "OK")->click();
  });
  QCOMPARE(prompts.AskValue("필터링 공차", 0.001), std::optional<double>(0.002));
  QCOMPARE(label, QStringLiteral("필터링 공차"));

  WhenModalOpens([](QWidget& dialog) { Button(dialog, "Cancel")->click(); });
  QCOMPARE(prompts.AskValue("필터링 공차", 0.001), std::optional<double>());

  QString question;
  WhenModalOpens([&question](QWidget& box) {
    question = box.windowTitle() + ": " + static_cast<QMessageBox&>(box).text();
    static_cast<QMessageBox&>(box).button(QMessageBox::Cancel)->click();
  });
  QVERIFY(!prompts.AskOkCancel("G01로 변환해하겠습니까?", "Error message", PromptIcon::Question));
  QCOMPARE(question, QStringLiteral("Error message: G01로 변환해하겠습니까?"));
}

// A check box that goes with a number stands as the number's label, and Tab reaches it just
// before the number; OK takes both.
void DialogsTest::feedChangeDialogsTabThroughEachSwitchBeforeItsFeed() {
  FfCutDialog dialog(FfCutOptions{});
  QCOMPARE(dialog.windowTitle(), QStringLiteral("FF CUT"));
  auto* first = dialog.findChild<NumberField*>("firstFeed");
  auto* second = dialog.findChild<NumberField*>("secondFeed");
  auto* toLayer = dialog.findChild<QCheckBox*>("secondToLayer");
  auto* layer = dialog.findChild<NumberField*>("secondLayer");
  QVERIFY(first && second && toLayer && layer);
  QCOMPARE(LabelOf(dialog, second), QStringLiteral("2차 공구경로 feed"));
  QCOMPARE(toLayer->text(), QStringLiteral("2차 공구경로 layer"));
  QCOMPARE(LabelOf(dialog, layer), QString());
  const QList<QWidget*> walk = FocusWalk(dialog, 6);
  QCOMPARE(walk, (QList<QWidget*>{first, second, toLayer, layer, Button(dialog, "OK"), Button(dialog, "Cancel"), first}));

  toLayer->setChecked(true);
  layer->setText("7");
  Button(dialog, "OK")->click();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QVERIFY(dialog.values().secondToLayer);
  QCOMPARE(dialog.values().secondLayer, 7);
}

// A value out of the range the engine holds it to is refused in the dialog's words, named by
// the label the dialog shows it under; the dialog stays open with the focus on the value's
// field. A field that only leads to a setting (the transfer dialog's lowest feed, which sets
// the corner reduction) names the setting by the label of the dialog that shows it.
void DialogsTest::rangeMessagesNameTheValueByTheDialogsOwnLabel() {
  TransferDialogState transferState;
  MachineCondition slot;
  const struct {
    const char* dialog;
    std::function<std::unique_ptr<CheckedDialog>()> open;
    const char* field;
    const char* typed;
    const char* said;
  } cases[] = {
      {"cutting condition", [] { return std::make_unique<CuttingConditionDialog>(MachineCondition{}); }, "최대피드", "0",
       "Fendo message: 최대피드: 1 ~ 100000 사이의 값을 입력하시요."},
      {"cutting condition", [] { return std::make_unique<CuttingConditionDialog>(MachineCondition{}); },
       "코너 최대 감속비", "1.5", "Fendo message: 코너 최대 감속비: 0 ~ 1 사이의 값을 입력하시요."},
      {"QEL settings", [] { return std::make_unique<QelSettingsDialog>(MachineCondition{}); }, "피드 변화 단위", "100001",
       "Fendo message: 피드 변화 단위: 0 ~ 100000 사이의 값을 입력하시요."},
      {"QEL settings", [] { return std::make_unique<QelSettingsDialog>(MachineCondition{}); }, "경사/코너 감속비", "-1",
       "Fendo message: 경사/코너 감속비: 0 ~ 1000 사이의 값을 입력하시요."},
      {"master model", [] { return std::make_unique<MasterModelDialog>(MasterModelInputs{}); }, "공구 직경", "0",
       "Fendo message: 공구 직경: 0.01 ~ 1000 사이의 값을 입력하시요."},
      {"master model", [] { return std::make_unique<MasterModelDialog>(MasterModelInputs{}); }, "마스터 모델 공차", "101",
       "Fendo message: 마스터 모델 공차: 0.001 ~ 100 사이의 값을 입력하시요."},
      {"transfer", [&] { return std::make_unique<TransferDialog>(transferState, slot); }, "최대 피드", "0",
       "Fendo message: 최대 피드: 1 ~ 100000 사이의 값을 입력하시요."},
      {"transfer", [&] { return std::make_unique<TransferDialog>(transferState, slot); }, "최저 피드", "5000",
       "Fendo message: 코너 최대 감속비: 0 ~ 1 사이의 값을 입력하시요."},
  };
  for (const auto& c : cases) {
    transferState = TransferDialogState{};
    test::ScriptedPrompts prompts;
    const std::unique_ptr<CheckedDialog> dialog = c.open();
    dialog->SetPrompts(prompts);
    dialog->show();
    NumberField* field = FieldLabelled(*dialog, QString::fromUtf8(c.field));
    QVERIFY2(field, c.field);
    TypeOver(field, QString::fromUtf8(c.typed));
    Button(*dialog, "OK")->click();
    QVERIFY2(dialog->isVisible(), c.dialog);
    QCOMPARE(prompts.messages, std::vector<std::string>{c.said});
    QCOMPARE(dialog->focusWidget(), field);
  }
  QCOMPARE(slot.qelMaxFeed, MachineCondition{}.qelMaxFeed);
}

void DialogsTest::toolShapeFollowsTheToolType() {
  test::ScriptedPrompts prompts;
  ToolShapeDialog dialog(ToolShape{});
  dialog.SetPrompts(prompts);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("공구형상"));
  const QList<NumberField*> fields = dialog.findChildren<NumberField*>();
  QCOMPARE(fields.size(), 4);
  NumberField* radius = fields[0];
  NumberField* corner = fields[1];
  QCOMPARE(LabelOf(dialog, corner), QStringLiteral("코너 반경"));

  // The ball every view starts with: its corner is its radius and follows it.
  QRadioButton* ball = nullptr;
  QRadioButton* bullNose = nullptr;
  QRadioButton* flat = nullptr;
  for (QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
    if (button->text() == "볼엔드밀") ball = button;
    if (button->text() == "불노즈 엔드밀") bullNose = button;
    if (button->text() == "평엔드밀") flat = button;
  }
  QVERIFY(ball && bullNose && flat);
  QVERIFY(ball->isChecked());
  QVERIFY(!corner->isEnabled());
  radius->setText("4");
  QCOMPARE(corner->text(), QStringLiteral("4"));

  // A bull nose's corner is typed, and kept while another type is shown.
  bullNose->click();
  QVERIFY(corner->isEnabled());
  QCOMPARE(corner->text(), QStringLiteral("5"));
  corner->setText("1");
  flat->click();
  QCOMPARE(corner->text(), QStringLiteral("0"));
  bullNose->click();
  QCOMPARE(corner->text(), QStringLiteral("1"));
  fields[2]->setText("20");
  fields[3]->setText("0");
  Button(dialog, "OK")->click();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  const ToolShape tool = dialog.values();
  QCOMPARE(tool.type, ToolType::BullNose);
  QCOMPARE(tool.radius, 4.0);
  QCOMPARE(tool.cornerRadius, 1.0);
  QCOMPARE(tool.fluteLength, 20.0);
  QCOMPARE(tool.shankLength, 0.0);

  ToolShapeDialog flatDialog(tool);
  for (QRadioButton* button : flatDialog.findChildren<QRadioButton*>()) {
    if (button->text() == "평엔드밀") button->click();
  }
  Button(flatDialog, "OK")->click();
  QCOMPARE(flatDialog.values().type, ToolType::Flat);
  QCOMPARE(flatDialog.values().cornerRadius, 0.0);
}

void DialogsTest::toolShapeRefusesSizesOutOfRange() {
  test::ScriptedPrompts prompts;
  const ToolShape bullNose{.type = ToolType::BullNose, .radius = 4, .cornerRadius = 1};
  ToolShapeDialog dialog(bullNose);
  dialog.SetPrompts(prompts);
  dialog.show();
  const QList<NumberField*> fields = dialog.findChildren<NumberField*>();
  struct Refusal {
    int field;
    const char* text;
    const char* message;
  };
  const Refusal refusals[] = {
      {0, "0", "Fendo message: 공구 반경: 0.001 ~ 500 사이의 값을 입력하시요."},
      {1, "4.5", "Fendo message: 코너 반경: 0 ~ 4 사이의 값을 입력하시요."},
      {1, "-0.5", "Fendo message: 코너 반경: 0 ~ 4 사이의 값을 입력하시요."},
      {2, "0", "Fendo message: 날 길이: 0.001 ~ 1000 사이의 값을 입력하시요."},
      {3, "1001", "Fendo message: 생크 길이: 0 ~ 1000 사이의 값을 입력하시요."},
  };
  for (const Refusal& refusal : refusals) {
    prompts.messages.clear();
    const QString before = fields[refusal.field]->text();
    fields[refusal.field]->setText(refusal.text);
    Button(dialog, "OK")->click();
    QVERIFY2(dialog.isVisible(), refusal.text);
    QCOMPARE(prompts.messages, std::vector<std::string>{refusal.message});
    QCOMPARE(dialog.focusWidget(), fields[refusal.field]);
    fields[refusal.field]->setText(before);
  }
  QCOMPARE(dialog.values().radius, 4.0);
  Button(dialog, "OK")->click();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void DialogsTest::workEnvironmentSavesFendoCfg() {
  const test::TempDir dir;
  const test::ScopedVariable systemDir("FENDO_SYSTEM_DIR", dir.path().c_str());
  const SystemSettings before = DefaultSystemSettings();
  test::ScriptedPrompts prompts;

  WorkEnvironmentDialog cancelled(before);
  cancelled.SetPrompts(prompts);
  cancelled.findChild<QLineEdit*>()->setText("/elsewhere");
  Button(cancelled, "취소")->click();
  QCOMPARE(cancelled.result(), int(QDialog::Rejected));
  QVERIFY(cancelled.settings() == before);
  QVERIFY(!FileBytes(SystemSettingsPath()));

  WorkEnvironmentDialog dialog(before);
  dialog.SetPrompts(prompts);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("작업 환경"));
  const QList<QWidget*> walk = FocusWalk(dialog, 7);
  QCOMPARE(walk.size(), 8);
  const QStringList labels = {"환경 Directory", "작업 Directory", "Post Directory", "편집기(editor)", "Ncdata 확장자"};
  const QStringList typed = {"/cnc/설정", " /cnc/nc ", "/cnc/post", "kate", "*.nc;*.tap"};
  for (int i = 0; i < 5; ++i) {
    QCOMPARE(LabelOf(dialog, walk[i]), labels[i]);
    static_cast<QLineEdit*>(walk[i])->setText(typed[i]);
  }
  QCOMPARE(walk[5], Button(dialog, "저장"));
  QCOMPARE(walk[6], Button(dialog, "취소"));

  Button(dialog, "저장")->click();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QVERIFY(dialog.saved());
  QVERIFY(prompts.messages.empty());
  QCOMPARE(dialog.settings().workDir, std::string("/cnc/nc"));
  QCOMPARE(FileBytes(SystemSettingsPath()),
           std::optional<std::string>("ConfigDir /cnc/설정 \nWorkDir /cnc/nc \nPostDir /cnc/post \nEditor kate \n"
                                      "FileExt *.nc;*.tap \n"));
}

// The failure goes through the program's own message box: text, caption and information icon.
void DialogsTest::workEnvironmentReportsAFileItCannotCreate() {
  const test::TempDir dir;
  const fs::path notAFolder = dir / "fendo.cfg-is-a-file";
  QVERIFY(std::ofstream(notAFolder).good());
  const test::ScopedVariable systemDir("FENDO_SYSTEM_DIR", notAFolder.c_str());

  WorkEnvironmentDialog dialog(DefaultSystemSettings());
  dialog.show();
  dialog.findChildren<QLineEdit*>()[3]->setText("kate");
  QString shown;
  WhenModalOpens([&shown](QWidget& widget) {
    auto& box = static_cast<QMessageBox&>(widget);
    shown = box.windowTitle() + ": " + box.text();
    QCOMPARE(box.icon(), QMessageBox::Information);
    box.accept();
  });
  Button(dialog, "저장")->click();
  QCOMPARE(shown, QString::fromStdString(kFileNotWritten));
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QVERIFY(!dialog.saved());
  QCOMPARE(dialog.settings().editor, std::string("kate"));
}

// fendo.cfg is a list of words: a blank would shift every setting behind it when read back.
void DialogsTest::workEnvironmentRefusesAValueWithABlank() {
  const test::TempDir dir;
  const test::ScopedVariable systemDir("FENDO_SYSTEM_DIR", dir.path().c_str());
  test::ScriptedPrompts prompts;
  WorkEnvironmentDialog dialog(DefaultSystemSettings());
  dialog.SetPrompts(prompts);
  dialog.show();
  const QList<QLineEdit*> fields = dialog.findChildren<QLineEdit*>();
  for (const char* refused : {"/my cnc/post", "", "  "}) {
    prompts.messages.clear();
    fields[2]->setText(refused);
    Button(dialog, "저장")->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(prompts.messages, std::vector<std::string>{"Fendo message: Post Directory: 빈칸 없는 값을 입력하시요."});
    QCOMPARE(dialog.focusWidget(), fields[2]);
  }
  QVERIFY(!FileBytes(SystemSettingsPath()));
}

void DialogsTest::settingsDialogButtons_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("outcome");
  QTest::addColumn<bool>("written");
  QTest::newRow("OK applies to the view") << "OK" << int(SettingsOutcome::Applied) << false;
  QTest::newRow("저장 applies and writes fendo.par") << "저장" << int(SettingsOutcome::Saved) << true;
  QTest::newRow("Cancel changes nothing") << "Cancel" << int(SettingsOutcome::Cancelled) << false;
}

void DialogsTest::settingsDialogButtons() {
  QFETCH(QString, button);
  QFETCH(int, outcome);
  QFETCH(bool, written);
  const test::TempDir dir;
  SystemSettings settings = DefaultSystemSettings();
  settings.configDir = dir.path().string();
  const NcOptions before{.heidenhainOutChk = true};

  SettingsDialog dialog(before, settings);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("설정"));
  const QList<QWidget*> walk = FocusWalk(dialog, 8);
  QCOMPARE(walk.size(), 9);
  const QStringList labels = {"Heidenhain 입력", "Heidenhain 출력", "정수 NCDATA 입력", "ARC(G2, G3) -> LINEAR(G01)",
                              "Arc 중심 절대좌표"};
  const QList<bool> checked = {false, true, false, false, false};
  for (int i = 0; i < 5; ++i) {
    auto* box = dynamic_cast<QCheckBox*>(walk[i]);
    QVERIFY(box);
    QCOMPARE(box->text(), labels[i]);
    QCOMPARE(box->isChecked(), checked[i]);
  }
  QCOMPARE(walk.mid(5, 3), (QList<QWidget*>{Button(dialog, "OK"), Button(dialog, "저장"), Button(dialog, "Cancel")}));
  static_cast<QCheckBox*>(walk[0])->setChecked(true);
  static_cast<QCheckBox*>(walk[2])->setChecked(true);
  static_cast<QCheckBox*>(walk[4])->setChecked(true);

  Button(dialog, button)->click();
  QCOMPARE(int(dialog.outcome()), outcome);
  const NcOptions after{
      .intNcdataFlg = true, .heidenhainInputChk = true, .heidenhainOutChk = true, .arcCentreAbsInputChk = true};
  QVERIFY(dialog.options() == (outcome == int(SettingsOutcome::Cancelled) ? before : after));
  const std::optional<std::string> file = FileBytes(NcOptionsPath(settings));
  QCOMPARE(file.has_value(), written);
  if (written) {
    QCOMPARE(*file, std::string("IntNcdataFlg 1 \nArcToCutInputChk 0 \nHeidenhainInputChk 1 \nHeidenhainOutChk 1 \n"
                                "ArcCentreAbsInputChk 1 \n"));
  }
}

void DialogsTest::settingsSaveThatFailsStillApplies() {
  SystemSettings settings = DefaultSystemSettings();
  settings.configDir = "/nonexistent-fendo-config";
  test::ScriptedPrompts prompts;
  SettingsDialog dialog(NcOptions{}, settings);
  dialog.SetPrompts(prompts);
  dialog.findChild<QCheckBox*>()->setChecked(true);
  Button(dialog, "저장")->click();
  QCOMPARE(prompts.messages, std::vector<std::string>{kFileNotWritten});
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(dialog.outcome(), SettingsOutcome::Applied);
  QVERIFY(dialog.options().heidenhainInputChk);
}

void DialogsTest::ncdataInfoShowsTheStatistics() {
  ToolpathStatistics statistics;
  statistics.highestFeed = 1000;
  statistics.feedLength = 200;
  statistics.rapidLength = 12.3456;
  statistics.cuttingTime = 0.3;
  statistics.feedExtents.Widen({-1.5, 2, -3});
  statistics.feedExtents.Widen({4, 5.0005, 0});
  CNcdataInfoDlg dialog(statistics);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Ncdata 정보"));

  QGroupBox* rapid = nullptr;
  QGroupBox* feed = nullptr;
  for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
    if (group->title() == "<< 급속이송 >>") rapid = group;
    if (group->title() == "<< 절삭이송 >>") feed = group;
  }
  QVERIFY(rapid && feed);
  QCOMPARE(ValueBeside(*rapid, "급속 이송거리"), QStringLiteral("12.346"));
  QCOMPARE(ValueBeside(*rapid, "최소 X:"), QStringLiteral("10000.000"));  // no rapid moves
  QCOMPARE(ValueBeside(*rapid, "최대 Z:"), QStringLiteral("-10000.000"));
  QCOMPARE(ValueBeside(*feed, "절삭 이송거리"), QStringLiteral("200.000"));
  QCOMPARE(ValueBeside(*feed, "가공 예상시간(min)"), QStringLiteral("0.300"));
  QCOMPARE(ValueBeside(*feed, "최소 X:"), QStringLiteral("-1.500"));
  QCOMPARE(ValueBeside(*feed, "최소 Z:"), QStringLiteral("-3.000"));
  QCOMPARE(ValueBeside(*feed, "최대 Y:"), QStringLiteral("5.000"));
  QCOMPARE(ValueBeside(*feed, "최대 절삭속도"), QStringLiteral("1000"));
  for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) QVERIFY(field->isReadOnly());
  QCOMPARE(ValueBeside(dialog, "단위"), QStringLiteral("지정 없음"));

  // A program in inches that switches units part way: the labels say the unit, a line warns.
  CNcdataInfoDlg inches(statistics, {LengthUnit::Inch, true});
  QCOMPARE(ValueBeside(inches, "단위"), QStringLiteral("inch"));
  QCOMPARE(ValueBeside(inches, "급속 이송거리 (inch)"), QStringLiteral("12.346"));
  QCOMPARE(ValueBeside(inches, "절삭 이송거리 (inch)"), QStringLiteral("200.000"));
  QCOMPARE(ValueBeside(inches, "최대 절삭속도 (inch/min)"), QStringLiteral("1000"));
  QCOMPARE(ValueBeside(inches, "가공 예상시간(min)"), QStringLiteral("0.300"));
  bool warned = false;
  for (const QLabel* label : inches.findChildren<QLabel*>()) {
    warned = warned || label->text() == QStringLiteral("프로그램 중간에 단위(G20/G21)가 바뀝니다.");
  }
  QVERIFY(warned);

  Button(dialog, "Cancel")->click();
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void DialogsTest::aboutBox() {
  AboutDialog dialog;
  QCOMPARE(dialog.windowTitle(), QStringLiteral("fendo 정보"));
  QCOMPARE(dialog.findChild<QLabel*>()->text(), QStringLiteral("fendo 버전 1.0"));
  Button(dialog, "확인")->click();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

// Without a Korean font every Hangul syllable is drawn as the same box.
void DialogsTest::hangulHasGlyphs() {
  QLabel save(QStringLiteral("저장"));
  QLabel cancel(QStringLiteral("취소"));
  cancel.resize(save.sizeHint());
  save.resize(save.sizeHint());
  QVERIFY(save.grab().toImage() != cancel.grab().toImage());
}

}  // namespace fendo

QTEST_MAIN(fendo::DialogsTest)
#include "dialogs_test.moc"
