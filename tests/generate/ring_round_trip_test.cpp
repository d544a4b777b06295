// The ring patterns and a spaced radial pattern as NC programs: written, converted by
// fendo-batch and read back they hold the records they were made of, and the pre-flight check
// finds no error in them.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch_program.h"
#include "cli/batch_prompts.h"
#include "cli/batch_run.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "generate/radial_spacing.h"
#include "generate/ring_patterns.h"
#include "output/nc_writer.h"
#include "support/temp_dir.h"
#include "support/unattended_writer.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;

constexpr double kWrittenTolerance = 0.0006;  // mm: three decimals written, and the float a record holds

std::vector<ToolpathRecord> All(ToolpathDatabase& db) {
  std::vector<ToolpathRecord> records;
  for (int i = 0; i < db.recordCount; ++i) records.push_back(*db.RecordAt(i));
  return records;
}

// The records without a rapid record that repeats the position before it: the traverse that
// the rebuilt rapid moves put above an approach point already at the rapid height moves
// nowhere, and the writer leaves it out.
std::vector<ToolpathRecord> Moves(ToolpathDatabase& db) {
  std::vector<ToolpathRecord> moves;
  for (const ToolpathRecord& r : All(db)) {
    const bool repeats = !moves.empty() && IsRapidKind(r.kind) && r.x == moves.back().x && r.y == moves.back().y &&
                         r.z == moves.back().z;
    if (!repeats) moves.push_back(r);
  }
  return moves;
}

void ExpectSameRecords(const std::vector<ToolpathRecord>& made, const std::vector<ToolpathRecord>& read,
                       const std::string& what) {
  ASSERT_EQ(read.size(), made.size()) << what;
  for (std::size_t i = 0; i < made.size(); ++i) {
    const ToolpathRecord& a = made[i];
    const ToolpathRecord& b = read[i];
    SCOPED_TRACE(what + ", record " + std::to_string(i) + ": " + test::Describe(a) + " read as " + test::Describe(b));
    ASSERT_EQ(b.kind, a.kind);
    ASSERT_NEAR(b.x, a.x, kWrittenTolerance);
    ASSERT_NEAR(b.y, a.y, kWrittenTolerance);
    ASSERT_NEAR(b.z, a.z, kWrittenTolerance);
    if (IsCuttingKind(a.kind)) {
      ASSERT_EQ(b.feed, a.feed);
    }
  }
}

TEST(RingRoundTrip, WrittenConvertedAndReadBackTheProgramsHoldTheirRecordsAndPassTheCheck) {
  struct Case {
    std::string what;
    std::function<void(ToolpathDatabase&)> make;
    bool rebuildsRapids = false;  // a generator's records are all moves
  };
  const RingParams ring{.centreX = 12.5, .centreY = -40, .cuttingZ = -3, .stepover = 4, .outerDiameter = 120,
                        .innerDiameter = 30};
  const Case cases[] = {
      {"radial", [&](ToolpathDatabase& db) { EXPECT_EQ(GenerateRadial(db, ring), EditOutcome::Changed); }},
      {"spiral", [&](ToolpathDatabase& db) { EXPECT_EQ(GenerateSpiral(db, ring), EditOutcome::Changed); }},
      {"spiral from the centre",
       [](ToolpathDatabase& db) { EXPECT_EQ(GenerateSpiral(db, {.stepover = 3, .outerDiameter = 50}), EditOutcome::Changed); }},
      {"spaced radial",
       [&](ToolpathDatabase& db) {
         EXPECT_EQ(GenerateRadial(db, {.centreX = 12.5, .centreY = -40, .cuttingZ = -3, .stepover = 1}),
                   EditOutcome::Changed);
         EXPECT_EQ(SpaceRadialPaths(db, {.centreX = 12.5, .centreY = -40}), EditOutcome::Changed);
       },
       true},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    ToolpathDatabase made;
    made.safeZ = 30;
    made.workFeed = 1200;
    c.make(made);
    const fs::path written = dir / "made.nc";
    const fs::path converted = dir / "converted.nc";
    NcOutputOptions output;
    test::WriteUnattendedTo(output, written);
    std::ostringstream messages;
    BatchPrompts prompts(messages, true);
    ASSERT_TRUE(WriteNcProgram(made, output, prompts).ok()) << c.what << ": " << messages.str();

    const test::BatchRun check = test::Batch({"check", written.string()});
    EXPECT_EQ(check.status, 0) << c.what << ": " << check.out << check.err;
    const test::BatchRun convert = test::Batch({"convert", written.string(), "-o", converted.string()});
    ASSERT_EQ(convert.status, 0) << c.what << ": " << convert.err;

    const BatchStreams streams{messages, messages, false};
    LoadedProgram read = LoadProgram(converted.string(), ReaderOptions(BatchArguments{}, messages), streams);
    ASSERT_TRUE(read.result.ok()) << c.what << ": " << messages.str();
    const std::vector<ToolpathRecord> moves = Moves(made);
    if (!c.rebuildsRapids) {
      EXPECT_EQ(static_cast<int>(moves.size()), made.recordCount) << c.what;
    }
    ExpectSameRecords(moves, All(*read.db), c.what);
  }
}

}  // namespace
}  // namespace fendo
