#include "app/dialogs/condition_dialog.h"

#include <algorithm>
#include <optional>

#include "app/dialogs/number_field.h"
#include "app/qt_text.h"
#include "feed/machine_condition_ranges.h"

namespace fendo {

void ConditionDialog::ShowsSetting(std::string_view name, QWidget* control) {
  const auto* field = qobject_cast<NumberField*>(control);
  controls_.push_back({name, control, field ? field->Label() : QString()});
}

void ConditionDialog::WorkedOutFrom(std::string_view name, NumberField* field) {
  controls_.push_back({name, field, QString()});
}

bool ConditionDialog::HoldToRanges(const MachineCondition& condition, QWidget* elsewhere) {
  const std::optional<OptionOutOfRange> outside = CheckMachineCondition(condition);
  if (!outside) return true;
  const auto shown = std::ranges::find(controls_, outside->field, &Shown::name);
  QWidget* control = shown == controls_.end() ? elsewhere : shown->control;
  const QString label = shown == controls_.end() || shown->label.isEmpty() ? Utf8(outside->label) : shown->label;
  return RefuseOutOfRange(control, label, outside->lowest, outside->highest);
}

}  // namespace fendo
