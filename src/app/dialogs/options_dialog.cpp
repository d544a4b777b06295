#include "app/dialogs/options_dialog.h"

#include "app/qt_text.h"

namespace fendo {

NumberField* OptionsDialog::AddNumberField(std::string_view name, const QString& label) {
  auto* field = new NumberField(label, this);
  field->setObjectName(Utf8(name));
  fields_.emplace_back(name, field);
  return field;
}

bool OptionsDialog::RefuseRange(const OptionOutOfRange& outside, double lowest, double highest) {
  for (const auto& [name, field] : fields_) {
    if (name != outside.field) continue;
    // The field still holds the value refused: taking it again within the range refuses it
    // with the message every dialog of the program gives.
    double unused = 0;
    TakeNumber(field, unused, lowest, highest);
    return false;
  }
  // A value without a number field (a list's choice, a slider's position) has no text to
  // point at; the engine's own words name it.
  return Refuse(this, Utf8(outside.message));
}

}  // namespace fendo
