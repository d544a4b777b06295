// fendo-batch contour: "등고선 공구경로 생성" with the values ContourDialog would take, then the
// program written with the writer's defaults (or the output options given). The heights and the
// start point start from what the command presets from the program, the spacing and the link
// distance from the dialog's defaults. Arcs are turned into straight moves first, as the desktop
// program does when its question about them is answered with OK.
#include "cli/batch_program.h"
#include "cli/generated_program.h"
#include "cli/output_flags.h"
#include "core/toolpath_database.h"
#include "generate/contours.h"
#include "interact/arc_guard.h"
#include "output/arc_conversion.h"
#include "output/nc_output_options.h"

namespace fendo {
namespace {

constexpr Option<ContourParams> kContourOptions[] = {
    {"--top-z", "Z", "\"최대 높이\": the first plane lies one spacing below it\n(default the highest linear feed; {range})",
     Store<&ContourParams::topZ>, "topZ"},
    {"--bottom-z", "Z", "\"최저 높이\": no plane lies below it\n(default the lowest linear feed; {range})",
     Store<&ContourParams::bottomZ>, "bottomZ"},
    {"--z-spacing", "S", "\"등고선 Z 간격\": the height between two planes (default {default}, {range})",
     Store<&ContourParams::zSpacing>, "zSpacing"},
    {"--start-x", "X",
     "\"시작점 X좌표\": each plane's first contour starts nearest to it\n"
     "(default X of the lowest linear feed; {range})",
     Store<&ContourParams::startX>, "startX"},
    {"--start-y", "Y", "\"시작점 Y좌표\" (default Y of the lowest linear feed; {range})",
     Store<&ContourParams::startY>, "startY"},
    {"--max-link", "L", "\"최대 연결거리\": the largest gap a contour bridges cutting\n(default {default}, {range})",
     Store<&ContourParams::maxLink>, "maxLink"},
};

// The option that sets `field`.
std::string_view FlagOf(std::string_view field) {
  for (const Option<ContourParams>& row : kContourOptions) {
    if (row.field == field) return row.flag;
  }
  return kContourOptions[0].flag;
}

}  // namespace

const OptionGroup& ContourOptionGroup() {
  static const OptionGroup group =
      std::move(OptionGroup("options").Add<ContourParams>(kContourOptions, ContourRanges()));
  return group;
}

int RunContour(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.size() != 1 || !args.Has(kOutputFlag)) {
    streams.err << "fendo-batch: contour takes one input and -o OUT (see fendo-batch --help)\n";
    return 2;
  }
  LoadedProgram program = LoadProgram(args.files.front(), ReaderOptions(args, streams.err), streams);
  if (!program.result.ok()) return 1;
  ToolpathDatabase& db = *program.db;
  const std::optional<ContourParams> presets = ContourPresets(db, ContourParams{});
  if (!presets) {
    streams.err << "fendo-batch: contour: the program has no linear feed move to cut; nothing was written\n";
    return 1;
  }
  ContourParams params = *presets;
  std::string error;
  if (ApplyOptions(args, kContourOptions, params, error)) {
    if (const std::optional<OptionOutOfRange> refused = CheckContourParams(params)) {
      error = std::string(FlagOf(refused->field)) + ": " + refused->message;
    }
  }
  NcOutputOptions output;
  PresetFromWorkLayer(db, output);
  if (error.empty()) ApplyOutputFlags(args, output, error);
  if (!error.empty()) {
    streams.err << "fendo-batch: " << error << " (see fendo-batch --help)\n";
    return 2;
  }

  return GenerateAndWrite(args, streams, db, output, {"contour", [&](ToolpathDatabase& target, std::string& refusal) {
                            if (!ArcsToLines(target, kArcGuardChordTolerance)) return EditOutcome::NoRoom;
                            const EditOutcome outcome = GenerateContours(target, params);
                            if (outcome == EditOutcome::Unchanged) {
                              refusal = "contour: no plane between --top-z and --bottom-z makes a contour; nothing "
                                        "was written";
                            }
                            return outcome;
                          }});
}

}  // namespace fendo
