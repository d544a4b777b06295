#include "generate/profile.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "generate/generated_records.h"

namespace fendo {
namespace {

using K = MoveKind;

// The plunge points of the outlines: where each starts.
std::vector<std::string> Starts(ToolpathDatabase& db) {
  std::vector<std::string> starts;
  for (const ToolpathRecord& r : test::OfKind(db, K::FeedStart)) starts.push_back(test::Describe(r));
  return starts;
}

TEST(Profile, PassesStepAwayFromTheOutlineOnTheirSide) {
  struct Case {
    ProfileSide side;
    std::vector<std::string> starts;
  };
  // 200 × 160 about (0, 0), one level at 0: X is wider, so each outline starts on the top side.
  for (const Case& c : {Case{ProfileSide::On, {"3 0 80 0 300"}},
                        Case{ProfileSide::Inside, {"3 0 70 0 300", "3 0 60 0 300", "3 0 50 0 300"}},
                        Case{ProfileSide::Outside, {"3 0 90 0 300", "3 0 100 0 300", "3 0 110 0 300"}}}) {
    ToolpathDatabase db;
    const GenerateResult result =
        GenerateProfile(db, {.side = c.side, .startHeight = 0, .zDepth = 0, .passes = 3});
    ASSERT_EQ(result.outcome, EditOutcome::Changed);
    EXPECT_EQ(Starts(db), c.starts) << static_cast<int>(c.side);
  }
}

TEST(Profile, EachOutlineIsACounterClockwiseLoopWithItsOwnApproachAndRetract) {
  ToolpathDatabase db;
  db.safeZ = 50;
  ProfileParams params{.shape = PocketShape::RoundedRectangle, .side = ProfileSide::Inside, .passes = 3};
  params.rectangle.xSize = 100;
  ASSERT_EQ(GenerateProfile(db, params).outcome, EditOutcome::Changed);
  const std::vector<ToolpathRecord> r = test::All(db);
  int outlines = 0;
  for (std::size_t i : test::Plunges(r)) {
    ++outlines;
    ASSERT_EQ(r[i - 1].kind, K::RapidStart);
    EXPECT_EQ(r[i - 1].z, 50);
    std::size_t end = i + 1;
    while (r[end].kind != K::RapidStart) ++end;
    EXPECT_EQ(r[end - 1].x, r[i].x) << "closed";
    EXPECT_EQ(r[end - 1].y, r[i].y);
    EXPECT_GT(test::SignedArea2(r, i, end), 0);
  }
  // Three passes of six levels, all passes of one level before the next.
  EXPECT_EQ(outlines, 18);
  EXPECT_EQ(test::PlungeHeights(db)[6], 0);
}

TEST(Profile, CirclesRunFromTheFarthestPassAndOutsideClockwise) {
  struct Case {
    ProfileSide side;
    std::vector<float> radii;
    MoveKind arc;
  };
  for (const Case& c : {Case{ProfileSide::On, {100}, K::ArcCcw}, Case{ProfileSide::Inside, {70, 80, 90}, K::ArcCcw},
                        Case{ProfileSide::Outside, {130, 120, 110}, K::ArcCw}}) {
    ToolpathDatabase db;
    ASSERT_EQ(GenerateProfile(db, {.shape = PocketShape::Circle, .side = c.side, .startHeight = 0, .zDepth = 0,
                                   .allowance = 5, .passes = 3})
                  .outcome,
              EditOutcome::Changed);
    std::vector<float> radii;
    for (const ToolpathRecord& r : test::OfKind(db, K::FeedStart)) radii.push_back(r.x);
    EXPECT_EQ(radii, c.radii) << "no allowance on a circle";
    for (const ToolpathRecord& arc : test::All(db)) {
      if (IsArcKind(arc.kind)) {
        EXPECT_EQ(arc.kind, c.arc);
      }
    }
  }
}

TEST(Profile, OutlinesTheOffsetsCloseAreLeftOut) {
  // In side, 3 passes of 10 on a circle of radius 25: 25 − 30 is nothing.
  ToolpathDatabase db;
  const GenerateResult result = GenerateProfile(
      db, {.shape = PocketShape::Circle, .side = ProfileSide::Inside, .circleRadius = 25, .startHeight = 0,
           .zDepth = -10, .passes = 3});
  ASSERT_EQ(result.outcome, EditOutcome::Changed);
  EXPECT_EQ(result.levelsLeftOut, 2);
  EXPECT_EQ(test::OfKind(db, K::FeedStart).size(), 4u);
  // A rectangle inside-out of everything: no pass at all.
  ToolpathDatabase other;
  const GenerateResult none = GenerateProfile(other, {.side = ProfileSide::Inside, .allowance = 80, .passes = 2});
  EXPECT_EQ(none.outcome, EditOutcome::Unchanged);
  EXPECT_EQ(none.levelsLeftOut, 6 * 2);
  EXPECT_EQ(other.recordCount, 0);
}

TEST(Profile, RoundedCornersFollowThePassesAwayFromTheOutline) {
  struct Case {
    ProfileSide side;
    std::vector<double> radii;  // of the corners, pass by pass
  };
  for (const Case& c : {Case{ProfileSide::On, {20}}, Case{ProfileSide::Inside, {10, 0}},
                        Case{ProfileSide::Outside, {30, 40}}}) {
    ToolpathDatabase db;
    ASSERT_EQ(GenerateProfile(db, {.shape = PocketShape::RoundedRectangle, .side = c.side, .startHeight = 0,
                                   .zDepth = 0, .passes = 2})
                  .outcome,
              EditOutcome::Changed);
    const std::vector<ToolpathRecord> r = test::All(db);
    std::vector<double> radii;
    for (std::size_t i : test::Plunges(r)) {
      // The first corner's centre record, if the outline has rounded corners.
      std::size_t at = i;
      while (at < r.size() && r[at].kind != K::CentreXY && r[at].kind != K::RapidStart) ++at;
      radii.push_back(r[at].kind == K::CentreXY ? std::hypot(r[at].x, r[at].y) : 0);
    }
    ASSERT_EQ(radii.size(), c.radii.size()) << static_cast<int>(c.side);
    for (std::size_t p = 0; p < radii.size(); ++p) EXPECT_NEAR(radii[p], c.radii[p], 1e-4);
  }
}

TEST(Profile, ValuesOutOfRangeAreRefused) {
  ToolpathDatabase db;
  EXPECT_EQ(GenerateProfile(db, {.passes = 0}).outcome, EditOutcome::Refused);
  EXPECT_EQ(GenerateProfile(db, {.zStepover = 101}).outcome, EditOutcome::Refused);
  EXPECT_EQ(GenerateProfile(db, {.taper = {.angle = -80}}).outcome, EditOutcome::Changed);
}

}  // namespace
}  // namespace fendo
