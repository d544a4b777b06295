#pragma once

#include "core/user_prompts.h"

class QWidget;

namespace fendo {

// The program's way of asking the user: a message box over `parent` for messages and
// OK/Cancel questions, the one-value dialog for a number.
class MessageBoxPrompts : public UserPrompts {
 public:
  explicit MessageBoxPrompts(QWidget* parent) : parent_(parent) {}

  void Message(std::string_view text, std::string_view caption, PromptIcon icon) override;
  bool AskOkCancel(std::string_view text, std::string_view caption, PromptIcon icon) override;
  std::optional<double> AskValue(std::string_view label, double value) override;

 private:
  QWidget* parent_;
};

}  // namespace fendo
