// fendo-batch filter: one filtering or arc conversion, then the program written with the
// writer's defaults (or the output options given).
#include <algorithm>
#include <optional>

#include "cli/batch_prompts.h"
#include "cli/batch_program.h"
#include "cli/output_flags.h"
#include "cli/terminal_progress.h"
#include "output/arc_conversion.h"
#include "output/nc_writer.h"

namespace fendo {
namespace {

// An operation that takes one tolerance (mm).
struct ToleranceOperation {
  std::string_view flag;
  std::string_view help;
  // Runs it; false when the result would not fit in the work buffer (nothing is changed then).
  bool (*run)(ToolpathDatabase& db, double tolerance, Progress* progress);
  std::string_view failure = {};  // what the refusal says
};

constexpr ToleranceOperation kToleranceOperations[] = {
    {"--linear", "Drop linear points within TOL (mm) of a longer straight move.",
     [](ToolpathDatabase& db, double tolerance, Progress*) {
       FilterLinear(db, tolerance);
       return true;
     }},
    {"--arcs", "Replace arcs within TOL of their chord by straight moves.",
     [](ToolpathDatabase& db, double tolerance, Progress*) {
       FilterArcs(db, tolerance);
       return true;
     }},
    {"--arcs-to-lines", "Turn arcs into straight moves within TOL.",
     [](ToolpathDatabase& db, double tolerance, Progress* progress) { return ArcsToLines(db, tolerance, progress); },
     "the arcs turned into lines would not fit in the work buffer; nothing was changed"},
};

// "xy,zx,yz": the planes --lines-to-arcs fits arcs in. False, with `error`, for another word.
bool ReadPlanes(ArcConvertOptions& options, std::string_view list, std::string& error) {
  options.planeXY = options.planeZX = options.planeYZ = false;
  bool known = true;
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
      known = false;
    }
  }
  return known;
}

// The "Arc Convert" operation and its options.
constexpr Option<ArcConvertOptions> kLinesToArcs[] = {
    {"--lines-to-arcs", "", "Turn runs of straight moves into arcs, with:"},
    {"--tolerance", "TOL", "(default {default}, {range})", Store<&ArcConvertOptions::arcTolerance>, "arcTolerance"},
    {"--min-radius", "R", "(default {default}, {range})", Store<&ArcConvertOptions::minRadius>, "minRadius"},
    {.flag = "--max-radius",
     .value = "R",
     .help = "(default {default}, {range})",
     .target = Store<&ArcConvertOptions::maxRadius>,
     .field = "maxRadius",
     .layout = OptionLayout::Beside},
    {"--max-points", "N", "(default {default}, {range})", Store<&ArcConvertOptions::maxArcPoints>, "maxArcPoints"},
    {"--filter-first", "TOL", "filter the linear points with TOL first ({range})",
     [](ArcConvertOptions& o, double tolerance) {
       o.filterFirst = true;
       o.filterTolerance = tolerance;
     },
     "filterTolerance"},
    {"--planes", "xy,zx,yz", "the planes to fit arcs in (default xy)", ReadPlanes},
};

// The "Arc Convert" options of --lines-to-arcs. False, with `error`, for a malformed value.
bool LinesToArcsOptions(const BatchArguments& args, ArcConvertOptions& options, std::string& error) {
  options.direction = ArcConvertDirection::LinesToArcs;
  if (!ApplyOptions(args, kLinesToArcs, options, error)) return false;
  if (const std::optional<OptionOutOfRange> range = CheckRanges(options)) error = range->message;
  return error.empty();
}

// Runs the one operation asked for. False, with `error`, for a malformed value or a result
// that does not fit in the work buffer.
bool RunOperation(ToolpathDatabase& db, const BatchArguments& args, Progress* progress, std::string& error) {
  if (args.Has(kLinesToArcs[0].flag)) {
    ArcConvertOptions options;
    if (!LinesToArcsOptions(args, options, error)) return false;
    if (!RunArcConvert(db, options, progress)) error = "the arcs could not be converted";
    return error.empty();
  }
  for (const ToleranceOperation& operation : kToleranceOperations) {
    const std::optional<double> tolerance = NumberOption(args, std::string(operation.flag), error);
    if (!tolerance) continue;
    if (!(*tolerance > 0)) {
      error = std::string(operation.flag) + " takes a tolerance above 0";
      return false;
    }
    if (!operation.run(db, *tolerance, progress)) error = operation.failure;
    return error.empty();
  }
  return error.empty();
}

// How many of the operations were given.
int OperationsGiven(const BatchArguments& args) {
  return static_cast<int>(args.Has(kLinesToArcs[0].flag)) +
         static_cast<int>(std::ranges::count_if(
             kToleranceOperations, [&args](const ToleranceOperation& operation) { return args.Has(operation.flag); }));
}

}  // namespace

const OptionGroup& FilterOptionGroup() {
  static const OptionGroup group = [] {
    OptionGroup operations("operations (exactly one)");
    for (const ToleranceOperation& operation : kToleranceOperations) operations.Add(operation.flag, "TOL", operation.help);
    operations.AddOperation<ArcConvertOptions>(kLinesToArcs, ArcConvertRanges());
    return operations;
  }();
  return group;
}

int RunFilter(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.size() != 1 || !args.Has(kOutputFlag) || OperationsGiven(args) != 1) {
    streams.err << "fendo-batch: filter takes one input, -o OUT and exactly one operation (see fendo-batch --help)\n";
    return 2;
  }
  NcOutputOptions output;
  LoadedProgram program = LoadProgram(args.files.front(), ReaderOptions(args, streams.err), streams);
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
  BatchPrompts prompts(streams.err, args.Has(kGoOnFlag));
  const WriteResult result = WriteNcProgram(db, output, prompts);
  return ReportWriteResult(result, output.outputPath, streams.err);
}

}  // namespace fendo
