// fendo-batch corners: "코너부위를 트림한다." with the values CCornerDlg would take, then the
// program written with the writer's defaults (or the output options given). Arcs are turned
// into straight moves first, as the desktop program does when its question about them is
// answered with OK.
#include "cli/batch_program.h"
#include "cli/batch_prompts.h"
#include "cli/output_flags.h"
#include "core/toolpath_database.h"
#include "edit/corner_region.h"
#include "interact/arc_guard.h"
#include "interact/no_room.h"
#include "output/arc_conversion.h"
#include "output/nc_writer.h"

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

// The records that hold a move or an arc's centre: what is left once deleted records are gone.
int RecordsHeld(ToolpathDatabase& db) {
  int held = 0;
  db.ForEachRecord([&held](int, const ToolpathRecord& r) { held += r.kind != MoveKind::None; });
  return held;
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

  LoadedProgram program = LoadProgram(args.files.front(), ReaderOptions(args, streams.err), streams);
  if (!program.result.ok()) return 1;
  ToolpathDatabase& db = *program.db;
  NcOutputOptions output;
  PresetFromWorkLayer(db, output);
  if (!ApplyOutputFlags(args, output, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  BatchPrompts prompts(streams.err, args.Has(kGoOnFlag));
  const int before = RecordsHeld(db);
  if (!ArcsToLines(db, kArcGuardChordTolerance) || TrimToCorners(db, params, UndoStep::Skip) == EditOutcome::NoRoom) {
    TellNoRoom(prompts);
    streams.err << "fendo-batch: corners: the result would pass the record limit; nothing was written\n";
    return 1;
  }
  streams.out << "records: " << before << " -> " << RecordsHeld(db) << '\n';
  if (CuttingRecords(db) == 0) streams.err << "fendo-batch: corners: no corner region found; no cut is left\n";
  return ReportWriteResult(WriteNcProgram(db, output, prompts), output.outputPath, streams.err);
}

}  // namespace fendo
