// fendo-batch pencil: the pencil paths the engine makes with the same values, written so that
// convert reads and writes them back unchanged and check finds no error in them; wrong calls
// refused before anything is read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "generate/pencil.h"
#include "generate/pencil_programs.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;

using test::Batch;
using test::BatchRun;
using test::TempDir;

// The pocket with filleted walls, passes 1 mm apart from y = 0 to 30.
fs::path WritePocket(const TempDir& dir) {
  const test::ProgramBuilder program = test::Pocket(0, 30);
  const fs::path path = dir.path() / "pocket.nc";
  std::ofstream(path, std::ios::binary) << test::NcText(program.records());
  return path;
}

std::vector<ToolpathRecord> Records(ToolpathDatabase& db) {
  std::vector<ToolpathRecord> records;
  db.ForEachRecord([&records](int, const ToolpathRecord& r) {
    if (r.kind != MoveKind::None) records.push_back(r);
  });
  return records;
}

std::vector<ToolpathRecord> ReadRecords(const fs::path& path) {
  ToolpathDatabase db;
  EXPECT_TRUE(LoadFile(db, path).ok()) << path;
  return Records(db);
}

void ExpectSameCuts(const std::vector<ToolpathRecord>& a, const std::vector<ToolpathRecord>& b, double tolerance) {
  std::vector<Point3> cutsA;
  std::vector<Point3> cutsB;
  for (const ToolpathRecord& r : a) if (IsCuttingKind(r.kind)) cutsA.push_back(PositionOf(r));
  for (const ToolpathRecord& r : b) if (IsCuttingKind(r.kind)) cutsB.push_back(PositionOf(r));
  ASSERT_EQ(cutsA.size(), cutsB.size());
  for (std::size_t i = 0; i < cutsA.size(); ++i) EXPECT_LE(Length(cutsA[i] - cutsB[i]), tolerance) << "cut " << i;
}

TEST(PencilCommand, WritesWhatTheEngineMakesAndItReadsBackWhole) {
  const TempDir dir;
  const fs::path in = WritePocket(dir);
  struct Case {
    std::vector<std::string> flags;
    PencilParams params;
  };
  const Case cases[] = {
      {{}, {}},
      {{"--small-angle", "16", "--delete-length", "0", "--max-link", "2.5", "--no-separate-up-down", "--xy-corner"},
       {.smallAngle = 16, .deleteLength = 0, .maxLink = 2.5, .separateUpDown = false, .xyCorner = true}},
  };
  for (const Case& c : cases) {
    const fs::path out = dir.path() / "pencil.nc";
    std::vector<std::string> args = {"pencil", in.string(), "-o", out.string()};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const BatchRun run = Batch(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("pencil paths: 2\n"), std::string::npos) << run.out;

    ToolpathDatabase db;
    ASSERT_TRUE(LoadFile(db, in).ok());
    ASSERT_EQ(GeneratePencil(db, c.params, nullptr, UndoStep::Skip).outcome, EditOutcome::Changed);
    const std::vector<ToolpathRecord> written = ReadRecords(out);
    ExpectSameCuts(Records(db), written, 0.0006);

    const fs::path again = dir.path() / "again.nc";
    ASSERT_EQ(Batch({"convert", out.string(), "-o", again.string()}).status, 0);
    const std::vector<ToolpathRecord> reread = ReadRecords(again);
    ASSERT_EQ(reread.size(), written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
      EXPECT_EQ(reread[i].kind, written[i].kind) << i;
      EXPECT_EQ(PositionOf(reread[i]), PositionOf(written[i])) << i;
      EXPECT_EQ(reread[i].feed, written[i].feed) << i;
    }
    const BatchRun check = Batch({"check", out.string()});
    EXPECT_EQ(check.status, 0) << check.out << check.err;
  }
}

TEST(PencilCommand, SaysSoWhenThereIsNoPencilPath) {
  const TempDir dir;
  const fs::path in = dir.path() / "flat.nc";
  std::ofstream(in, std::ios::binary) << "G00 X0 Y0 Z50\nG01 Z0 F500\nG01 X10\nG01 X20\nG00 Z50\n";
  const fs::path out = dir.path() / "out.nc";
  const BatchRun run = Batch({"pencil", in.string(), "-o", out.string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("no pencil path"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("pencil paths: 0"), std::string::npos) << run.out;
  const std::vector<ToolpathRecord> before = ReadRecords(in);
  const std::vector<ToolpathRecord> after = ReadRecords(out);
  ASSERT_EQ(after.size(), before.size());
}

TEST(PencilCommand, WrongCallsAreRefusedWithTheReason) {
  const TempDir dir;
  const fs::path in = WritePocket(dir);
  const std::string out = (dir.path() / "out.nc").string();
  struct Case {
    std::vector<std::string> args;
    std::string reason;
  };
  const Case cases[] = {
      {{"pencil", in.string()}, "pencil takes one input and -o OUT"},
      {{"pencil", in.string(), "-o", out, "--small-angle", "0"}, "--small-angle: smallAngle"},
      {{"pencil", in.string(), "-o", out, "--max-link", "0"}, "--max-link: maxLink"},
      {{"pencil", in.string(), "-o", out, "--delete-length", "-1"}, "--delete-length: deleteLength"},
      {{"pencil", in.string(), "-o", out, "--max-link", "far"}, "--max-link"},
  };
  for (const Case& c : cases) {
    const BatchRun run = Batch(c.args);
    EXPECT_EQ(run.status, 2) << c.reason;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out)) << c.reason;
  }
}

TEST(PencilCommand, TheHelpQuotesEveryFieldWithItsDefaultAndRange) {
  const BatchRun run = Batch({"--help"});
  for (const char* text : {"pencil IN -o OUT", "--small-angle A", "(default 15, 0.1", "--delete-length L",
                           "--max-link L", "--separate-up-down, --no-separate-up-down", "--xy-corner, --no-xy-corner"}) {
    EXPECT_NE(run.out.find(text), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace fendo
