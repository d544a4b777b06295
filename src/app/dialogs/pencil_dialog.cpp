#include "app/dialogs/pencil_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "app/qt_text.h"

namespace fendo {

PencilDialog::PencilDialog(const PencilParams& params, QWidget* parent)
    : OptionsDialog(Utf8(kPencilTitle), parent),
      params_(params),
      smallAngle_(AddNumberField("smallAngle", Utf8(kPencilAngleLabel))),
      deleteLength_(AddNumberField("deleteLength", Utf8(kPencilDeleteLengthLabel))),
      maxLink_(AddNumberField("maxLink", Utf8(kPencilMaxLinkLabel))),
      separateUpDown_(new QCheckBox(Utf8(kPencilSeparateLabel), this)),
      xyCorner_(new QCheckBox(Utf8(kPencilXyCornerLabel), this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* values = new QFormLayout;
  for (NumberField* field : {smallAngle_, deleteLength_, maxLink_}) values->addRow(field->Label(), field);
  layout->addLayout(values);
  separateUpDown_->setObjectName(QStringLiteral("separateUpDown"));
  xyCorner_->setObjectName(QStringLiteral("xyCorner"));
  layout->addWidget(separateUpDown_);
  layout->addWidget(xyCorner_);
  smallAngle_->SetNumber(params.smallAngle);
  deleteLength_->SetNumber(params.deleteLength);
  maxLink_->SetNumber(params.maxLink);
  separateUpDown_->setChecked(params.separateUpDown);
  xyCorner_->setChecked(params.xyCorner);

  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder({smallAngle_, deleteLength_, maxLink_, separateUpDown_, xyCorner_, buttons.accept, buttons.reject});
  smallAngle_->setFocus();
}

bool PencilDialog::TakeFields() {
  PencilParams taken = params_;
  if (!TakeNumber(smallAngle_, taken.smallAngle) || !TakeNumber(deleteLength_, taken.deleteLength) ||
      !TakeNumber(maxLink_, taken.maxLink) || !HoldToRanges(CheckPencilParams(taken))) {
    return false;
  }
  taken.separateUpDown = separateUpDown_->isChecked();
  taken.xyCorner = xyCorner_->isChecked();
  params_ = taken;
  return true;
}

}  // namespace fendo
