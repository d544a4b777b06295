#pragma once

#include <QCheckBox>
#include <QList>

#include <cstddef>
#include <string_view>
#include <variant>
#include <vector>

#include "app/dialogs/number_field.h"
#include "app/dialogs/number_form.h"
#include "app/dialogs/options_dialog.h"

class QFormLayout;
class QVBoxLayout;

namespace fendo {

// The frame of a number dialog, whatever its values: a form of labelled number fields (a check
// box may stand as a field's label), OK and Cancel. Tab runs through the fields, each switch
// just before its field, then OK and Cancel; the first field has the focus.
class NumberFormFrame : public OptionsDialog {
 protected:
  NumberFormFrame(const char* title, QWidget* parent);

  // A check box named `name` for the row added next, ticked or not.
  QCheckBox* AddSwitch(const char* name, std::string_view text, bool ticked);
  // A number field below the ones added before it, for the member `name` of the engine's ranges,
  // labelled `label`; `switchBox` (if any) stands in the label's place.
  NumberField* AddRow(std::string_view label, std::string_view name, QCheckBox* switchBox);
  // Closes the form with OK and Cancel, sets the tab order and puts the focus on the first field.
  void AddButtons();

  static void Show(NumberField* field, double v) { field->SetNumber(v); }
  static void Show(NumberField* field, float v) { field->SetNumber(v); }
  static void Show(NumberField* field, int v) { field->SetNumber(static_cast<double>(v)); }
  bool Take(NumberField* field, double& v) { return TakeNumber(field, v); }
  bool Take(NumberField* field, float& v) { return TakeNumber(field, v); }
  bool Take(NumberField* field, int& v) { return TakeWholeNumber(field, v); }

 private:
  QVBoxLayout* layout_;
  QFormLayout* form_;
  QList<QWidget*> tabOrder_;
};

// A dialog written as a table (see NumberForm): it opens on the values the command keeps, and OK
// takes every field in the order of the rows, holds the values to the engine's ranges, then
// takes the switches. values() gives what OK took, or the values it was opened with.
template <typename Values>
class NumberFormDialog : public NumberFormFrame {
 public:
  const Values& values() const { return values_; }

 protected:
  NumberFormDialog(const NumberForm<Values>& form, const Values& values, QWidget* parent)
      : NumberFormFrame(form.title, parent), form_(form), values_(values) {
    for (const NumberRow<Values>& row : form.rows) {
      const std::string_view label = row.label.Of(values);
      QCheckBox* switchBox = row.switchedBy ? AddSwitch(row.switchName, label, values.*row.switchedBy) : nullptr;
      NumberField* field = AddRow(label, row.name, switchBox);
      std::visit([&](auto member) { Show(field, values.*member); }, row.member);
      fields_.push_back(field);
      switches_.push_back(switchBox);
    }
    AddButtons();
  }

 private:
  bool TakeFields() override {
    Values taken = values_;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      const auto take = [&](auto member) { return Take(fields_[i], taken.*member); };
      if (!std::visit(take, form_.rows[i].member)) return false;
    }
    if (form_.check && !HoldToRanges(form_.check(taken))) return false;
    for (std::size_t i = 0; i < switches_.size(); ++i) {
      if (switches_[i]) taken.*form_.rows[i].switchedBy = switches_[i]->isChecked();
    }
    values_ = taken;
    return true;
  }

  NumberForm<Values> form_;
  Values values_;
  std::vector<NumberField*> fields_;    // one per row
  std::vector<QCheckBox*> switches_;  // one per row, nullptr for a row without a switch
};

}  // namespace fendo
