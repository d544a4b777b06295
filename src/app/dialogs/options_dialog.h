#pragma once

#include <QString>

#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/number_field.h"
#include "core/option_range.h"

namespace fendo {

// A dialog over one of the engine's option structs. OK takes every field as a number, then
// holds the values to the ranges the engine keeps for the struct (the check fendo-batch runs
// before it acts): the first value out of range is refused on its own field, and nothing of
// what was typed is given back until every value lies in its range.
class OptionsDialog : public CheckedDialog {
 protected:
  using CheckedDialog::CheckedDialog;

  // A number field for the struct's field `name` (its name in the engine's ranges, and the
  // field's object name), labelled `label` in the messages that refuse it.
  NumberField* AddNumberField(std::string_view name, const QString& label);

  // Whether the engine's range check found every value in its range; otherwise the value it
  // names is refused on its field, in the dialog's words and with the field's label.
  bool HoldToRanges(const std::optional<OptionOutOfRange>& outside);

  // Whether every value of `taken` lies in its range; otherwise the first one that does not
  // is refused on its field.
  template <typename Options>
  bool HoldToRanges(const Options& taken, std::span<const FieldRange<Options>> ranges) {
    return HoldToRanges(CheckFieldRanges(taken, ranges));
  }

 private:
  std::vector<std::pair<std::string_view, NumberField*>> fields_;
};

}  // namespace fendo
