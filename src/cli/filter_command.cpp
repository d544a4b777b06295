// fendo-batch filter: one filtering or arc conversion, then the program written with the
// writer's defaults (or the output options given).
#include <optional>

#include "cli/batch_prompts.h"
#include "cli/batch_program.h"
#include "cli/output_flags.h"
#include "cli/terminal_progress.h"
#include "output/arc_conversion.h"
#include "output/nc_writer.h"

namespace fendo {
namespace {

constexpr std::string_view kOperations[] = {"--linear", "--arcs", "--arcs-to-lines", "--lines-to-arcs"};

// The "Arc Convert" options of --lines-to-arcs. False, with `error`, for a malformed value.
bool LinesToArcsOptions(const BatchArguments& args, ArcConvertOptions& options, std::string& error) {
  options.direction = ArcConvertDirection::LinesToArcs;
  if (const auto v = NumberOption(args, "--tolerance", error)) options.arcTolerance = *v;
  if (const auto v = NumberOption(args, "--min-radius", error)) options.minRadius = *v;
  if (const auto v = NumberOption(args, "--max-radius", error)) options.maxRadius = *v;
  if (const auto v = IntegerOption(args, "--max-points", error)) options.maxArcPoints = *v;
  if (const auto v = NumberOption(args, "--filter-first", error)) {
    options.filterFirst = true;
    options.filterTolerance = *v;
  }
  if (const auto planes = args.values.find("--planes"); planes != args.values.end()) {
    options.planeXY = options.planeZX = options.planeYZ = false;
    std::string_view list = planes->second;
    while (!list.empty()) {
      const std::size_t comma = list.find(',');
      const std::string_view plane = list.substr(0, comma);
      list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
      if (plane == "xy") {
        options.planeXY = true;
      } else if (plane == "zx") {
        options.planeZX = true;
      } else if (plane == "yz") {
        options.planeYZ = true;
      } else {
        error = "--planes takes xy, zx and yz, not \"" + std::string(plane) + "\"";
      }
    }
  }
  if (error.empty()) {
    if (const std::optional<OptionOutOfRange> range = CheckRanges(options)) error = range->message;
  }
  return error.empty();
}

// Runs the one operation asked for. False, with `error`, for a malformed value or a result
// that does not fit in the work buffer.
bool RunOperation(ToolpathDatabase& db, const BatchArguments& args, Progress* progress, std::string& error) {
  if (args.Has("--lines-to-arcs")) {
    ArcConvertOptions options;
    if (!LinesToArcsOptions(args, options, error)) return false;
    if (!RunArcConvert(db, options, progress)) error = "the arcs could not be converted";
    return error.empty();
  }
  for (const char* operation : {"--linear", "--arcs", "--arcs-to-lines"}) {
    const std::optional<double> tolerance = NumberOption(args, operation, error);
    if (!tolerance) continue;
    if (!(*tolerance > 0)) {
      error = std::string(operation) + " takes a tolerance above 0";
      return false;
    }
    if (std::string_view(operation) == "--linear") {
      FilterLinear(db, *tolerance);
    } else if (std::string_view(operation) == "--arcs") {
      FilterArcs(db, *tolerance);
    } else if (!ArcsToLines(db, *tolerance, progress)) {
      error = "the arcs turned into lines would not fit in the work buffer; nothing was changed";
    }
    return error.empty();
  }
  return error.empty();
}

}  // namespace

int RunFilter(const BatchArguments& args, const BatchStreams& streams) {
  int operations = 0;
  for (std::string_view operation : kOperations) operations += args.Has(std::string(operation));
  if (args.files.size() != 1 || !args.Has("-o") || operations != 1) {
    streams.err << "fendo-batch: filter takes one input, -o OUT and exactly one operation (see fendo-batch --help)\n";
    return 2;
  }
  NcOutputOptions output;
  LoadedProgram program = OpenProgram(args.files.front(), ReaderOptions(args, streams.err), streams);
  if (!program.result.ok()) return 1;
  ToolpathDatabase& db = *program.db;
  PresetFromWorkLayer(db, output);
  std::string error;
  if (!ApplyOutputFlags(args, output, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  {
    std::optional<TerminalProgress> progress;
    if (streams.terminal) progress.emplace(streams.err);
    if (!RunOperation(db, args, progress ? &*progress : nullptr, error)) {
      streams.err << "fendo-batch: " << error << '\n';
      return 2;
    }
  }
  BatchPrompts prompts(streams.err, args.Has("--yes"));
  const WriteResult result = WriteNcProgram(db, output, prompts);
  return ReportWriteResult(result, output.outputPath, streams.err);
}

}  // namespace fendo
