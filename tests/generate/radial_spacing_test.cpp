// Radial spacing: the trim radii of the spokes, the toolpath rewritten against them, and the
// inputs it leaves alone or refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/angle_units.h"
#include "core/progress.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "generate/radial_spacing.h"
#include "generate/ring_patterns.h"

namespace fendo {
namespace {

using test::Records;

constexpr double kPointTolerance = 0.001;  // mm, a crossing point as a record holds it

// The trim radius h / tan a with π as the spacing takes it.
double TrimAt(double h, double degrees) { return h / std::tan(degrees * kArcLengthPi / 180); }

TEST(SpokeTrims, ThreeHundredSixtySpokesOverAFullTurnAtSpacingTwo) {
  const SpacingSteps steps = SpacingStepsFor(RadialSpacingParams{}, 360);
  EXPECT_DOUBLE_EQ(steps.step, 1);
  EXPECT_DOUBLE_EQ(steps.halfSpacing, 1);
  EXPECT_NEAR(steps.lowestRadius, 1.732, 0.001);
  EXPECT_EQ(steps.historyCapacity, 30);
  SpokeTrims trims(steps);
  // The first spoke is never shortened.
  EXPECT_EQ(trims.Next(), 0);
  // The second stops where it is h from the first: its first candidate, 1 / tan 1° = 57.3.
  EXPECT_NEAR(trims.Next(), 57.29, 0.01);
  EXPECT_NEAR(trims.firstCandidate(), 57.29, 0.01);
  // The third's first candidate lies 1 from the second's trim point: it moves in to 1 / tan 2°,
  // h from the first spoke. The fourth stays clear at 57.3, h from the third.
  EXPECT_NEAR(trims.Next(), TrimAt(1, 2), 0.001);
  EXPECT_NEAR(trims.firstCandidate(), 57.29, 0.01);
  EXPECT_NEAR(trims.Next(), TrimAt(1, 1), 0.001);
  // The fifth is crowded at 57.3 and 28.6, clear at 19.1; it stops h from the first spoke.
  EXPECT_NEAR(trims.Next(), TrimAt(1, 4), 0.001);
  // Over the whole turn: after a full history a spoke runs to the centre again, and no trim
  // radius lies outside the first candidate.
  int toCentre = 0;
  for (int k = 5; k < 360; ++k) {
    const double r = trims.Next();
    toCentre += r == 0;
    EXPECT_LE(r, TrimAt(1, 1) + 1e-9) << k;
    EXPECT_GE(r, 0) << k;
  }
  EXPECT_GT(toCentre, 0);
}

TEST(SpokeTrims, SpokesThirtyDegreesApartRunToTheCentre) {
  SpokeTrims trims(SpacingStepsFor(RadialSpacingParams{.largeAngle = 360}, 12));
  for (int k = 0; k < 12; ++k) EXPECT_EQ(trims.Next(), 0) << k;
}

// A cut of the rewritten program, from the motion record before it.
struct Cut {
  ToolpathRecord from;
  ToolpathRecord to;
};
std::vector<Cut> Cuts(ToolpathDatabase& db) {
  std::vector<Cut> cuts;
  const ToolpathRecord* previous = nullptr;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord* r = db.RecordAt(i);
    if (!IsMotionKind(r->kind)) continue;
    if (IsCuttingKind(r->kind) && previous) cuts.push_back({*previous, *r});
    previous = r;
  }
  return cuts;
}

double Radius(const ToolpathRecord& r) { return std::hypot(double{r.x}, double{r.y}); }

// The point at `radius` and `radians` around the origin, at height z.
ToolpathRecord Point(double radius, double radians, float z) {
  return test::Rec(MoveKind::Feed, static_cast<float>(radius * std::cos(radians)),
                   static_cast<float>(radius * std::sin(radians)), z);
}

// The radial pattern of "방사선" over a ring around the origin, cut at Z −1, safeZ 50.
struct RadialProgram {
  RingParams ring;
  ToolpathDatabase db;
  int spokes = 0;

  explicit RadialProgram(const RingParams& params) : ring(params) {
    db.safeZ = 50;
    EXPECT_EQ(GenerateRadial(db, ring), EditOutcome::Changed);
    for (int i = 0; i < db.recordCount; ++i) spokes += db.RecordAt(i)->kind == MoveKind::FeedStart;
  }
  double Angle(int k) const { return 360.0 * k / (kRadiansPerDegree * 360 * ring.outerDiameter / 2 / ring.stepover); }
};

TEST(SpaceRadialPaths, EachSpokeIsCutFromItsOuterEndInToItsTrimRadius) {
  RadialProgram program({.cuttingZ = -1, .stepover = 2, .outerDiameter = 200, .innerDiameter = 40});
  ASSERT_EQ(program.spokes, 315);  // e = 2π·100 / 2 = 314.2
  const RadialSpacingParams params;
  ASSERT_EQ(SpaceRadialPaths(program.db, params), EditOutcome::Changed);

  SpokeTrims trims(SpacingStepsFor(params, program.spokes));
  std::vector<Cut> expected;
  for (int k = 0; k < program.spokes; ++k) {
    const double a = program.Angle(k) * kRadiansPerDegree;
    const double end = std::max(trims.Next(), 20.0);
    if (end >= 100) continue;  // the whole spoke lies inside its trim circle
    // The plunge straight down at the outer end, at feed, then the cut in.
    expected.push_back({Point(100, a, 50), Point(100, a, -1)});
    expected.push_back({Point(100, a, -1), Point(end, a, -1)});
  }
  const std::vector<Cut> cuts = Cuts(program.db);
  ASSERT_EQ(cuts.size(), expected.size());
  int untouched = 0;
  for (std::size_t i = 0; i < cuts.size(); ++i) {
    SCOPED_TRACE("cut " + std::to_string(i));
    // A spoke is entered straight down at its outer end, never along a slope from the rapid
    // height.
    for (const auto& [got, want] : {std::pair{cuts[i].from, expected[i].from}, std::pair{cuts[i].to, expected[i].to}}) {
      EXPECT_NEAR(got.x, want.x, kPointTolerance);
      EXPECT_NEAR(got.y, want.y, kPointTolerance);
      EXPECT_EQ(got.z, want.z);
    }
    EXPECT_EQ(cuts[i].to.kind, i % 2 == 0 ? MoveKind::FeedStart : MoveKind::Feed);
    untouched += i % 2 == 1 && std::abs(Radius(cuts[i].to) - 20) < kPointTolerance;
  }
  EXPECT_NEAR(cuts[1].to.x, 20, kPointTolerance);  // the first spoke, untouched
  EXPECT_GT(untouched, 1);
  EXPECT_LT(untouched, static_cast<int>(cuts.size()) / 2);
  // One undo step gives the pattern back.
  ASSERT_TRUE(program.db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(Cuts(program.db).size(), 2 * static_cast<std::size_t>(program.spokes));
  EXPECT_FALSE(program.db.Snapshot(SnapshotMode::Undo));
}

TEST(SpaceRadialPaths, APathReachedByOneRapidMoveDoesNotCutTheEndOfThePathBeforeAgain) {
  // Spokes of 10 mm to the centre, each retracting by one rapid move straight to above the next
  // spoke's outer end: the record two before each plunge is the end of the spoke before.
  std::string nc = "G00 X0 Y0 Z50\n";
  char line[96];
  for (int k = 0; k < 90; ++k) {
    const double a = k * 4 * kRadiansPerDegree;
    std::snprintf(line, sizeof line, "G00 X%.4f Y%.4f Z50\nG01 Z-1 F200\nG01 X0 Y0\n", 10 * std::cos(a),
                  10 * std::sin(a));
    nc += line;
  }
  ToolpathDatabase db;
  db.safeZ = 50;
  AppendText(db, nc);
  const RadialSpacingParams params{.minimumSpacing = 0.5};
  ASSERT_EQ(SpaceRadialPaths(db, params), EditOutcome::Changed);
  SpokeTrims trims(SpacingStepsFor(params, 90));
  std::vector<double> trim;
  for (int k = 0; k < 90; ++k) trim.push_back(trims.Next());
  // Each cut runs along its own spoke, from 10 mm in to no nearer the centre than its trim.
  for (const Cut& cut : Cuts(db)) {
    if (cut.from.z != cut.to.z) continue;  // the plunge
    double a = std::atan2(double{cut.from.y}, double{cut.from.x}) / kRadiansPerDegree;
    const int k = static_cast<int>(std::lround((a < 0 ? a + 360 : a) / 4)) % 90;
    EXPECT_NEAR(Radius(cut.from), 10, kPointTolerance) << k;
    EXPECT_NEAR(Radius(cut.to), std::min(trim[k], 10.0), kPointTolerance) << k;
  }
}

class RecordedProgress : public Progress {
 public:
  std::vector<std::string> texts;
  void Report(std::string_view text, std::int64_t, std::int64_t) override { texts.emplace_back(text); }
};

TEST(SpaceRadialPaths, ReportsEveryHundredAndOneSpokes) {
  RadialProgram program({.stepover = 2, .outerDiameter = 200});
  RecordedProgress progress;
  ASSERT_EQ(SpaceRadialPaths(program.db, {}, &progress), EditOutcome::Changed);
  EXPECT_EQ(progress.texts, (std::vector<std::string>{"0.00", "32.06", "64.13", "96.19"}));
}

TEST(SpaceRadialPaths, LeavesAToolpathWithoutSpokesOrWithRefusedValuesAsItWas) {
  struct Case {
    const char* what;
    const char* program;
    RadialSpacingParams params;
    EditOutcome outcome;
  };
  constexpr const char* kSpokes = "G00 X0 Y0 Z50\nG00 X10\nG01 Z-1 F100\nG01 X0\nG00 Z50\nG00 Y10\nG01 Z-1\nG01 Y0\n";
  const Case cases[] = {
      {"no FeedStart", "G00 X0 Y0 Z50\nG00 X10 Y10\nG00 Z5\n", {}, EditOutcome::Unchanged},
      {"empty", "", {}, EditOutcome::Unchanged},
      {"equal angles", kSpokes, {.smallAngle = 90, .largeAngle = 90}, EditOutcome::Refused},
      {"no spacing", kSpokes, {.minimumSpacing = 0}, EditOutcome::Refused},
      {"negative spacing", kSpokes, {.minimumSpacing = -2}, EditOutcome::Refused},
      {"centre not a number", kSpokes, {.centreX = std::nanf("")}, EditOutcome::Refused},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    AppendText(db, c.program);
    const std::vector<std::string> before = Records(db);
    EXPECT_EQ(SpaceRadialPaths(db, c.params), c.outcome) << c.what;
    EXPECT_EQ(Records(db), before) << c.what;
    EXPECT_FALSE(db.Snapshot(SnapshotMode::Undo)) << c.what << ": no undo step";
  }
  EXPECT_TRUE(CheckRadialSpacingParams({.smallAngle = 90, .largeAngle = -90}) == std::nullopt);
  EXPECT_EQ(CheckRadialSpacingParams({.smallAngle = 45, .largeAngle = 45})->field, "largeAngle");
}

}  // namespace
}  // namespace fendo
