// fendo-batch radial-spacing: "방사선 간격조절" with the values RadialSpacingDialog would take,
// after the arc guard answered yes, then the program written with the output options given.
#include <optional>
#include <string>

#include "cli/batch_program.h"
#include "cli/edited_program.h"
#include "cli/output_flags.h"
#include "core/toolpath_database.h"
#include "generate/radial_spacing.h"
#include "interact/arc_guard.h"
#include "output/arc_conversion.h"

namespace fendo {
namespace {

// The dialog keeps its values as 32-bit floats; the flags are read as numbers and stored so.
template <float RadialSpacingParams::*field>
void StoreFloat(RadialSpacingParams& params, double v) {
  params.*field = static_cast<float>(v);
}

constexpr Option<RadialSpacingParams> kSpacingOptions[] = {
    {"--centre-x", "X", "\"X 중심\": the centre the spokes run through, mm (default 0)",
     StoreFloat<&RadialSpacingParams::centreX>},
    {"--centre-y", "Y", "\"Y 중심\" (default 0)", StoreFloat<&RadialSpacingParams::centreY>},
    {"--centre-z", "Z", "\"Z 중심\" (default 0; the spacing works in XY)", StoreFloat<&RadialSpacingParams::centreZ>},
    {"--small-angle", "A", "\"작은 각도\", degrees (default 0)", StoreFloat<&RadialSpacingParams::smallAngle>},
    {"--large-angle", "A",
     "\"큰 각도\", degrees (default 360): the spokes share the angle between\nthe two, which must differ",
     StoreFloat<&RadialSpacingParams::largeAngle>},
    {"--minimum-spacing", "S", "\"최소 간격\": how far apart spokes stay near the centre, mm\n(default 2, above 0)",
     StoreFloat<&RadialSpacingParams::minimumSpacing>},
};

}  // namespace

const OptionGroup& RadialSpacingOptionGroup() {
  static const OptionGroup group = std::move(OptionGroup("options").Add<RadialSpacingParams>(kSpacingOptions));
  return group;
}

int RunRadialSpacing(const BatchArguments& args, const BatchStreams& streams) {
  RadialSpacingParams params;
  std::string error;
  if (args.files.size() != 1 || !args.Has(kOutputFlag)) {
    error = "radial-spacing takes one input and -o OUT (see fendo-batch --help)";
  } else if (ApplyOptions(args, std::span<const Option<RadialSpacingParams>>(kSpacingOptions), params, error)) {
    if (const std::optional<OptionOutOfRange> refused = CheckRadialSpacingParams(params)) error = refused->message;
  }
  if (!error.empty()) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  const auto space = [&params, &streams](ToolpathDatabase& db, std::string&) {
    if (!ArcsToLines(db, kArcGuardChordTolerance)) return EditOutcome::NoRoom;
    const EditOutcome outcome = SpaceRadialPaths(db, params);
    if (outcome == EditOutcome::Unchanged) {
      streams.err << "fendo-batch: radial-spacing: the program has no FeedStart record, so no spokes to space\n";
    }
    return outcome;
  };
  return RunProgramEdit(args, streams, {"radial-spacing", space, {}});
}

}  // namespace fendo
