#include "app/dialogs/face_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/number_field.h"

namespace fendo {

FaceDialog::FaceDialog(const FaceParams& params, QWidget* parent)
    : ShapeDialog(QStringLiteral("FaceMill"), parent),
      params_(params),
      direction_(new QButtonGroup(this)),
      stepover_(AddNumberField("stepover", QStringLiteral("Stepoever"))),
      cuttingHeight_(AddNumberField("cuttingHeight", QStringLiteral("시작 높이"))) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(AddRectangle(params.rectangle));
  const int direction = static_cast<int>(params.direction);
  Radio(direction_, "xPlusYPlus", QStringLiteral("X+, Y+"), static_cast<int>(FaceDirection::XPlusYPlus), direction);
  Radio(direction_, "xPlusYMinus", QStringLiteral("X+, Y-"), static_cast<int>(FaceDirection::XPlusYMinus), direction);
  Radio(direction_, "yPlusXPlus", QStringLiteral("Y+,  X+"), static_cast<int>(FaceDirection::YPlusXPlus), direction);
  Radio(direction_, "yPlusXMinus", QStringLiteral("Y+,  X-"), static_cast<int>(FaceDirection::YPlusXMinus), direction);
  layout->addWidget(RadioBox(QStringLiteral("<< 방향 >>"), direction_));
  layout->addWidget(FieldBox({}, {stepover_, cuttingHeight_}));
  stepover_->SetNumber(params.stepover);
  cuttingHeight_->SetNumber(params.cuttingHeight);
  AddAcceptReject(*this, *layout);
  direction_->checkedButton()->setFocus();
}

bool FaceDialog::TakeFields() {
  FaceParams taken = params_;
  if (!TakeRectangle(taken.rectangle)) return false;
  taken.direction = static_cast<FaceDirection>(direction_->checkedId());
  if (!TakeNumber(stepover_, taken.stepover) || !TakeNumber(cuttingHeight_, taken.cuttingHeight)) return false;
  if (!HoldToRanges(CheckFaceParams(taken))) return false;
  params_ = taken;
  return true;
}

}  // namespace fendo
