#include "cli/batch_arguments.h"

#include <algorithm>
#include <array>
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
// The feed changes (exactly one is given), each followed by its options.
constexpr OptionSpec kFeedOptions[] = {
    {"--by-arc", false}, {"--min-radius", true}, {"--min-radius-feed", true}, {"--max-radius", true},
    {"--max-radius-feed", true}, {"--distance", true}, {"--set-all", true},
    {"--by-length", false}, {"--min-length", true}, {"--min-length-feed", true}, {"--max-length", true},
    {"--max-length-feed", true},
    {"--machine", true}, {"--baud", true}, {"--max-feed", true}, {"--min-feed", true}, {"--rapid-feed", true},
    {"--unit", true}, {"--weight", true}, {"--no-smooth", false}, {"--no-set-all", false},
    {"--all", true},
    {"--ff-cut", false}, {"--first-feed", true}, {"--second-feed", true}, {"--second-layer", true}};
constexpr OptionSpec kOptimizeOptions[] = {
    {"--qel", true},     {"--max-feed", true},  {"--min-feed", true}, {"--unit", true},      {"--master", true},
    {"--finish", false}, {"--no-finish", false}, {"--updown", false}, {"--no-updown", false}, {"--smooth", false},
    {"--no-smooth", false}};
constexpr OptionSpec kMasterBuildOptions[] = {{"-o", true}, {"--tool", true}, {"--allowance", true}, {"--tolerance", true}};
constexpr OptionSpec kRenderOptions[] = {
    {"-o", true},       {"--view", true},   {"--size", true},      {"--no-rapids", false},
    {"--invert", false}, {"--legend", false}, {"--no-legend", false}, {"--no-layer-text", false}};

// Commands whose first word after them names what they do: "master build", "master info".
constexpr std::string_view kCommandsWithSubcommands[] = {"master"};

bool TakesSubcommand(std::string_view command) {
  return std::ranges::find(kCommandsWithSubcommands, command) != std::ranges::end(kCommandsWithSubcommands);
}

// The options of each command ("master build" for a sub-command), in groups.
struct CommandOptions {
  std::string_view command;
  std::array<std::span<const OptionSpec>, 3> groups;
};

constexpr CommandOptions kCommandOptions[] = {
    {"info", {kReaderOptions, kInfoOptions}},
    {"dump", {kReaderOptions}},
    {"convert", {kReaderOptions, kOutputOptions, kConvertOptions}},
    {"filter", {kFilterReaderOptions, kOutputOptions, kFilterOptions}},
    {"optimize", {kReaderOptions, kOutputOptions, kOptimizeOptions}},
    {"feed", {kReaderOptions, kOutputOptions, kFeedOptions}},
    {"master build", {kFilterReaderOptions, kMasterBuildOptions}},
    {"render", {kReaderOptions, kRenderOptions}},
};

// The option `name` of `command`; nothing when the command has no such option.
std::optional<OptionSpec> FindOption(std::string_view command, std::string_view name) {
  for (const CommandOptions& entry : kCommandOptions) {
    if (entry.command != command) continue;
    for (std::span<const OptionSpec> group : entry.groups) {
      for (const OptionSpec& option : group) {
        if (option.name == name) return option;
      }
    }
  }
  return std::nullopt;
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
  std::string optionsOf;  // the command whose options are known: "master build" for a sub-command
  bool filesOnly = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (filesOnly || word == "-" || !word.starts_with('-')) {
      if (args.command.empty()) {
        args.command = word;
        optionsOf = word;
      } else if (args.subcommand.empty() && TakesSubcommand(args.command)) {
        args.subcommand = word;
        optionsOf = args.command + " " + word;
      } else {
        args.files.push_back(word);
      }
      continue;
    }
    if (word == "--") {
      filesOnly = true;
    } else if (word == "--help" || word == "-h") {
      parsed.help = true;
    } else if (const std::optional<OptionSpec> spec = FindOption(optionsOf, word); !spec) {
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
