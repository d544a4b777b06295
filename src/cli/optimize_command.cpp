// fendo-batch optimize: the feed optimizer with machine slot 1's settings, as the desktop
// program runs it after its transfer dialog, then the program written with the writer's
// defaults (or the output options given).
#include <cstdio>
#include <optional>

#include "cli/batch_program.h"
#include "cli/batch_prompts.h"
#include "cli/output_flags.h"
#include "cli/terminal_progress.h"
#include "feed/feed_control.h"
#include "feed/feed_optimizer.h"
#include "feed/master_file.h"
#include "feed/qel_file.h"
#include "feed/transfer_rules.h"

namespace fendo {
namespace {

// A switch given as --NAME or --no-NAME; nothing when neither was given.
std::optional<int> Switch(const BatchArguments& args, const std::string& name) {
  if (args.Has("--no-" + name)) return 0;
  if (args.Has("--" + name)) return 1;
  return std::nullopt;
}

// Slot 1's condition as the transfer dialog hands it to the optimizer: its settings (or the
// *.qel file's), the two feed fields, the switches. False, with `error` and the exit status,
// for a value that is not a number, a file that cannot be read or a value out of range.
bool MachineFromArguments(const BatchArguments& args, MachineCondition& machine, std::string& error, int& status) {
  TransferDialogState dialog;
  ShowTransferDialog(dialog, machine);
  if (const auto qel = args.values.find("--qel"); qel != args.values.end()) {
    if (const QelFileResult read = LoadConditionFile(dialog, qel->second); !read.ok()) {
      error = read.reason;
      status = 1;
      return false;
    }
  }
  status = 2;
  if (const std::optional<int> feed = IntegerOption(args, "--max-feed", error)) SetMaximumFeed(dialog, *feed);
  if (const std::optional<int> feed = IntegerOption(args, "--min-feed", error)) SetMinimumFeed(dialog, *feed);
  if (const std::optional<int> unit = IntegerOption(args, "--unit", error)) dialog.condition.feedUnit = *unit;
  if (!error.empty()) return false;
  if (const auto on = Switch(args, "finish")) dialog.condition.conCorChk = *on;
  if (const auto on = Switch(args, "updown")) dialog.condition.upDownChk = *on;
  if (const auto on = Switch(args, "smooth")) dialog.condition.feedChgSmoothCheck = *on;
  if (const std::optional<OptionOutOfRange> range = AcceptTransferDialog(dialog, machine)) {
    error = range->message;
    return false;
  }
  return true;
}

void PrintSummary(const OptimizerResult& result, std::ostream& out) {
  char minutes[96];
  std::snprintf(minutes, sizeof minutes, "%.2f min -> %.2f min", result.cuttingMinutesBefore,
                result.cuttingMinutesAfter);
  out << "records: " << result.recordsIn << " -> " << result.recordsOut << "\n"
      << "cutting moves below the maximum feed: " << result.movesSlowed << "\n"
      << "estimated cutting time: " << minutes << "\n";
}

}  // namespace

int RunOptimize(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.size() != 1 || !args.Has("-o")) {
    streams.err << "fendo-batch: optimize takes one input and -o OUT (see fendo-batch --help)\n";
    return 2;
  }
  FeedControl control;
  MachineCondition& machine = control.machines[FeedControl::kOptimizerMachine];
  std::string error;
  int status = 0;
  if (!MachineFromArguments(args, machine, error, status)) {
    streams.err << "fendo-batch: " << error << '\n';
    return status;
  }
  MasterModel master;
  if (const auto file = args.values.find("--master"); file != args.values.end()) {
    if (const FileStatus read = ReadMasterFile(file->second, master); !read) {
      streams.err << "fendo-batch: " << file->second << ": " << read.reason << '\n';
      return 1;
    }
    machine.masterFile = file->second;
    machine.qelByMaster = 1;
  }

  LoadedProgram program = OpenProgram(args.files.front(), ReaderOptions(args, streams.err), streams);
  if (!program.result.ok()) return 1;
  ToolpathDatabase& db = *program.db;
  NcOutputOptions output;
  PresetFromWorkLayer(db, output);
  if (!ApplyOutputFlags(args, output, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  OptimizerResult result;
  {
    std::optional<TerminalProgress> progress;
    if (streams.terminal) progress.emplace(streams.err);
    result = OptimizeFeeds(db, machine, control.optimizerSlots[FeedControl::kOptimizerMachine],
                           master.present == 1 ? &master : nullptr, progress ? &*progress : nullptr);
  }
  if (result.status != OptimizerStatus::Done) {
    streams.err << "fendo-batch: " << args.files.front() << ": " << result.message << '\n';
    return 1;
  }
  PrintSummary(result, streams.out);
  BatchPrompts prompts(streams.err, args.Has("--yes"));
  return ReportWriteResult(WriteNcProgram(db, output, prompts), output.outputPath, streams.err);
}

}  // namespace fendo
