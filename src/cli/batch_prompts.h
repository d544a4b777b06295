#pragma once

#include <ostream>

#include "core/user_prompts.h"

namespace fendo {

// The questions of a run answered from the command line: messages go to the error stream, the
// diagonal-rapid question is answered by --yes (go on) or its absence (stop), and the values a
// template asks for keep their current value.
class BatchPrompts : public UserPrompts {
 public:
  BatchPrompts(std::ostream& err, bool goOn) : err_(err), goOn_(goOn) {}

  void Message(std::string_view text, std::string_view caption, PromptIcon icon) override;
  bool AskOkCancel(std::string_view text, std::string_view caption, PromptIcon icon) override;
  std::optional<double> AskValue(std::string_view label, double value) override;

 private:
  std::ostream& err_;
  bool goOn_;
};

}  // namespace fendo
