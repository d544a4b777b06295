#include "edit/path_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "core/toolpath_database.h"
#include "edit/edit_programs.h"
#include "edit/nearest_point_index.h"

namespace fendo {
namespace {

using test::Rec;
using K = MoveKind;

// A straight pass of `length` along X from (x, y) at Z −1, entered straight down from 2 mm
// above its start, left straight up to safeZ.
void AddPass(std::vector<ToolpathRecord>& records, float x, float y, float length = 1, float z = -1) {
  for (ToolpathRecord r : {Rec(K::Rapid, x, y, test::kSafeZ), Rec(K::Rapid, x, y, z + 3), Rec(K::FeedStart, x, y, z, 500),
                           Rec(K::Feed, x + length, y, z, 800), Rec(K::RapidStart, x + length, y, test::kSafeZ)}) {
    records.push_back(r);
  }
}

std::vector<ToolpathRecord> Passes(const std::vector<std::pair<float, float>>& starts, float length = 1) {
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, test::kSafeZ)};
  for (const auto& [x, y] : starts) AddPass(records, x, y, length);
  return records;
}

// Where each path starts cutting, in the order cut: "x y".
std::vector<std::string> PathStarts(ToolpathDatabase& db) {
  std::vector<std::string> starts;
  const ToolpathRecord* prev = nullptr;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord* r = db.RecordAt(i);
    if (!IsMotionKind(r->kind)) continue;
    if (IsCuttingKind(r->kind) && (!prev || IsRapidKind(prev->kind))) {
      starts.push_back(test::Coordinate(r->x) + ' ' + test::Coordinate(r->y));
    }
    prev = r;
  }
  return starts;
}

TEST(PathSort, StartToStartFollowsNeighboursWithinTheSortDistanceElseTheOldOrder) {
  ToolpathDatabase db;
  // Starts 3 apart along two rows 100 mm apart, in an order that alternates between them.
  test::FillWithSafeZ(db, Passes({{0, 0}, {0, 100}, {3, 0}, {3, 100}, {6, 0}, {6, 100}}));
  ASSERT_EQ(SortPaths(db, {.mode = SortMode::StartToStart, .distance = 5}), EditOutcome::Changed);
  EXPECT_EQ(PathStarts(db), (std::vector<std::string>{"0 0", "3 0", "6 0", "0 100", "3 100", "6 100"}));
  EXPECT_EQ(db.undoPos(), 1) << "a sort can be taken back";

  // Below the gap nothing lies near enough: the old order stays.
  ToolpathDatabase near;
  test::FillWithSafeZ(near, Passes({{0, 0}, {0, 100}, {3, 0}, {3, 100}}));
  ASSERT_EQ(SortPaths(near, {.distance = 2.9}), EditOutcome::Changed);
  EXPECT_EQ(PathStarts(near), (std::vector<std::string>{"0 0", "0 100", "3 0", "3 100"}));
}

TEST(PathSort, EachPathIsRebuiltAboveItsApproachWithARetractToSafeZ) {
  ToolpathDatabase db;
  test::FillWithSafeZ(db, Passes({{0, 0}, {10, 0}}));
  ASSERT_EQ(SortPaths(db, {.distance = 50}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 50 0", "2 0 0 2 0", "3 0 0 -1 500", "4 1 0 -1 800",
                                                        "1 1 0 50 0", "2 10 0 50 0", "2 10 0 2 0", "3 10 0 -1 500",
                                                        "4 11 0 -1 800", "1 11 0 50 0"}));
}

TEST(PathSort, EqualDistancesGoToThePathThatCameFirst) {
  ToolpathDatabase db;
  test::FillWithSafeZ(db, Passes({{0, 0}, {0, 4}, {4, 0}, {0, -4}, {-4, 0}}));
  ASSERT_EQ(SortPaths(db, {.distance = 5}), EditOutcome::Changed);
  EXPECT_EQ(PathStarts(db).at(1), "0 4");
}

TEST(PathSort, EndToStartMeasuresFromTheEndOfThePathPlacedLast) {
  ToolpathDatabase db;
  // Passes of 10 mm: the one starting at 12 lies 2 from the first one's end, the one at 3 lies
  // 3 from its start.
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, test::kSafeZ)};
  AddPass(records, 0, 0, 10);
  AddPass(records, 3, 0.5, 1);
  AddPass(records, 12, 0, 10);
  test::FillWithSafeZ(db, records);
  ToolpathDatabase startToStart;
  test::FillWithSafeZ(startToStart, records);
  ASSERT_EQ(SortPaths(db, {.mode = SortMode::EndToStart, .distance = 5}), EditOutcome::Changed);
  EXPECT_EQ(PathStarts(db), (std::vector<std::string>{"0 0", "12 0", "3 0.5"}));
  ASSERT_EQ(SortPaths(startToStart, {.mode = SortMode::StartToStart, .distance = 5}), EditOutcome::Changed);
  EXPECT_EQ(PathStarts(startToStart), (std::vector<std::string>{"0 0", "3 0.5", "12 0"}));
}

TEST(PathSort, IgnoringDirectionsEntersAPathAtItsNearerEndTheWayItWasEntered) {
  ToolpathDatabase db;
  // The second pass ends 1 from where the first ends: it is cut backwards from there.
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, test::kSafeZ)};
  AddPass(records, 0, 0, 10);
  AddPass(records, 30, 1, -19);  // from (30, 1) to (11, 1)
  test::FillWithSafeZ(db, records);
  ASSERT_EQ(SortPaths(db, {.mode = SortMode::EitherEnd, .distance = 5}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 50 0", "2 0 0 2 0", "3 0 0 -1 500", "4 10 0 -1 800",
                                                        "1 10 0 50 0", "2 11 1 50 0",
                                                        "2 11 1 2 0",        // 3 above the new start, as before
                                                        "3 11 1 -1 500",     // the plunge at its own feed
                                                        "4 30 1 -1 800",     // the pass backwards
                                                        "1 30 1 50 0"}));
}

TEST(PathSort, ReturnHeightBringsTheRapidMovesBetweenClosePathsDown) {
  struct Case {
    double height;
    float highest;  // the highest record between the first pass's end and the second's cut
    bool rapid;     // whether the tool moves at rapid there
  };
  const std::vector<Case> cases = {
      {10, 9, true},           // 10 above the higher end (−1 and −2), not safeZ
      {0, -1, false},          // the tool feeds across at the higher end
      {kFeedAcross, 1, false}, // straight from the end to the approach, 3 above the next start
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, test::kSafeZ)};
    AddPass(records, 0, 0, 1);
    AddPass(records, 3, 0, 1, -2);
    AddPass(records, 60, 0, 1);
    test::FillWithSafeZ(db, records);
    db.workFeed = 300;
    ASSERT_EQ(SortPaths(db, {.mode = SortMode::ReturnHeight, .distance = 5, .height = c.height}),
              EditOutcome::Changed)
        << c.height;
    EXPECT_EQ(db.undoPos(), 1);
    int end = 0;
    while (end < db.recordCount && PositionOf(*db.RecordAt(end)) != Point3{1, 0, -1}) ++end;
    int next = end;
    while (next < db.recordCount && PositionOf(*db.RecordAt(next)) != Point3{4, 0, -2}) ++next;
    ASSERT_LT(next, db.recordCount) << c.height;
    float highest = -1000;
    bool rapid = false;
    for (int i = end + 1; i < next - 1; ++i) {
      highest = std::max(highest, db.RecordAt(i)->z);
      rapid |= IsRapidKind(db.RecordAt(i)->kind);
    }
    EXPECT_EQ(highest, c.highest) << c.height;
    EXPECT_EQ(rapid, c.rapid) << c.height;
    EXPECT_EQ(test::Describe(*db.RecordAt(db.recordCount - 1)), "1 61 0 50 0") << "the far pass keeps safeZ";
  }
}

TEST(PathSort, ValuesOutOfRangeAreRefused) {
  EXPECT_EQ(CheckSortParams({.distance = -1})->field, "distance");
  EXPECT_EQ(CheckSortParams({.height = -0.5})->field, "height");
  EXPECT_EQ(CheckSortParams({.height = -2})->field, "height");
  EXPECT_FALSE(CheckSortParams({.height = kFeedAcross}));
  ToolpathDatabase db;
  test::FillWithSafeZ(db, Passes({{0, 0}}));
  EXPECT_EQ(SortPaths(db, {.distance = -3}), EditOutcome::Refused);
  EXPECT_EQ(SortPaths(db, {.mode = SortMode::ReturnHeight}), EditOutcome::Unchanged) << "one path joins nothing";
}

TEST(PathSort, ManyMorePathsThanOnceFitAreAllKept) {
  ToolpathDatabase db;
  std::vector<std::pair<float, float>> starts;
  for (int k = 0; k < 20000; ++k) starts.emplace_back(static_cast<float>(k % 100) * 3, static_cast<float>(k / 100) * 7);
  test::FillWithSafeZ(db, Passes(starts));
  const std::vector<test::Joint> before = test::CuttingJoints(db);
  ASSERT_EQ(SortPaths(db, {.mode = SortMode::StartToStart, .distance = 5}), EditOutcome::Changed);
  EXPECT_EQ(PathStarts(db).size(), starts.size());
  EXPECT_EQ(test::CuttingJoints(db), before);
}

// ---- Properties on made-up programs

struct RefPath {
  Point3 start;  // the approach
  Point3 first;  // the first cutting record
  Point3 end;    // the last record
};

std::vector<RefPath> RefPaths(ToolpathDatabase& db) {
  std::vector<RefPath> paths;
  const ToolpathRecord* prev = nullptr;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord* r = db.RecordAt(i);
    if (!IsMotionKind(r->kind)) continue;
    if (IsCuttingKind(r->kind)) {
      if (!prev || IsRapidKind(prev->kind)) paths.push_back({PositionOf(prev ? *prev : *r), PositionOf(*r), {}});
      paths.back().end = PositionOf(*r);
    }
    prev = r;
  }
  return paths;
}

// The greedy rule by looking at every unplaced path each time: where each path starts cutting.
std::vector<std::string> QuadraticOrder(const std::vector<RefPath>& paths, const SortParams& params) {
  const double reach = std::min(params.distance, kSortSearchBound);
  const int n = static_cast<int>(paths.size());
  std::vector<bool> placed(n, false);
  std::vector<std::string> starts;
  const auto text = [](Point3 p) {
    return test::Coordinate(static_cast<float>(p.x)) + ' ' + test::Coordinate(static_cast<float>(p.y));
  };
  int last = 0;
  bool lastReversed = false;
  placed[0] = true;
  starts.push_back(text(paths[0].first));
  for (int count = 1; count < n; ++count) {
    const RefPath& l = paths[last];
    const Point3 p0 = lastReversed ? l.end : l.start;
    const Point3 p1 = lastReversed ? l.start : l.end;
    double best = reach * reach;
    int found = -1;
    bool reversed = false;
    for (int k = 0; k < n; ++k) {
      if (placed[k]) continue;
      std::vector<std::pair<double, bool>> pairings;
      switch (params.mode) {
        case SortMode::StartToStart: pairings = {{SquaredDistance(l.start, paths[k].start), false}}; break;
        case SortMode::EndToStart: pairings = {{SquaredDistance(l.end, paths[k].start), false}}; break;
        default:
          pairings = {{SquaredDistance(p0, paths[k].start), true}, {SquaredDistance(p0, paths[k].end), false},
                      {SquaredDistance(p1, paths[k].start), false}, {SquaredDistance(p1, paths[k].end), true}};
      }
      for (const auto& [d2, reverses] : pairings) {
        if (d2 < best || (d2 == best && found < 0)) {
          best = d2;
          found = k;
          reversed = reverses;
        }
      }
    }
    if (found < 0) {
      found = static_cast<int>(std::find(placed.begin(), placed.end(), false) - placed.begin());
      reversed = false;
    }
    placed[found] = true;
    last = found;
    lastReversed = reversed;
    starts.push_back(text(reversed ? paths[found].end : paths[found].first));
  }
  return starts;
}

TEST(PathSortProperties, TheIndexGivesTheOrderOfLookingAtEveryPath) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    for (SortMode mode : {SortMode::StartToStart, SortMode::EndToStart, SortMode::EitherEnd}) {
      for (double distance : {5.0, 30.0, 2000.0}) {
        ToolpathDatabase db;
        test::ReadRandomProgram(db, seed, 300);
        const SortParams params{.mode = mode, .distance = distance};
        const std::vector<std::string> expected = QuadraticOrder(RefPaths(db), params);
        ASSERT_EQ(SortPaths(db, params), EditOutcome::Changed);
        EXPECT_EQ(PathStarts(db), expected) << "seed " << seed << " mode " << static_cast<int>(mode) << " distance "
                                            << distance;
      }
    }
  }
}

// The cutting moves that are not plunges straight down.
std::multiset<test::Joint> CutsBesidePlunges(ToolpathDatabase& db) {
  std::multiset<test::Joint> cuts;
  for (const test::Joint& j : test::CuttingJoints(db)) {
    const auto& [x1, y1, z1, x2, y2, z2] = j;
    if (!(x1 == x2 && y1 == y2)) cuts.insert(j);
  }
  return cuts;
}

TEST(PathSortProperties, EveryCuttingMoveIsKept) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    for (SortMode mode : {SortMode::StartToStart, SortMode::EndToStart, SortMode::EitherEnd, SortMode::ReturnHeight}) {
      for (double height : {10.0, 0.0, kFeedAcross}) {
        if (mode != SortMode::ReturnHeight && height != 10) continue;
        ToolpathDatabase db;
        test::ReadRandomProgram(db, seed, 60);
        const std::vector<test::Joint> all = test::CuttingJoints(db);
        const std::multiset<test::Joint> cuts = CutsBesidePlunges(db);
        const auto before = test::StoredState(db);
        ASSERT_EQ(SortPaths(db, {.mode = mode, .distance = 40, .height = height}), EditOutcome::Changed);
        const std::string what = "seed " + std::to_string(seed) + " mode " + std::to_string(static_cast<int>(mode)) +
                                 " height " + std::to_string(height);
        if (mode == SortMode::StartToStart || mode == SortMode::EndToStart) {
          EXPECT_EQ(test::CuttingJoints(db), all) << what;
        } else if (mode == SortMode::EitherEnd) {
          // A path cut backwards is entered at its other end: only the plunges move.
          EXPECT_EQ(CutsBesidePlunges(db), cuts) << what;
        } else {
          // Close paths are joined by new feed moves; every old cut is still made.
          const std::multiset<test::Joint> after = CutsBesidePlunges(db);
          EXPECT_TRUE(std::includes(after.begin(), after.end(), cuts.begin(), cuts.end())) << what;
        }
        EXPECT_EQ(db.undoPos(), 1) << what;
        ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
        EXPECT_EQ(test::StoredState(db), before) << what;
      }
    }
  }
}

}  // namespace
}  // namespace fendo
