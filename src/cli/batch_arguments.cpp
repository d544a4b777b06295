#include "cli/batch_arguments.h"

#include <charconv>

#include "cli/batch_commands.h"

namespace fendo {

ParsedCommandLine ParseBatchArguments(const std::vector<std::string>& words) {
  ParsedCommandLine parsed;
  BatchArguments& args = parsed.args;
  const BatchCommand* optionsOf = nullptr;  // the command whose options are known
  bool filesOnly = false;
  std::map<std::string_view, std::string> given;  // each option given (by its flag), as it was written
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (filesOnly || word == "-" || !word.starts_with('-')) {
      if (args.command.empty()) {
        args.command = word;
        optionsOf = FindCommand(args.command, args.subcommand);
      } else if (args.subcommand.empty() && TakesSubcommand(args.command)) {
        args.subcommand = word;
        optionsOf = FindCommand(args.command, args.subcommand);
      } else {
        args.files.push_back(word);
      }
      continue;
    }
    const OptionEntry* option = optionsOf ? FindOption(*optionsOf, word) : nullptr;
    if (word == kFilesFollowFlag) {
      filesOnly = true;
    } else if (word == kHelpFlag || word == kShortHelpFlag) {
      parsed.help = true;
    } else if (!option) {
      parsed.error = args.command.empty() ? "an option before the command: " + word
                                          : "unknown option " + word + " for " + args.command;
    } else if (const auto [before, first] = given.emplace(option->flag, word); !first) {
      // The last of two values would win without a word, and a switch with its twin says both.
      parsed.error = before->second == word ? "option " + word + " is given twice"
                                            : "give " + before->second + " or " + word + ", not both";
    } else if (!option->TakesValue()) {
      args.flags.insert(word);
    } else if (i + 1 < words.size()) {
      // A value of several words ("--delete-slope 10 40") is kept as they were, one space apart.
      const std::size_t count = static_cast<std::size_t>(option->ValueWords(words[i + 1]));
      if (i + count >= words.size()) {
        parsed.error = "option " + word + " needs " + std::string(option->value);
        i = words.size();
        continue;
      }
      std::string value = words[++i];
      for (std::size_t k = 1; k < count; ++k) value.append(" ").append(words[++i]);
      args.values[word] = std::move(value);
    } else {
      parsed.error = "option " + word + " needs a value";
    }
  }
  if (parsed.error.empty() && optionsOf) {
    if (std::optional<std::string> unmet = UnmetNeed(*optionsOf, args)) parsed.error = std::move(*unmet);
  }
  return parsed;
}

namespace {

// The value of an option read whole as a T; nothing, with `error` naming what it should be,
// when it is not one.
template <typename T>
std::optional<T> ParsedOption(const BatchArguments& args, const std::string& option, std::string& error,
                              std::string_view what) {
  const auto found = args.values.find(option);
  if (found == args.values.end()) return std::nullopt;
  const std::string& text = found->second;
  T value{};
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (failure != std::errc() || end != text.data() + text.size()) {
    error = option + " takes " + std::string(what) + ", not \"" + text + "\"";
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<int> IntegerOption(const BatchArguments& args, const std::string& option, std::string& error) {
  return ParsedOption<int>(args, option, error, "a whole number");
}

std::optional<double> NumberOption(const BatchArguments& args, const std::string& option, std::string& error) {
  return ParsedOption<double>(args, option, error, "a number");
}

}  // namespace fendo
