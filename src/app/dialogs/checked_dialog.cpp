#include "app/dialogs/checked_dialog.h"

#include <cmath>

#include "app/dialogs/number_field.h"
#include "app/qt_text.h"

namespace fendo {
namespace {

// "라벨: 이유", or the reason alone for a field without a label.
QString FieldMessage(const QString& label, const QString& why) {
  const QString name = label.trimmed();
  return name.isEmpty() ? why : name + QStringLiteral(": ") + why;
}

}  // namespace

CheckedDialog::CheckedDialog(const QString& title, QWidget* parent) : QDialog(parent) {
  setWindowTitle(title);
  setModal(true);
}

void CheckedDialog::accept() {
  if (TakeFields()) QDialog::accept();
}

bool CheckedDialog::Refuse(QWidget* field, const QString& why) {
  Prompts().Message(ToUtf8(why), kFieldMessageCaption, PromptIcon::Warning);
  field->setFocus();
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
  return false;
}

bool CheckedDialog::RefuseOutOfRange(QWidget* control, const QString& label, double lowest, double highest,
                                     bool endsLeftOut) {
  if (endsLeftOut) {
    return Refuse(control, FieldMessage(label, NumberText(lowest) + QStringLiteral(" 보다 크고 ") + NumberText(highest) +
                                                   QStringLiteral(" 보다 작은 값을 입력하시요.")));
  }
  return Refuse(control, FieldMessage(label, NumberText(lowest) + QStringLiteral(" ~ ") + NumberText(highest) +
                                                 QStringLiteral(" 사이의 값을 입력하시요.")));
}

bool CheckedDialog::TakeNumber(NumberField* field, double& v) {
  return field->Read(v) || Refuse(field, FieldMessage(field->Label(), QStringLiteral("숫자를 입력하시요.")));
}

bool CheckedDialog::TakeNumber(NumberField* field, float& v) {
  return field->Read(v) || Refuse(field, FieldMessage(field->Label(), QStringLiteral("숫자를 입력하시요.")));
}

bool CheckedDialog::TakeNumber(NumberField* field, double& v, double lowest, double highest) {
  double read = 0;
  if (!TakeNumber(field, read)) return false;
  if (read < lowest || read > highest) return RefuseOutOfRange(field, field->Label(), lowest, highest);
  v = read;
  return true;
}

bool CheckedDialog::TakeWholeNumber(NumberField* field, int& v, int lowest, int highest) {
  double read = 0;
  if (!TakeNumber(field, read, lowest, highest)) return false;
  if (read != std::floor(read)) return Refuse(field, FieldMessage(field->Label(), QStringLiteral("정수를 입력하시요.")));
  v = static_cast<int>(read);
  return true;
}

}  // namespace fendo
