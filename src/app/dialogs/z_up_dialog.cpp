#include "app/dialogs/z_up_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>
#include <utility>

#include "app/dialogs/dialog_layout.h"

namespace fendo {

CZUpDlg::CZUpDlg(const ZUpParams& params, QWidget* parent)
    : OptionsDialog(QStringLiteral("Z 상향"), parent),
      params_(params),
      mode_(new QButtonGroup(this)),
      floorZ_(AddNumberField("floorZ", QStringLiteral("Z 값"))),
      downTolerance_(AddNumberField("downTolerance", QStringLiteral("각도 공차"))),
      upTolerance_(AddNumberField("upTolerance", QStringLiteral("각도 공차"))) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* grid = new QGridLayout;
  const std::pair<const char*, QString> modes[] = {{"holdDown", QStringLiteral("Z 하향 억제")},
                                                   {"floor", QStringLiteral("Z값 하향 억제")},
                                                   {"dropDown", QStringLiteral("하향 삭제")},
                                                   {"dropUp", QStringLiteral("상향 삭제")}};
  // Each mode with the value it uses beside it, under that value's label.
  NumberField* const modeFields[] = {nullptr, floorZ_, downTolerance_, upTolerance_};
  QList<QWidget*> tabOrder;
  for (int id = 0; id < static_cast<int>(std::size(modes)); ++id) {
    auto* button = new QRadioButton(modes[id].second, this);
    button->setObjectName(QString::fromLatin1(modes[id].first));
    mode_->addButton(button, id);
    button->setChecked(id == static_cast<int>(params.mode));
    tabOrder << button;
    grid->addWidget(button, id, 0);
    if (modeFields[id]) {
      grid->addWidget(new QLabel(modeFields[id]->Label(), this), id, 1);
      grid->addWidget(modeFields[id], id, 2);
      tabOrder << modeFields[id];
    }
  }
  layout->addLayout(grid);
  floorZ_->SetNumber(params.floorZ);
  downTolerance_->SetNumber(params.downTolerance);
  upTolerance_->SetNumber(params.upTolerance);

  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder(tabOrder << buttons.accept << buttons.reject);
  mode_->checkedButton()->setFocus();
}

bool CZUpDlg::TakeFields() {
  ZUpParams taken = params_;
  taken.mode = static_cast<ZUpMode>(mode_->checkedId());
  if (!TakeNumber(floorZ_, taken.floorZ) || !TakeNumber(downTolerance_, taken.downTolerance) ||
      !TakeNumber(upTolerance_, taken.upTolerance) || !HoldToRanges(CheckZUpParams(taken))) {
    return false;
  }
  params_ = taken;
  return true;
}

}  // namespace fendo
