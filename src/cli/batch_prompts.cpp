#include "cli/batch_prompts.h"

namespace fendo {
namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

void BatchPrompts::Message(std::string_view text, std::string_view, PromptIcon) {
  err_ << "fendo-batch: " << Trimmed(text) << '\n';
}

bool BatchPrompts::AskOkCancel(std::string_view text, std::string_view, PromptIcon) {
  err_ << "fendo-batch: " << Trimmed(text) << (goOn_ ? " -- going on (--yes)\n" : " -- stopping\n");
  return !goOn_;
}

std::optional<double> BatchPrompts::AskValue(std::string_view, double value) { return value; }

}  // namespace fendo
