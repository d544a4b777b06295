// fendo-batch edit: each operation writes the program the engine's own edit makes of it with
// the same values (the engine run here on the program as edit loads it, written with the same
// output options), and the wrong calls are refused before anything is read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "cli/batch_program.h"
#include "cli/batch_run.h"
#include "cli/engine_result.h"
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
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;

using test::Batch;
using test::BatchRun;
using test::EngineResult;
using test::Example;
using test::ReadFile;
using test::TempDir;

// Five one-way passes along X, 10 mm apart, each entered straight down from 2 mm above it.
constexpr std::string_view kFivePasses =
    "G00 X0 Y0 Z50\n"
    "G00 X0 Y0\nG00 Z2\nG01 Z-1 F500\nG01 X30 F600\nG00 Z50\n"
    "G00 X0 Y10\nG00 Z2\nG01 Z-1 F500\nG01 X30 F600\nG00 Z50\n"
    "G00 X0 Y20\nG00 Z2\nG01 Z-1 F500\nG01 X30 F600\nG00 Z50\n"
    "G00 X0 Y30\nG00 Z2\nG01 Z-1 F500\nG01 X30 F600\nG00 Z50\n"
    "G00 X0 Y40\nG00 Z2\nG01 Z-1 F500\nG01 X30 F600\nG00 Z50\n";

// A closed square ring of 40 mm, cut anticlockwise from the origin, and an open pass beside it.
constexpr std::string_view kRingAndPass =
    "G00 X0 Y0 Z50\nG00 Z2\nG01 Z-2 F400\nG01 X40 F900\nG01 Y40\nG01 X0\nG01 Y0\nG00 Z50\n"
    "G00 X60 Y0 Z50\nG00 Z2\nG01 Z-2 F400\nG01 Y40 F900\nG00 Z50\n";

// A valley and a step: descents and ascents steep and gentle.
constexpr std::string_view kValley =
    "G00 X0 Y0 Z50\nG00 Z2\nG01 Z0 F400\nG01 X10 Z-1 F900\nG01 X12 Z-8\nG01 X20 Z-8\nG01 X22 Z-1\n"
    "G01 X40 Z-2\nG00 Z50\n";

// A straight cut of 1 km: cut into pieces of 50 µm it would pass the record limit.
constexpr std::string_view kLongCut = "G00 X0 Y0 Z50\nG00 Z2\nG01 Z0 F400\nG01 X1000 F900\nG00 Z50\n";

fs::path WriteProgram(const TempDir& dir, const std::string& name, std::string_view text) {
  const fs::path path = dir.path() / name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

using EngineEdit = std::function<EditOutcome(ToolpathDatabase&)>;

struct EngineCase {
  std::string_view program;  // a bundled example, or one of the programs above
  std::vector<std::string> flags;
  EngineEdit edit;
};

TEST(EditCommand, EachOperationWritesWhatTheEngineMakes) {
  const auto plunge = [](auto set) {
    PlungeParams params;
    set(params);
    return [params](ToolpathDatabase& db) { return ChangePlunges(db, params); };
  };
  const auto zUp = [](ZUpParams params) { return [params](ToolpathDatabase& db) { return ZUp(db, params); }; };
  const auto reverse = [](auto set) {
    ReverseParams params;
    set(params);
    return [params](ToolpathDatabase& db) { return ReversePaths(db, params); };
  };
  const EngineCase cases[] = {
      {"bracket", {"--delete-xy-angle", "90", "--tol", "5"},
       [](ToolpathDatabase& db) { return DeleteByXyAngle(db, {.angle = 90, .tolerance = 5}, UndoStep::Skip); }},
      {"bracket", {"--delete-xy-angle", "-180"},
       [](ToolpathDatabase& db) { return DeleteByXyAngle(db, {.angle = -180}, UndoStep::Skip); }},
      {"valley", {"--delete-slope", "20", "90", "--ignore", "1"},
       [](ToolpathDatabase& db) {
         return DeleteBySlope(db, {.minAngle = 20, .maxAngle = 90, .ignoreLength = 1}, UndoStep::Skip);
       }},
      {"bracket", {"--delete-points-longer", "100"},
       [](ToolpathDatabase& db) { return DeletePointsByLength(db, {.length = 100}, UndoStep::Skip); }},
      {"bracket", {"--delete-paths-shorter", "60"},
       [](ToolpathDatabase& db) { return DeletePathsByLength(db, {.length = 60}, UndoStep::Skip); }},
      {"passes", {"--delete-middle"}, [](ToolpathDatabase& db) { return DeleteMiddlePaths(db, UndoStep::Skip); }},
      {"bracket", {"--delete-window", "0", "0", "800", "500", "--view", "top"},
       [](ToolpathDatabase& db) {
         return DeleteInWindow(db, {0, 0}, {800, 500}, FittedRenderView(db, ViewDirection::Top), UndoStep::Skip);
       }},
      {"bracket", {"--delete-window", "1200", "900", "300", "100"},
       [](ToolpathDatabase& db) {
         return DeleteInWindow(db, {1200, 900}, {300, 100}, FittedRenderView(db, ViewDirection::Iso1), UndoStep::Skip);
       }},
      {"passes", {"--reverse", "two-way"}, reverse([](ReverseParams& p) { p.SetTwoWay(true); })},
      {"passes", {"--reverse", "order"}, reverse([](ReverseParams& p) {
         p.SetDirection(false);
         p.SetOrder(true);
       })},
      {"bracket", {"--reverse", "both"}, reverse([](ReverseParams& p) { p.SetOrder(true); })},
      {"bracket", {"--reverse", "direction"}, reverse([](ReverseParams&) {})},
      {"ring", {"--start-points", "closed", "--at", "40,40"},
       [](ToolpathDatabase& db) {
         const Point3 clicked[] = {{40, 40, 0}};
         return ChangeStartPoints(db, StartPointMode::Closed, clicked);
       }},
      {"ring", {"--start-points", "both", "--at", "41,-1;60,45"},
       [](ToolpathDatabase& db) {
         const Point3 clicked[] = {{41, -1, 0}, {60, 45, 0}};
         return ChangeStartPoints(db, StartPointMode::Both, clicked);
       }},
      {"bracket", {"--plunge", "angle"}, plunge([](PlungeParams&) {})},
      {"bracket", {"--plunge", "angle", "--scope", "all", "--plunge-feed", "150"}, plunge([](PlungeParams& p) {
         p.scope = AnglePlungeScope::All;
         p.usePlungeFeed = true;
         p.plungeFeed = 150;
       })},
      {"bracket",
       {"--plunge", "angle", "--length", "4", "--z-angle", "10", "--xy-angle", "-90", "--rapid-height", "20"},
       plunge([](PlungeParams& p) {
         p.length = 4;
         p.zAngle = 10;
         p.xyAngle = -90;
         p.newRapidHeight = true;
         p.rapidHeight = 20;
       })},
      {"bracket", {"--plunge", "circle", "--radius", "3", "--turn-length", "5", "--pitch", "4", "--circle-length", "2"},
       plunge([](PlungeParams& p) {
         p.method = PlungeMethod::Circle;
         p.circleRadius = 3;
         p.circleLength = 5;
         p.circlePitch = p.groovePitch = 4;
         p.circleDepth = 2;
       })},
      {"bracket", {"--plunge", "groove", "--plunge-length", "3", "--groove-length", "6", "--groove-depth", "2",
                   "--pass-machined", "1"},
       plunge([](PlungeParams& p) {
         p.method = PlungeMethod::Groove;
         p.groovePlungeLength = 3;
         p.grooveLength = 6;
         p.grooveDepth = 2;
         p.passMachined = true;
         p.machinedClearance = 1;
       })},
      {"bracket", {"--subdivide", "5"}, [](ToolpathDatabase& db) { return Subdivide(db, {.interval = 5}); }},
      {"valley", {"--z-up", "hold"}, zUp({})},
      {"valley", {"--z-up", "floor", "-5"}, zUp({.mode = ZUpMode::Floor, .floorZ = -5})},
      {"valley", {"--z-up", "drop-down", "--down-tol", "30"}, zUp({.mode = ZUpMode::DropDown, .downTolerance = 30})},
      {"valley", {"--z-up", "drop-up"}, zUp({.mode = ZUpMode::DropUp})},
  };
  TempDir dir;
  const std::map<std::string_view, fs::path> programs = {
      {"bracket", Example("bracket.nc")},
      {"passes", WriteProgram(dir, "passes.nc", kFivePasses)},
      {"ring", WriteProgram(dir, "ring.nc", kRingAndPass)},
      {"valley", WriteProgram(dir, "valley.nc", kValley)},
  };
  for (const EngineCase& c : cases) {
    const fs::path in = programs.at(c.program);
    std::vector<std::string> args = {"edit", in.string(), "-o", (dir.path() / "batch.nc").string(), "--yes"};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const std::string what = c.flags.front() + " " + c.flags[1 % c.flags.size()] + " on " + std::string(c.program);
    const BatchRun run = Batch(args);
    ASSERT_EQ(run.status, 0) << what << ": " << run.err;
    EXPECT_TRUE(run.out.starts_with("records: ")) << what << ": " << run.out;
    const std::string edited = ReadFile(dir.path() / "batch.nc");
    const auto engine = [&](ToolpathDatabase& db) { EXPECT_NE(c.edit(db), EditOutcome::NoRoom); };
    EXPECT_EQ(edited, EngineResult(in, dir.path() / "engine.nc", engine)) << what;
    ASSERT_EQ(Batch({"convert", in.string(), "-o", (dir.path() / "plain.nc").string(), "--yes"}).status, 0);
    EXPECT_NE(edited, ReadFile(dir.path() / "plain.nc")) << what << " changed nothing";
  }
}

TEST(EditCommand, PrintsTheRecordsBeforeAndAfter) {
  TempDir dir;
  const fs::path in = WriteProgram(dir, "passes.nc", kFivePasses);
  const BatchRun run = Batch({"edit", in.string(), "-o", (dir.path() / "out.nc").string(), "--delete-middle"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::ostringstream messages;
  LoadedProgram program = LoadProgram(in.string(), NcOptions{}, {messages, messages, false});
  ToolpathDatabase& db = *program.db;
  const int before = db.recordCount;
  ASSERT_EQ(DeleteMiddlePaths(db, UndoStep::Skip), EditOutcome::Changed);
  int after = 0;
  db.ForEachRecord([&after](int, const ToolpathRecord& r) { after += r.kind != MoveKind::None; });
  EXPECT_LT(after, before);
  EXPECT_EQ(run.out, "records: " + std::to_string(before) + " -> " + std::to_string(after) + "\n");
}

TEST(EditCommand, AResultPastTheRecordLimitWritesNothing) {
  TempDir dir;
  const fs::path in = WriteProgram(dir, "long.nc", kLongCut);
  const fs::path out = dir.path() / "out.nc";
  const BatchRun run = Batch({"edit", in.string(), "-o", out.string(), "--subdivide", "0.00005"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Memory를 할당할 수 없습니다!!!"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("--subdivide"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(out));
}

TEST(EditCommand, WrongCallsAreRefusedWithTheReason) {
  struct Wrong {
    std::vector<std::string> flags;
    std::string_view reason;
  };
  const Wrong wrongs[] = {
      {{}, "exactly one of --delete-xy-angle, --delete-slope"},
      {{"--reverse", "order", "--subdivide", "2"}, "exactly one of"},
      {{"--delete-slope", "10"}, "option --delete-slope needs MIN MAX"},
      {{"--delete-slope", "10", "x"}, "--delete-slope takes two angles MIN MAX, not \"10 x\""},
      {{"--delete-xy-angle", "90", "--tol"}, "option --tol needs a value"},
      {{"--delete-xy-angle", "400"}, "--delete-xy-angle: angle ( 각도 ) must lie between -360 and 360, not 400"},
      {{"--delete-xy-angle", "90", "--tol", "-1"}, "--tol: tolerance"},
      {{"--delete-slope", "10", "95"}, "--delete-slope: maxAngle"},
      {{"--delete-points-longer", "0"}, "--delete-points-longer: length"},
      {{"--delete-window", "0", "0", "10"}, "option --delete-window needs X1 Y1 X2 Y2"},
      {{"--delete-window", "0", "0", "inf", "10"}, "--delete-window takes the pixels X1 Y1 X2 Y2"},
      {{"--start-points", "open", "--at", "1,nan"}, "--at takes points"},
      {{"--delete-window", "0", "0", "10", "10", "--view", "under"}, "--view takes top, front, side"},
      {{"--reverse", "sideways"}, "--reverse takes direction, order, both or two-way"},
      {{"--start-points", "open"}, "--start-points needs --at"},
      {{"--start-points", "open", "--at", "1,2;3"}, "--at takes points"},
      {{"--start-points", "open", "--at", "0,0;1,1;2,2;3,3;4,4;5,5;6,6;7,7;8,8;9,9;10,10;11,11;12,12;13,13;14,14;"
                                          "15,15;16,16;17,17;18,18;19,19;20,20"},
       "--at takes at most 20 points"},
      {{"--plunge", "spiral"}, "--plunge takes angle, circle or groove"},
      {{"--plunge", "angle", "--scope", "most"}, "--scope takes all, none or length"},
      {{"--plunge", "circle", "--pitch", "0"}, "--pitch: circlePitch"},
      {{"--plunge", "groove", "--pitch", "0"}, "--pitch: groovePitch"},
      {{"--plunge", "angle", "--z-angle", "0"}, "--z-angle: zAngle"},
      {{"--plunge", "angle", "--plunge-feed", "0"}, "--plunge-feed: plungeFeed"},
      {{"--reverse", "order", "--pitch", "3"}, "--pitch belongs to --plunge"},
      {{"--subdivide", "0"}, "--subdivide: interval"},
      {{"--subdivide", "-2"}, "--subdivide: interval"},
      {{"--z-up", "sideways"}, "--z-up takes hold, floor Z, drop-down or drop-up, not \"sideways\""},
      {{"--z-up", "floor"}, "option --z-up needs hold|floor Z|drop-down|drop-up"},
      {{"--z-up", "floor", "high"}, "--z-up floor takes a height Z"},
      {{"--z-up", "drop-down", "--down-tol", "91"}, "--down-tol: downTolerance"},
      {{"--z-up", "hold", "--up-tol", "3"}, ""},
  };
  TempDir dir;
  const fs::path out = dir.path() / "out.nc";
  for (const Wrong& wrong : wrongs) {
    std::vector<std::string> args = {"edit", Example("bracket.nc").string(), "-o", out.string()};
    args.insert(args.end(), wrong.flags.begin(), wrong.flags.end());
    const BatchRun run = Batch(args);
    if (wrong.reason.empty()) {
      EXPECT_EQ(run.status, 0) << run.err;
      continue;
    }
    EXPECT_EQ(run.status, 2) << wrong.reason;
    EXPECT_NE(run.err.find(wrong.reason), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out)) << wrong.reason;
  }
}

}  // namespace
}  // namespace fendo
