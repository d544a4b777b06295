// fendo-batch transform and sort: each writes the program the engine's own edit makes of it
// with the same values, says the records (and for sort the rapid length) before and after, and
// refuses wrong calls before anything is read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "cli/batch_run.h"
#include "cli/engine_result.h"
#include "core/toolpath_database.h"
#include "edit/path_sort.h"
#include "edit/transform.h"
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

// Three passes, the third starting 3 mm beside the first, and a clockwise half circle.
constexpr std::string_view kPasses =
    "G00 X0 Y0 Z50\n"
    "G00 X0 Y0\nG00 Z2\nG01 Z-1 F500\nG01 X30 F600\nG02 X40 Y0 I5 J0\nG00 Z50\n"
    "G00 X100 Y0\nG00 Z2\nG01 Z-1 F500\nG01 X130 F600\nG00 Z50\n"
    "G00 X3 Y1\nG00 Z2\nG01 Z-1 F500\nG01 X20 F600\nG00 Z50\n";

fs::path WriteProgram(const TempDir& dir, std::string_view text) {
  const fs::path path = dir.path() / "in.nc";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

using EngineEdit = std::function<EditOutcome(ToolpathDatabase&)>;

EngineEdit Transform(TransformParams params) {
  return [params](ToolpathDatabase& db) { return TransformToolpath(db, params); };
}
EngineEdit Sort(SortParams params) {
  return [params](ToolpathDatabase& db) { return SortPaths(db, params); };
}

TEST(TransformAndSortCommands, EachWritesWhatTheEngineMakes) {
  struct Case {
    std::vector<std::string> flags;
    EngineEdit edit;
  };
  const std::vector<Case> cases = {
      {{"transform", "--move", "-10,0,-2.5", "--copies", "3"},
       Transform({.moveX = true, .dx = -10, .moveY = true, .moveZ = true, .dz = -2.5, .copy = true, .copies = 3})},
      {{"transform", "--rotate", "-90", "--about", "-5,-5,0"},
       Transform({.method = TransformMethod::Rotate, .rotateZ = true, .angle = -90, .centreX = -5, .centreY = -5})},
      {{"transform", "--rotate", "45", "--copies", "7"},
       Transform({.method = TransformMethod::Rotate, .rotateZ = true, .angle = 45, .copy = true, .copies = 7})},
      {{"transform", "--mirror", "y", "--about", "0,10,0"},
       Transform({.method = TransformMethod::MirrorScale, .centreY = 10, .scaleY = true})},
      {{"transform", "--scale", "2,1,1", "--copies", "1"},
       Transform({.method = TransformMethod::MirrorScale, .scaleX = true, .sx = 2, .scaleY = true, .sy = 1,
                  .scaleZ = true, .sz = 1, .copy = true, .copies = 1})},
      {{"sort", "--mode", "1"}, Sort({})},
      {{"sort", "--mode", "2", "--distance", "200"}, Sort({.mode = SortMode::EndToStart, .distance = 200})},
      {{"sort", "--mode", "3", "--distance", "200"}, Sort({.mode = SortMode::EitherEnd, .distance = 200})},
      {{"sort", "--mode", "4", "--distance", "100", "--height", "-1"},
       Sort({.mode = SortMode::ReturnHeight, .distance = 100, .height = kFeedAcross})},
      {{"sort", "--mode", "4", "--distance", "100", "--height", "0"},
       Sort({.mode = SortMode::ReturnHeight, .distance = 100, .height = 0})},
  };
  TempDir dir;
  const fs::path in = WriteProgram(dir, kPasses);
  for (const Case& c : cases) {
    // A copy moved down starts with a rapid move down and across: the writer is told to go on.
    std::vector<std::string> args = {c.flags[0], in.string(), "-o", (dir.path() / "batch.nc").string(), "--yes"};
    args.insert(args.end(), c.flags.begin() + 1, c.flags.end());
    const BatchRun run = Batch(args);
    const std::string what = testing::PrintToString(c.flags);
    ASSERT_EQ(run.status, 0) << what << run.err;
    const auto engine = [&](ToolpathDatabase& db) { EXPECT_EQ(c.edit(db), EditOutcome::Changed); };
    EXPECT_EQ(ReadFile(dir.path() / "batch.nc"), EngineResult(in, dir.path() / "engine.nc", engine)) << what;
    EXPECT_TRUE(run.out.starts_with("records: 17 -> ")) << what << run.out;
  }
}

TEST(TransformAndSortCommands, SortSaysTheRapidLengthBeforeAndAfter) {
  TempDir dir;
  const fs::path in = WriteProgram(dir, kPasses);
  const BatchRun run = Batch({"sort", in.string(), "-o", (dir.path() / "out.nc").string(), "--mode", "1"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "records: 17 -> 17\nrapid length: 484.004 -> 414.020\n");
}

TEST(TransformAndSortCommands, CopiesPastTheRecordLimitWriteNothing) {
  TempDir dir;
  std::string program = "G00 X0 Y0 Z50\n";
  for (int k = 0; k < 300; ++k) program += "G00 X" + std::to_string(k) + " Y0\nG00 Z2\nG01 Z-1 F500\nG01 Y5\nG00 Z50\n";
  const fs::path in = WriteProgram(dir, program);
  const fs::path out = dir.path() / "out.nc";
  const BatchRun run = Batch({"transform", in.string(), "-o", out.string(), "--move", "1,0,0", "--copies", "10000"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Memory를 할당할 수 없습니다!!!"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(out));
}

TEST(TransformAndSortCommands, WrongCallsAreRefusedBeforeReading) {
  const std::vector<std::vector<std::string>> calls = {
      {"transform", "missing.nc", "-o", "out.nc"},
      {"transform", "missing.nc", "-o", "out.nc", "--move", "1,2,3", "--rotate", "5"},
      {"transform", "missing.nc", "-o", "out.nc", "--move", "1,2"},
      {"transform", "missing.nc", "-o", "out.nc", "--move", "1,2,x"},
      {"transform", "missing.nc", "-o", "out.nc", "--mirror", "w"},
      {"transform", "missing.nc", "-o", "out.nc", "--rotate", "4000"},
      {"transform", "missing.nc", "-o", "out.nc", "--scale", "1,1,1", "--copies", "10001"},
      {"transform", "missing.nc", "-o", "out.nc", "--rotate", "5", "--about", "1,1"},
      {"sort", "missing.nc", "-o", "out.nc"},
      {"sort", "missing.nc", "-o", "out.nc", "--mode", "5"},
      {"sort", "missing.nc", "-o", "out.nc", "--mode", "4", "--height", "-0.5"},
      {"sort", "missing.nc", "-o", "out.nc", "--mode", "1", "--distance", "-2"},
  };
  for (const std::vector<std::string>& call : calls) {
    const BatchRun run = Batch(call);
    EXPECT_EQ(run.status, 2) << testing::PrintToString(call) << run.err;
    EXPECT_EQ(run.err.find("missing.nc"), std::string::npos) << "refused before reading: " << run.err;
  }
}

}  // namespace
}  // namespace fendo
