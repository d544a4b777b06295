#pragma once

#include <QString>

#include <string_view>
#include <vector>

#include "app/dialogs/checked_dialog.h"
#include "core/option_range.h"

namespace fendo {

struct MachineCondition;
class NumberField;

// A number field of a condition dialog: its label, the setting's name in the optimizer's
// ranges, and the setting it edits.
template <typename T>
struct ConditionField {
  const char* label;
  std::string_view name;
  T MachineCondition::*field;
};

// The frame the feed optimizer's dialogs share: OK held to the ranges the optimizer works with
// (the check fendo-batch runs before it optimises), a value outside them refused on the
// control that shows it.
class ConditionDialog : public CheckedDialog {
 protected:
  using CheckedDialog::CheckedDialog;

  // Says which control shows the setting `name` (its name in the optimizer's ranges): a value
  // of it out of range is refused there, named by the control's label when the control is a
  // number field, otherwise (a check box, the button of the dialog that shows the setting) by
  // the label the ranges give it.
  void ShowsSetting(std::string_view name, QWidget* control);
  // Says that `field` holds a number the setting `name` is worked out from: a value of it out of
  // range is refused on the field, but named by the label the ranges give it, as the field's
  // own label names another number.
  void WorkedOutFrom(std::string_view name, NumberField* field);

  // Whether the optimizer can work with every setting of `condition`; otherwise the first
  // value out of range is refused, in the words of every dialog and under the dialog's label
  // of it, on the control that shows it, or on `elsewhere` (the button of the dialog that shows
  // it, whose label names it) for one this dialog does not show. A dialog that edits only
  // some settings checks them on a default condition that holds its own values, so that a bad
  // value it does not show is left to the dialog that does.
  bool HoldToRanges(const MachineCondition& condition, QWidget* elsewhere);

 private:
  // Where a refusal of a setting goes, and the label that names it there (empty: the label
  // its range gives it).
  struct Shown {
    std::string_view name;
    QWidget* control;
    QString label;
  };

  std::vector<Shown> controls_;
};

}  // namespace fendo
