#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/batch.h"
#include "cli/batch_arguments.h"
#include "cli/option_table.h"

namespace fendo {

// An option group a command takes: all its rows, or only the first few.
struct OptionGroupUse {
  static constexpr std::size_t kAllRows = static_cast<std::size_t>(-1);

  const OptionGroup& (*group)() = nullptr;
  std::size_t rows = kAllRows;
};

// A command of fendo-batch: its name, what the help says of it, what runs it and the options it
// takes. A new command is a new row of the table.
struct BatchCommand {
  std::string_view name;        // "info", "master"
  std::string_view subcommand;  // "build" of "master build"; empty for a command without them
  std::string_view synopsis;    // "info FILE..."
  std::string_view help;        // lines separated by '\n'
  int (*run)(const BatchArguments&, const BatchStreams&);
  std::array<OptionGroupUse, 3> groups{};

  // "master build", "info".
  std::string FullName() const;
};

// The commands in the order of the help.
std::span<const BatchCommand> BatchCommands();

// The command `name` with `subcommand` (empty for a command without them); nothing when there
// is none.
const BatchCommand* FindCommand(std::string_view name, std::string_view subcommand);

// Whether the first word after the command names what it does: "master build", "master info".
bool TakesSubcommand(std::string_view name);

// The option `flag` of `command` (a switch or its twin); nothing when the command has no such
// option.
const OptionEntry* FindOption(const BatchCommand& command, std::string_view flag);

// Why an option given means nothing here: it belongs to an operation not given ("--tolerance
// belongs to --lines-to-arcs") or modifies an option not given ("--set needs --template");
// nothing when every option given has what it needs.
std::optional<std::string> UnmetNeed(const BatchCommand& command, const BatchArguments& args);

// The options every command knows: the help and the end of the options.
inline constexpr std::string_view kHelpFlag = "--help";
inline constexpr std::string_view kShortHelpFlag = "-h";
inline constexpr std::string_view kFilesFollowFlag = "--";
const OptionGroup& GeneralOptionGroup();

// The whole help: the commands, then the options of each group where a command first takes it.
std::string BatchUsage();

}  // namespace fendo
