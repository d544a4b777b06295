// fendo-batch corners: "코너부위를 트림한다." with the values CCornerDlg would take, then the
// program written with the writer's defaults (or the output options given). Arcs are turned
// into straight moves first, as the desktop program does when its question about them is
// answered with OK.
#include "cli/batch_program.h"
#include "cli/edited_program.h"
#include "cli/output_flags.h"
#include "core/toolpath_database.h"
#include "edit/corner_region.h"
#include "interact/arc_guard.h"
#include "output/arc_conversion.h"

namespace fendo {
namespace {

constexpr std::string_view kAngleFlag = "--angle";
constexpr std::string_view kDistanceFlag = "--distance";

constexpr Option<CornerParams> kCornerOptions[] = {
    {kAngleFlag, "A", "\"코너검색 각도\": a path turning upward by more than A degrees\n({range}) makes a corner",
     Store<&CornerParams::angle>, "angle"},
    {kDistanceFlag, "D", "\"코너 거리\": the corner region reaches D mm along the path\n({range})",
     Store<&CornerParams::distance>, "distance"},
    {"--subdivide", "H",
     "\"공구경로 세분화\": cut the straight feed moves into pieces no\nlonger than H mm ({range}) first",
     [](CornerParams& p, double h) {
       p.subdivide = true;
       p.interval = h;
     },
     "interval"},
};

// The option that sets `field`.
std::string_view FlagOf(std::string_view field) {
  for (const Option<CornerParams>& row : kCornerOptions) {
    if (row.field == field) return row.flag;
  }
  return kAngleFlag;
}

int CuttingRecords(ToolpathDatabase& db) {
  int cuts = 0;
  db.ForEachRecord([&cuts](int, const ToolpathRecord& r) { cuts += IsCuttingKind(r.kind); });
  return cuts;
}

}  // namespace

const OptionGroup& CornersOptionGroup() {
  static const OptionGroup group =
      std::move(OptionGroup("options").Add<CornerParams>(kCornerOptions, CornerRanges()));
  return group;
}

int RunCorners(const BatchArguments& args, const BatchStreams& streams) {
  std::string error;
  CornerParams params;
  if (args.files.size() != 1 || !args.Has(kOutputFlag) || !args.Has(kAngleFlag) || !args.Has(kDistanceFlag)) {
    error = "corners takes one input, -o OUT, --angle A and --distance D";
  } else if (ApplyOptions(args, kCornerOptions, params, error)) {
    if (const std::optional<OptionOutOfRange> refused = CheckCornerParams(params)) {
      error = std::string(FlagOf(refused->field)) + ": " + refused->message;
    }
  }
  if (!error.empty()) {
    streams.err << "fendo-batch: " << error << " (see fendo-batch --help)\n";
    return 2;
  }

  const auto edit = [&params, &streams](ToolpathDatabase& db, std::string&) {
    if (!ArcsToLines(db, kArcGuardChordTolerance)) return EditOutcome::NoRoom;
    const EditOutcome outcome = TrimToCorners(db, params, UndoStep::Skip);
    if (outcome != EditOutcome::NoRoom && CuttingRecords(db) == 0) {
      streams.err << "fendo-batch: corners: no corner region found; no cut is left\n";
    }
    return outcome;
  };
  return RunProgramEdit(args, streams, {"corners", edit, {}});
}

}  // namespace fendo
