#include "cli/batch_arguments.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <string_view>

namespace fendo {
namespace {

struct OptionSpec {
  std::string_view name;
  bool takesValue;
};

constexpr OptionSpec kReaderOptions[] = {{"--heidenhain", false}, {"--int", false}, {"--arcs-to-lines", false}};
constexpr OptionSpec kInfoOptions[] = {{"--json", false}};
constexpr OptionSpec kOutputOptions[] = {
    {"-o", true},          {"--heidenhain-out", false}, {"--incremental", false},       {"--ijk", false},
    {"--seq", false},      {"--machining-info", false}, {"--program", true},            {"--tool", true},
    {"--offset", true},    {"--spindle", true},         {"--comment", true},            {"--source", true},
    {"--source-start-end", false},                      {"--no-diagonal-check", false}, {"--yes", false}};
constexpr OptionSpec kConvertOptions[] = {
    {"--template", true}, {"--set", true}, {"--no-prompt-defaults", false}, {"--layers", true}};
// The filter reads with the program's own options or these two; --arcs-to-lines names one of
// its operations here.
constexpr OptionSpec kFilterReaderOptions[] = {{"--heidenhain", false}, {"--int", false}};
constexpr OptionSpec kFilterOptions[] = {
    {"--linear", true},     {"--arcs", true},       {"--arcs-to-lines", true}, {"--lines-to-arcs", false},
    {"--min-radius", true}, {"--max-radius", true}, {"--tolerance", true},     {"--max-points", true},
    {"--filter-first", true}, {"--planes", true}};

// The options of each command.
std::vector<OptionSpec> OptionsOf(std::string_view command) {
  std::vector<OptionSpec> options;
  const auto add = [&options](std::span<const OptionSpec> group) { options.insert(options.end(), group.begin(), group.end()); };
  if (command == "info") {
    add(kReaderOptions);
    add(kInfoOptions);
  } else if (command == "dump") {
    add(kReaderOptions);
  } else if (command == "convert") {
    add(kReaderOptions);
    add(kOutputOptions);
    add(kConvertOptions);
  } else if (command == "filter") {
    add(kFilterReaderOptions);
    add(kOutputOptions);
    add(kFilterOptions);
  }
  return options;
}

}  // namespace

std::optional<NcOptions> BatchArguments::ReaderFlags() const {
  const bool any = flags.count("--heidenhain") || flags.count("--int") || flags.count("--arcs-to-lines");
  if (!any) return std::nullopt;
  NcOptions options;
  options.heidenhainInputChk = flags.count("--heidenhain");
  options.intNcdataFlg = flags.count("--int");
  options.arcToCutInputChk = flags.count("--arcs-to-lines");
  return options;
}

ParsedCommandLine ParseBatchArguments(const std::vector<std::string>& words) {
  ParsedCommandLine parsed;
  BatchArguments& args = parsed.args;
  std::vector<OptionSpec> known;
  bool filesOnly = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (filesOnly || word == "-" || !word.starts_with('-')) {
      if (args.command.empty()) {
        args.command = word;
        known = OptionsOf(word);
      } else {
        args.files.push_back(word);
      }
      continue;
    }
    if (word == "--") {
      filesOnly = true;
    } else if (word == "--help" || word == "-h") {
      parsed.help = true;
    } else if (const auto spec = std::find_if(known.begin(), known.end(), [&](const OptionSpec& o) { return o.name == word; });
               spec == known.end()) {
      parsed.error = args.command.empty() ? "an option before the command: " + word
                                          : "unknown option " + word + " for " + args.command;
    } else if (!spec->takesValue) {
      args.flags.insert(word);
    } else if (i + 1 < words.size()) {
      args.values[word] = words[++i];
    } else {
      parsed.error = "option " + word + " needs a value";
    }
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
