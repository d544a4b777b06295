#include "app/dialogs/pocket_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QVBoxLayout>

#include <utility>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/number_field.h"

namespace fendo {

PocketDialog::PocketDialog(const PocketParams& params, QWidget* parent)
    : ShapeDialog(QStringLiteral("Pocket "), parent),
      params_(params),
      shape_(new QButtonGroup(this)),
      cornerRadius_(AddNumberField("cornerRadius", QStringLiteral("코너반경"))),
      circleRadius_(AddNumberField("circleRadius", QStringLiteral("원형 Pocket       반경"))),
      xyStepover_(AddNumberField("xyStepover", QStringLiteral("XY Stepoever"))),
      zStepover_(AddNumberField("zStepover", QStringLiteral("Z Stepover"))),
      startHeight_(AddNumberField("startHeight", QStringLiteral("시작 높이"))),
      zDepth_(AddNumberField("zDepth", QStringLiteral("Z 깊이"))),
      allowance_(AddNumberField("allowance", QStringLiteral("가공 여유"))) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  const int shape = static_cast<int>(params.shape);
  Radio(shape_, "rectangle", QStringLiteral("사각형"), static_cast<int>(PocketShape::Rectangle), shape);
  Radio(shape_, "rounded", QStringLiteral("라운드 사각형"), static_cast<int>(PocketShape::RoundedRectangle), shape);
  Radio(shape_, "circle", QStringLiteral("원형"), static_cast<int>(PocketShape::Circle), shape);
  layout->addWidget(RadioBox({}, shape_));
  layout->addWidget(AddRectangle(params.rectangle));
  layout->addWidget(FieldBox({}, {cornerRadius_, circleRadius_, xyStepover_, zStepover_, startHeight_, zDepth_,
                                  allowance_}));
  layout->addWidget(AddTapers(params.taper));
  for (const auto& [field, v] : {std::pair{cornerRadius_, params.cornerRadius},
                                 std::pair{circleRadius_, params.circleRadius}, std::pair{xyStepover_, params.xyStepover},
                                 std::pair{zStepover_, params.zStepover}, std::pair{startHeight_, params.startHeight},
                                 std::pair{zDepth_, params.zDepth}, std::pair{allowance_, params.allowance}}) {
    field->SetNumber(v);
  }
  AddAcceptReject(*this, *layout);
  shape_->checkedButton()->setFocus();
}

bool PocketDialog::TakeFields() {
  PocketParams taken = params_;
  taken.shape = static_cast<PocketShape>(shape_->checkedId());
  if (!TakeRectangle(taken.rectangle)) return false;
  for (const auto& [field, v] : {std::pair{cornerRadius_, &taken.cornerRadius},
                                 std::pair{circleRadius_, &taken.circleRadius}, std::pair{xyStepover_, &taken.xyStepover},
                                 std::pair{zStepover_, &taken.zStepover}, std::pair{startHeight_, &taken.startHeight},
                                 std::pair{zDepth_, &taken.zDepth}, std::pair{allowance_, &taken.allowance}}) {
    if (!TakeNumber(field, *v)) return false;
  }
  if (!TakeTapers(taken.taper)) return false;
  if (!HoldToRanges(CheckPocketParams(taken))) return false;
  params_ = taken;
  return true;
}

}  // namespace fendo
