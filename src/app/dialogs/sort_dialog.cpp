#include "app/dialogs/sort_dialog.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

#include "app/dialogs/dialog_layout.h"

namespace fendo {

CSortDlg::CSortDlg(const SortParams& params, QWidget* parent)
    : OptionsDialog(QStringLiteral("공구경로 정렬"), parent),
      params_(params),
      mode_(new QButtonGroup(this)),
      distance_(AddNumberField("distance", QStringLiteral("정렬 거리"))),
      height_(AddNumberField("height", QStringLiteral("복귀 높이"))) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  const std::pair<const char*, QString> modes[] = {{"startToStart", QStringLiteral("방향유지, 시작점-시작점")},
                                                   {"endToStart", QStringLiteral("방향유지, 시작점-끝점")},
                                                   {"eitherEnd", QStringLiteral("방향무시")},
                                                   {"returnHeight", QStringLiteral("정렬거리내 복귀높이 ")}};
  QList<QWidget*> tabOrder;
  for (int id = 0; id < 4; ++id) {
    auto* button = new QRadioButton(modes[id].second, this);
    button->setObjectName(QString::fromLatin1(modes[id].first));
    mode_->addButton(button, id);
    button->setChecked(id == static_cast<int>(params.mode));
    layout->addWidget(button);
    tabOrder << button;
  }
  auto* values = new QFormLayout;
  values->addRow(distance_->Label(), distance_);
  values->addRow(height_->Label(), height_);
  layout->addLayout(values);
  distance_->SetNumber(params.distance);
  height_->SetNumber(params.height);

  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder(tabOrder << distance_ << height_ << buttons.accept << buttons.reject);
  mode_->checkedButton()->setFocus();
}

bool CSortDlg::TakeFields() {
  SortParams taken = params_;
  taken.mode = static_cast<SortMode>(mode_->checkedId());
  if (!TakeNumber(distance_, taken.distance) || !TakeNumber(height_, taken.height) ||
      !HoldToRanges(CheckSortParams(taken))) {
    return false;
  }
  params_ = taken;
  return true;
}

}  // namespace fendo
