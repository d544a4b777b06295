#include "app/dialogs/machine_feed_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

#include "app/dialogs/dialog_layout.h"
#include "app/qt_text.h"

namespace fendo {
namespace {

constexpr int kLowestWeight = 0;
constexpr int kHighestWeight = 100;
// The entry the speed list falls back on, for a value that is not one of its entries.
constexpr int kDefaultBaudRate = 9600;

int BaudIndex(int baudRate) {
  const auto* at = std::ranges::find(kBaudRates, baudRate);
  if (at == kBaudRates.end()) at = std::ranges::find(kBaudRates, kDefaultBaudRate);
  return static_cast<int>(at - kBaudRates.begin());
}

}  // namespace

MachineFeedDialog::MachineFeedDialog(const MachineFeedOptions& options, QWidget* parent)
    : OptionsDialog(QStringLiteral("기계와 DNC 조건을 입력하시요."), parent),
      options_(options),
      machine_(new QComboBox(this)),
      baudRate_(new QComboBox(this)),
      maxFeed_(AddNumberField("maxFeed", QStringLiteral("최대 feed"))),
      minFeed_(AddNumberField("minFeed", QStringLiteral("최저 feed"))),
      rapidFeed_(AddNumberField("rapidFeed", QStringLiteral("Rapid feed"))),
      feedUnit_(AddNumberField("feedUnit", QStringLiteral("Feed 단위"))),
      smooth_(CheckBox("smooth", QStringLiteral("부르러운 feed"), options.smooth, this)),
      setAllFirst_(CheckBox("setAllFirst", QStringLiteral("최대 feed로 변경후 감소"), options.setAllFirst, this)),
      cncWeight_(new QSlider(Qt::Horizontal, this)),
      cncWeightLabel_(new QLabel(this)) {
  machine_->setObjectName(QStringLiteral("machine"));
  for (const MachineBuffer& m : kMachines) machine_->addItem(Utf8(m.name));
  machine_->setCurrentIndex(std::clamp(options.machine, 0, static_cast<int>(kMachines.size()) - 1));
  baudRate_->setObjectName(QStringLiteral("baudRate"));
  for (int baud : kBaudRates) baudRate_->addItem(QString::number(baud));
  baudRate_->setCurrentIndex(BaudIndex(options.baudRate));

  cncWeight_->setObjectName(QStringLiteral("cncWeight"));
  cncWeight_->setRange(kLowestWeight, kHighestWeight);
  cncWeight_->setValue(options.cncWeight);
  cncWeightLabel_->setObjectName(QStringLiteral("cncWeightLabel"));
  cncWeightLabel_->setText(Utf8(CncWeightLabel(cncWeight_->value())));
  connect(cncWeight_, &QSlider::valueChanged, cncWeightLabel_,
          [this](int weight) { cncWeightLabel_->setText(Utf8(CncWeightLabel(weight))); });

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("공작기계"), machine_);
  form->addRow(QStringLiteral("전송속도"), baudRate_);
  for (NumberField* field : {maxFeed_, minFeed_, rapidFeed_, feedUnit_}) form->addRow(field->Label(), field);
  form->addRow(smooth_);
  form->addRow(setAllFirst_);
  form->addRow(cncWeightLabel_);
  form->addRow(cncWeight_);
  layout->addLayout(form);

  maxFeed_->SetNumber(static_cast<double>(options.maxFeed));
  minFeed_->SetNumber(static_cast<double>(options.minFeed));
  rapidFeed_->SetNumber(static_cast<double>(options.rapidFeed));
  feedUnit_->SetNumber(static_cast<double>(options.feedUnit));

  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder({machine_, baudRate_, maxFeed_, minFeed_, rapidFeed_, feedUnit_, smooth_, setAllFirst_, cncWeight_,
                 buttons.accept, buttons.reject});
  machine_->setFocus();
}

bool MachineFeedDialog::TakeFields() {
  MachineFeedOptions taken = options_;
  taken.machine = machine_->currentIndex();
  taken.baudRate = kBaudRates[static_cast<std::size_t>(baudRate_->currentIndex())];
  taken.cncWeight = cncWeight_->value();
  if (!TakeWholeNumber(maxFeed_, taken.maxFeed) || !TakeWholeNumber(minFeed_, taken.minFeed) ||
      !TakeWholeNumber(rapidFeed_, taken.rapidFeed) || !TakeWholeNumber(feedUnit_, taken.feedUnit) ||
      !HoldToRanges(taken, MachineFeedRanges())) {
    return false;
  }
  taken.smooth = smooth_->isChecked();
  taken.setAllFirst = setAllFirst_->isChecked();
  options_ = taken;
  return true;
}

}  // namespace fendo
