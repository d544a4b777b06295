#include "app/dialogs/profile_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QVBoxLayout>

#include <vector>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/number_field.h"

namespace fendo {

ProfileDialog::ProfileDialog(const ProfileParams& params, QWidget* parent)
    : ShapeDialog(QStringLiteral("Profile Dialog"), parent),
      params_(params),
      shape_(new QButtonGroup(this)),
      side_(new QButtonGroup(this)),
      outline_(AddOutlineFields(QStringLiteral("원형 Pocket      반경"), QStringLiteral("Stepoever"))),
      passes_(AddNumberField("passes", QStringLiteral("Profile 횟수"))) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(AddShapes(shape_, params.shape));
  const int side = static_cast<int>(params.side);
  Radio(side_, "on", QStringLiteral("ON"), static_cast<int>(ProfileSide::On), side);
  Radio(side_, "inside", QStringLiteral("In side"), static_cast<int>(ProfileSide::Inside), side);
  Radio(side_, "outside", QStringLiteral("Out side"), static_cast<int>(ProfileSide::Outside), side);
  layout->addWidget(RadioBox(QStringLiteral("<< 방향 >>"), side_));
  layout->addWidget(AddRectangle(params.rectangle));
  std::vector<NumberField*> fields(outline_.begin(), outline_.end());
  fields.push_back(passes_);
  layout->addWidget(FieldBox({}, fields));
  layout->addWidget(AddTapers(params.taper));
  SetOutlineFields(outline_, params);
  passes_->SetNumber(static_cast<double>(params.passes));
  AddAcceptReject(*this, *layout);
  shape_->checkedButton()->setFocus();
}

bool ProfileDialog::TakeFields() {
  ProfileParams taken = params_;
  taken.shape = static_cast<PocketShape>(shape_->checkedId());
  taken.side = static_cast<ProfileSide>(side_->checkedId());
  if (!TakeRectangle(taken.rectangle)) return false;
  if (!TakeOutlineFields(outline_, taken)) return false;
  if (!TakeWholeNumber(passes_, taken.passes)) return false;
  if (!TakeTapers(taken.taper)) return false;
  if (!HoldToRanges(CheckProfileParams(taken))) return false;
  params_ = taken;
  return true;
}

}  // namespace fendo
