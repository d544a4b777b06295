// fendo-batch edit: one of the desktop program's toolpath edits (deletes, reverse, start points,
// plunges, subdivision, Z-up) with the values its dialog would take, then the program written
// with the writer's defaults (or the output options given). The values start from the dialogs'
// own defaults; the engine's checks refuse what the dialogs refuse.
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "cli/batch_program.h"
#include "cli/batch_prompts.h"
#include "cli/edited_program.h"
#include "cli/number_words.h"
#include "cli/output_flags.h"
#include "cli/render_view.h"
#include "core/toolpath_database.h"
#include "edit/delete_by_angle.h"
#include "edit/delete_by_length.h"
#include "edit/delete_region.h"
#include "edit/path_delete.h"
#include "edit/plunge.h"
#include "edit/reverse.h"
#include "edit/start_point.h"
#include "edit/subdivision.h"
#include "edit/z_up.h"
#include "interact/no_room.h"
#include "output/nc_writer.h"

namespace fendo {
namespace {

// ---- The operations' own values, as their options read them

bool ReadSlopes(SlopeDeleteOptions& options, std::string_view text, std::string& error) {
  const std::optional<std::vector<double>> slopes = Numbers(text, 2);
  if (!slopes) {
    error = "--delete-slope takes two angles MIN MAX, not \"" + std::string(text) + "\"";
    return false;
  }
  options.minAngle = (*slopes)[0];
  options.maxAngle = (*slopes)[1];
  return true;
}

// Every second path: the command has no values.
struct MiddlePathDelete {};

// A window of the render image: its corners in pixels and the direction the image looks from.
struct WindowDelete {
  ClientPoint a;
  ClientPoint b;
  ViewDirection direction = kRenderDirection;
};

bool ReadWindow(WindowDelete& window, std::string_view text, std::string& error) {
  const std::optional<std::vector<double>> corners = Numbers(text, 4);
  if (!corners) {
    error = "--delete-window takes the pixels X1 Y1 X2 Y2, not \"" + std::string(text) + "\"";
    return false;
  }
  window.a = {(*corners)[0], (*corners)[1]};
  window.b = {(*corners)[2], (*corners)[3]};
  return true;
}

bool ReadWindowView(WindowDelete& window, std::string_view name, std::string& error) {
  const std::optional<ViewDirection> direction = DirectionNamed(name, error);
  if (direction) window.direction = *direction;
  return direction.has_value();
}

// The check boxes of "공구경로 방향 바꾸기" that each word stands for.
bool ReadReverse(ReverseParams& params, std::string_view what, std::string& error) {
  if (what == "two-way") {
    params.SetTwoWay(true);
    return true;
  }
  if (what != "direction" && what != "order" && what != "both") {
    error = "--reverse takes direction, order, both or two-way, not \"" + std::string(what) + "\"";
    return false;
  }
  params.SetDirection(what != "order");
  params.SetOrder(what != "direction");
  return true;
}

// Points the user would click on the top view, in model X and Y.
struct StartPointChange {
  StartPointMode mode = StartPointMode::Both;
  std::vector<Point3> points;
};

bool ReadStartMode(StartPointChange& change, std::string_view what, std::string& error) {
  if (what == "open") {
    change.mode = StartPointMode::Open;
  } else if (what == "closed") {
    change.mode = StartPointMode::Closed;
  } else if (what == "both") {
    change.mode = StartPointMode::Both;
  } else {
    error = "--start-points takes open, closed or both, not \"" + std::string(what) + "\"";
    return false;
  }
  return true;
}

bool ReadStartPoints(StartPointChange& change, std::string_view text, std::string& error) {
  for (std::string_view point : Split(text, ';')) {
    const std::optional<std::vector<double>> xy = Numbers(point, 2, ',');
    if (!xy) {
      error = "--at takes points \"X,Y;X,Y...\", not \"" + std::string(point) + "\"";
      return false;
    }
    change.points.push_back({(*xy)[0], (*xy)[1], 0});
  }
  if (static_cast<int>(change.points.size()) > kMostStartPoints) {
    error = "--at takes at most " + std::to_string(kMostStartPoints) + " points, as many as can be clicked";
    return false;
  }
  return true;
}

bool ReadPlungeMethod(PlungeParams& params, std::string_view what, std::string& error) {
  if (what == "angle") {
    params.method = PlungeMethod::Angle;
  } else if (what == "circle") {
    params.method = PlungeMethod::Circle;
  } else if (what == "groove") {
    params.method = PlungeMethod::Groove;
  } else {
    error = "--plunge takes angle, circle or groove, not \"" + std::string(what) + "\"";
    return false;
  }
  return true;
}

bool ReadPlungeScope(PlungeParams& params, std::string_view what, std::string& error) {
  if (what == "all") {
    params.scope = AnglePlungeScope::All;
  } else if (what == "none") {
    params.scope = AnglePlungeScope::None;
  } else if (what == "length") {
    params.scope = AnglePlungeScope::Length;
  } else {
    error = "--scope takes all, none or length, not \"" + std::string(what) + "\"";
    return false;
  }
  return true;
}

bool ReadZUp(ZUpParams& params, std::string_view text, std::string& error) {
  const std::vector<std::string_view> words = Split(text, ' ');
  const std::string_view mode = words.front();
  if (mode == "floor") {
    const std::optional<double> height = words.size() == 2 ? Number(words[1]) : std::nullopt;
    if (!height) {
      error = "--z-up floor takes a height Z, not \"" + std::string(text.substr(mode.size())) + "\"";
      return false;
    }
    params.mode = ZUpMode::Floor;
    params.floorZ = *height;
  } else if (mode == "hold") {
    params.mode = ZUpMode::HoldDown;
  } else if (mode == "drop-down") {
    params.mode = ZUpMode::DropDown;
  } else if (mode == "drop-up") {
    params.mode = ZUpMode::DropUp;
  } else {
    error = "--z-up takes hold, floor Z, drop-down or drop-up, not \"" + std::string(mode) + "\"";
    return false;
  }
  return true;
}

// ---- The operations: each one's flag first, then the options that belong to it

constexpr Option<XyAngleDeleteOptions> kXyAngle[] = {
    {"--delete-xy-angle", "A",
     "\"XY 각도\": straight cuts running at A degrees from +X\n"
     "({range}), or at A + 180 or A + 360, within the tolerance,\n"
     "become rapid moves. With:",
     Store<&XyAngleDeleteOptions::angle>, "angle"},
    {"--tol", "T", "the tolerance, degrees (default {default}, {range})", Store<&XyAngleDeleteOptions::tolerance>,
     "tolerance"},
};

constexpr Option<SlopeDeleteOptions> kSlope[] = {
    {"--delete-slope", "MIN MAX",
     "\"Z 각도\":\n"
     "straight cuts whose slope against the XY plane lies between MIN\n"
     "and MAX degrees (each {range}) become rapid moves. With:",
     ReadSlopes, "minAngle"},
    {"--ignore", "L", "a run of such cuts no longer than L mm stays (default {default}, {range})",
     Store<&SlopeDeleteOptions::ignoreLength>, "ignoreLength"},
};

constexpr Option<PointLengthDeleteOptions> kPointsLonger[] = {
    {"--delete-points-longer", "L",
     "\"길이에 의한 포인트\":\n"
     "every move at least L mm long ({range}) becomes a rapid move.",
     Store<&PointLengthDeleteOptions::length>, "length"},
};

constexpr Option<PathLengthDeleteOptions> kPathsShorter[] = {
    {"--delete-paths-shorter", "L",
     "\"길이에 의한 경로\":\n"
     "every path shorter than L mm ({range}) becomes rapid moves;\n"
     "the last path stays.",
     Store<&PathLengthDeleteOptions::length>, "length"},
};

constexpr Option<MiddlePathDelete> kMiddle[] = {
    {"--delete-middle", "", "\"중간 경로\": deletes the second path, the fourth, ...", [](MiddlePathDelete&) {}},
};

constexpr Option<WindowDelete> kWindow[] = {
    {"--delete-window", "X1 Y1 X2 Y2",
     "\"윈도우 안쪽\":\n"
     "deletes what the render image (1600x1000, fitted as\n"
     "render fits it) shows inside the window between the pixels (X1, Y1)\n"
     "and (X2, Y2), from the top left corner. With:",
     ReadWindow},
    {"--view", "V", "the image's direction: top, front, side, iso1 (the default), iso2,\niso3, iso4",
     ReadWindowView},
};

constexpr Option<ReverseParams> kReverse[] = {
    {"--reverse", "direction|order|both|two-way",
     "\"공구경로 방향 바꾸기\":\n"
     "every path backwards (direction), the paths in reverse order\n"
     "(order), both, or every second path backwards (two-way).",
     ReadReverse},
};

constexpr Option<StartPointChange> kStartPoints[] = {
    {.flag = "--start-points",
     .value = "open|closed|both",
     .help = "\"열려진 경로\", \"닫혀진 경로\",\n"
             "\"닫혀진 경로 & 열려진 경로\": open paths start at their end nearer\n"
             "to a point, closed paths at their record nearest to a point. With:",
     .target = ReadStartMode,
     .needs = "--at"},
    {"--at", "X,Y;X,Y...", "the points (model X and Y, at most 20), as clicked on the top view", ReadStartPoints},
};

constexpr Option<PlungeParams> kPlunge[] = {
    {"--plunge", "angle|circle|groove",
     "\"플런지(접근) 변경\":\n"
     "a new entry at every plunge: straight (angle), a helix (circle)\n"
     "or a zigzag along the cut (groove). With (lengths in mm, angles\n"
     "in degrees):",
     ReadPlungeMethod},
    {"--scope", "all|none|length",
     "angle: the whole plunge at feed (all), at rapid (none), or the\n"
     "last L at feed (length, the default)",
     ReadPlungeScope},
    {"--length", "L", "angle: L (default {default}, {range})", Store<&PlungeParams::length>, "length"},
    {"--z-angle", "A", "angle: the ramp against the XY plane (default {default}, {range})",
     Store<&PlungeParams::zAngle>, "zAngle"},
    {"--xy-angle", "B", "angle: the ramp against the following cut (default {default}, {range})",
     Store<&PlungeParams::xyAngle>, "xyAngle"},
    {"--rapid-height", "H", "rapid moves between paths at H ({range})",
     [](PlungeParams& p, double height) {
       p.newRapidHeight = true;
       p.rapidHeight = height;
     },
     "rapidHeight"},
    {"--pass-machined", "V",
     "at a bottom already machined, rapid to V above it and feed the rest\n({range})",
     [](PlungeParams& p, double clearance) {
       p.passMachined = true;
       p.machinedClearance = clearance;
     },
     "machinedClearance"},
    {"--radius", "R", "circle: the radius (default {default}, {range})", Store<&PlungeParams::circleRadius>,
     "circleRadius"},
    {"--turn-length", "L", "circle: approached from L above the bottom (default {default}, {range})",
     Store<&PlungeParams::circleLength>, "circleLength"},
    {"--pitch", "A",
     "circle and groove: the pitch angle (default {default}); the descent\n"
     "per turn R*sin(3A), per pass G*sin(A), must be above 0",
     [](PlungeParams& p, double pitch) { p.circlePitch = p.groovePitch = pitch; }, "circlePitch"},
    {"--circle-length", "H", "circle: the height the helix descends (default {default}, {range})",
     Store<&PlungeParams::circleDepth>, "circleDepth"},
    {"--plunge-length", "P", "groove: approached from P above the bottom (default {default}, {range})",
     Store<&PlungeParams::groovePlungeLength>, "groovePlungeLength"},
    {"--groove-length", "G", "groove: the length along the cut (default {default}, {range})",
     Store<&PlungeParams::grooveLength>, "grooveLength"},
    {"--groove-depth", "D", "groove: the depth (default {default}, {range})", Store<&PlungeParams::grooveDepth>,
     "grooveDepth"},
    {"--plunge-feed", "F", "entries and vertical plunges at F mm/min ({range}) instead of\nthe work feed",
     [](PlungeParams& p, int feed) {
       p.usePlungeFeed = true;
       p.plungeFeed = feed;
     },
     "plungeFeed"},
    {"--selected-only", "", "only at selected records", Turn<&PlungeParams::selectedOnly, true>},
};

constexpr Option<SubdivisionParams> kSubdivide[] = {
    {"--subdivide", "H",
     "\"포인트 세분화\": straight feed moves longer than H mm (above 0) are\n"
     "cut into equal pieces no longer than H.",
     Store<&SubdivisionParams::interval>},
};

constexpr Option<ZUpParams> kZUp[] = {
    {"--z-up", "hold|floor Z|drop-down|drop-up",
     "\"Z 상향\":\n"
     "along a path Z never falls (hold), no move goes below Z\n"
     "({range}) (floor), or steep descending (drop-down) or\n"
     "ascending (drop-up) cuts become rapid moves. With:",
     ReadZUp, "floorZ"},
    {"--down-tol", "A", "drop-down: steeper than A degrees (default {default}, {range})",
     Store<&ZUpParams::downTolerance>, "downTolerance"},
    {"--up-tol", "A", "drop-up: steeper than A degrees (default {default}, {range})", Store<&ZUpParams::upTolerance>,
     "upTolerance"},
};

// ---- How each operation checks its values and runs

template <typename O>
std::span<const FieldRange<O>> NoRanges() {
  return {};
}

template <typename O>
std::optional<OptionOutOfRange> NoCheck(const O&) {
  return std::nullopt;
}

// --pitch sets the pitch angle of both entries: a refused groove pitch is its refusal too.
std::optional<OptionOutOfRange> CheckPlunge(const PlungeParams& params) {
  std::optional<OptionOutOfRange> refused = CheckPlungeParams(params);
  if (refused && refused->field == "groovePitch") refused->field = "circlePitch";
  return refused;
}

// The option that sets `field`; the operation's own flag when none of its options does.
template <typename O>
std::string_view FlagOf(std::span<const Option<O>> rows, std::string_view field) {
  for (const Option<O>& row : rows) {
    if (row.field == field) return row.flag;
  }
  return rows.front().flag;
}

// The edit asked for, ready to run on the loaded program.
using Edit = std::function<EditOutcome(ToolpathDatabase&)>;

struct EditOperation {
  std::string_view flag;
  // The edit the options ask for; nothing, with `error` naming the option, for a malformed value
  // or one the dialog would refuse.
  std::function<std::optional<Edit>(const BatchArguments& args, std::string& error)> read;
  void (*describe)(OptionGroup& group);
};

template <typename O, const auto& rows, std::span<const FieldRange<O>> (*ranges)(),
          std::optional<OptionOutOfRange> (*check)(const O&)>
EditOperation Operation(EditOutcome (*run)(ToolpathDatabase&, const O&)) {
  return {rows[0].flag,
          [run](const BatchArguments& args, std::string& error) -> std::optional<Edit> {
            O options;
            if (!ApplyOptions(args, rows, options, error)) return std::nullopt;
            if (const std::optional<OptionOutOfRange> refused = check(options)) {
              error = std::string(FlagOf<O>(rows, refused->field)) + ": " + refused->message;
              return std::nullopt;
            }
            return Edit([options, run](ToolpathDatabase& db) { return run(db, options); });
          },
          [](OptionGroup& group) { group.AddOperation<O>(rows, ranges()); }};
}

const std::vector<EditOperation>& Operations() {
  static const std::vector<EditOperation> operations = {
      Operation<XyAngleDeleteOptions, kXyAngle, XyAngleDeleteRanges, CheckRanges>(
                [](ToolpathDatabase& db, const XyAngleDeleteOptions& o) {
                  return DeleteByXyAngle(db, o, UndoStep::Skip);
                }),
      Operation<SlopeDeleteOptions, kSlope, SlopeDeleteRanges, CheckRanges>(
                [](ToolpathDatabase& db, const SlopeDeleteOptions& o) { return DeleteBySlope(db, o, UndoStep::Skip); }),
      Operation<PointLengthDeleteOptions, kPointsLonger, PointLengthDeleteRanges, CheckRanges>(
                [](ToolpathDatabase& db, const PointLengthDeleteOptions& o) {
                  return DeletePointsByLength(db, o, UndoStep::Skip);
                }),
      Operation<PathLengthDeleteOptions, kPathsShorter, PathLengthDeleteRanges, CheckRanges>(
                [](ToolpathDatabase& db, const PathLengthDeleteOptions& o) {
                  return DeletePathsByLength(db, o, UndoStep::Skip);
                }),
      Operation<MiddlePathDelete, kMiddle, NoRanges<MiddlePathDelete>, NoCheck<MiddlePathDelete>>(
                [](ToolpathDatabase& db, const MiddlePathDelete&) { return DeleteMiddlePaths(db, UndoStep::Skip); }),
      Operation<WindowDelete, kWindow, NoRanges<WindowDelete>, NoCheck<WindowDelete>>(
                [](ToolpathDatabase& db, const WindowDelete& w) {
                  return DeleteInWindow(db, w.a, w.b, FittedRenderView(db, w.direction), UndoStep::Skip);
                }),
      Operation<ReverseParams, kReverse, NoRanges<ReverseParams>, NoCheck<ReverseParams>>(
                [](ToolpathDatabase& db, const ReverseParams& p) { return ReversePaths(db, p); }),
      Operation<StartPointChange, kStartPoints, NoRanges<StartPointChange>, NoCheck<StartPointChange>>(
                [](ToolpathDatabase& db, const StartPointChange& c) {
                  return ChangeStartPoints(db, c.mode, c.points);
                }),
      Operation<PlungeParams, kPlunge, PlungeRanges, CheckPlunge>(
                [](ToolpathDatabase& db, const PlungeParams& p) { return ChangePlunges(db, p); }),
      Operation<SubdivisionParams, kSubdivide, NoRanges<SubdivisionParams>, CheckSubdivisionParams>(
                [](ToolpathDatabase& db, const SubdivisionParams& p) { return Subdivide(db, p); }),
      Operation<ZUpParams, kZUp, ZUpRanges, CheckZUpParams>(
                [](ToolpathDatabase& db, const ZUpParams& p) { return ZUp(db, p); }),
  };
  return operations;
}

// The one operation given; nothing, with `error`, when there is not exactly one.
const EditOperation* ChosenOperation(const BatchArguments& args, std::string& error) {
  const EditOperation* chosen = nullptr;
  int given = 0;
  std::vector<std::string> flags;
  for (const EditOperation& operation : Operations()) {
    flags.emplace_back(operation.flag);
    if (!args.Has(operation.flag)) continue;
    ++given;
    chosen = &operation;
  }
  if (given == 1) return chosen;
  error = "edit takes one input, -o OUT and exactly one of " + JoinedList(flags, " and ");
  return nullptr;
}

}  // namespace

const OptionGroup& EditOptionGroup() {
  static const OptionGroup group = [] {
    OptionGroup operations("operations (exactly one)");
    for (const EditOperation& operation : Operations()) operation.describe(operations);
    return operations;
  }();
  return group;
}

int RunEdit(const BatchArguments& args, const BatchStreams& streams) {
  std::string error;
  const EditOperation* operation = nullptr;
  if (args.files.size() != 1 || !args.Has(kOutputFlag)) {
    error = "edit takes one input, -o OUT and exactly one operation";
  } else {
    operation = ChosenOperation(args, error);
  }
  if (!operation) {
    streams.err << "fendo-batch: " << error << " (see fendo-batch --help)\n";
    return 2;
  }
  const std::optional<Edit> edit = operation->read(args, error);
  if (!edit) {
    streams.err << "fendo-batch: " << error << '\n';
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
  if ((*edit)(db) == EditOutcome::NoRoom) {
    TellNoRoom(prompts);
    streams.err << "fendo-batch: " << operation->flag
                << ": the result would pass the record limit; nothing was written\n";
    return 1;
  }
  streams.out << "records: " << before << " -> " << RecordsHeld(db) << '\n';
  return ReportWriteResult(WriteNcProgram(db, output, prompts), output.outputPath, streams.err);
}

}  // namespace fendo
