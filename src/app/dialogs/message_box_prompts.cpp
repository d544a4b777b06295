#include "app/dialogs/message_box_prompts.h"

#include <QMessageBox>

#include <string>

#include "app/dialogs/value_dialogs.h"
#include "app/qt_text.h"

namespace fendo {
namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Information: break;
  }
  return QMessageBox::Information;
}

int ShowBox(QWidget* parent, std::string_view text, std::string_view caption, PromptIcon icon,
            QMessageBox::StandardButtons buttons) {
  QMessageBox box(BoxIcon(icon), Utf8(caption), Utf8(text), buttons, parent);
  return box.exec();
}

}  // namespace

void MessageBoxPrompts::Message(std::string_view text, std::string_view caption, PromptIcon icon) {
  ShowBox(parent_, text, caption, icon, QMessageBox::Ok);
}

bool MessageBoxPrompts::AskOkCancel(std::string_view text, std::string_view caption, PromptIcon icon) {
  return ShowBox(parent_, text, caption, icon, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<double> MessageBoxPrompts::AskValue(std::string_view label, double value) {
  OneValue values{.label = std::string(label), .value = value};
  if (!EditInDialog<COneValueDlg>(values, parent_)) return std::nullopt;
  return values.value;
}

}  // namespace fendo
