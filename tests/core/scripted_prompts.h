#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/user_prompts.h"

namespace fendo::test {

// Answers the questions of an operation from a script and keeps what it was asked.
class ScriptedPrompts : public UserPrompts {
 public:
  std::vector<std::string> messages;      // "caption: text" of every message and question
  std::deque<bool> okAnswers;             // the answers to OK/Cancel questions, in order
  bool okWhenUnscripted = false;
  std::deque<std::optional<double>> values;  // the answers of the value dialog (nothing = Cancel)

  void Message(std::string_view text, std::string_view caption, PromptIcon) override {
    messages.push_back(std::string(caption) + ": " + std::string(text));
  }
  bool AskOkCancel(std::string_view text, std::string_view caption, PromptIcon) override {
    messages.push_back(std::string(caption) + ": " + std::string(text));
    if (okAnswers.empty()) return okWhenUnscripted;
    const bool ok = okAnswers.front();
    okAnswers.pop_front();
    return ok;
  }
  std::optional<double> AskValue(std::string_view label, double value) override {
    messages.push_back("value: " + std::string(label));
    if (values.empty()) return value;
    const std::optional<double> answer = values.front();
    values.pop_front();
    return answer;
  }
};

}  // namespace fendo::test
