#include "edit/corner_region.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/toolpath_database.h"
#include "edit/edit_programs.h"
#include "edit/subdivision.h"
#include "output/arc_conversion.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

// A pass over a pocket in the XZ plane, a point every millimetre: along the top (z 0) from
// x 0 to 10, down the wall to z −10, along the floor to x 30, up the wall and along the top
// to x 40. Its concave corners, where the path turns upward, lie at (10, −10) and (30, −10).
std::vector<ToolpathRecord> PocketPass() {
  std::vector<ToolpathRecord> r{Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, 2), Rec(K::FeedStart, 0, 0, 0, 500)};
  const auto cut = [&r](float x, float z) { r.push_back(Rec(K::Feed, x, 0, z, 500)); };
  for (int x = 1; x <= 10; ++x) cut(x, 0);
  for (int z = -1; z >= -10; --z) cut(10, z);
  for (int x = 11; x <= 30; ++x) cut(x, -10);
  for (int z = -9; z <= 0; ++z) cut(30, z);
  for (int x = 31; x <= 40; ++x) cut(x, 0);
  r.push_back(Rec(K::RapidStart, 40, 0, 50));
  return r;
}

bool Selected(ToolpathDatabase& db, float x, float z) {
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord& r = *db.RecordAt(i);
    if (r.x == x && r.z == z && IsCuttingKind(r.kind)) return r.selected == 1;
  }
  ADD_FAILURE() << "no cut to " << x << ' ' << z;
  return false;
}

TEST(CornerRegions, TheConcaveCornersOfAPocketAreSelectedAsFarAsTheDistance) {
  ToolpathDatabase db;
  Fill(db, PocketPass());
  ASSERT_EQ(SelectCorners(db, {.angle = 30, .distance = 5}), EditOutcome::Changed);
  struct Point {
    float x, z;
    bool selected;
    const char* where;
  };
  const Point points[] = {
      {5, 0, false, "the top before the pocket"},  {10, 0, false, "the convex edge"},
      {10, -5, false, "the wall farther up than the distance"}, {10, -6, true, "the wall within it"},
      {10, -10, true, "the first corner"},         {15, -10, true, "the floor as far as the distance"},
      {16, -10, false, "the floor beyond it"},    {20, -10, false, "the middle of the floor"},
      {25, -10, false, "the floor farther before it"},
      {26, -10, true, "the floor within the distance of the second corner"}, {30, -10, true, "the second corner"},
      {30, -5, true, "the wall within the distance"}, {30, -2, false, "the wall above it"},
      {30, 0, false, "the convex edge"},          {35, 0, false, "the top after the pocket"},
  };
  for (const Point& p : points) EXPECT_EQ(Selected(db, p.x, p.z), p.selected) << p.where;
  EXPECT_EQ(db.undoPos(), 0) << "only the selection changed";

  // A corner sharper than the angle asked is no corner.
  ToolpathDatabase steep;
  Fill(steep, PocketPass());
  ASSERT_EQ(SelectCorners(steep, {.angle = 90, .distance = 5}), EditOutcome::Changed);
  EXPECT_FALSE(Selected(steep, 10, -10));
  EXPECT_FALSE(Selected(steep, 30, -10));
}

TEST(CornerRegions, TheTrimKeepsOnlyTheCornerRegionsAsCuts) {
  ToolpathDatabase db;
  Fill(db, PocketPass());
  db.safeZ = 50;
  const int before = db.recordCount;
  ASSERT_EQ(TrimToCorners(db, {.angle = 30, .distance = 5}), EditOutcome::Changed);
  int cuts = 0;
  bool nearFirst = false;
  bool nearSecond = false;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord& r = *db.RecordAt(i);
    EXPECT_EQ(r.selected, 0);
    if (!IsCuttingKind(r.kind)) continue;
    ++cuts;
    const double first = std::hypot(r.x - 10.0, r.z + 10.0);
    const double second = std::hypot(r.x - 30.0, r.z + 10.0);
    EXPECT_LE(std::min(first, second), 5.0 + 1e-6) << test::Describe(r);
    nearFirst |= first < 1;
    nearSecond |= second < 1;
  }
  EXPECT_TRUE(nearFirst && nearSecond);
  EXPECT_EQ(cuts, 20) << "five records of wall and five of floor at each corner";
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(db.recordCount, before);
}

TEST(CornerRegions, SubdivisionFirstIsTheSubdivisionCommandFollowedByTheTrim) {
  // The same pocket drawn with one record per straight stretch.
  const std::vector<ToolpathRecord> coarse = {Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, 2),
                                              Rec(K::FeedStart, 0, 0, 0, 500), Rec(K::Feed, 10, 0, 0, 500),
                                              Rec(K::Feed, 10, 0, -10, 500), Rec(K::Feed, 30, 0, -10, 500),
                                              Rec(K::Feed, 30, 0, 0, 500), Rec(K::Feed, 40, 0, 0, 500),
                                              Rec(K::RapidStart, 40, 0, 50)};
  ToolpathDatabase db;
  Fill(db, coarse);
  db.safeZ = 50;
  ASSERT_EQ(TrimToCorners(db, {.angle = 30, .distance = 5, .subdivide = true, .interval = 1}), EditOutcome::Changed);
  EXPECT_EQ(db.undoPos(), 1) << "one step for the subdivision and the trim";

  ToolpathDatabase twin;
  Fill(twin, coarse);
  twin.safeZ = 50;
  ASSERT_EQ(Subdivide(twin, {.interval = 1}), EditOutcome::Changed);
  ASSERT_EQ(TrimToCorners(twin, {.angle = 30, .distance = 5}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), test::Records(twin));

  // Without subdivision c reaches back at least three records, however far: the corner
  // records are selected, and the top of the second wall with them.
  ToolpathDatabase plain;
  Fill(plain, coarse);
  ASSERT_EQ(SelectCorners(plain, {.angle = 30, .distance = 5}), EditOutcome::Changed);
  std::vector<int> marked;
  for (int i = 0; i < plain.recordCount; ++i) {
    if (plain.RecordAt(i)->selected) marked.push_back(i);
  }
  EXPECT_EQ(marked, (std::vector<int>{4, 5, 6}));

  // Selecting with subdivision changes the records: one undo step.
  ToolpathDatabase selected;
  Fill(selected, coarse);
  ASSERT_EQ(SelectCorners(selected, {.angle = 30, .distance = 5, .subdivide = true, .interval = 1}), EditOutcome::Changed);
  EXPECT_EQ(selected.undoPos(), 1);
  EXPECT_TRUE(Selected(selected, 10, -10));
}

TEST(CornerRegions, OnMadeUpProgramsTheTrimKeepsExactlyTheSelectedCutsAndMakesNoNewOne) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    ToolpathDatabase db;
    test::ReadRandomProgram(db, seed, 40);
    ASSERT_TRUE(ArcsToLines(db, 0.005));
    const std::vector<test::Joint> original = test::CuttingJoints(db);
    const CornerParams params{.angle = 10, .distance = 3};

    ToolpathDatabase selected;
    ASSERT_TRUE(selected.ReplaceRecords(CopyRecords(db)));
    ASSERT_EQ(SelectCorners(selected, params), EditOutcome::Changed);
    int marked = 0;
    selected.ForEachRecord([&marked](int, const ToolpathRecord& r) { marked += r.selected == 1; });

    ASSERT_EQ(TrimToCorners(db, params), EditOutcome::Changed);
    const std::vector<test::Joint> kept = test::CuttingJoints(db);
    EXPECT_EQ(static_cast<int>(kept.size()), marked) << "seed " << seed;
    EXPECT_GT(marked, 0) << "seed " << seed;
    for (const test::Joint& joint : kept) {
      EXPECT_TRUE(std::binary_search(original.begin(), original.end(), joint)) << "a new cut, seed " << seed;
    }
  }
}

TEST(CornerRegions, ValuesOutOfTheirRangesAreRefused) {
  struct Case {
    CornerParams params;
    const char* label;
  };
  const Case cases[] = {
      {{.angle = 0}, "코너검색 각도"},          {{.angle = 90.5}, "코너검색 각도"},
      {{.distance = 0.001}, "코너 거리"},        {{.distance = 1001}, "코너 거리"},
      {{.interval = 0.05}, "공구경로 세분화"}, {{.angle = std::nan("")}, "코너검색 각도"},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    Fill(db, PocketPass());
    const auto refused = CheckCornerParams(c.params);
    ASSERT_TRUE(refused) << c.label;
    EXPECT_EQ(refused->label, c.label);
    EXPECT_EQ(TrimToCorners(db, c.params), EditOutcome::Refused);
    EXPECT_EQ(SelectCorners(db, c.params), EditOutcome::Refused);
    EXPECT_EQ(db.undoPos(), 0);
  }
  EXPECT_FALSE(CheckCornerParams({.angle = 0.01, .distance = 1000, .interval = 0.1}));
  EXPECT_FALSE(CheckCornerParams({.angle = 90, .distance = 0.01, .interval = 1000}));
}

TEST(CornerRegions, SubdivisionPastTheRecordLimitChangesNothing) {
  ToolpathDatabase db;
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, 10), Rec(K::FeedStart, 0, 0, 0)};
  for (int k = 1; k <= 150; ++k) records.push_back(Rec(K::Feed, k % 2 ? 10000.0f : 0.0f, 0, 0));
  Fill(db, records);
  const auto before = test::StoredState(db);
  EXPECT_EQ(TrimToCorners(db, {.subdivide = true, .interval = 0.1}), EditOutcome::NoRoom);
  EXPECT_EQ(test::StoredState(db), before);
  EXPECT_EQ(db.undoPos(), 0);
}

}  // namespace
}  // namespace fendo
