// fendo-batch generate radial, generate spiral and radial-spacing: the programs the engine makes
// with the same values, the help that lists every field, and the calls refused before anything
// is made.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "cli/engine_result.h"
#include "core/toolpath_database.h"
#include "generate/radial_spacing.h"
#include "generate/ring_patterns.h"
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

fs::path WriteProgram(const TempDir& dir, const std::string& name, std::string_view text) {
  const fs::path path = dir.path() / name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

constexpr std::string_view kPlate = "G00 X-80 Y-80 Z20\nG01 Z-1 F450\nG01 X80\nG01 Y80\nG00 Z20\n";

TEST(GenerateRingCommand, WritesThePatternTheEngineMakesWithTheSameValues) {
  struct Case {
    std::vector<std::string> flags;
    RingParams params;
    bool appended = false;
  };
  const Case cases[] = {
      {{}, {}},
      {{"--centre-x", "15", "--centre-y", "-7.5", "--cutting-z", "-2", "--stepover", "3.5", "--outer-diameter", "60",
        "--inner-diameter", "12"},
       {.centreX = 15, .centreY = -7.5, .cuttingZ = -2, .stepover = 3.5, .outerDiameter = 60, .innerDiameter = 12}},
      {{"--stepover", "2", "--outer-diameter", "40"}, {.stepover = 2, .outerDiameter = 40}, true},
  };
  TempDir dir;
  const fs::path plate = WriteProgram(dir, "plate.nc", kPlate);
  for (const char* verb : {"radial", "spiral"}) {
    const auto generate = std::string(verb) == "radial" ? &GenerateRadial : &GenerateSpiral;
    for (const Case& c : cases) {
      std::vector<std::string> args = {"generate", verb, "-o", (dir.path() / "batch.nc").string()};
      args.insert(args.end(), c.flags.begin(), c.flags.end());
      if (c.appended) args.insert(args.end(), {"--append-to", plate.string()});
      const BatchRun run = Batch(args);
      ASSERT_EQ(run.status, 0) << verb << ": " << run.err;
      const std::string engine = EngineResult(c.appended ? plate : fs::path(), dir.path() / "engine.nc",
                                              [&](ToolpathDatabase& db) { generate(db, c.params); });
      EXPECT_EQ(ReadFile(dir.path() / "batch.nc"), engine) << verb << ' ' << c.flags.size();
      EXPECT_EQ(run.out.rfind(c.appended ? "records: 5 -> " : "records: 0 -> ", 0), 0u) << run.out;
    }
  }
  // Appended behind the plate, the pattern takes the plate's rapid height and feed.
  const std::string appended = ReadFile(dir.path() / "batch.nc");
  EXPECT_NE(appended.find("G01Z0.000F450"), std::string::npos);
  EXPECT_EQ(appended.find("Z100.000"), std::string::npos);
}

TEST(RadialSpacingCommand, WritesTheSpacingTheEngineMakesAfterTurningArcsIntoLines) {
  TempDir dir;
  ASSERT_EQ(Batch({"generate", "radial", "-o", (dir.path() / "radial.nc").string(), "--stepover", "1",
                   "--cutting-z", "-1", "--centre-x", "5"})
                .status,
            0);
  // A ring of spokes cut by arcs: each a quarter circle from the outer end to the centre.
  const fs::path arcs = WriteProgram(dir, "arcs.nc",
                                     "G00 X0 Y0 Z20\nG00 X40 Y0\nG01 Z-1 F300\nG03 X0 Y0 I-20 J0\nG00 Z20\n"
                                     "G00 X0 Y40\nG01 Z-1\nG03 X0 Y0 I0 J-20\nG00 Z20\n"
                                     "G00 X-40 Y0\nG01 Z-1\nG03 X0 Y0 I20 J0\nG00 Z20\n");
  struct Case {
    fs::path in;
    std::vector<std::string> flags;
    RadialSpacingParams params;
  };
  const Case cases[] = {
      {dir.path() / "radial.nc", {"--centre-x", "5"}, {.centreX = 5}},
      {dir.path() / "radial.nc",
       {"--centre-x", "5", "--small-angle", "-90", "--large-angle", "90", "--minimum-spacing", "3.5"},
       {.centreX = 5, .smallAngle = -90, .largeAngle = 90, .minimumSpacing = 3.5}},
      {arcs, {"--minimum-spacing", "60", "--large-angle", "270"}, {.largeAngle = 270, .minimumSpacing = 60}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"radial-spacing", c.in.string(), "-o", (dir.path() / "batch.nc").string()};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const BatchRun run = Batch(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string engine = EngineResult(c.in, dir.path() / "engine.nc", [&](ToolpathDatabase& db) {
      ASSERT_TRUE(ArcsToLines(db, kArcGuardChordTolerance));
      EXPECT_EQ(SpaceRadialPaths(db, c.params), EditOutcome::Changed);
    });
    EXPECT_EQ(ReadFile(dir.path() / "batch.nc"), engine) << c.flags.back();
    EXPECT_EQ(ReadFile(dir.path() / "batch.nc").find("G03"), std::string::npos);
  }
}

TEST(RingCommands, SayWhatTheyCannotDoAndWriteNothing) {
  TempDir dir;
  const fs::path plate = WriteProgram(dir, "plate.nc", "G00 X0 Y0 Z20\nG00 X10\nG00 Z5\n");
  const std::string out = (dir.path() / "out.nc").string();
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* says;
  };
  const Case cases[] = {
      {{"generate", "radial", "-o", out, "--stepover", "0"}, 2, "stepover (Stepover) must lie between 0.01 and 1000"},
      {{"generate", "spiral", "-o", out, "--inner-diameter", "-1"}, 2, "innerDiameter (내 경) must lie between"},
      {{"generate", "spiral", "-o", out, "--outer-diameter", "x"}, 2, "--outer-diameter"},
      {{"generate", "radial", plate.string(), "-o", out}, 2, "no input but --append-to IN"},
      {{"generate", "radial"}, 2, "takes -o OUT"},
      {{"generate", "circle"}, 2, "generate takes"},
      {{"generate", "spiral", "-o", out, "--outer-diameter", "20", "--inner-diameter", "20"}, 1,
       "the outer diameter must be larger than the inner one; nothing was made"},
      {{"generate", "radial", "-o", out, "--centre-x", "32680"}, 1, "beyond the coordinates"},
      {{"radial-spacing", plate.string(), "-o", out, "--small-angle", "10", "--large-angle", "10"}, 2,
       "largeAngle (큰 각도) must differ from smallAngle (작은 각도)"},
      {{"radial-spacing", plate.string(), "-o", out, "--minimum-spacing", "0"}, 2, "must lie above 0"},
      {{"radial-spacing", "-o", out}, 2, "takes one input"},
  };
  for (const Case& c : cases) {
    const BatchRun run = Batch(c.args);
    EXPECT_EQ(run.status, c.status) << c.says;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out)) << c.says;
  }
  // A program without spokes is said to have none and written as it was.
  const BatchRun run = Batch({"radial-spacing", plate.string(), "-o", out});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("no FeedStart record, so no spokes to space"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("records: 3 -> 3"), std::string::npos) << run.out;
}

TEST(RingCommands, HelpListsEveryFieldWithItsDefaultAndRange) {
  const BatchRun run = Batch({"--help"});
  for (const char* line : {"generate radial -o OUT [--append-to IN]", "generate spiral -o OUT [--append-to IN]",
                           "radial-spacing IN -o OUT", "--centre-x X", "--cutting-z Z",
                           "of the spiral (default 10, 0.01 ... 1000)", "\"외 경\", mm (default 100, 0 ... 10000)",
                           "\"내 경\", mm (default 0, 0 ... 10000)", "--small-angle A", "--large-angle A",
                           "--minimum-spacing S", "--centre-z Z"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace fendo
