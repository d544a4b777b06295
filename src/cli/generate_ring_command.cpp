// fendo-batch generate radial and generate spiral: "방사선" and "나선형" with the values RingDialog
// would take, made on their own or appended behind a program read first, then written with the
// output options given.
#include <optional>
#include <string>

#include "cli/batch_program.h"
#include "cli/batch_prompts.h"
#include "cli/edited_program.h"
#include "cli/output_flags.h"
#include "core/toolpath_database.h"
#include "generate/ring_patterns.h"
#include "interact/no_room.h"
#include "output/nc_writer.h"

namespace fendo {
namespace {

constexpr std::string_view kAppendToFlag = "--append-to";

constexpr Option<RingParams> kRingOptions[] = {
    {"--centre-x", "X", "\"X 좌표\": the ring's centre, mm (default 0)", Store<&RingParams::centreX>},
    {"--centre-y", "Y", "\"Y 좌표\" (default 0)", Store<&RingParams::centreY>},
    {"--cutting-z", "Z", "\"Z 좌표\": the height of every cut, mm (default 0)", Store<&RingParams::cuttingZ>},
    {"--stepover", "T",
     "\"Stepover\", mm: between spokes at the outer circle, or between turns\nof the spiral (default {default}, {range})",
     Store<&RingParams::stepover>, "stepover"},
    {"--outer-diameter", "D", "\"외 경\", mm (default {default}, {range})", Store<&RingParams::outerDiameter>,
     "outerDiameter"},
    {"--inner-diameter", "D", "\"내 경\", mm (default {default}, {range})", Store<&RingParams::innerDiameter>,
     "innerDiameter"},
    {kAppendToFlag, "IN",
     "read IN first and append the pattern behind its records, with its\nrapid height and feed (else the pattern "
     "alone, at the rapid height\n100 and the feed 300)"},
};

int RunRing(const BatchArguments& args, const BatchStreams& streams, std::string_view verb,
            EditOutcome (*generate)(ToolpathDatabase&, const RingParams&)) {
  RingParams params;
  std::string error;
  if (!args.files.empty() || !args.Has(kOutputFlag)) {
    error = std::string(verb) + " takes -o OUT and no input but --append-to IN (see fendo-batch --help)";
  } else if (ApplyOptions(args, std::span<const Option<RingParams>>(kRingOptions), params, error)) {
    if (const std::optional<OptionOutOfRange> refused = CheckRingParams(params)) error = refused->message;
  }
  if (!error.empty()) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }

  LoadedProgram program;
  if (args.Has(kAppendToFlag)) {
    program = LoadProgram(args.values.at(std::string(kAppendToFlag)), ReaderOptions(args, streams.err), streams);
    if (!program.result.ok()) return 1;
  }
  ToolpathDatabase& db = *program.db;
  NcOutputOptions output;
  PresetFromWorkLayer(db, output);
  if (!ApplyOutputFlags(args, output, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  BatchPrompts prompts(streams.err, args.Has(kGoOnFlag));
  const int before = RecordsHeld(db);
  switch (generate(db, params)) {
    case EditOutcome::Unchanged:
      streams.err << "fendo-batch: " << verb
                  << ": the outer diameter must be larger than the inner one; nothing was made\n";
      return 1;
    case EditOutcome::Refused:
      streams.err << "fendo-batch: " << verb
                  << ": the pattern would lie beyond the coordinates a program can hold; nothing was made\n";
      return 1;
    case EditOutcome::NoRoom:
      TellNoRoom(prompts);
      streams.err << "fendo-batch: " << verb << ": the pattern would pass the record limit; nothing was made\n";
      return 1;
    case EditOutcome::Changed: break;
  }
  streams.out << "records: " << before << " -> " << RecordsHeld(db) << '\n';
  return ReportWriteResult(WriteNcProgram(db, output, prompts), output.outputPath, streams.err);
}

}  // namespace

const OptionGroup& RingOptionGroup() {
  static const OptionGroup group =
      std::move(OptionGroup("options").Add<RingParams>(kRingOptions, RingRanges()));
  return group;
}

int RunGenerateRadial(const BatchArguments& args, const BatchStreams& streams) {
  return RunRing(args, streams, "generate radial", &GenerateRadial);
}

int RunGenerateSpiral(const BatchArguments& args, const BatchStreams& streams) {
  return RunRing(args, streams, "generate spiral", &GenerateSpiral);
}

}  // namespace fendo
