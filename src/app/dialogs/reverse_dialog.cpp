#include "app/dialogs/reverse_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/reverse_pictures.h"

namespace fendo {
namespace {

QLabel* Picture(ReverseEffect effect, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setPixmap(ReverseEffectPicture(effect, parent->devicePixelRatioF()));
  return label;
}

}  // namespace

CReverseDlg::CReverseDlg(const ReverseParams& params, QWidget* parent)
    : QDialog(parent),
      params_(params),
      direction_(CheckBox("direction", QStringLiteral("방향 바꾸기"), params.direction, this)),
      order_(CheckBox("order", QStringLiteral("순서 바꾸기"), params.order, this)),
      twoWay_(CheckBox("twoWay", QStringLiteral("두방향 경로로 바꾸기"), params.twoWay, this)),
      polygon_(CheckBox("polygon", QStringLiteral("다각형 윈도우로 선택"), params.polygon, this)) {
  setWindowTitle(QStringLiteral("공구경로 방향 바꾸기"));
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* grid = new QGridLayout;
  const std::pair<QCheckBox*, ReverseEffect> rows[] = {{direction_, ReverseEffect::Direction},
                                                       {order_, ReverseEffect::Order},
                                                       {twoWay_, ReverseEffect::TwoWay},
                                                       {polygon_, ReverseEffect::Polygon}};
  int row = 0;
  for (const auto& [box, effect] : rows) {
    grid->addWidget(Picture(effect, this), row, 0);
    grid->addWidget(box, row, 1);
    ++row;
  }
  layout->addLayout(grid);

  connect(direction_, &QCheckBox::toggled, this, [this](bool on) {
    ReverseParams shown = Ticked();
    shown.SetDirection(on);
    Show(shown);
  });
  connect(order_, &QCheckBox::toggled, this, [this](bool on) {
    ReverseParams shown = Ticked();
    shown.SetOrder(on);
    Show(shown);
  });
  connect(twoWay_, &QCheckBox::toggled, this, [this](bool on) {
    ReverseParams shown = Ticked();
    shown.SetTwoWay(on);
    Show(shown);
  });

  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder({direction_, order_, twoWay_, polygon_, buttons.accept, buttons.reject});
  direction_->setFocus();
}

void CReverseDlg::Show(const ReverseParams& shown) {
  for (auto [box, on] : {std::pair{direction_, shown.direction}, std::pair{order_, shown.order},
                         std::pair{twoWay_, shown.twoWay}}) {
    const QSignalBlocker quiet(box);
    box->setChecked(on);
  }
}

ReverseParams CReverseDlg::Ticked() const {
  ReverseParams ticked;
  ticked.direction = direction_->isChecked();
  ticked.order = order_->isChecked();
  ticked.twoWay = twoWay_->isChecked();
  ticked.polygon = polygon_->isChecked();
  return ticked;
}

void CReverseDlg::accept() {
  params_ = Ticked();
  QDialog::accept();
}

}  // namespace fendo
