// fendo-batch generate radial and generate spiral: "방사선" and "나선형" with the values RingDialog
// would take, made on their own or appended behind a program read first, then written with the
// output options given.
#include <optional>
#include <string>

#include "cli/batch_program.h"
#include "cli/generated_program.h"
#include "cli/output_flags.h"
#include "generate/ring_patterns.h"

namespace fendo {
namespace {

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

// Why a ring pattern was not made, after the verb.
const char* RingRefusal(EditOutcome outcome) {
  switch (outcome) {
    case EditOutcome::Unchanged: return ": the outer diameter must be larger than the inner one; nothing was made";
    case EditOutcome::Refused: return ": the pattern would lie beyond the coordinates a program can hold; nothing was made";
    case EditOutcome::NoRoom: return ": the pattern would pass the record limit; nothing was made";
    case EditOutcome::Changed: break;
  }
  return "";
}

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
  return RunGeneration(args, streams, {verb, [&](ToolpathDatabase& db, std::string& refusal) {
                                         const EditOutcome outcome = generate(db, params);
                                         refusal = std::string(verb) + RingRefusal(outcome);
                                         return outcome;
                                       }});
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
