// fendo-batch generate pocket|profile|face: the generators' records written as NC data, read
// back the same, and passing the pre-flight check.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch_program.h"
#include "cli/batch_run.h"
#include "core/toolpath_database.h"
#include "edit/edit_commit.h"
#include "generate/face.h"
#include "generate/pocket.h"
#include "generate/profile.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;
using test::Batch;

// mm: what the writer's three decimals may move a coordinate by.
constexpr double kWritten = 0.0005;
// mm: an arc written by its radius, rounded up to reach its end, moves its centre by a little
// more.
constexpr double kCentreWritten = 0.0015;

std::vector<ToolpathRecord> ReadBack(const fs::path& file) {
  std::ostringstream messages;
  LoadedProgram program =
      LoadProgram(file.string(), ReaderOptions(BatchArguments{}, messages), {messages, messages, false});
  EXPECT_TRUE(program.result.ok()) << messages.str();
  return CopyRecords(*program.db);
}

// Whether the records read back end with the generated ones: the same kinds and points (the
// header's moves come before them).
void ExpectWrittenAsGenerated(const std::vector<ToolpathRecord>& generated, const std::vector<ToolpathRecord>& read,
                              const std::string& what) {
  ASSERT_GE(read.size(), generated.size()) << what;
  const std::size_t offset = read.size() - generated.size();
  for (std::size_t i = 0; i < generated.size(); ++i) {
    const ToolpathRecord& g = generated[i];
    const ToolpathRecord& r = read[offset + i];
    ASSERT_EQ(r.kind, g.kind) << what << ", record " << i;
    const double near = IsCentreKind(g.kind) ? kCentreWritten : kWritten;
    EXPECT_NEAR(r.x, g.x, near) << what << ", record " << i;
    EXPECT_NEAR(r.y, g.y, near) << what << ", record " << i;
    EXPECT_NEAR(r.z, g.z, near) << what << ", record " << i;
    if (IsCuttingKind(g.kind)) {
      EXPECT_EQ(r.feed, g.feed) << what << ", record " << i;
    }
  }
}

struct Case {
  std::vector<std::string> args;  // after "generate"
  GenerateResult (*generate)(ToolpathDatabase&);
};

TEST(GenerateCommand, WritesWhatTheGeneratorMakesAndTheCheckFindsNoError) {
  const std::vector<Case> cases = {
      {{"pocket"}, [](ToolpathDatabase& db) { return GeneratePocket(db, {}); }},
      {{"pocket", "--shape", "rounded", "--x-size", "60", "--y-size", "100", "--corner-radius", "15", "--z-depth",
        "-20"},
       [](ToolpathDatabase& db) {
         PocketParams p{.shape = PocketShape::RoundedRectangle, .cornerRadius = 15, .zDepth = -20};
         p.rectangle.xSize = 60;
         p.rectangle.ySize = 100;
         return GeneratePocket(db, p);
       }},
      {{"pocket", "--shape", "circle", "--circle-radius", "40", "--taper-angle", "30", "--x-centre", "5",
        "--z-depth", "-30"},
       [](ToolpathDatabase& db) {
         PocketParams p{.shape = PocketShape::Circle, .circleRadius = 40, .zDepth = -30, .taper = {.angle = 30}};
         p.rectangle.xCentre = 5;
         return GeneratePocket(db, p);
       }},
      {{"pocket", "--no-single-taper", "--x-plus-taper", "20", "--y-minus-taper", "-10", "--form", "min-max",
        "--x-min", "0", "--x-max", "80", "--y-min", "0", "--y-max", "40"},
       [](ToolpathDatabase& db) {
         PocketParams p{.rectangle = {.form = ShapeForm::MinMax, .xMax = 80, .xMin = 0, .yMax = 40, .yMin = 0},
                        .taper = {.single = false, .xPlus = 20, .yMinus = -10}};
         return GeneratePocket(db, p);
       }},
      {{"profile", "--side", "inside", "--passes", "3", "--shape", "rounded"},
       [](ToolpathDatabase& db) {
         return GenerateProfile(
             db, {.shape = PocketShape::RoundedRectangle, .side = ProfileSide::Inside, .passes = 3});
       }},
      {{"profile", "--side", "outside", "--passes", "2", "--shape", "circle", "--z-stepover", "25"},
       [](ToolpathDatabase& db) {
         return GenerateProfile(
             db, {.shape = PocketShape::Circle, .side = ProfileSide::Outside, .zStepover = 25, .passes = 2});
       }},
      {{"face", "--direction", "y+x-", "--stepover", "7", "--cutting-height", "-1.5"},
       [](ToolpathDatabase& db) {
         return GenerateFace(db, {.direction = FaceDirection::YPlusXMinus, .stepover = 7, .cuttingHeight = -1.5});
       }},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    const std::string out = (dir / "out.nc").string();
    std::vector<std::string> args = {"generate"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"-o", out});
    std::string what;
    for (const std::string& a : c.args) what += a + " ";
    const test::BatchRun run = Batch(args);
    ASSERT_EQ(run.status, 0) << what << run.err;
    ToolpathDatabase engine;
    ASSERT_EQ(c.generate(engine).outcome, EditOutcome::Changed) << what;
    ExpectWrittenAsGenerated(CopyRecords(engine), ReadBack(out), what);
    const test::BatchRun check = Batch({"check", out});
    EXPECT_EQ(check.status, 0) << what << check.out;
    EXPECT_NE(check.out.find(" 0 errors"), std::string::npos) << what << check.out;
  }
}

TEST(GenerateCommand, AppendsBehindTheRecordsOfAProgram) {
  test::TempDir dir;
  const std::string in = test::Example("bracket.nc").string();
  const std::string out = (dir / "out.nc").string();
  const test::BatchRun run = Batch({"generate", "face", "--append-to", in, "-o", out});
  ASSERT_EQ(run.status, 0) << run.err;
  // The engine on the program as the verb loads it: the pattern takes the program's work feed.
  std::ostringstream messages;
  LoadedProgram program = LoadProgram(in, ReaderOptions(BatchArguments{}, messages), {messages, messages, false});
  ASSERT_TRUE(program.result.ok()) << messages.str();
  const std::vector<ToolpathRecord> before = CopyRecords(*program.db);
  const GenerateResult result = GenerateFace(*program.db, {});
  ASSERT_EQ(result.outcome, EditOutcome::Changed);
  const std::vector<ToolpathRecord> engine = CopyRecords(*program.db);
  ExpectWrittenAsGenerated(engine, ReadBack(out), "appended face");
  EXPECT_EQ(engine.size(), before.size() + result.recordsAdded);
  EXPECT_NE(run.out.find("records: " + std::to_string(before.size()) + " -> " + std::to_string(engine.size())),
            std::string::npos)
      << run.out;
}

TEST(GenerateCommand, RefusesWhatTheDialogsRefuseAndWritesNothingWithoutAPass) {
  struct Refusal {
    std::vector<std::string> args;
    int status;
    std::string says;
  };
  test::TempDir dir;
  const std::string out = (dir / "out.nc").string();
  for (const Refusal& r : std::vector<Refusal>{
           {{"generate", "pocket", "--xy-stepover", "0.05", "-o", out}, 2, "xyStepover (XY Stepoever)"},
           {{"generate", "profile", "--passes", "101", "-o", out}, 2, "passes (Profile 횟수)"},
           {{"generate", "face", "--direction", "x-y-", "-o", out}, 2, "--direction takes one of x+y+"},
           {{"generate", "pocket", "--shape", "oval", "-o", out}, 2, "--shape takes one of rectangle"},
           {{"generate", "pocket"}, 2, "takes -o OUT"},
           {{"generate", "pocket", "--allowance", "90", "-o", out}, 1, "make no pass"},
       }) {
    const test::BatchRun run = Batch(r.args);
    EXPECT_EQ(run.status, r.status) << r.says << run.err;
    EXPECT_NE(run.err.find(r.says), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out)) << r.says;
  }
  const test::BatchRun tapered = Batch({"generate", "pocket", "--shape", "circle", "--circle-radius", "20",
                                        "--taper-angle", "45", "-o", out});
  EXPECT_EQ(tapered.status, 0) << tapered.err;
  EXPECT_NE(tapered.out.find("levels left out: 4"), std::string::npos) << tapered.out;
}

}  // namespace
}  // namespace fendo
