#include "app/dialogs/arc_convert_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"

namespace fendo {

ArcConvertDialog::ArcConvertDialog(const ArcConvertOptions& options, QWidget* parent)
    : OptionsDialog(QStringLiteral("Arc Convert"), parent),
      options_(options),
      direction_(new QButtonGroup(this)),
      arcTolerance_(AddNumberField("arcTolerance", QStringLiteral("Arc 변환 공차"))),
      maxArcPoints_(AddNumberField("maxArcPoints", QStringLiteral("Arc 변환 포인트"))),
      minRadius_(AddNumberField("minRadius", QStringLiteral("최소 반경"))),
      maxRadius_(AddNumberField("maxRadius", QStringLiteral("최대 반경"))),
      filterFirst_(CheckBox("filterFirst", QStringLiteral("필터링후  변환"), options.filterFirst, this)),
      filterTolerance_(AddNumberField("filterTolerance", QStringLiteral("필터링 공차"))),
      planeXY_(CheckBox("planeXY", QStringLiteral("XY 평면 ARC 변환"), options.planeXY, this)),
      planeYZ_(CheckBox("planeYZ", QStringLiteral("YZ 평면 ARC 변환"), options.planeYZ, this)),
      planeZX_(CheckBox("planeZX", QStringLiteral("ZX 평면 ARC 변환"), options.planeZX, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* arcsToLines = new QRadioButton(QStringLiteral("G02, G03 -> G01"), this);
  auto* linesToArcs = new QRadioButton(QStringLiteral("G01 -> G02, G03"), this);
  arcsToLines->setObjectName(QStringLiteral("arcsToLines"));
  linesToArcs->setObjectName(QStringLiteral("linesToArcs"));
  direction_->addButton(arcsToLines, static_cast<int>(ArcConvertDirection::ArcsToLines));
  direction_->addButton(linesToArcs, static_cast<int>(ArcConvertDirection::LinesToArcs));
  (options.direction == ArcConvertDirection::LinesToArcs ? linesToArcs : arcsToLines)->setChecked(true);
  layout->addWidget(arcsToLines);
  layout->addWidget(linesToArcs);

  auto* form = new QFormLayout;
  for (NumberField* field : {arcTolerance_, maxArcPoints_, minRadius_, maxRadius_}) form->addRow(field->Label(), field);
  form->addRow(filterFirst_);
  form->addRow(filterTolerance_->Label(), filterTolerance_);
  for (QCheckBox* plane : {planeXY_, planeYZ_, planeZX_}) form->addRow(plane);
  layout->addLayout(form);

  arcTolerance_->SetNumber(options.arcTolerance);
  maxArcPoints_->SetNumber(static_cast<double>(options.maxArcPoints));
  minRadius_->SetNumber(options.minRadius);
  maxRadius_->SetNumber(options.maxRadius);
  filterTolerance_->SetNumber(options.filterTolerance);

  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder({arcsToLines, linesToArcs, arcTolerance_, maxArcPoints_, minRadius_, maxRadius_, filterFirst_,
                 filterTolerance_, planeXY_, planeYZ_, planeZX_, buttons.accept, buttons.reject});
  direction_->checkedButton()->setFocus();
}

bool ArcConvertDialog::TakeFields() {
  ArcConvertOptions taken = options_;
  taken.direction = static_cast<ArcConvertDirection>(direction_->checkedId());
  if (!TakeNumber(arcTolerance_, taken.arcTolerance) || !TakeWholeNumber(maxArcPoints_, taken.maxArcPoints) ||
      !TakeNumber(minRadius_, taken.minRadius) || !TakeNumber(maxRadius_, taken.maxRadius) ||
      !TakeNumber(filterTolerance_, taken.filterTolerance) || !HoldToRanges(taken, ArcConvertRanges())) {
    return false;
  }
  taken.filterFirst = filterFirst_->isChecked();
  taken.planeXY = planeXY_->isChecked();
  taken.planeYZ = planeYZ_->isChecked();
  taken.planeZX = planeZX_->isChecked();
  options_ = taken;
  return true;
}

}  // namespace fendo
