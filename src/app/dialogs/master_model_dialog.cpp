#include "app/dialogs/master_model_dialog.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "app/dialogs/number_field.h"
#include "app/qt_text.h"

namespace fendo {

MasterModelDialog::MasterModelDialog(const MasterModelInputs& values, QWidget* parent)
    : ValueDialog(QStringLiteral("Master Model"), parent),
      values_(values),
      toolDiameter_(AddField(QStringLiteral("공구 직경"))),
      stockAllowance_(AddField(QStringLiteral("가공 여유"))),
      tolerance_(AddField(QStringLiteral("마스터 모델 공차"))) {
  toolDiameter_->SetNumber(values.toolDiameter);
  stockAllowance_->SetNumber(values.stockAllowance);
  tolerance_->SetNumber(values.tolerance);
  AddButtons();
}

bool MasterModelDialog::TakeFields() {
  MasterModelInputs taken = values_;
  if (!TakeNumber(toolDiameter_, taken.toolDiameter) || !TakeNumber(stockAllowance_, taken.stockAllowance) ||
      !TakeNumber(tolerance_, taken.tolerance)) {
    return false;
  }
  if (const std::optional<OptionOutOfRange> outside = CheckRanges(taken)) {
    NumberField* const fields[] = {toolDiameter_, stockAllowance_, tolerance_};
    const auto refused = std::ranges::find(fields, Utf8(outside->label), &NumberField::Label);
    return Refuse(refused == std::end(fields) ? fields[0] : *refused, Utf8(outside->message));
  }
  values_ = taken;
  return true;
}

}  // namespace fendo
