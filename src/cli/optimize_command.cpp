// fendo-batch optimize: the feed optimizer with machine slot 1's settings, as the desktop
// program runs it after its transfer dialog, then the program written with the writer's
// defaults (or the output options given).
#include <cstdio>
#include <fstream>
#include <optional>

#include "cli/batch_program.h"
#include "cli/batch_prompts.h"
#include "cli/optimize_report.h"
#include "cli/output_flags.h"
#include "cli/terminal_progress.h"
#include "feed/feed_control.h"
#include "feed/feed_optimizer.h"
#include "feed/master_file.h"
#include "feed/qel_file.h"
#include "feed/transfer_rules.h"

namespace fendo {
namespace {

// The files the command reads itself: the conditions before the feeds are taken, the master
// model after they have been checked.
constexpr std::string_view kQelFlag = "--qel";
constexpr std::string_view kMasterFlag = "--master";
constexpr std::string_view kReportFlag = "--report";
constexpr std::string_view kReportToTerminal = "-";

// The transfer dialog's fields, as the user would edit them after it is shown.
constexpr Option<TransferDialogState> kOptimizeOptions[] = {
    {kQelFlag, "FILE.qel", "Take the cutting conditions and settings from a *.qel file."},
    {"--max-feed", "F", "The maximum feed (\"최대 피드\"), mm/min.",
     [](TransferDialogState& dialog, int feed) { SetMaximumFeed(dialog, feed); }},
    {"--min-feed", "F",
     "The lowest feed (\"최저 피드\"): the corner reduction is F / maximum feed,\n"
     "the slope reduction that times SideCorRat (at most 1).",
     [](TransferDialogState& dialog, int feed) { SetMinimumFeed(dialog, feed); }},
    {"--unit", "U", "Lowered feeds become multiples of U (0: no rounding).",
     [](TransferDialogState& dialog, int unit) { dialog.condition.feedUnit = unit; }},
    {.flag = "--finish",
     .help = "Corners are also measured as curves over short moves (default on).",
     .target = [](TransferDialogState& dialog, bool on) { dialog.condition.conCorChk = on; },
     .twin = "--no-finish"},
    {.flag = "--updown",
     .help = "Descending moves take their own share of the slope feed (default on).",
     .target = [](TransferDialogState& dialog, bool on) { dialog.condition.upDownChk = on; },
     .twin = "--no-updown"},
    {.flag = "--smooth",
     .help = "Zones and ramps change the feed in steps (default off).",
     .target = [](TransferDialogState& dialog, bool on) { dialog.condition.feedChgSmoothCheck = on; },
     .twin = "--no-smooth"},
    {kMasterFlag, "FILE.mma", "Slow down where the master model stands higher than the tool."},
    {kReportFlag, "FILE.json",
     "Write which rule slowed each feed and the minutes it added (\"-\": a table on\n"
     "standard output)."},
};

// Slot 1's condition as the transfer dialog hands it to the optimizer: its settings (or the
// *.qel file's), the two feed fields, the switches. False, with `error` and the exit status,
// for a value that is not a number, a file that cannot be read or a value out of range.
bool MachineFromArguments(const BatchArguments& args, MachineCondition& machine, std::string& error, int& status) {
  TransferDialogState dialog;
  ShowTransferDialog(dialog, machine);
  if (const auto qel = args.values.find(std::string(kQelFlag)); qel != args.values.end()) {
    if (const QelFileResult read = LoadConditionFile(dialog, qel->second); !read.ok()) {
      error = read.reason;
      status = 1;
      return false;
    }
  }
  status = 2;
  if (!ApplyOptions(args, kOptimizeOptions, dialog, error)) return false;
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

const OptionGroup& OptimizeOptionGroup() {
  static const OptionGroup group = std::move(
      OptionGroup("options (machine 1's settings, as the transfer dialog hands them to the optimizer)")
          .Add<TransferDialogState>(kOptimizeOptions));
  return group;
}

int RunOptimize(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.size() != 1 || !args.Has(kOutputFlag)) {
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
  if (const auto file = args.values.find(std::string(kMasterFlag)); file != args.values.end()) {
    if (const FileStatus read = ReadMasterFile(file->second, master); !read) {
      streams.err << "fendo-batch: " << file->second << ": " << read.reason << '\n';
      return 1;
    }
    machine.masterFile = file->second;
    machine.qelByMaster = 1;
  }

  LoadedProgram program = LoadProgram(args.files.front(), ReaderOptions(args, streams.err), streams);
  if (!program.result.ok()) return 1;
  ToolpathDatabase& db = *program.db;
  NcOutputOptions output;
  PresetFromWorkLayer(db, output);
  if (!ApplyOutputFlags(args, output, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  const auto reportPath = args.values.find(std::string(kReportFlag));
  const bool reports = reportPath != args.values.end();
  OptimizerResult result;
  FeedReport report;
  {
    std::optional<TerminalProgress> progress;
    if (streams.terminal) progress.emplace(streams.err);
    result = OptimizeFeeds(db, machine, control.optimizerSlots[FeedControl::kOptimizerMachine],
                           master.present == 1 ? &master : nullptr, progress ? &*progress : nullptr,
                           reports ? &report : nullptr);
  }
  if (result.status != OptimizerStatus::Done) {
    streams.err << "fendo-batch: " << args.files.front() << ": " << result.message << '\n';
    return 1;
  }
  PrintSummary(result, streams.out);
  if (reports && reportPath->second == kReportToTerminal) PrintFeedReport(report, streams.out);
  BatchPrompts prompts(streams.err, args.Has(kGoOnFlag));
  const int written = ReportWriteResult(WriteNcProgram(db, output, prompts), output.outputPath, streams.err);
  if (written != 0 || !reports || reportPath->second == kReportToTerminal) return written;
  std::ofstream file(reportPath->second, std::ios::binary);
  file << FeedReportJson(report) << '\n';
  if (!file.flush()) {
    streams.err << "fendo-batch: " << reportPath->second << ": cannot write the report\n";
    return 1;
  }
  return 0;
}

}  // namespace fendo
