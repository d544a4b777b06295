#include "app/dialogs/get_feed_dialog.h"

#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <optional>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/number_field.h"

namespace fendo {
namespace {

enum Field : std::size_t { kDiameter, kTeeth, kCuttingSpeed, kFeedPerTooth, kSpindleSpeed, kFeed };

// A tooth count typed beyond this is not kept: far past its range, and safe to hold in an int.
constexpr double kMostTeethKept = 1e6;

constexpr const char* kLabels[] = {"D (mm)", "z (날수)", "Vc (m/min)", "fz (mm/날)", "S (rpm)", "F (mm/min)"};

// The fields' members, in the order of the fields; z alone is a whole number.
constexpr double CuttingData::*kReals[] = {&CuttingData::toolDiameter, nullptr,
                                           &CuttingData::cuttingSpeed, &CuttingData::feedPerTooth,
                                           &CuttingData::spindleSpeed, &CuttingData::feed};

// S and F as the machine takes them, whole; Vc and fz to the digits a tool maker's table gives.
QString Shown(std::size_t index, const CuttingData& data) {
  switch (index) {
    case kTeeth:
      return QString::number(data.teeth);
    case kCuttingSpeed:
      return QString::number(data.cuttingSpeed, 'f', 1);
    case kFeedPerTooth:
      return QString::number(data.feedPerTooth, 'f', 4);
    case kSpindleSpeed:
    case kFeed:
      return QString::number(std::lround(data.*kReals[index]));
    default:
      return NumberText(data.*kReals[index]);
  }
}

// The number a field holds into its member of `data`; false, leaving `data` alone, for a text
// that is not one (z: not a whole one).
bool ReadInto(const NumberField& field, std::size_t index, CuttingData& data) {
  double v = 0;
  if (!field.Read(v)) return false;
  if (index != kTeeth) {
    data.*kReals[index] = v;
    return true;
  }
  if (v != std::floor(v) || std::abs(v) > kMostTeethKept) return false;
  data.teeth = static_cast<int>(v);
  return true;
}

}  // namespace

GetFeedDialog::GetFeedDialog(CuttingData& data, double toolDiameter, QWidget* parent)
    : CheckedDialog(QStringLiteral("GetFeed Ver 1.0"), parent), data_(data) {
  // S and F follow the new D; a value left out of range last time keeps them as they were, and
  // "적용" refuses it on its field.
  data_.toolDiameter = toolDiameter;
  WorkOutSpindleAndFeed(data_);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* form = new QFormLayout;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    fields_[i] = new NumberField(QString::fromUtf8(kLabels[i]), this);
    form->addRow(fields_[i]->Label(), fields_[i]);
    connect(fields_[i], &QLineEdit::textEdited, this, [this, i] { Edited(i); });
  }
  layout->addLayout(form);
  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout, QStringLiteral("적용"), QStringLiteral("닫기"));
  QList<QWidget*> order(fields_.begin(), fields_.end());
  order << buttons.accept << buttons.reject;
  ChainTabOrder(order);

  ShowNumbers();
  fields_[kTeeth]->setFocus();
}

int GetFeedDialog::AppliedFeed() const { return static_cast<int>(std::lround(data_.feed)); }

void GetFeedDialog::Edited(std::size_t index) {
  // A text on its way to a number changes nothing; "적용" refuses it if it stays.
  if (!ReadInto(*fields_[index], index, data_)) return;
  const bool machineSide = index == kSpindleSpeed || index == kFeed;
  if (machineSide) {
    if (!WorkOutCuttingSpeedAndFeedPerTooth(data_)) {
      fields_[kCuttingSpeed]->setText(Shown(kCuttingSpeed, data_));
      fields_[kFeedPerTooth]->setText(Shown(kFeedPerTooth, data_));
    }
  } else if (!WorkOutSpindleAndFeed(data_)) {
    fields_[kSpindleSpeed]->setText(Shown(kSpindleSpeed, data_));
    fields_[kFeed]->setText(Shown(kFeed, data_));
  }
}

void GetFeedDialog::ShowNumbers() {
  for (std::size_t i = 0; i < fields_.size(); ++i) fields_[i]->setText(Shown(i, data_));
}

bool GetFeedDialog::TakeFields() {
  // The values follow every number typed; a field left with something else is refused, and so
  // is a value out of its range, on its field.
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    double real = 0;
    int whole = 0;
    if (!(i == kTeeth ? TakeWholeNumber(fields_[i], whole) : TakeNumber(fields_[i], real))) return false;
  }
  const std::optional<OptionOutOfRange> refused = CheckCuttingData(data_);
  if (!refused) return true;
  const auto ranges = CuttingDataRanges();
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (ranges[i].field == refused->field) {
      return RefuseOutOfRange(fields_[i], fields_[i]->Label(), refused->lowest, refused->highest);
    }
  }
  return false;
}

}  // namespace fendo
