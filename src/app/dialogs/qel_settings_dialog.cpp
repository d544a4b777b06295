#include "app/dialogs/qel_settings_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <string_view>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/number_field.h"
#include "app/qt_text.h"
#include "feed/transfer_rules.h"

namespace fendo {
namespace {

struct SwitchSetting {
  const char* label;
  int MachineCondition::*field;
};
constexpr std::array<SwitchSetting, QelSettingsDialog::kSwitches> kSwitchSettings = {{
    {"QEL 전송시 XY변화 축소(0.3)", &MachineCondition::xyChgReduceCheck},
    {"부드러운 피드 변화", &MachineCondition::feedChgSmoothCheck},
}};

constexpr std::array<ConditionField<float>, QelSettingsDialog::kRealFields> kRealSettings = {{
    {"Z 상향 / Z 하향", "zupZdown", &MachineCondition::zupZdown},
    {"경사/코너 감속비", "sideCorRat", &MachineCondition::sideCorRat},
}};

// The sliders: three corner weights, then three slope weights, each at its angle.
struct WeightSetting {
  int angle;  // degrees
  float MachineCondition::*weight;
};
constexpr int kWeightsPerGroup = 3;
constexpr std::array<WeightSetting, QelSettingsDialog::kWeights> kWeightSettings = {{
    {0, &MachineCondition::corWeight0},
    {30, &MachineCondition::corWeight30},
    {60, &MachineCondition::corWeight60},
    {0, &MachineCondition::sideWeight0},
    {30, &MachineCondition::sideWeight30},
    {60, &MachineCondition::sideWeight60},
}};
constexpr std::array<const char*, 2> kWeightGroups = {"<< 코너 가중치 >>", "<< 경사 가중치 >>"};

constexpr std::string_view kFeedUnitName = "feedChgAng";

}  // namespace

QelSettingsDialog::QelSettingsDialog(const MachineCondition& condition, QWidget* parent)
    : ConditionDialog(QStringLiteral("QEL 설정"), parent),
      condition_(condition),
      feedUnit_(new NumberField(QStringLiteral("피드 변화 단위"), this)),
      byMaster_(new QCheckBox(QStringLiteral("Master에 의한 QEL "), this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  QList<QWidget*> tabOrder;

  for (int i = 0; i < kSwitches; ++i) {
    switches_[i] = new QCheckBox(QString::fromUtf8(kSwitchSettings[i].label), this);
    switches_[i]->setChecked(condition.*kSwitchSettings[i].field == 1);
    layout->addWidget(switches_[i]);
    tabOrder << switches_[i];
  }

  auto* form = new QFormLayout;
  feedUnit_->setText(QString::number(condition.feedUnit));
  ShowsSetting(kFeedUnitName, feedUnit_);
  form->addRow(feedUnit_->Label(), feedUnit_);
  tabOrder << feedUnit_;
  for (int i = 0; i < kRealFields; ++i) {
    reals_[i] = new NumberField(QString::fromUtf8(kRealSettings[i].label), this);
    reals_[i]->SetNumber(condition.*kRealSettings[i].field);
    ShowsSetting(kRealSettings[i].name, reals_[i]);
    form->addRow(reals_[i]->Label(), reals_[i]);
    tabOrder << reals_[i];
  }
  layout->addLayout(form);

  for (int group = 0; group < static_cast<int>(kWeightGroups.size()); ++group) {
    auto* box = new QGroupBox(QString::fromUtf8(kWeightGroups[group]), this);
    auto* grid = new QGridLayout(box);
    for (int k = 0; k < kWeightsPerGroup; ++k) {
      const int i = group * kWeightsPerGroup + k;
      sliders_[i] = new QSlider(Qt::Horizontal, box);
      sliders_[i]->setRange(0, kSliderSteps);
      sliders_[i]->setValue(SliderPosition(condition.*kWeightSettings[i].weight));
      weightLabels_[i] = new QLabel(Utf8(WeightLabel(kWeightSettings[i].angle, condition.*kWeightSettings[i].weight)), box);
      grid->addWidget(sliders_[i], 0, k);
      grid->addWidget(weightLabels_[i], 1, k, Qt::AlignHCenter);
      connect(sliders_[i], &QSlider::valueChanged, this, [this, i](int position) { SetWeight(i, position); });
      tabOrder << sliders_[i];
    }
    layout->addWidget(box);
  }

  // The box shows the setting; a click asks the rule whether it may change.
  byMaster_->setChecked(condition.qelByMaster == 1);
  connect(byMaster_, &QCheckBox::clicked, this, &QelSettingsDialog::ToggleByMaster);
  layout->addWidget(byMaster_);
  tabOrder << byMaster_;

  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder(tabOrder << buttons.accept << buttons.reject);
  switches_.front()->setFocus();
}

void QelSettingsDialog::SetWeight(int i, int position) {
  const WeightSetting& setting = kWeightSettings[i];
  condition_.*setting.weight = SliderWeight(position);
  weightLabels_[i]->setText(Utf8(WeightLabel(setting.angle, condition_.*setting.weight)));
}

void QelSettingsDialog::ToggleByMaster() {
  ToggleQelByMaster(condition_);
  byMaster_->setChecked(condition_.qelByMaster == 1);
}

bool QelSettingsDialog::TakeFields() {
  MachineCondition taken = condition_;
  for (int i = 0; i < kSwitches; ++i) taken.*kSwitchSettings[i].field = switches_[i]->isChecked() ? 1 : 0;
  if (!TakeWholeNumber(feedUnit_, taken.feedUnit)) return false;
  for (int i = 0; i < kRealFields; ++i) {
    if (!TakeNumber(reals_[i], taken.*kRealSettings[i].field)) return false;
  }

  // Only this dialog's settings are held to their ranges here (the sliders and switches
  // cannot leave theirs); the others are the transfer dialog's to refuse.
  MachineCondition shown;
  shown.feedUnit = taken.feedUnit;
  for (const ConditionField<float>& setting : kRealSettings) shown.*setting.field = taken.*setting.field;
  if (!HoldToRanges(shown, this)) return false;

  condition_ = taken;
  return true;
}

}  // namespace fendo
