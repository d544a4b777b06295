#include "feed/motion_planner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "core/statistics.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "edit/edit_programs.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

constexpr double kSeconds = 1.0 / 60;  // min
constexpr double kTolerance = 1e-6;    // min

// A move that starts and ends at rest and reaches its top speed v runs L/v, plus v/a for the
// two ramps (each takes v/a and covers v²/2a, half of what cruising would take for that time).
double RestToRestSeconds(double length, double v, double acceleration) { return length / v + v / acceleration; }

TEST(MotionPlanner, ALongLineTakesLengthOverFeedPlusItsRamps) {
  const MachineDynamics machine;
  struct Case {
    K kind;
    int feed;          // mm/min
    double topSpeed;   // mm/s
  };
  for (const Case& c : {Case{K::FeedStart, 1200, 20.0}, Case{K::FeedStart, 6000, 100.0}, Case{K::Rapid, 0, 400.0}}) {
    ToolpathDatabase db;
    Fill(db, {Rec(K::RapidStart, 0, 0, 0), Rec(c.kind, 1000, 0, 0, c.feed)});
    const DynamicTime time = PlanMotion(db, machine);
    const double expected = RestToRestSeconds(1000, c.topSpeed, machine.acceleration) * kSeconds;
    EXPECT_NEAR(IsRapidKind(c.kind) ? time.rapid : time.cutting, expected, kTolerance) << MoveKindName(c.kind);
    EXPECT_EQ(IsRapidKind(c.kind) ? time.cutting : time.rapid, 0);
  }
}

TEST(MotionPlanner, ManyShortMovesApproachTheBlockRate) {
  const MachineDynamics machine;
  constexpr int kMoves = 2000;
  constexpr float kStep = 0.05f;  // mm, in a straight line: 3 ms at F1000, less than a block takes
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, 0)};
  for (int k = 1; k <= kMoves; ++k) records.push_back(Rec(K::Feed, kStep * k, 0, 0, 1000));
  ToolpathDatabase db;
  Fill(db, records);
  const double blockLimited = kMoves * machine.blockTime * kSeconds;
  const double cutting = PlanMotion(db, machine).cutting;
  EXPECT_GE(cutting, blockLimited - kTolerance);
  EXPECT_LT(cutting, blockLimited * 1.02);
  EXPECT_GT(cutting, MeasureStatistics(db).cuttingTime * 1.2) << "the block rate, not the feed, sets the time";
}

TEST(MotionPlanner, ArcsRunNoFasterThanTheirCentripetalLimit) {
  MachineDynamics machine;
  machine.blockTime = 0;
  struct Case {
    float radius;      // mm
    int feed;          // mm/min
    double topSpeed;   // mm/s: √(a·r) when that is below the feed
  };
  for (const Case& c : {Case{1, 6000, std::sqrt(2000.0)}, Case{0.5f, 1200, 20.0}, Case{100, 6000, 100.0},
                        Case{10, 12000, std::sqrt(20000.0)}}) {
    ToolpathDatabase db;
    Fill(db, {Rec(K::RapidStart, 0, 0, 0), Rec(K::ArcCw, 2 * c.radius, 0, 0, c.feed), Rec(K::CentreXY, c.radius, 0, 0)});
    const double length = std::numbers::pi * c.radius;
    EXPECT_NEAR(PlanMotion(db, machine).cutting, RestToRestSeconds(length, c.topSpeed, machine.acceleration) * kSeconds,
                kTolerance)
        << "radius " << c.radius << " F" << c.feed;
  }
}

TEST(MotionPlanner, ATangentArcKeepsTheSpeedAndASharpCornerLosesIt) {
  MachineDynamics machine;
  machine.blockTime = 0;
  // A line along +X into a counter-clockwise half circle about (100, 10) that leaves it
  // tangent, and the same line into a line turning straight back.
  ToolpathDatabase tangent;
  Fill(tangent, {Rec(K::RapidStart, 0, 0, 0), Rec(K::FeedStart, 100, 0, 0, 1200), Rec(K::ArcCcw, 100, 20, 0, 1200),
                 Rec(K::CentreXY, 0, 10, 0)});
  const double length = 100 + std::numbers::pi * 10;
  EXPECT_NEAR(PlanMotion(tangent, machine).cutting, RestToRestSeconds(length, 20, machine.acceleration) * kSeconds,
              kTolerance);
  ToolpathDatabase reversal;
  Fill(reversal, {Rec(K::RapidStart, 0, 0, 0), Rec(K::FeedStart, 100, 0, 0, 1200), Rec(K::Feed, 0, 0, 0, 1200)});
  EXPECT_NEAR(PlanMotion(reversal, machine).cutting, 2 * RestToRestSeconds(100, 20, machine.acceleration) * kSeconds,
              kTolerance);
}

TEST(MotionPlanner, AnInchProgramTakesAsLongAsTheSameProgramInMillimetres) {
  ToolpathDatabase inches;
  Fill(inches, {Rec(K::RapidStart, 0, 0, 0), Rec(K::Rapid, 4, 0, 0), Rec(K::FeedStart, 14, 0, 0, 50),
                Rec(K::Feed, 14, 0.01f, 0, 50)});
  ToolpathDatabase millimetres;
  Fill(millimetres, {Rec(K::RapidStart, 0, 0, 0), Rec(K::Rapid, 101.6f, 0, 0), Rec(K::FeedStart, 355.6f, 0, 0, 1270),
                     Rec(K::Feed, 355.6f, 0.254f, 0, 1270)});
  const DynamicTime inInches = PlanMotion(inches, InProgramUnit({}, 25.4));
  const DynamicTime inMillimetres = PlanMotion(millimetres);
  EXPECT_NEAR(inInches.cutting, inMillimetres.cutting, kTolerance);
  EXPECT_NEAR(inInches.rapid, inMillimetres.rapid, kTolerance);
}

TEST(MotionPlanner, NeverFasterThanTheSimpleEstimate) {
  const MachineDynamics machine;
  for (unsigned seed = 1; seed <= 30; ++seed) {
    ToolpathDatabase db;
    test::ReadRandomProgram(db, seed);
    const ToolpathStatistics simple = MeasureStatistics(db);
    const DynamicTime planned = PlanMotion(db, machine);
    EXPECT_GE(planned.cutting, simple.cuttingTime * (1 - 1e-6)) << "seed " << seed;
    EXPECT_GE(planned.rapid, simple.rapidLength / machine.rapidFeed * (1 - 1e-6)) << "seed " << seed;
  }
}

}  // namespace
}  // namespace fendo
