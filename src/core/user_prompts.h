#pragma once

#include <optional>
#include <string_view>

namespace fendo {

enum class PromptIcon { Information, Warning, Error, Question };

// The caption of the program's error messages, and what it says of a file it cannot open.
inline constexpr std::string_view kErrorCaption = "Error message";
inline constexpr std::string_view kCannotOpenFileText = "화일을 열수 없습니다.\n";

// Where an operation asks the user: message boxes and dialogs in the program, answers given on
// the command line in fendo-batch, scripted answers in tests. Texts and captions are the
// program's own (Korean) texts.
class UserPrompts {
 public:
  virtual ~UserPrompts() = default;
  // A message with an OK button.
  virtual void Message(std::string_view text, std::string_view caption, PromptIcon icon) = 0;
  // A question with OK and Cancel; true for OK.
  virtual bool AskOkCancel(std::string_view text, std::string_view caption, PromptIcon icon) = 0;
  // The one-value dialog: `label` beside an edit holding `value`; the number entered, or
  // nothing when the user cancelled.
  virtual std::optional<double> AskValue(std::string_view label, double value) = 0;
};

}  // namespace fendo
