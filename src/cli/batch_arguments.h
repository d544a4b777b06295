#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace fendo {

// The command line after parsing: the command, its files, and the options given (each checked
// against the options the command knows).
struct BatchArguments {
  std::string command;
  std::string subcommand;  // the word after a command that has sub-commands ("master build")
  std::vector<std::string> files;
  std::set<std::string> flags;                  // options without a value
  std::map<std::string, std::string> values;    // options with a value, the last one given

  bool Has(std::string_view option) const {
    const std::string key(option);
    return flags.count(key) || values.count(key);
  }
};

struct ParsedCommandLine {
  BatchArguments args;
  bool help = false;
  std::string error;  // a mistake in the arguments, empty when there is none
};

ParsedCommandLine ParseBatchArguments(const std::vector<std::string>& words);

// The value of an option as a whole number or a number; nothing, with `error` set, when it is
// not one.
std::optional<int> IntegerOption(const BatchArguments& args, const std::string& option, std::string& error);
std::optional<double> NumberOption(const BatchArguments& args, const std::string& option, std::string& error);

}  // namespace fendo
