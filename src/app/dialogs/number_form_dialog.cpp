#include "app/dialogs/number_form_dialog.h"

#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "app/qt_text.h"

namespace fendo {

NumberFormFrame::NumberFormFrame(const char* title, QWidget* parent)
    : OptionsDialog(QString::fromUtf8(title), parent), layout_(new QVBoxLayout(this)), form_(new QFormLayout) {
  layout_->setSizeConstraint(QLayout::SetFixedSize);
  layout_->addLayout(form_);
}

QCheckBox* NumberFormFrame::AddSwitch(const char* name, std::string_view text, bool ticked) {
  return CheckBox(name, Utf8(text), ticked, this);
}

NumberField* NumberFormFrame::AddRow(std::string_view label, std::string_view name, QCheckBox* switchBox) {
  NumberField* field = AddNumberField(name, Utf8(label));
  if (switchBox) {
    form_->addRow(switchBox, field);
    tabOrder_.append(switchBox);
  } else {
    form_->addRow(field->Label(), field);
  }
  tabOrder_.append(field);
  return field;
}

void NumberFormFrame::AddButtons() {
  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout_);
  ChainTabOrder(tabOrder_ + QList<QWidget*>{buttons.accept, buttons.reject});
  tabOrder_.front()->setFocus();
}

}  // namespace fendo
