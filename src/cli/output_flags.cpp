#include "cli/output_flags.h"

namespace fendo {
namespace {

constexpr Option<NcOutputOptions> kOutputOptions[] = {
    {kOutputFlag, "FILE", "The NC program to write (created or replaced).", Store<&NcOutputOptions::outputPath>},
    {"--heidenhain-out", "", "Write the Heidenhain conversational form instead of ISO.",
     Turn<&NcOutputOptions::heidenhain, true>},
    {"--incremental", "", "Write cutting moves in G91 increments (ISO only).", Turn<&NcOutputOptions::incremental, true>},
    {"--ijk", "", "Write arcs with their centre offsets I J K instead of R.", Turn<&NcOutputOptions::ijkToR, false>},
    {"--seq", "", "Number the lines (N1, N2, ... up to 10000, then 1 again).",
     Turn<&NcOutputOptions::sequenceNumbers, true>},
    {"--machining-info", "", "Add the feed extents and the cutting time after the program.",
     Turn<&NcOutputOptions::machiningInfo, true>},
    {"--program", "N", "Write the program number O N.",
     [](NcOutputOptions& o, int number) {
       o.programNumberOn = true;
       o.programNumber = number;
     }},
    {"--tool", "N", "Write a tool change to tool N (0: no tool change).",
     [](NcOutputOptions& o, int tool) {
       o.toolChange = tool != 0;
       o.toolNumber = tool;
     }},
    {"--offset", "N", "The length offset H of the tool change.", Store<&NcOutputOptions::lengthOffset>},
    {"--spindle", "N", "Write S N M03.", Store<&NcOutputOptions::spindleSpeed>},
    {"--comment", "TEXT", "The comment block (lines separated by line feeds).", Store<&NcOutputOptions::comment>},
    {.flag = "--source",
     .value = "FILE",
     .help = "The program whose start and end part --source-start-end reuses.",
     .target = Store<&NcOutputOptions::sourcePath>,
     .needs = "--source-start-end"},
    {.flag = "--source-start-end",
     .help = "Write the start and end part of --source instead of header and footer.",
     .target = Turn<&NcOutputOptions::useSourceStartEnd, true>,
     .needs = "--source"},
    {"--no-diagonal-check", "", "Do not stop at rapid moves that go down and across at once.",
     Turn<&NcOutputOptions::diagonalRapidCheck, false>},
    // The prompts of the run answer the question (BatchPrompts).
    {kGoOnFlag, "", "At such a rapid move, go on writing instead of stopping."},
};

// The header numbers the options set, in the ranges of the output dialog's fields.
constexpr FieldRange<NcOutputOptions> kHeaderRanges[] = {
    {"toolNumber", "공구번호", 0, kMaxHeaderNumber, [](const NcOutputOptions& o) { return double(o.toolNumber); }},
    {"programNumber", "프로그램 번호", 0, kMaxHeaderNumber,
     [](const NcOutputOptions& o) { return double(o.programNumber); }},
};

}  // namespace

const OptionGroup& OutputOptionGroup() {
  static const OptionGroup group =
      std::move(OptionGroup("Output options", "; the header data start from what the program gave")
                    .Add<NcOutputOptions>(kOutputOptions)
                    .Afterword("Without --no-diagonal-check or --yes a diagonal rapid move stops the run: the part "
                               "written\nso far is kept and the exit status is 1."));
  return group;
}

bool ApplyOutputFlags(const BatchArguments& args, NcOutputOptions& options, std::string& error) {
  options.openEditor = false;
  if (!ApplyOptions(args, kOutputOptions, options, error)) return false;
  // The numbers as given: those the program itself holds are written as they were read.
  NcOutputOptions given;
  ApplyOptions(args, kOutputOptions, given, error);
  if (const std::optional<OptionOutOfRange> range = CheckFieldRanges<NcOutputOptions>(given, kHeaderRanges)) {
    error = range->message;
    return false;
  }
  if (options.incremental && options.heidenhain) {
    error = "--incremental output cannot be written in the Heidenhain form";
    return false;
  }
  if (const std::optional<std::string> problem = CheckNcOutputOptions(options)) {
    error = *problem;
    return false;
  }
  return true;
}

}  // namespace fendo
