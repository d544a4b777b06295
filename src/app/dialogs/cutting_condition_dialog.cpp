#include "app/dialogs/cutting_condition_dialog.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string_view>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/feed_file_dialogs.h"
#include "app/dialogs/number_field.h"
#include "app/qt_text.h"
#include "feed/qel_file.h"
#include "feed/transfer_rules.h"

namespace fendo {
namespace {

// The fields in their order, each with the setting it edits (and its name in the ranges).
constexpr std::array<ConditionField<float>, CuttingConditionDialog::kRealFields> kRealSettings = {{
    {"공구경로 공구 직경", "toolDiameter", &MachineCondition::toolDiameter},
    {"안전거리", "safetyDistance", &MachineCondition::safetyDistance},
    {"코너검색 최소각도", "cornerMinAngle", &MachineCondition::cornerMinAngle},
    {"코너 최대 감속비", "cornerMaxReduction", &MachineCondition::cornerMaxReduction},
    {"경사검색 최소각도", "slopeMinAngle", &MachineCondition::slopeMinAngle},
    {"경사 최대감속비", "slopeMaxReduction", &MachineCondition::slopeMaxReduction},
}};

constexpr std::array<ConditionField<int>, CuttingConditionDialog::kWholeFields> kWholeSettings = {{
    {"공구 접근피드", "plungeFeed", &MachineCondition::plungeFeed},
    {"최대피드", "qelMaxFeed", &MachineCondition::qelMaxFeed},
}};

constexpr std::string_view kUnreadableFileText = "가공조건 화일을 읽을 수 없습니다.\n";
constexpr std::string_view kUnwritableFileText = "가공조건 화일을 저장할 수 없습니다.\n";

}  // namespace

CuttingConditionDialog::CuttingConditionDialog(const MachineCondition& condition, QWidget* parent)
    : ConditionDialog(QStringLiteral("자동 피드 조정"), parent),
      condition_(condition),
      material_(new QLineEdit(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* form = new QFormLayout;
  QList<QWidget*> tabOrder;
  for (int i = 0; i < kRealFields; ++i) {
    reals_[i] = new NumberField(QString::fromUtf8(kRealSettings[i].label), this);
    ShowsSetting(kRealSettings[i].name, reals_[i]);
  }
  for (int i = 0; i < kWholeFields; ++i) {
    wholes_[i] = new NumberField(QString::fromUtf8(kWholeSettings[i].label), this);
    ShowsSetting(kWholeSettings[i].name, wholes_[i]);
  }
  for (NumberField* field : reals_) form->addRow(field->Label(), field);
  for (NumberField* field : wholes_) form->addRow(field->Label(), field);
  form->addRow(QStringLiteral("가공소재"), material_);
  tabOrder << QList<QWidget*>(reals_.begin(), reals_.end()) << QList<QWidget*>(wholes_.begin(), wholes_.end())
           << material_;
  layout->addLayout(form);

  auto* load = new QPushButton(QStringLiteral("가공조건 화일 :"), this);
  auto* save = new QPushButton(QStringLiteral("조건저장"), this);
  connect(load, &QPushButton::clicked, this, &CuttingConditionDialog::LoadConditionFile);
  connect(save, &QPushButton::clicked, this, &CuttingConditionDialog::SaveConditionFile);
  layout->addLayout(ButtonRow({load, save}));
  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder(tabOrder << load << save << buttons.accept << buttons.reject);

  ShowValues();
  reals_.front()->setFocus();
}

void CuttingConditionDialog::ShowValues() {
  for (int i = 0; i < kRealFields; ++i) {
    shownReals_[i] = Utf8(CuttingFieldText(condition_.*kRealSettings[i].field));
    reals_[i]->setText(shownReals_[i]);
  }
  for (int i = 0; i < kWholeFields; ++i) wholes_[i]->setText(QString::number(condition_.*kWholeSettings[i].field));
  material_->setText(Utf8(condition_.material));
}

bool CuttingConditionDialog::TakeFields() {
  MachineCondition taken = condition_;
  for (int i = 0; i < kRealFields; ++i) {
    if (reals_[i]->text() != shownReals_[i] && !TakeNumber(reals_[i], taken.*kRealSettings[i].field)) return false;
  }
  for (int i = 0; i < kWholeFields; ++i) {
    if (!TakeWholeNumber(wholes_[i], taken.*kWholeSettings[i].field)) return false;
  }
  taken.material = ToUtf8(material_->text().trimmed());

  // Only this dialog's settings are held to their ranges here; the others are the transfer
  // dialog's to refuse.
  MachineCondition shown;
  for (const ConditionField<float>& setting : kRealSettings) shown.*setting.field = taken.*setting.field;
  for (const ConditionField<int>& setting : kWholeSettings) shown.*setting.field = taken.*setting.field;
  if (!HoldToRanges(shown, this)) return false;

  condition_ = taken;
  for (int i = 0; i < kRealFields; ++i) shownReals_[i] = reals_[i]->text();
  return true;
}

void CuttingConditionDialog::LoadConditionFile() {
  const QString path = ChooseQelFileToOpen(this, condition_);
  if (path.isEmpty()) return;
  const QelFileResult read = ReadQelFile(LocalPath(path), condition_);
  if (!read.ok()) {
    Prompts().Message(std::string(kUnreadableFileText) + read.reason, kErrorCaption, PromptIcon::Information);
    return;
  }
  ShowValues();
}

void CuttingConditionDialog::SaveConditionFile() {
  if (!TakeFields()) return;
  const QString path = ChooseQelFileToSave(this, condition_);
  if (path.isEmpty()) return;
  const QelFileResult written = WriteQelFile(LocalPath(path), condition_);
  if (!written.ok()) {
    Prompts().Message(std::string(kUnwritableFileText) + written.reason, kErrorCaption, PromptIcon::Information);
  }
}

}  // namespace fendo
