// fendo-batch check: the pre-flight check of "공구경로 체크" over each program, as text grouped by
// kind or one JSON object per finding; the exit status says whether any finding is an error.
#include <optional>

#include "check/preflight_check.h"
#include "cli/batch_program.h"
#include "cli/json_writer.h"
#include "feed/machine_condition.h"
#include "feed/machine_feed_options.h"

namespace fendo {
namespace {

constexpr std::size_t kLinesShown = 5;  // findings of a kind the text shows before "…"

// What check is asked for besides the files.
struct CheckRequest {
  bool json = false;  // one JSON object a finding instead of the text
  int baud = 0;       // the DNC link's baud rate for the block-rate check; 0 leaves it out
  int maxFeed = 0;    // the machine's maximum feed (mm/min); 0 leaves that check out
};

constexpr Option<CheckRequest> kCheckOptions[] = {
    {"--json", "", "One JSON object per finding, one a line.", Turn<&CheckRequest::json, true>},
    {"--baud", "N",
     "Also finds moves too short for a DNC link of N baud to deliver at\n"
     "their feed (2400, 4800, 9600, 19200, 38400 or 56800).",
     Store<&CheckRequest::baud>},
    {"--max-feed", "F", "Also finds cutting feeds above the machine's maximum F (mm/min).", Store<&CheckRequest::maxFeed>},
};

std::string_view SeverityName(Severity severity) { return severity == Severity::Error ? "error" : "warning"; }

void PrintText(const std::string& file, const CheckReport& report, std::ostream& out) {
  std::int64_t errors = 0;
  std::int64_t warnings = 0;
  for (int k = 0; k < kFindingKinds; ++k) {
    (SeverityOf(static_cast<FindingKind>(k)) == Severity::Error ? errors : warnings) += report.counts[k];
  }
  out << file << ": " << errors << " errors, " << warnings << " warnings\n";
  for (int k = 0; k < kFindingKinds; ++k) {
    const auto kind = static_cast<FindingKind>(k);
    if (report.counts[k] == 0) continue;
    out << "  " << KindName(kind) << " (" << SeverityName(SeverityOf(kind)) << "): " << report.counts[k] << '\n';
    std::size_t shown = 0;
    for (const Finding& finding : report.findings) {
      if (finding.kind != kind) continue;
      if (shown++ == kLinesShown) {
        out << "    ...\n";
        break;
      }
      out << "    line " << finding.line << ", record " << finding.record << ": " << finding.text << '\n';
    }
  }
}

void PrintJson(const std::string& file, const CheckReport& report, std::ostream& out) {
  for (const Finding& finding : report.findings) {
    JsonObject json;
    json.Add("file", file)
        .Add("kind", KindName(finding.kind))
        .Add("severity", SeverityName(finding.severity))
        .Add("record", static_cast<long long>(finding.record))
        .Add("line", static_cast<long long>(finding.line))
        .Add("text", finding.text);
    out << json.str() << '\n';
  }
}

}  // namespace

const OptionGroup& CheckOptionGroup() {
  static const OptionGroup group = std::move(OptionGroup("options").Add<CheckRequest>(kCheckOptions));
  return group;
}

int RunCheck(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.empty()) {
    streams.err << "fendo-batch: check needs at least one file (see fendo-batch --help)\n";
    return 2;
  }
  CheckRequest request;
  std::string error;
  if (!ApplyOptions(args, kCheckOptions, request, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  MachineFeedOptions transmission;
  transmission.baudRate = request.baud;
  if (request.baud != 0 && CheckRanges(transmission)) {
    streams.err << "fendo-batch: --baud takes 2400, 4800, 9600, 19200, 38400 or 56800, not " << request.baud << '\n';
    return 2;
  }
  if (request.maxFeed < 0) {
    streams.err << "fendo-batch: --max-feed takes a feed of 1 mm/min or more\n";
    return 2;
  }
  MachineCondition machine;
  machine.qelMaxFeed = request.maxFeed;
  const NcOptions options = ReaderOptions(args, streams.err);
  int status = 0;
  TextBlocks blocks(streams.out);
  for (const std::string& file : args.files) {
    const LoadedProgram program = LoadProgram(file, options, streams);
    if (program.result.refused()) {
      status = 1;
      continue;
    }
    const CheckInput input{.sourcePath = file,
                           .heidenhain = options.heidenhainInputChk,
                           .machine = request.maxFeed > 0 ? &machine : nullptr,
                           .transmission = request.baud > 0 ? &transmission : nullptr};
    const CheckReport report = CheckProgramReport(*program.db, input);
    if (report.HasErrors()) status = 1;
    if (request.json) {
      PrintJson(file, report, streams.out);
    } else {
      PrintText(file, report, blocks.Next());
    }
  }
  streams.out.flush();
  return status;
}

}  // namespace fendo
