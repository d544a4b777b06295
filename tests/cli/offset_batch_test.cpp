// fendo-batch offset: each region writes the program the engine's own offset makes of it with
// the same values, negative values included, and the wrong calls are refused before anything
// is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "cli/batch_run.h"
#include "cli/engine_result.h"
#include "core/toolpath_database.h"
#include "edit/point_offset.h"
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

// Three passes along X at y = 0, 10, 20 and z = −1 … −3, entered on a ramp, and a half circle.
constexpr std::string_view kPasses =
    "G00 X0 Y0 Z50\nG00 X-4 Y0 Z2\nG01 X0 Z-1 F500\nG01 X30 F600\nG00 Z50\n"
    "G00 X-4 Y10\nG00 Z2\nG01 X0 Z-2 F500\nG01 X30 F600\nG03 X40 I5 J0\nG00 Z50\n"
    "G00 X-4 Y20\nG00 Z2\nG01 X0 Z-3 F500\nG01 X30 F600\nG00 Z50\n";

// A triangle and a square, the second without its "end".
constexpr std::string_view kPolygons =
    "start\n10 -5 0\n20 -5 0\n15 25 0\nend\n"
    "start\n-10 15 0\n5 15 0\n5 25 0\n-10 25 0\n";

fs::path WriteFile(const TempDir& dir, const std::string& name, std::string_view text) {
  const fs::path path = dir.path() / name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

using EngineOffset = std::function<EditOutcome(ToolpathDatabase&)>;

TEST(OffsetCommand, EachRegionWritesWhatTheEngineMakes) {
  TempDir dir;
  const fs::path in = WriteFile(dir, "passes.nc", kPasses);
  const fs::path poi = WriteFile(dir, "regions.poi", kPolygons);
  struct Case {
    std::vector<std::string> flags;
    EngineOffset offset;
  };
  const Case cases[] = {
      {{"--rect", "25", "-5", "10", "15"},
       [](ToolpathDatabase& db) { return OffsetInsideRectangle(db, 25, -5, 10, 15, {0, 0, 5}, UndoStep::Skip); }},
      {{"--rect", "-10", "-10", "20", "12", "--by", "-1.5,2,-0.5"},
       [](ToolpathDatabase& db) {
         return OffsetInsideRectangle(db, -10, -10, 20, 12, {-1.5, 2, -0.5}, UndoStep::Skip);
       }},
      {{"--circle", "35", "10", "6", "--by", "0,0,-1"},
       [](ToolpathDatabase& db) { return OffsetInsideCircle(db, {35, 10, 0}, 6, {0, 0, -1}, UndoStep::Skip); }},
      {{"--poi", poi.string(), "--by", "2,0,1"},
       [](ToolpathDatabase& db) {
         const std::vector<std::vector<Point3>> polygons = {
             {{10, -5, 0}, {20, -5, 0}, {15, 25, 0}}, {{-10, 15, 0}, {5, 15, 0}, {5, 25, 0}, {-10, 25, 0}}};
         return OffsetInsidePolygons(db, polygons, {2, 0, 1}, UndoStep::Skip);
       }},
      {{"--z", "-2.5", "-1.5", "--by", "3,0,0"},
       [](ToolpathDatabase& db) { return OffsetOutsideZBand(db, {-2.5, -1.5}, {3, 0, 0}, UndoStep::Skip); }},
  };
  ASSERT_EQ(Batch({"convert", in.string(), "-o", (dir.path() / "plain.nc").string(), "--no-diagonal-check"}).status, 0);
  const std::string plain = ReadFile(dir.path() / "plain.nc");
  for (const Case& c : cases) {
    const std::string what = c.flags[0] + " " + c.flags[1];
    std::vector<std::string> args = {"offset", in.string(), "-o", (dir.path() / "batch.nc").string(),
                                     "--no-diagonal-check"};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const BatchRun run = Batch(args);
    ASSERT_EQ(run.status, 0) << what << ": " << run.err;
    EXPECT_TRUE(run.out.starts_with("records: ")) << what << ": " << run.out;
    const std::string shifted = ReadFile(dir.path() / "batch.nc");
    const auto engine = [&](ToolpathDatabase& db) { EXPECT_EQ(c.offset(db), EditOutcome::Changed); };
    EXPECT_EQ(shifted, EngineResult(in, dir.path() / "engine.nc", engine)) << what;
    EXPECT_NE(shifted, plain) << what << " changed nothing";
  }
}

TEST(OffsetCommand, TheOffsetStartsAtTheDirectionDialogsDefault) {
  TempDir dir;
  const fs::path in = WriteFile(dir, "passes.nc", kPasses);
  const BatchRun defaulted =
      Batch({"offset", in.string(), "-o", (dir.path() / "a.nc").string(), "--yes", "--rect", "10", "-5", "20", "25"});
  const BatchRun given = Batch({"offset", in.string(), "-o", (dir.path() / "b.nc").string(), "--yes", "--rect", "10",
                                "-5", "20", "25", "--by", "0,0,5"});
  ASSERT_EQ(defaulted.status, 0) << defaulted.err;
  ASSERT_EQ(given.status, 0) << given.err;
  EXPECT_EQ(defaulted.out, given.out);
  EXPECT_EQ(ReadFile(dir.path() / "a.nc"), ReadFile(dir.path() / "b.nc"));
}

TEST(OffsetCommand, WrongCallsAreRefusedWithTheReason) {
  TempDir dir;
  const fs::path in = WriteFile(dir, "passes.nc", kPasses);
  const fs::path bad = WriteFile(dir, "bad.poi", "start\n0 0 0\n10 0\n10 10 0\nend\n");
  struct Wrong {
    std::vector<std::string> flags;
    int status;
    std::string_view reason;
  };
  const Wrong wrongs[] = {
      {{}, 2, "exactly one of --rect, --circle, --poi and --z"},
      {{"--rect", "0", "0", "1", "1", "--z", "0", "1"}, 2, "exactly one of"},
      {{"--rect", "0", "0", "1"}, 2, "option --rect needs X1 Y1 X2 Y2"},
      {{"--rect", "0", "0", "1", "x"}, 2, "--rect takes the corners X1 Y1 X2 Y2, not \"0 0 1 x\""},
      {{"--circle", "0", "0", "-3"}, 2, "--circle takes a radius above 0"},
      {{"--z", "1", "nan"}, 2, "--z takes the band MIN MAX"},
      {{"--z", "-1", "1", "--by", "1,2"}, 2, "--by takes the offset DX,DY,DZ, not \"1,2\""},
      {{"--poi", (dir.path() / "missing.poi").string()}, 1, "--poi: cannot read"},
      {{"--poi", bad.string()}, 1, "3"},  // the line of the bad vertex
  };
  const fs::path out = dir.path() / "out.nc";
  for (const Wrong& wrong : wrongs) {
    std::vector<std::string> args = {"offset", in.string(), "-o", out.string()};
    args.insert(args.end(), wrong.flags.begin(), wrong.flags.end());
    const BatchRun run = Batch(args);
    EXPECT_EQ(run.status, wrong.status) << wrong.reason << ": " << run.err;
    EXPECT_NE(run.err.find(wrong.reason), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out)) << wrong.reason;
  }
}

}  // namespace
}  // namespace fendo
