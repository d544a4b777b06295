// fendo-batch trim: each boundary writes the program the engine's own trim makes of it with the
// same values, and the wrong calls are refused before anything is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "cli/batch_run.h"
#include "cli/engine_result.h"
#include "core/toolpath_database.h"
#include "edit/point_file.h"
#include "edit/region_boundary.h"
#include "edit/trim.h"
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

// Two polygons over the bracket's pocket and boss (the second without "end") and one of two
// vertices, which the trims skip.
constexpr std::string_view kPointFile =
    "bracket pockets\n"
    "start\n20 20 0\n70 15 0\n75 60 0\n25 55 0\nend\n"
    "start\n1 1 0\n2 2 0\nend\n"
    "START\n90 30 0\n110 30 0\n100 50 0\n";

using EngineTrim = std::function<EditOutcome(ToolpathDatabase&)>;

TEST(TrimCommand, EachBoundaryWritesWhatTheEngineMakes) {
  TempDir dir;
  const fs::path poi = dir.path() / "pockets.poi";
  std::ofstream(poi, std::ios::binary) << kPointFile;
  const auto polygons = [&poi] {
    std::string error;
    return *ReadPointFile(poi, error);
  };
  struct Case {
    std::vector<std::string> flags;
    EngineTrim trim;
  };
  const Case cases[] = {
      {{"--rect", "-10", "10", "60", "50", "--inside"},
       [](ToolpathDatabase& db) {
         return TrimRegion(db, *RectangleBoundary(-10, 10, 60, 50), TrimSide::Inside, UndoStep::Skip);
       }},
      {{"--rect", "60", "50", "-10", "10", "--outside"},
       [](ToolpathDatabase& db) {
         return TrimRegion(db, *RectangleBoundary(-10, 10, 60, 50), TrimSide::Outside, UndoStep::Skip);
       }},
      {{"--circle", "90", "40", "15", "--inside"},
       [](ToolpathDatabase& db) { return TrimCircle(db, {90, 40, 0}, 15, TrimSide::Inside, UndoStep::Skip); }},
      {{"--circle", "90", "40", "15", "--outside"},
       [](ToolpathDatabase& db) { return TrimCircle(db, {90, 40, 0}, 15, TrimSide::Outside, UndoStep::Skip); }},
      {{"--poi", poi.string(), "--inside"},
       [&](ToolpathDatabase& db) { return TrimPolygons(db, polygons(), TrimSide::Inside, UndoStep::Skip); }},
      {{"--poi", poi.string(), "--outside"},
       [&](ToolpathDatabase& db) { return TrimPolygons(db, polygons(), TrimSide::Outside, UndoStep::Skip); }},
      {{"--z", "-6", "-1.5"},
       [](ToolpathDatabase& db) { return TrimZBand(db, {.zMin = -6, .zMax = -1.5}, UndoStep::Skip); }},
  };
  const fs::path in = Example("bracket.nc");
  ASSERT_EQ(Batch({"convert", in.string(), "-o", (dir.path() / "plain.nc").string(), "--yes"}).status, 0);
  for (const Case& c : cases) {
    std::vector<std::string> args = {"trim", in.string(), "-o", (dir.path() / "batch.nc").string(), "--yes"};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const std::string what = c.flags.front() + " " + c.flags.back();
    const BatchRun run = Batch(args);
    ASSERT_EQ(run.status, 0) << what << ": " << run.err;
    EXPECT_TRUE(run.out.starts_with("records: ")) << what << ": " << run.out;
    const std::string trimmed = ReadFile(dir.path() / "batch.nc");
    const auto engine = [&](ToolpathDatabase& db) { EXPECT_EQ(c.trim(db), EditOutcome::Changed); };
    EXPECT_EQ(trimmed, EngineResult(in, dir.path() / "engine.nc", engine)) << what;
    EXPECT_NE(trimmed, ReadFile(dir.path() / "plain.nc")) << what << " changed nothing";
  }
}

TEST(TrimCommand, PrintsTheRecordsBeforeAndAfterAndTakesTheOutputOptions) {
  TempDir dir;
  const fs::path out = dir.path() / "out.nc";
  const BatchRun run = Batch({"trim", Example("bracket.nc").string(), "-o", out.string(), "--z", "-100", "-50",
                              "--no-diagonal-check", "--ijk"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "records: 111 -> 1\n") << "everything lies above the band";
  EXPECT_TRUE(fs::exists(out));
}

TEST(TrimCommand, WrongCallsAreRefusedWithTheReason) {
  TempDir dir;
  const fs::path badPoi = dir.path() / "bad.poi";
  std::ofstream(badPoi, std::ios::binary) << "start\n0 0 0\n10 0\n";
  struct Wrong {
    std::vector<std::string> flags;
    int status;
    std::string reason;
  };
  const Wrong wrongs[] = {
      {{}, 2, "trim takes one input, -o OUT and one of --rect, --circle, --poi"},
      {{"--rect", "0", "0", "10", "10"}, 2, "(each with --inside or --outside)"},
      {{"--z", "-1", "1", "--inside"}, 2, "(each with --inside or --outside) and --z"},
      {{"--rect", "0", "0", "10", "10", "--circle", "0", "0", "5", "--inside"}, 2, "one of --rect"},
      {{"--rect", "0", "0", "10", "10", "--inside", "--outside"}, 2, "give --inside or --outside, not both"},
      {{"--rect", "0", "0", "10", "--inside"}, 2, "--rect takes the corners X1 Y1 X2 Y2, not \"0 0 10 --inside\""},
      {{"--rect", "0", "0", "10", "nan", "--inside"}, 2, "--rect takes the corners"},
      {{"--circle", "0", "0", "0", "--outside"}, 2, "--circle: the radius must be above 0, not 0"},
      {{"--z", "5", "-5"}, 2, "--z: MIN must not lie above MAX, not \"5 -5\""},
      {{"--poi", (dir.path() / "missing.poi").string(), "--inside"}, 1, "missing.poi: cannot open"},
      {{"--poi", badPoi.string(), "--inside"}, 1, "bad.poi: line 3: a vertex is three numbers x y z, not \"10 0\""},
  };
  const fs::path out = dir.path() / "out.nc";
  for (const Wrong& wrong : wrongs) {
    std::vector<std::string> args = {"trim", Example("bracket.nc").string(), "-o", out.string()};
    args.insert(args.end(), wrong.flags.begin(), wrong.flags.end());
    const BatchRun run = Batch(args);
    EXPECT_EQ(run.status, wrong.status) << wrong.reason;
    EXPECT_NE(run.err.find(wrong.reason), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out)) << wrong.reason;
  }
}

}  // namespace
}  // namespace fendo
