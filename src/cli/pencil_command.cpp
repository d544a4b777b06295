// fendo-batch pencil: "펜슬" with the values PencilDialog would take, then the program written
// with the writer's defaults (or the output options given).
#include <string>

#include "cli/batch_program.h"
#include "cli/edited_program.h"
#include "cli/output_flags.h"
#include "generate/pencil.h"

namespace fendo {
namespace {

constexpr Option<PencilParams> kPencilOptions[] = {
    {"--small-angle", "A",
     "\"최소 각도\": a path bending upward by at least A degrees (or turning\n"
     "in XY, with --xy-corner) makes a corner (default {default}, {range})",
     [](PencilParams& p, double v) { p.smallAngle = static_cast<float>(v); }, "smallAngle"},
    {"--delete-length", "L", "\"삭제 경로길이\": pencil paths shorter than L mm go\n(default {default}, {range})",
     [](PencilParams& p, double v) { p.deleteLength = static_cast<float>(v); }, "deleteLength"},
    {"--max-link", "L",
     "\"최대 연결거리\": the tool feeds from one corner point to the next\n"
     "across less than L mm, else lifts (default {default}, {range})",
     [](PencilParams& p, double v) { p.maxLink = static_cast<float>(v); }, "maxLink"},
    {.flag = "--separate-up-down",
     .help = "\"상, 하향 구분\" (on by default):\nno pencil path both climbs and descends",
     .target = [](PencilParams& p, bool on) { p.separateUpDown = on; },
     .twin = "--no-separate-up-down"},
    {.flag = "--xy-corner",
     .help = "\"XY 코너\" (off by default):\nlevel moves turning in XY make corners too",
     .target = [](PencilParams& p, bool on) { p.xyCorner = on; },
     .twin = "--no-xy-corner"},
};

// The option that sets `field`.
std::string_view FlagOf(std::string_view field) {
  for (const Option<PencilParams>& row : kPencilOptions) {
    if (row.field == field) return row.flag;
  }
  return kPencilOptions[0].flag;
}

}  // namespace

const OptionGroup& PencilOptionGroup() {
  static const OptionGroup group =
      std::move(OptionGroup("options").Add<PencilParams>(kPencilOptions, PencilRanges()));
  return group;
}

int RunPencil(const BatchArguments& args, const BatchStreams& streams) {
  std::string error;
  PencilParams params;
  if (args.files.size() != 1 || !args.Has(kOutputFlag)) {
    error = "pencil takes one input and -o OUT";
  } else if (ApplyOptions(args, std::span<const Option<PencilParams>>(kPencilOptions), params, error)) {
    if (const std::optional<OptionOutOfRange> refused = CheckPencilParams(params)) {
      error = std::string(FlagOf(refused->field)) + ": " + refused->message;
    }
  }
  if (!error.empty()) {
    streams.err << "fendo-batch: " << error << " (see fendo-batch --help)\n";
    return 2;
  }
  PencilResult result;
  const auto edit = [&](ToolpathDatabase& db, std::string&) {
    result = GeneratePencil(db, params, nullptr, UndoStep::Skip);
    return result.outcome;
  };
  const auto report = [&](ToolpathDatabase&, bool after, std::ostream& out) {
    if (!after) return;
    out << "corners: " << result.corners << "\npencil paths: " << result.paths << '\n';
    if (result.outcome == EditOutcome::Unchanged) {
      streams.err << "fendo-batch: pencil: no pencil path found; the program is written unchanged\n";
    }
  };
  return RunProgramEdit(args, streams, {"pencil", edit, report});
}

}  // namespace fendo
