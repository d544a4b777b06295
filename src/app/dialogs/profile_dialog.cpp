#include "app/dialogs/profile_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QVBoxLayout>

#include <utility>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/number_field.h"

namespace fendo {

ProfileDialog::ProfileDialog(const ProfileParams& params, QWidget* parent)
    : ShapeDialog(QStringLiteral("Profile Dialog"), parent),
      params_(params),
      shape_(new QButtonGroup(this)),
      side_(new QButtonGroup(this)),
      cornerRadius_(AddNumberField("cornerRadius", QStringLiteral("코너반경"))),
      circleRadius_(AddNumberField("circleRadius", QStringLiteral("원형 Pocket      반경"))),
      xyStepover_(AddNumberField("xyStepover", QStringLiteral("Stepoever"))),
      zStepover_(AddNumberField("zStepover", QStringLiteral("Z Stepover"))),
      startHeight_(AddNumberField("startHeight", QStringLiteral("시작 높이"))),
      zDepth_(AddNumberField("zDepth", QStringLiteral("Z 깊이"))),
      allowance_(AddNumberField("allowance", QStringLiteral("가공 여유"))),
      passes_(AddNumberField("passes", QStringLiteral("Profile 횟수"))) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  const int shape = static_cast<int>(params.shape);
  Radio(shape_, "rectangle", QStringLiteral("사각형"), static_cast<int>(PocketShape::Rectangle), shape);
  Radio(shape_, "rounded", QStringLiteral("라운드 사각형"), static_cast<int>(PocketShape::RoundedRectangle), shape);
  Radio(shape_, "circle", QStringLiteral("원형"), static_cast<int>(PocketShape::Circle), shape);
  layout->addWidget(RadioBox({}, shape_));
  const int side = static_cast<int>(params.side);
  Radio(side_, "on", QStringLiteral("ON"), static_cast<int>(ProfileSide::On), side);
  Radio(side_, "inside", QStringLiteral("In side"), static_cast<int>(ProfileSide::Inside), side);
  Radio(side_, "outside", QStringLiteral("Out side"), static_cast<int>(ProfileSide::Outside), side);
  layout->addWidget(RadioBox(QStringLiteral("<< 방향 >>"), side_));
  layout->addWidget(AddRectangle(params.rectangle));
  layout->addWidget(FieldBox({}, {cornerRadius_, circleRadius_, xyStepover_, zStepover_, startHeight_, zDepth_,
                                  allowance_, passes_}));
  layout->addWidget(AddTapers(params.taper));
  for (const auto& [field, v] : {std::pair{cornerRadius_, params.cornerRadius},
                                 std::pair{circleRadius_, params.circleRadius}, std::pair{xyStepover_, params.xyStepover},
                                 std::pair{zStepover_, params.zStepover}, std::pair{startHeight_, params.startHeight},
                                 std::pair{zDepth_, params.zDepth}, std::pair{allowance_, params.allowance}}) {
    field->SetNumber(v);
  }
  passes_->SetNumber(static_cast<double>(params.passes));
  AddAcceptReject(*this, *layout);
  shape_->checkedButton()->setFocus();
}

bool ProfileDialog::TakeFields() {
  ProfileParams taken = params_;
  taken.shape = static_cast<PocketShape>(shape_->checkedId());
  taken.side = static_cast<ProfileSide>(side_->checkedId());
  if (!TakeRectangle(taken.rectangle)) return false;
  for (const auto& [field, v] : {std::pair{cornerRadius_, &taken.cornerRadius},
                                 std::pair{circleRadius_, &taken.circleRadius}, std::pair{xyStepover_, &taken.xyStepover},
                                 std::pair{zStepover_, &taken.zStepover}, std::pair{startHeight_, &taken.startHeight},
                                 std::pair{zDepth_, &taken.zDepth}, std::pair{allowance_, &taken.allowance}}) {
    if (!TakeNumber(field, *v)) return false;
  }
  if (!TakeWholeNumber(passes_, taken.passes)) return false;
  if (!TakeTapers(taken.taper)) return false;
  if (!HoldToRanges(CheckProfileParams(taken))) return false;
  params_ = taken;
  return true;
}

}  // namespace fendo
