// The radial and spiral patterns: the spokes and turns they make, where they start, how they
// join the program already there, and the rings they refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/angle_units.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "generate/ring_patterns.h"

namespace fendo {
namespace {

using K = MoveKind;
using test::Describe;
using test::Records;

constexpr double kFloatTolerance = 0.0001;  // mm, a coordinate as a record holds it

std::vector<ToolpathRecord> All(ToolpathDatabase& db) {
  std::vector<ToolpathRecord> records;
  for (int i = 0; i < db.recordCount; ++i) records.push_back(*db.RecordAt(i));
  return records;
}

double Radius(const ToolpathRecord& r, double cx = 0, double cy = 0) { return std::hypot(r.x - cx, r.y - cy); }
double AngleOf(const ToolpathRecord& r) {
  const double a = std::atan2(double{r.y}, double{r.x}) * kDegreesPerRadian;
  return a < 0 ? a + 360 : a;
}

TEST(GenerateRadial, MakesThirtyTwoSpokesForOuterDiameterHundredAtStepoverTen) {
  ToolpathDatabase db;
  db.safeZ = 50;
  db.workFeed = 800;
  ASSERT_EQ(GenerateRadial(db, {.cuttingZ = -2, .innerDiameter = 20}), EditOutcome::Changed);
  // e = 2π·50 / 10 = 31.4…: spokes i = 0 … 31, 360 / e = 11.459° apart.
  const std::vector<ToolpathRecord> records = All(db);
  ASSERT_EQ(records.size(), 1u + 4 * 32);
  EXPECT_EQ(Describe(records[0]), "1 0 0 50 800");
  const double step = 360 / (kRadiansPerDegree * 360 * 50 / 10);
  EXPECT_NEAR(step, 11.459, 0.001);
  for (int i = 0; i < 32; ++i) {
    const ToolpathRecord* spoke = &records[1 + 4 * i];
    SCOPED_TRACE("spoke " + std::to_string(i));
    const K kinds[] = {K::Rapid, K::FeedStart, K::Feed, K::RapidStart};
    const double heights[] = {50, -2, -2, 50};
    const double radii[] = {50, 50, 10, 10};
    for (int r = 0; r < 4; ++r) {
      EXPECT_EQ(spoke[r].kind, kinds[r]);
      EXPECT_EQ(spoke[r].z, heights[r]);
      EXPECT_NEAR(Radius(spoke[r]), radii[r], kFloatTolerance);
      EXPECT_NEAR(AngleOf(spoke[r]), i * step, 0.0001);
      EXPECT_EQ(spoke[r].feed, 800);
    }
    // Each spoke is entered straight down from above its outer end.
    EXPECT_EQ(spoke[0].x, spoke[1].x);
    EXPECT_EQ(spoke[0].y, spoke[1].y);
  }
}

TEST(GenerateRadial, AppendsBehindTheProgramWithOneUndoStep) {
  ToolpathDatabase db;
  AppendText(db, "G00 X0 Y0 Z50\nG01 Z-1 F100\nG01 X10\nG00 Z50\n");
  const std::vector<std::string> before = Records(db);
  const RingParams params{.centreX = 100, .centreY = -50, .stepover = 20, .outerDiameter = 40};
  ASSERT_EQ(GenerateRadial(db, params), EditOutcome::Changed);
  const std::vector<std::string> after = Records(db);
  ASSERT_EQ(after.size(), before.size() + 1 + 4 * 7);  // e = 2π·20 / 20 = 6.28: seven spokes
  EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + before.size()), before);
  EXPECT_EQ(after[before.size()], "1 100 -50 100 300");
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(Records(db), before);
  EXPECT_FALSE(db.Snapshot(SnapshotMode::Undo));
}

// The spiral's feed records: the cut from the plunge on, as radii and angles around the centre.
struct SpiralPoint {
  double radius;
  double angle;  // degrees, 0 … 360
};
std::vector<SpiralPoint> SpiralCut(ToolpathDatabase& db, double cx, double cy) {
  std::vector<SpiralPoint> cut;
  for (const ToolpathRecord& r : All(db)) {
    if (!IsLinearFeedKind(r.kind)) continue;
    double a = std::atan2(r.y - cy, r.x - cx) * kDegreesPerRadian;
    cut.push_back({Radius(r, cx, cy), a < 0 ? a + 360 : a});
  }
  return cut;
}

// Where the cut passes +X again: the index of each point whose angle is smaller than the one
// before it (a new turn or circle starts there).
std::vector<std::size_t> TurnStarts(const std::vector<SpiralPoint>& cut) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 1; i < cut.size(); ++i) {
    if (cut[i].angle < cut[i - 1].angle - 180) starts.push_back(i);
  }
  return starts;
}

TEST(GenerateSpiral, WithoutInnerCirclePlungesAtTheCentreAndSpiralsOutFromATenthOfAMillimetre) {
  ToolpathDatabase db;
  db.safeZ = 50;
  ASSERT_EQ(GenerateSpiral(db, {.centreX = 30, .centreY = -20, .cuttingZ = -1}), EditOutcome::Changed);
  const std::vector<ToolpathRecord> records = All(db);
  // The start is above the spiral's centre, not above the machine's origin.
  EXPECT_EQ(Describe(records[0]), "1 30 -20 50 300");
  EXPECT_EQ(Describe(records[1]), "3 30 -20 -1 300");
  EXPECT_EQ(records.back().kind, K::RapidStart);
  EXPECT_EQ(records.back().z, 50);
  const std::vector<SpiralPoint> cut = SpiralCut(db, 30, -20);
  // The first point out: 0.1 mm and one share of the radial step w = 10, angle 0.
  const double step = std::acos(0.099 / 0.1) * kDegreesPerRadian;
  EXPECT_NEAR(cut[1].radius, 0.1 + 10 / (360 / step), kFloatTolerance);
  EXPECT_NEAR(cut[1].angle, 0, 1e-6);
  // Span 50 at stepover 10: five turns, each starting one w further out; then the circle at
  // the outer radius.
  const std::vector<std::size_t> starts = TurnStarts(cut);
  ASSERT_EQ(starts.size(), 5u);
  for (std::size_t j = 0; j < 4; ++j) EXPECT_NEAR(cut[starts[j]].radius, 0.1 + 10 * (j + 1), 0.05) << j;
  for (std::size_t i = starts[4]; i < cut.size(); ++i) EXPECT_NEAR(cut[i].radius, 50, kFloatTolerance);
  // Along each turn the radius only grows.
  for (std::size_t i = 2; i < starts[4]; ++i) {
    if (std::find(starts.begin(), starts.end(), i) == starts.end()) {
      EXPECT_GT(cut[i].radius, cut[i - 1].radius) << i;
    }
  }
}

TEST(GenerateSpiral, WithInnerCircleCutsItFirstAndDividesTheSpanIntoEqualTurns) {
  ToolpathDatabase db;
  db.safeZ = 25;
  // Span 45 − 5 = 40 at stepover 15: 2.67, so three turns of w = 13.33.
  ASSERT_EQ(GenerateSpiral(db, {.stepover = 15, .outerDiameter = 90, .innerDiameter = 10}), EditOutcome::Changed);
  const std::vector<ToolpathRecord> records = All(db);
  EXPECT_EQ(Describe(records[0]), "1 0 0 25 300");
  EXPECT_EQ(Describe(records[1]), "2 5 0 25 300");
  EXPECT_EQ(Describe(records[2]), "3 5 0 0 300");
  const std::vector<SpiralPoint> cut = SpiralCut(db, 0, 0);
  const std::vector<std::size_t> starts = TurnStarts(cut);
  ASSERT_EQ(starts.size(), 4u);  // three turns and the outer circle after the inner circle
  for (std::size_t i = 0; i < starts[0]; ++i) EXPECT_NEAR(cut[i].radius, 5, kFloatTolerance);
  for (std::size_t j = 1; j < 3; ++j) EXPECT_NEAR(cut[starts[j]].radius, 5 + 40.0 / 3 * j, 0.05) << j;
  // Each circle's points are the chord tolerance's angular step apart.
  const double outerStep = std::acos((45 - 0.001) / 45) * kDegreesPerRadian;
  EXPECT_NEAR(cut[starts[3] + 1].angle - cut[starts[3]].angle, outerStep, 1e-4);
  EXPECT_EQ(cut.size() - starts[3], static_cast<std::size_t>(std::floor(360 / outerStep)) + 1);
}

TEST(RingPatterns, RefuseRingsTheyCannotMakeAndChangeNothing) {
  struct Case {
    const char* what;
    RingParams params;
    EditOutcome outcome;
  };
  const Case cases[] = {
      {"outer equal to inner", {.outerDiameter = 40, .innerDiameter = 40}, EditOutcome::Unchanged},
      {"outer inside inner", {.outerDiameter = 20, .innerDiameter = 40}, EditOutcome::Unchanged},
      {"no outer circle", {.outerDiameter = 0}, EditOutcome::Unchanged},
      {"stepover below its range", {.stepover = 0.001}, EditOutcome::Refused},
      {"outer diameter above its range", {.outerDiameter = 20000}, EditOutcome::Refused},
      {"negative inner diameter", {.innerDiameter = -10}, EditOutcome::Refused},
      {"beyond the coordinates a record holds", {.centreX = 30000, .outerDiameter = 10000}, EditOutcome::Refused},
      {"centre not a number", {.centreY = std::nan("")}, EditOutcome::Refused},
      {"past the record limit", {.stepover = 0.01, .outerDiameter = 10000}, EditOutcome::NoRoom},
  };
  for (const Case& c : cases) {
    for (auto generate : {&GenerateRadial, &GenerateSpiral}) {
      if (generate == &GenerateRadial && c.outcome == EditOutcome::NoRoom) continue;  // 12.6 M records: it fits
      ToolpathDatabase db;
      AppendText(db, "G00 X0 Y0 Z50\nG01 Z-1 F100\nG01 X10\n");
      const std::vector<std::string> before = Records(db);
      EXPECT_EQ(generate(db, c.params), c.outcome) << c.what;
      EXPECT_EQ(Records(db), before) << c.what;
      EXPECT_FALSE(db.Snapshot(SnapshotMode::Undo)) << c.what << ": no undo step";
    }
  }
}

}  // namespace
}  // namespace fendo
