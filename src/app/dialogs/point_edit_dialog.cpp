#include "app/dialogs/point_edit_dialog.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "view/command_debounce.h"

namespace fendo {
namespace {

// A group box of two radio buttons, the first with id 0; the one with id `checked` is on.
QGroupBox* RadioPair(const QString& title, QButtonGroup* group, std::pair<const char*, QString> first,
                     std::pair<const char*, QString> second, int checked, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  int id = 0;
  for (const auto& [name, text] : {first, second}) {
    auto* button = new QRadioButton(text, box);
    button->setObjectName(QString::fromLatin1(name));
    button->setChecked(id == checked);
    group->addButton(button, id++);
    layout->addWidget(button);
  }
  return box;
}

}  // namespace

CPointEditDlg::CPointEditDlg(const PointEditValues& values, TickSource& clock, QWidget* parent)
    : OptionsDialog(QStringLiteral("포인트 편집 조건을 입력하시요 !!"), parent),
      values_(values),
      clock_(clock),
      openedAt_(clock.TickCount()),
      x_(AddNumberField("x", QStringLiteral("X 촤표"))),
      y_(AddNumberField("y", QStringLiteral("Y 촤표"))),
      z_(AddNumberField("z", QStringLiteral("Z 촤표"))),
      feed_(AddNumberField("feed", QStringLiteral("이송속도"))),
      mode_(new QButtonGroup(this)),
      motion_(new QButtonGroup(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* form = new QFormLayout;
  for (NumberField* field : {x_, y_, z_, feed_}) form->addRow(field->Label(), field);
  layout->addLayout(form);
  x_->SetNumber(values.x);
  y_->SetNumber(values.y);
  z_->SetNumber(values.z);
  feed_->SetNumber(static_cast<double>(values.feed));

  auto* groups = new QHBoxLayout;
  groups->addWidget(RadioPair(QStringLiteral("<< 편집 방법 >>"), mode_, {"move", QStringLiteral("이동")},
                              {"insert", QStringLiteral("삽입")}, static_cast<int>(values.mode), this));
  groups->addWidget(RadioPair(QStringLiteral("<< 이송 방법 >>"), motion_, {"cutting", QStringLiteral("절삭")},
                              {"rapid", QStringLiteral("급속")}, static_cast<int>(values.motion), this));
  layout->addLayout(groups);

  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder(QList<QWidget*>{x_, y_, z_, feed_, mode_->button(0), mode_->button(1), motion_->button(0),
                                motion_->button(1), buttons.accept, buttons.reject});
  x_->setFocus();
}

void CPointEditDlg::accept() {
  if (clock_.TickCount() - openedAt_ <= kGuardMs) return;
  OptionsDialog::accept();
}

bool CPointEditDlg::TakeFields() {
  PointEditValues taken = values_;
  if (!TakeNumber(x_, taken.x) || !TakeNumber(y_, taken.y) || !TakeNumber(z_, taken.z)) return false;
  if (!TakeWholeNumber(feed_, taken.feed)) return false;
  taken.mode = static_cast<PointEditMode>(mode_->checkedId());
  taken.motion = static_cast<PointMotion>(motion_->checkedId());
  if (!HoldToRanges(CheckPointEditValues(taken))) return false;
  values_ = taken;
  return true;
}

}  // namespace fendo
