#include "app/dialogs/feed_change_dialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <initializer_list>

#include "app/dialogs/dialog_layout.h"
#include "app/qt_text.h"
#include "feed/set_all_feeds.h"

namespace fendo {
namespace {

void ShowWhole(NumberField* field, int v) { field->SetNumber(static_cast<double>(v)); }

// The frame of the feed change dialogs: a form holding `rows` (label, field; a check box
// stands as its field's label), OK and Cancel, Tab through the fields in that order.
struct FormRow {
  QWidget* label;
  QWidget* field;
};
void LayOut(QDialog& dialog, std::initializer_list<FormRow> rows) {
  auto* layout = new QVBoxLayout(&dialog);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* form = new QFormLayout;
  QList<QWidget*> order;
  for (const FormRow& row : rows) {
    form->addRow(row.label, row.field);
    if (qobject_cast<QCheckBox*>(row.label)) order.append(row.label);
    order.append(row.field);
  }
  layout->addLayout(form);
  const AcceptRejectButtons buttons = AddAcceptReject(dialog, *layout);
  ChainTabOrder(order + QList<QWidget*>{buttons.accept, buttons.reject});
  order.front()->setFocus();
}

QWidget* LabelOf(NumberField* field) {
  auto* label = new QLabel(field->Label(), field->parentWidget());
  label->setBuddy(field);
  return label;
}

}  // namespace

ArcRadiusFeedDialog::ArcRadiusFeedDialog(const ArcRadiusFeedOptions& options, QWidget* parent)
    : OptionsDialog(QStringLiteral("G02, G03의 feed를 변경합니다."), parent),
      options_(options),
      minRadius_(AddNumberField("minRadius", QStringLiteral("최소 반경"))),
      minRadiusFeed_(AddNumberField("minRadiusFeed", QStringLiteral("Feed"))),
      maxRadius_(AddNumberField("maxRadius", QStringLiteral("최대 반경"))),
      maxRadiusFeed_(AddNumberField("maxRadiusFeed", QStringLiteral("Feed"))),
      distance_(AddNumberField("distance", QStringLiteral("안전거리"))),
      setAllFirst_(CheckBox("setAllFirst", QStringLiteral("Feed 변경후 감속"), options.setAllFirst, this)),
      setAllFeed_(AddNumberField("setAllFeed", QStringLiteral("Feed 변경후 감속"))) {
  LayOut(*this, {{LabelOf(minRadius_), minRadius_},
                 {LabelOf(minRadiusFeed_), minRadiusFeed_},
                 {LabelOf(maxRadius_), maxRadius_},
                 {LabelOf(maxRadiusFeed_), maxRadiusFeed_},
                 {LabelOf(distance_), distance_},
                 {setAllFirst_, setAllFeed_}});
  minRadius_->SetNumber(options.minRadius);
  ShowWhole(minRadiusFeed_, options.minRadiusFeed);
  maxRadius_->SetNumber(options.maxRadius);
  ShowWhole(maxRadiusFeed_, options.maxRadiusFeed);
  distance_->SetNumber(options.distance);
  ShowWhole(setAllFeed_, options.setAllFeed);
}

bool ArcRadiusFeedDialog::TakeFields() {
  ArcRadiusFeedOptions taken = options_;
  if (!TakeNumber(minRadius_, taken.minRadius) || !TakeWholeNumber(minRadiusFeed_, taken.minRadiusFeed) ||
      !TakeNumber(maxRadius_, taken.maxRadius) || !TakeWholeNumber(maxRadiusFeed_, taken.maxRadiusFeed) ||
      !TakeNumber(distance_, taken.distance) || !TakeWholeNumber(setAllFeed_, taken.setAllFeed) ||
      !HoldToRanges(taken, ArcRadiusFeedRanges())) {
    return false;
  }
  taken.setAllFirst = setAllFirst_->isChecked();
  options_ = taken;
  return true;
}

MoveLengthFeedDialog::MoveLengthFeedDialog(const MoveLengthFeedOptions& options, QWidget* parent)
    : OptionsDialog(QStringLiteral("이송량에 의한 feed 변경"), parent),
      options_(options),
      minLength_(AddNumberField("minLength", QStringLiteral("최소 거리"))),
      minLengthFeed_(AddNumberField("minLengthFeed", QStringLiteral("Feed"))),
      maxLength_(AddNumberField("maxLength", QStringLiteral("최대 거리"))),
      maxLengthFeed_(AddNumberField("maxLengthFeed", QStringLiteral("Feed"))),
      setAllFirst_(CheckBox("setAllFirst", QStringLiteral("Feed 변경후 감속"), options.setAllFirst, this)),
      setAllFeed_(AddNumberField("setAllFeed", QStringLiteral("Feed 변경후 감속"))) {
  LayOut(*this, {{LabelOf(minLength_), minLength_},
                 {LabelOf(minLengthFeed_), minLengthFeed_},
                 {LabelOf(maxLength_), maxLength_},
                 {LabelOf(maxLengthFeed_), maxLengthFeed_},
                 {setAllFirst_, setAllFeed_}});
  minLength_->SetNumber(options.minLength);
  ShowWhole(minLengthFeed_, options.minLengthFeed);
  maxLength_->SetNumber(options.maxLength);
  ShowWhole(maxLengthFeed_, options.maxLengthFeed);
  ShowWhole(setAllFeed_, options.setAllFeed);
}

bool MoveLengthFeedDialog::TakeFields() {
  MoveLengthFeedOptions taken = options_;
  if (!TakeNumber(minLength_, taken.minLength) || !TakeWholeNumber(minLengthFeed_, taken.minLengthFeed) ||
      !TakeNumber(maxLength_, taken.maxLength) || !TakeWholeNumber(maxLengthFeed_, taken.maxLengthFeed) ||
      !TakeWholeNumber(setAllFeed_, taken.setAllFeed) || !HoldToRanges(taken, MoveLengthFeedRanges())) {
    return false;
  }
  taken.setAllFirst = setAllFirst_->isChecked();
  options_ = taken;
  return true;
}

FfCutDialog::FfCutDialog(const FfCutOptions& options, QWidget* parent)
    : OptionsDialog(QStringLiteral("FF CUT"), parent),
      options_(options),
      firstFeed_(AddNumberField("firstFeed", QStringLiteral("1차 공구경로 feed"))),
      secondFeed_(AddNumberField("secondFeed", QStringLiteral("2차 공구경로 feed"))),
      secondToLayer_(CheckBox("secondToLayer", QStringLiteral("2차 공구경로 layer"), options.secondToLayer, this)),
      secondLayer_(AddNumberField("secondLayer", QStringLiteral("2차 공구경로 layer"))) {
  LayOut(*this, {{LabelOf(firstFeed_), firstFeed_}, {LabelOf(secondFeed_), secondFeed_}, {secondToLayer_, secondLayer_}});
  ShowWhole(firstFeed_, options.firstFeed);
  ShowWhole(secondFeed_, options.secondFeed);
  ShowWhole(secondLayer_, options.secondLayer);
}

bool FfCutDialog::TakeFields() {
  FfCutOptions taken = options_;
  if (!TakeWholeNumber(firstFeed_, taken.firstFeed) || !TakeWholeNumber(secondFeed_, taken.secondFeed) ||
      !TakeWholeNumber(secondLayer_, taken.secondLayer) || !HoldToRanges(taken, FfCutRanges())) {
    return false;
  }
  taken.secondToLayer = secondToLayer_->isChecked();
  options_ = taken;
  return true;
}

FeedValueDialog::FeedValueDialog(const OneValue& values, QWidget* parent)
    : ValueDialog(QStringLiteral("변수를 입력하시요!!"), parent), values_(values), value_(AddField(Utf8(values.label))) {
  value_->SetNumber(values.value);
  AddButtons();
}

bool FeedValueDialog::TakeFields() {
  OneValue taken = values_;
  if (!TakeNumber(value_, taken.value, kLowestFeedValue, kHighestFeedValue)) return false;
  values_ = taken;
  return true;
}

}  // namespace fendo
