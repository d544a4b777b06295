// fendo-batch corners: the corner trim the engine makes with the same values, the records
// before and after, and the wrong calls refused before anything is read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch_program.h"
#include "cli/batch_run.h"
#include "cli/engine_result.h"
#include "core/toolpath_database.h"
#include "edit/corner_region.h"
#include "interact/arc_guard.h"
#include "output/arc_conversion.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;

using test::Batch;
using test::BatchRun;
using test::EngineResult;
using test::ReadFile;
using test::TempDir;

// Two passes over a pocket 20 mm wide and 10 deep, a point every millimetre, and one drawn
// with a point at each corner only.
std::string PocketProgram(int step) {
  std::string nc = "G00 X0 Y0 Z50\n";
  for (int y : {0, 10}) {
    nc += "G00 X0 Y" + std::to_string(y) + "\nG00 Z2\nG01 Z0 F400\n";
    const auto cut = [&nc](int x, int z) { nc += "G01 X" + std::to_string(x) + " Z" + std::to_string(z) + " F900\n"; };
    for (int x = step; x <= 10; x += step) cut(x, 0);
    for (int z = -step; z >= -10; z -= step) cut(10, z);
    for (int x = 10 + step; x <= 30; x += step) cut(x, -10);
    for (int z = -10 + step; z <= 0; z += step) cut(30, z);
    for (int x = 30 + step; x <= 40; x += step) cut(x, 0);
    nc += "G00 Z50\n";
  }
  return nc;
}

// A pocket with a rounded floor corner: the arc is made straight before the corners are looked for.
constexpr std::string_view kArcPocket =
    "G00 X0 Y0 Z50\nG00 Z2\nG01 Z0 F400\nG01 X10 F900\nG01 Z-7\nG18 G03 X13 Z-10 I3 K0\nG01 X30\nG01 Z0\n"
    "G01 X40\nG00 Z50\n";

fs::path WriteProgram(const TempDir& dir, const std::string& name, std::string_view text) {
  const fs::path path = dir.path() / name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST(CornersCommand, WritesTheCornerTrimTheEngineMakes) {
  struct Case {
    const char* program;
    std::vector<std::string> flags;
    CornerParams params;
  };
  const Case cases[] = {
      {"fine", {"--angle", "30", "--distance", "5"}, {.angle = 30, .distance = 5}},
      {"fine", {"--angle", "60", "--distance", "2.5"}, {.angle = 60, .distance = 2.5}},
      {"coarse", {"--angle", "30", "--distance", "5", "--subdivide", "1"},
       {.angle = 30, .distance = 5, .subdivide = true, .interval = 1}},
      {"arc", {"--angle", "45", "--distance", "4", "--subdivide", "0.5"},
       {.angle = 45, .distance = 4, .subdivide = true, .interval = 0.5}},
  };
  TempDir dir;
  const std::map<std::string, fs::path> programs = {
      {"fine", WriteProgram(dir, "fine.nc", PocketProgram(1))},
      {"coarse", WriteProgram(dir, "coarse.nc", PocketProgram(10))},
      {"arc", WriteProgram(dir, "arc.nc", kArcPocket)},
  };
  for (const Case& c : cases) {
    const fs::path in = programs.at(c.program);
    std::vector<std::string> args = {"corners", in.string(), "-o", (dir.path() / "batch.nc").string()};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const BatchRun run = Batch(args);
    ASSERT_EQ(run.status, 0) << c.program << ": " << run.err;
    const std::string engine = EngineResult(in, dir.path() / "engine.nc", [&](ToolpathDatabase& db) {
      EXPECT_TRUE(ArcsToLines(db, kArcGuardChordTolerance));
      EXPECT_EQ(TrimToCorners(db, c.params, UndoStep::Skip), EditOutcome::Changed);
    });
    EXPECT_EQ(ReadFile(dir.path() / "batch.nc"), engine) << c.program << ' ' << c.flags[1];
    EXPECT_NE(engine.find("G01"), std::string::npos) << "corners were kept as cuts";
  }
}

TEST(CornersCommand, PrintsTheRecordsBeforeAndAfterAndTakesTheOutputOptions) {
  TempDir dir;
  const fs::path in = WriteProgram(dir, "coarse.nc", PocketProgram(10));
  const fs::path out = dir.path() / "out.nc";
  const BatchRun run = Batch({"corners", in.string(), "-o", out.string(), "--angle", "30", "--distance", "5",
                              "--subdivide", "1", "--no-diagonal-check", "--seq"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::ostringstream messages;
  LoadedProgram program = LoadProgram(in.string(), ReaderOptions(BatchArguments{}, messages), {messages, messages, false});
  int held = 0;
  program.db->ForEachRecord([&held](int, const ToolpathRecord& r) { held += r.kind != MoveKind::None; });
  EXPECT_EQ(run.out.substr(0, run.out.find(" -> ")), "records: " + std::to_string(held));
  EXPECT_NE(ReadFile(out).find("N2"), std::string::npos) << "numbered as --seq asks";
}

TEST(CornersCommand, SaysSoWhenNoCornerIsFound) {
  TempDir dir;
  const fs::path in = WriteProgram(dir, "flat.nc", "G00 X0 Y0 Z50\nG00 Z2\nG01 Z0 F400\nG01 X40 F900\nG01 Y40\nG00 Z50\n");
  const BatchRun run = Batch({"corners", in.string(), "-o", (dir.path() / "out.nc").string(), "--angle", "30",
                              "--distance", "5"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("no corner region found"), std::string::npos) << run.err;
}

TEST(CornersCommand, WrongCallsAreRefusedWithTheReason) {
  TempDir dir;
  const fs::path in = WriteProgram(dir, "fine.nc", PocketProgram(1));
  const std::string out = (dir.path() / "out.nc").string();
  struct Case {
    std::vector<std::string> args;
    const char* says;
  };
  const Case cases[] = {
      {{"corners", in.string(), "-o", out, "--distance", "5"}, "--angle A and --distance D"},
      {{"corners", in.string(), "-o", out, "--angle", "30"}, "--angle A and --distance D"},
      {{"corners", in.string(), "--angle", "30", "--distance", "5"}, "-o OUT"},
      {{"corners", in.string(), in.string(), "-o", out, "--angle", "30", "--distance", "5"}, "one input"},
      {{"corners", in.string(), "-o", out, "--angle", "0", "--distance", "5"}, "--angle: angle (코너검색 각도)"},
      {{"corners", in.string(), "-o", out, "--angle", "-30", "--distance", "5"}, "--angle: angle"},
      {{"corners", in.string(), "-o", out, "--angle", "30", "--distance", "1001"}, "--distance: distance (코너 거리)"},
      {{"corners", in.string(), "-o", out, "--angle", "30", "--distance", "5", "--subdivide", "0.05"},
       "--subdivide: interval"},
      {{"corners", in.string(), "-o", out, "--angle", "x", "--distance", "5"}, "--angle"},
  };
  for (const Case& c : cases) {
    const BatchRun run = Batch(c.args);
    EXPECT_EQ(run.status, 2) << c.says;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out)) << c.says;
  }
}

TEST(CornersCommand, TheHelpDescribesTheVerbAndItsOptions) {
  const BatchRun run = Batch({"--help"});
  for (const char* text : {"corners IN -o OUT --angle A --distance D [--subdivide H]", "corners options:",
                           "--angle A", "(0.01 ... 90)", "--distance D", "--subdivide H"}) {
    EXPECT_NE(run.out.find(text), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace fendo
