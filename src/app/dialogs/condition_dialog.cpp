#include "app/dialogs/condition_dialog.h"

#include <algorithm>
#include <optional>

#include "app/qt_text.h"
#include "feed/machine_condition_ranges.h"

namespace fendo {

void ConditionDialog::ShowsSetting(std::string_view name, QWidget* control) { controls_.emplace_back(name, control); }

bool ConditionDialog::HoldToRanges(const MachineCondition& condition, QWidget* elsewhere) {
  const std::optional<OptionOutOfRange> outside = CheckMachineCondition(condition);
  if (!outside) return true;
  QWidget* control = ControlOf(outside->field);
  return Refuse(control ? control : elsewhere, Utf8(outside->message));
}

QWidget* ConditionDialog::ControlOf(std::string_view name) const {
  const auto shown = std::ranges::find(controls_, name, &std::pair<std::string_view, QWidget*>::first);
  return shown == controls_.end() ? nullptr : shown->second;
}

}  // namespace fendo
