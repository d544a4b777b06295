#pragma once

#include <QDialog>
#include <QString>

#include <climits>

#include "app/dialogs/message_box_prompts.h"

namespace fendo {

class NumberField;

// A modal dialog whose OK first takes what its fields hold: a field the dialog cannot use is
// named in a message, gets the focus, and the dialog stays open. Messages go to a message box
// over the dialog unless the caller sends them elsewhere.
class CheckedDialog : public QDialog {
 public:
  // Where the dialog's messages go from now on; `prompts` must outlive the dialog.
  void SetPrompts(UserPrompts& prompts) { prompts_ = &prompts; }

  // Closes the dialog as accepted once TakeFields() has taken every field.
  void accept() override;

 protected:
  CheckedDialog(const QString& title, QWidget* parent);

  // Takes every field into the dialog's values, in the order of the fields; false after
  // refusing one, with the values as they were.
  virtual bool TakeFields() = 0;

  UserPrompts& Prompts() { return *prompts_; }

  // Tells the user why `field` cannot be taken and puts the focus on it. Always false: the
  // answer TakeFields() then gives.
  bool Refuse(QWidget* field, const QString& why);
  // Tells the user that the value `label` names must lie in lowest … highest, in the words
  // every dialog of the program uses for that, and puts the focus on `control`. Always false.
  bool RefuseOutOfRange(QWidget* control, const QString& label, double lowest, double highest,
                        bool endsLeftOut = false);

  // The number `field` holds, into `v`; a text that is not one is refused.
  bool TakeNumber(NumberField* field, double& v);
  bool TakeNumber(NumberField* field, float& v);
  // The same, refusing also a number outside lowest … highest.
  bool TakeNumber(NumberField* field, double& v, double lowest, double highest);
  // The whole number `field` holds, into `v`: "1.5" or "12abc" is refused, never cut to a
  // number the machine would be given, and so is one outside lowest … highest.
  bool TakeWholeNumber(NumberField* field, int& v, int lowest = INT_MIN, int highest = INT_MAX);

 private:
  MessageBoxPrompts ownPrompts_{this};
  UserPrompts* prompts_ = &ownPrompts_;
};

// Opens a Dialog on `values` over `parent`. On OK the values it gives back replace `values` and
// the answer is true; otherwise `values` is left as it was.
template <typename Dialog, typename Values>
bool EditInDialog(Values& values, QWidget* parent) {
  Dialog dialog(values, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  values = dialog.values();
  return true;
}

// The caption of the messages that refuse a field.
inline constexpr char kFieldMessageCaption[] = "Fendo message";

}  // namespace fendo
