#include "app/dialogs/pocket_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QVBoxLayout>

#include <vector>

#include "app/dialogs/dialog_layout.h"

namespace fendo {

PocketDialog::PocketDialog(const PocketParams& params, QWidget* parent)
    : ShapeDialog(QStringLiteral("Pocket "), parent),
      params_(params),
      shape_(new QButtonGroup(this)),
      outline_(AddOutlineFields(QStringLiteral("원형 Pocket       반경"), QStringLiteral("XY Stepoever"))) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(AddShapes(shape_, params.shape));
  layout->addWidget(AddRectangle(params.rectangle));
  layout->addWidget(FieldBox({}, std::vector<NumberField*>(outline_.begin(), outline_.end())));
  layout->addWidget(AddTapers(params.taper));
  SetOutlineFields(outline_, params);
  AddAcceptReject(*this, *layout);
  shape_->checkedButton()->setFocus();
}

bool PocketDialog::TakeFields() {
  PocketParams taken = params_;
  taken.shape = static_cast<PocketShape>(shape_->checkedId());
  if (!TakeRectangle(taken.rectangle)) return false;
  if (!TakeOutlineFields(outline_, taken)) return false;
  if (!TakeTapers(taken.taper)) return false;
  if (!HoldToRanges(CheckPocketParams(taken))) return false;
  params_ = taken;
  return true;
}

}  // namespace fendo
