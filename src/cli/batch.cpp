#include "cli/batch.h"

#include "cli/batch_arguments.h"
#include "cli/batch_commands.h"
#include "cli/batch_program.h"

namespace fendo {

int RunBatch(const std::vector<std::string>& words, const BatchStreams& streams) {
  const ParsedCommandLine parsed = ParseBatchArguments(words);
  if (!parsed.error.empty()) {
    streams.err << "fendo-batch: " << parsed.error << " (see fendo-batch --help)\n";
    return 2;
  }
  if (parsed.help) {
    streams.out << BatchUsage();
    return 0;
  }
  const BatchArguments& args = parsed.args;
  if (!CheckReaderOptions(args, streams.err)) return 2;
  if (const BatchCommand* command = FindCommand(args.command, args.subcommand)) return command->run(args, streams);
  if (TakesSubcommand(args.command)) {
    std::vector<std::string> subcommands;
    for (const BatchCommand& command : BatchCommands()) {
      if (command.name == args.command) subcommands.emplace_back(command.subcommand);
    }
    streams.err << "fendo-batch: " << args.command << " takes " << JoinedList(subcommands, " or ")
                << (args.subcommand.empty() ? std::string() : ", not " + args.subcommand)
                << " (see fendo-batch --help)\n";
    return 2;
  }
  streams.err << "fendo-batch: "
              << (args.command.empty() ? "no command" : "unknown command " + args.command)
              << " (see fendo-batch --help)\n";
  return 2;
}

}  // namespace fendo
