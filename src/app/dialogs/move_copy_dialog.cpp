#include "app/dialogs/move_copy_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

#include "app/dialogs/dialog_layout.h"

namespace fendo {
namespace {

QGroupBox* Group(const QString& title, QLayout* content, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  box->setLayout(content);
  return box;
}

// Rows of a check box (or a label) and its field.
QGridLayout* Rows(std::initializer_list<std::pair<QWidget*, QWidget*>> rows) {
  auto* grid = new QGridLayout;
  int row = 0;
  for (const auto& [left, right] : rows) {
    grid->addWidget(left, row, 0);
    grid->addWidget(right, row, 1);
    ++row;
  }
  return grid;
}

}  // namespace

CMoveCopyDlg::CMoveCopyDlg(const TransformParams& params, QWidget* parent)
    : OptionsDialog(QStringLiteral("공구경로 이동, 회전, 미러, 복사"), parent),
      params_(params),
      method_(new QButtonGroup(this)),
      moveX_(CheckBox("moveX", QStringLiteral("X축"), params.moveX, this)),
      dx_(AddNumberField("dx", QStringLiteral("X축"))),
      moveY_(CheckBox("moveY", QStringLiteral("Y축"), params.moveY, this)),
      dy_(AddNumberField("dy", QStringLiteral("Y축"))),
      moveZ_(CheckBox("moveZ", QStringLiteral("Z축"), params.moveZ, this)),
      dz_(AddNumberField("dz", QStringLiteral("Z축"))),
      rotateZ_(CheckBox("rotateZ", QStringLiteral("Z축"), params.rotateZ, this)),
      angle_(AddNumberField("angle", QStringLiteral("Z축"))),
      centreX_(AddNumberField("centreX", QStringLiteral("X축"))),
      centreY_(AddNumberField("centreY", QStringLiteral("Y축"))),
      centreZ_(AddNumberField("centreZ", QStringLiteral("Z축"))),
      scaleX_(CheckBox("scaleX", QStringLiteral("X축"), params.scaleX, this)),
      sx_(AddNumberField("sx", QStringLiteral("X축"))),
      scaleY_(CheckBox("scaleY", QStringLiteral("Y축"), params.scaleY, this)),
      sy_(AddNumberField("sy", QStringLiteral("Y축"))),
      scaleZ_(CheckBox("scaleZ", QStringLiteral("Z축"), params.scaleZ, this)),
      sz_(AddNumberField("sz", QStringLiteral("Z축"))),
      copy_(CheckBox("copy", QStringLiteral("복사 횟수"), params.copy, this)),
      copies_(AddNumberField("copies", QStringLiteral("복사 횟수"))) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* methods = new QHBoxLayout;
  const std::pair<const char*, QString> names[] = {
      {"move", QStringLiteral("거리")}, {"rotate", QStringLiteral("회전")}, {"mirrorScale", QStringLiteral("미러, 스케일")}};
  QList<QWidget*> tabOrder;
  for (int id = 0; id < 3; ++id) {
    auto* button = new QRadioButton(names[id].second, this);
    button->setObjectName(QString::fromLatin1(names[id].first));
    method_->addButton(button, id);
    button->setChecked(id == static_cast<int>(params.method));
    methods->addWidget(button);
    tabOrder << button;
  }
  layout->addWidget(Group(QStringLiteral("<< 이동방법 >>"), methods, this));

  layout->addWidget(
      Group(QStringLiteral("<< 이동거리 >>"), Rows({{moveX_, dx_}, {moveY_, dy_}, {moveZ_, dz_}}), this));

  // Turns about X and Y are not offered: shown as the dialog has always shown them, disabled.
  auto* rotateX = CheckBox("rotateX", QStringLiteral("X축"), false, this);
  auto* rotateY = CheckBox("rotateY", QStringLiteral("Y축"), false, this);
  auto* angleX = new QLineEdit(this);
  auto* angleY = new QLineEdit(this);
  for (QWidget* unused : {static_cast<QWidget*>(rotateX), static_cast<QWidget*>(rotateY),
                          static_cast<QWidget*>(angleX), static_cast<QWidget*>(angleY)}) {
    unused->setEnabled(false);
  }
  layout->addWidget(Group(QStringLiteral("<< 회전각도 >>"),
                          Rows({{rotateX, angleX}, {rotateY, angleY}, {rotateZ_, angle_}}), this));

  layout->addWidget(Group(QStringLiteral("<< 회전중심>>"),
                          Rows({{new QLabel(QStringLiteral("X축"), this), centreX_},
                                {new QLabel(QStringLiteral("Y축"), this), centreY_},
                                {new QLabel(QStringLiteral("Z축"), this), centreZ_}}),
                          this));
  layout->addWidget(Group(QStringLiteral("<< 미러, 스케일 >>"),
                          Rows({{scaleX_, sx_}, {scaleY_, sy_}, {scaleZ_, sz_}}), this));
  layout->addLayout(Rows({{copy_, copies_}}));

  for (const auto& [field, v] : {std::pair{dx_, params.dx}, std::pair{dy_, params.dy}, std::pair{dz_, params.dz},
                                 std::pair{angle_, params.angle}, std::pair{centreX_, params.centreX},
                                 std::pair{centreY_, params.centreY}, std::pair{centreZ_, params.centreZ},
                                 std::pair{sx_, params.sx}, std::pair{sy_, params.sy}, std::pair{sz_, params.sz}}) {
    field->SetNumber(v);
  }
  copies_->SetNumber(static_cast<double>(params.copies));

  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder(tabOrder << moveX_ << dx_ << moveY_ << dy_ << moveZ_ << dz_ << rotateZ_ << angle_ << centreX_
                         << centreY_ << centreZ_ << scaleX_ << sx_ << scaleY_ << sy_ << scaleZ_ << sz_ << copy_
                         << copies_ << buttons.accept << buttons.reject);
  method_->checkedButton()->setFocus();
}

bool CMoveCopyDlg::TakeFields() {
  TransformParams taken = params_;
  taken.method = static_cast<TransformMethod>(method_->checkedId());
  for (const auto& [field, v] :
       {std::pair{dx_, &taken.dx}, std::pair{dy_, &taken.dy}, std::pair{dz_, &taken.dz},
        std::pair{angle_, &taken.angle}, std::pair{centreX_, &taken.centreX}, std::pair{centreY_, &taken.centreY},
        std::pair{centreZ_, &taken.centreZ}, std::pair{sx_, &taken.sx}, std::pair{sy_, &taken.sy},
        std::pair{sz_, &taken.sz}}) {
    if (!TakeNumber(field, *v)) return false;
  }
  if (!TakeWholeNumber(copies_, taken.copies)) return false;
  taken.moveX = moveX_->isChecked();
  taken.moveY = moveY_->isChecked();
  taken.moveZ = moveZ_->isChecked();
  taken.rotateZ = rotateZ_->isChecked();
  taken.scaleX = scaleX_->isChecked();
  taken.scaleY = scaleY_->isChecked();
  taken.scaleZ = scaleZ_->isChecked();
  taken.copy = copy_->isChecked();
  if (!HoldToRanges(CheckTransformParams(taken))) return false;
  params_ = taken;
  return true;
}

}  // namespace fendo
