#include "app/dialogs/options_dialog.h"

#include "app/qt_text.h"

namespace fendo {

NumberField* OptionsDialog::AddNumberField(std::string_view name, const QString& label) {
  auto* field = new NumberField(label, this);
  field->setObjectName(Utf8(name));
  fields_.emplace_back(name, field);
  return field;
}

bool OptionsDialog::HoldToRanges(const std::optional<OptionOutOfRange>& outside) {
  if (!outside) return true;
  for (const auto& [name, field] : fields_) {
    if (name == outside->field) {
      return RefuseOutOfRange(field, field->Label(), outside->lowest, outside->highest, outside->endsLeftOut);
    }
  }
  // A value without a number field (a list's choice, a slider's position) has no text to
  // point at: the label its range gives it names it.
  return RefuseOutOfRange(this, Utf8(outside->label), outside->lowest, outside->highest);
}

}  // namespace fendo
