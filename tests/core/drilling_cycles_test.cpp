#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "toolpath_text.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;
using test::Read;
using Lines = std::vector<std::string>;

// Each program starts from a rapid to X0 Y0 Z10 (the initial level 10) unless it says otherwise;
// the records ("kind x y z feed") are the moves a controller makes, worked out by hand:
// kinds 1 RapidStart, 2 Rapid, 3 FeedStart, 4 Feed.
constexpr const char* kStart = "G00 X0 Y0 Z10\n";
const char* const kStartRecord = "1 0 0 10 0";

struct CycleCase {
  const char* what;
  const char* cycle;  // the blocks after kStart
  Lines holes;        // the records after kStartRecord
};

class DrillingCycles : public testing::TestWithParam<CycleCase> {};

TEST_P(DrillingCycles, ExpandIntoTheControllersMoves) {
  Lines expected{kStartRecord};
  expected.insert(expected.end(), GetParam().holes.begin(), GetParam().holes.end());
  EXPECT_EQ(Read(std::string(kStart) + GetParam().cycle), expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Absolute, DrillingCycles, testing::Values(
  CycleCase{"G81 G98: each hole returns to the initial level",
    "G90 G98 G81 X10 Y20 Z-5 R2 F100\nX30\nG80\n",
    {"2 10 20 10 100", "2 10 20 2 100", "3 10 20 -5 100", "1 10 20 10 100",
     "2 30 20 10 100", "2 30 20 2 100", "3 30 20 -5 100", "1 30 20 10 100"}},
  CycleCase{"G81 G99: each hole returns to the R plane and travels there",
    "G99 G81 X10 Y20 Z-5 R2 F100\nX30\n",
    {"2 10 20 10 100", "2 10 20 2 100", "3 10 20 -5 100", "1 10 20 2 100",
     "2 30 20 2 100", "3 30 20 -5 100", "1 30 20 2 100"}},
  CycleCase{"G82: the dwell is not a move",
    "G99 G82 X10 Y20 Z-5 R2 P500 F100\n",
    {"2 10 20 10 100", "2 10 20 2 100", "3 10 20 -5 100", "1 10 20 2 100"}},
  CycleCase{"G83: pecks of Q, back to R after each and down again to 0.1 above the depth reached",
    "G83 X5 Z-5 R1 Q2.5 F50\n",
    {"2 5 0 10 50", "2 5 0 1 50", "3 5 0 -1.5 50", "1 5 0 1 50", "2 5 0 -1.4 50", "3 5 0 -4 50",
     "1 5 0 1 50", "2 5 0 -3.9 50", "3 5 0 -5 50", "1 5 0 10 50"}},
  CycleCase{"G73: pecks of Q, backing off 0.1 after each",
    "G99 G73 X5 Z-5 R1 Q2.5 F50\n",
    {"2 5 0 10 50", "2 5 0 1 50", "3 5 0 -1.5 50", "1 5 0 -1.4 50", "3 5 0 -4 50", "1 5 0 -3.9 50",
     "3 5 0 -5 50", "1 5 0 1 50"}},
  CycleCase{"G85 G98: feed out to R, then rapid to the initial level",
    "G85 X5 Z-5 R1 F50\n",
    {"2 5 0 10 50", "2 5 0 1 50", "3 5 0 -5 50", "4 5 0 1 50", "1 5 0 10 50"}},
  CycleCase{"G85 G99: feed out to R and stay there",
    "G99 G85 X5 Z-5 R1 F50\nX8\n",
    {"2 5 0 10 50", "2 5 0 1 50", "3 5 0 -5 50", "4 5 0 1 50", "1 8 0 1 50", "3 8 0 -5 50", "4 8 0 1 50"}},
  CycleCase{"G84 and G74 tap in and out at the feed",
    "G99 G84 X5 Z-5 R1 F50\nG74 X8\n",
    {"2 5 0 10 50", "2 5 0 1 50", "3 5 0 -5 50", "4 5 0 1 50", "1 8 0 1 50", "3 8 0 -5 50", "4 8 0 1 50"}},
  CycleCase{"G86: rapid out",
    "G86 X5 Z-5 R1 F50\n",
    {"2 5 0 10 50", "2 5 0 1 50", "3 5 0 -5 50", "1 5 0 10 50"}},
  CycleCase{"G87: down to the R plane below the hole, feed up to Z, out to the initial level",
    "G99 G87 X5 Z-2 R-8 F50\n",
    {"2 5 0 10 50", "2 5 0 -8 50", "3 5 0 -2 50", "1 5 0 10 50"}},
  CycleCase{"K repeats the hole in place",
    "G99 G81 X5 Z-1 R1 K2 F50\n",
    {"2 5 0 10 50", "2 5 0 1 50", "3 5 0 -1 50", "1 5 0 1 50", "3 5 0 -1 50", "1 5 0 1 50"}},
  CycleCase{"R, Z and Q stay in force; a new Z and a G99 apply from their block on",
    "G83 X5 Z-2 R1 Q3 F50\nG99 X7 Z-4\nY1\n",
    {"2 5 0 10 50", "2 5 0 1 50", "3 5 0 -2 50", "1 5 0 10 50",
     "2 7 0 10 50", "2 7 0 1 50", "3 7 0 -2 50", "1 7 0 1 50", "2 7 0 -1.9 50", "3 7 0 -4 50", "1 7 0 1 50",
     "2 7 1 1 50", "3 7 1 -2 50", "1 7 1 1 50", "2 7 1 -1.9 50", "3 7 1 -4 50", "1 7 1 1 50"}},
  CycleCase{"a block without an axis word or R drills nothing, nor does K0",
    "G99 G81 X5 Z-1 R1 F50\nM08\nX6 K0\nX7\n",
    {"2 5 0 10 50", "2 5 0 1 50", "3 5 0 -1 50", "1 5 0 1 50", "2 7 0 1 50", "3 7 0 -1 50", "1 7 0 1 50"}}));

INSTANTIATE_TEST_SUITE_P(Incremental, DrillingCycles, testing::Values(
  CycleCase{"G91 G81 G99 K3: R from the initial level, Z from R, a hole every increment",
    "G91 G99 G81 X10 Z-6 R-8 K3 F80\n",
    {"2 10 0 10 80", "2 10 0 2 80", "3 10 0 -4 80", "1 10 0 2 80", "2 20 0 2 80", "3 20 0 -4 80",
     "1 20 0 2 80", "2 30 0 2 80", "3 30 0 -4 80", "1 30 0 2 80"}},
  CycleCase{"G91 G81 G98 L2: back to the initial level between the holes",
    "G91 G98 G81 X10 Z-6 R-8 L2 F80\n",
    {"2 10 0 10 80", "2 10 0 2 80", "3 10 0 -4 80", "1 10 0 10 80",
     "2 20 0 10 80", "2 20 0 2 80", "3 20 0 -4 80", "1 20 0 10 80"}},
  CycleCase{"G91 G82: the initial level stays where the cycle began",
    "G91 G82 X5 Y5 Z-3 R-9 P200 F80\nX5\n",
    {"2 5 5 10 80", "2 5 5 1 80", "3 5 5 -2 80", "1 5 5 10 80",
     "2 10 5 10 80", "2 10 5 1 80", "3 10 5 -2 80", "1 10 5 10 80"}},
  CycleCase{"G91 G83 G98",
    "G91 G83 X5 Z-4 R-8 Q2 F50\n",
    {"2 5 0 10 50", "2 5 0 2 50", "3 5 0 0 50", "1 5 0 2 50", "2 5 0 0.1 50", "3 5 0 -2 50",
     "1 5 0 10 50"}},
  CycleCase{"G91 G73 G99 K2",
    "G91 G99 G73 X5 Z-4 R-8 Q3 K2 F50\n",
    {"2 5 0 10 50", "2 5 0 2 50", "3 5 0 -1 50", "1 5 0 -0.9 50", "3 5 0 -2 50", "1 5 0 2 50",
     "2 10 0 2 50", "3 10 0 -1 50", "1 10 0 -0.9 50", "3 10 0 -2 50", "1 10 0 2 50"}},
  CycleCase{"G91 G85 G99 and G86 G98",
    "G91 G99 G85 X5 Z-4 R-8 F50\nG98 G86 X5\n",
    {"2 5 0 10 50", "2 5 0 2 50", "3 5 0 -2 50", "4 5 0 2 50",
     "1 10 0 2 50", "3 10 0 -2 50", "1 10 0 10 50"}},
  CycleCase{"a G90 in the cycle reads the later positions absolute and keeps the levels",
    "G91 G81 X5 Z-4 R-8 F50\nG90 X1\n",
    {"2 5 0 10 50", "2 5 0 2 50", "3 5 0 -2 50", "1 5 0 10 50",
     "2 1 0 10 50", "2 1 0 2 50", "3 1 0 -2 50", "1 1 0 10 50"}}));

INSTANTIATE_TEST_SUITE_P(Ending, DrillingCycles, testing::Values(
  CycleCase{"G80 ends the cycle; the rapid mode in force before it carries on",
    "G81 X5 Z-1 R1 F50\nG80\nX9\n",
    {"2 5 0 10 50", "2 5 0 1 50", "3 5 0 -1 50", "1 5 0 10 50", "2 9 0 10 50"}},
  CycleCase{"G01 ends the cycle and moves",
    "G81 X5 Z-1 R1 F50\nG01 X9 Z5\nX12\n",
    {"2 5 0 10 50", "2 5 0 1 50", "3 5 0 -1 50", "1 5 0 10 50", "3 9 0 5 50", "4 12 0 5 50"}},
  CycleCase{"after G80 the levels are gone: a new cycle without a depth drills nothing",
    "G81 X5 Z-1 R1 F50\nG80\nG81 X9 R1\nG00 X0\n",
    {"2 5 0 10 50", "2 5 0 1 50", "3 5 0 -1 50", "1 5 0 10 50", "1 0 0 10 50"}},
  CycleCase{"a tool below the R plane rises to it before it travels",
    "G00 Z0\nG81 X5 Z-3 R2 F50\n",
    {"1 0 0 0 0", "2 0 0 2 50", "2 5 0 2 50", "3 5 0 -3 50", "1 5 0 2 50"}},
  CycleCase{"in G18 the hole runs along Y",
    "G18 G00 Y10\nG99 G81 X5 Z3 Y-5 R1 F50\n",
    {"1 0 10 10 0", "2 5 10 3 50", "2 5 1 3 50", "3 5 -5 3 50", "1 5 1 3 50"}}));

TEST(DrillingCycleCounts, ExpandedBlocksAndHolesAndCyclesWithoutDepth) {
  ToolpathDatabase db;
  const LoadResult result =
      AppendText(db, "G00 X0 Y0 Z10\nG91 G81 X5 Z-3 R-8 K4 F50\nG90 X0\nG80\nG83 X1 R2 Q1\nX2\nG80\n");
  EXPECT_EQ(result.drillingCycleBlocks, 2);
  EXPECT_EQ(result.drillingCycleHoles, 5);
  EXPECT_EQ(result.skippedLines, 2);  // the G83 blocks: a cycle without a depth is not guessed at
}

TEST(DrillingCycleCounts, PecksBeyondTheWorkBufferStopTheReadingAtTheRecordLimit) {
  ToolpathDatabase db;
  const LoadResult result = AppendText(db, "G00 X0 Y0 Z10\nG83 X5 Z-100 R1 Q0.00000001 F50\nX9\n");
  EXPECT_EQ(result.status, LoadStatus::RecordLimit);
  EXPECT_EQ(result.lines, 2);
}

TEST(DrillingCycleCounts, AnAddedProgramStartsWithoutTheCycleOfTheOneBefore) {
  ToolpathDatabase db;
  AppendText(db, "G00 X0 Y0 Z10\nG81 X5 Z-1 R1 F50\n");
  const LoadResult added = AppendText(db, "X9\n");
  EXPECT_EQ(added.drillingCycleBlocks, 0);
  EXPECT_EQ(test::Describe(*db.RecordAt(db.recordCount - 1)), "2 9 0 10 50");
}

fs::path CorpusDir() {
  const char* configured = std::getenv("FENDO_CORPUS_DIR");
  return configured && *configured ? fs::path(configured) : fs::path(FENDO_CORPUS_DIR);
}

// The corpus's cycle programs (R plane at Z2) drill every hole and never rapid into the part:
// below the R plane a rapid move only goes back down into the hole it has drilled, short of the
// depth reached.
TEST(DrillingCycleCorpus, NoRapidMoveEndsInUncutMaterial) {
  if (!fs::exists(CorpusDir())) GTEST_SKIP() << "no corpus at " << CorpusDir();
  struct Program {
    const char* name;
    float bottom;  // mm
  };
  constexpr float kRPlane = 2;
  for (const Program program : {Program{"egp_g81_g91.nc", -118}, Program{"egp_g83.nc", -20}}) {
    ToolpathDatabase db;
    const LoadResult result = LoadFile(db, CorpusDir() / "iso" / program.name);
    ASSERT_TRUE(result.ok()) << program.name;
    EXPECT_EQ(result.drillingCycleHoles, 12) << program.name;
    std::map<std::pair<float, float>, float> drilledTo;  // the depth reached at each hole
    int bottoms = 0;
    Point3 last;
    for (int i = 1; i < db.recordCount; ++i) {
      const ToolpathRecord& r = *db.RecordAt(i);
      const std::pair<float, float> hole{r.x, r.y};
      if (IsRapidKind(r.kind) && r.z < kRPlane) {
        ASSERT_TRUE(drilledTo.contains(hole)) << program.name << " record " << i;
        EXPECT_GT(r.z, drilledTo[hole]) << program.name << " record " << i;
      }
      if (IsLinearFeedKind(r.kind)) {
        EXPECT_EQ(PositionOf(r).x, last.x) << program.name << " record " << i;
        EXPECT_EQ(PositionOf(r).y, last.y) << program.name << " record " << i;
        drilledTo[hole] = drilledTo.contains(hole) ? std::min(drilledTo[hole], r.z) : r.z;
      }
      bottoms += r.z == program.bottom;
      last = PositionOf(r);
    }
    EXPECT_EQ(bottoms, 12) << program.name;
  }
}

}  // namespace
}  // namespace fendo
