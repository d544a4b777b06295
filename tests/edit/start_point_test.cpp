#include "edit/start_point.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/toolpath_database.h"
#include "edit/edit_programs.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

// A square ring at z = −1 entered at (0, 0), run counterclockwise.
std::vector<ToolpathRecord> Ring() {
  return {Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, 2), Rec(K::FeedStart, 0, 0, -1, 300),
          Rec(K::Feed, 10, 0, -1, 300), Rec(K::Feed, 10, 10, -1, 300), Rec(K::Feed, 0, 10, -1, 300),
          Rec(K::Feed, 0, 0, -1, 300), Rec(K::RapidStart, 0, 0, 50)};
}

ToolpathDatabase& Program(ToolpathDatabase& db, const std::vector<ToolpathRecord>& records) {
  Fill(db, records);
  db.safeZ = 50;
  return db;
}

// The record before the first cut and the one before that: how the tool comes down.
std::pair<std::string, std::string> Entry(ToolpathDatabase& db) {
  for (int i = 2; i < db.recordCount; ++i) {
    if (IsCuttingKind(db.RecordAt(i)->kind)) {
      return {test::Describe(*db.RecordAt(i - 2)), test::Describe(*db.RecordAt(i - 1))};
    }
  }
  return {};
}

TEST(StartPoint, AClosedRingStartsAtItsPointNearestTheClickAndStaysClosed) {
  struct Case {
    Point3 click;
    std::vector<std::string> cuts;
  };
  const std::vector<Case> cases = {
      // Click right of (10, 10), below it: the way to the left of click → start is kept.
      {{11, 8, 0}, {"10 10 -1 -> 3 0 10 -1 300", "0 10 -1 -> 4 0 0 -1 300", "0 0 -1 -> 4 10 0 -1 300",
                    "10 0 -1 -> 4 10 10 -1 300"}},
      // Click above and right of (10, 10): the ring runs the other way round.
      {{12, 11, 0}, {"10 10 -1 -> 3 10 0 -1 300", "10 0 -1 -> 4 0 0 -1 300", "0 0 -1 -> 4 0 10 -1 300",
                     "0 10 -1 -> 4 10 10 -1 300"}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    Program(db, Ring());
    ASSERT_EQ(ChangeStartPoints(db, StartPointMode::Closed, std::vector<Point3>{c.click}), EditOutcome::Changed);
    EXPECT_EQ(test::CuttingMoves(db), c.cuts) << c.click.y;
    EXPECT_EQ(Entry(db), std::make_pair(std::string("2 10 10 50 300"), std::string("2 10 10 -1 300")))
        << "straight down from safeZ above the new start";
  }
}

TEST(StartPoint, OpenPathsTurnWhenClickedNearTheirEnd) {
  for (const auto& [mode, reversed] : {std::pair{StartPointMode::Open, true}, std::pair{StartPointMode::Closed, false},
                                       std::pair{StartPointMode::Both, true}}) {
    ToolpathDatabase db;
    Program(db, test::OneWayPasses(1));
    ASSERT_EQ(ChangeStartPoints(db, mode, std::vector<Point3>{{29, 1, 0}}), EditOutcome::Changed);
    const std::vector<std::string> cuts = test::CuttingMoves(db);
    ASSERT_FALSE(cuts.empty());
    EXPECT_EQ(cuts.front().starts_with("30 0 -1"), reversed) << cuts.front();
  }
}

TEST(StartPoint, AClickNearTheStartLeavesAnOpenPathAsItRuns) {
  ToolpathDatabase db;
  Program(db, test::OneWayPasses(1));
  ASSERT_EQ(ChangeStartPoints(db, StartPointMode::Open, std::vector<Point3>{{1, 1, 0}, {3000, 0, 0}}),
            EditOutcome::Changed);
  EXPECT_EQ(test::CuttingMoves(db).front(), "0 0 -1 -> 3 10 0 -1 600");
}

TEST(StartPoint, CutsAtTheRapidHeightBecomeRapidMoves) {
  ToolpathDatabase db;
  Program(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, -1, 300), Rec(K::Feed, 10, 0, -1, 300),
               Rec(K::Feed, 10, 0, 50, 300), Rec(K::Feed, 20, 0, 50, 300), Rec(K::Feed, 20, 0, -1, 300),
               Rec(K::Feed, 30, 0, -1, 300)});
  ASSERT_EQ(ChangeStartPoints(db, StartPointMode::Open, std::vector<Point3>{{0, 0, 0}}), EditOutcome::Changed);
  for (const std::string& cut : test::CuttingMoves(db)) EXPECT_EQ(cut.find(" 50 "), std::string::npos) << cut;
}

TEST(StartPoint, PathsJoinedByASingleRapidMoveKeepTheirOwnRecords) {
  ToolpathDatabase db;
  // As read: one rapid move from the end of the first path to above the next, entered by a ramp.
  Program(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, -1, 300), Rec(K::Feed, 10, 0, -1, 300),
               Rec(K::RapidStart, 20, 0, 5), Rec(K::FeedStart, 25, 0, -1, 300), Rec(K::Feed, 30, 0, -1, 300)});
  ASSERT_EQ(ChangeStartPoints(db, StartPointMode::Open, std::vector<Point3>{{-1, 0, 0}, {31, 0, 0}}),
            EditOutcome::Changed);
  std::vector<std::string> cuts = test::CuttingMoves(db);
  std::sort(cuts.begin(), cuts.end());
  EXPECT_EQ(cuts, (std::vector<std::string>{"0 0 -1 -> 3 10 0 -1 300", "25 0 -1 -> 4 20 0 5 300",
                                            "30 0 -1 -> 3 25 0 -1 300"}))
      << "the second path runs backwards (its ramp too), the first as it was";
}

TEST(StartPoint, NoClickNoChange) {
  ToolpathDatabase db;
  Program(db, Ring());
  EXPECT_EQ(ChangeStartPoints(db, StartPointMode::Both, {}), EditOutcome::Unchanged);
  EXPECT_EQ(db.undoPos(), 0);
}

}  // namespace
}  // namespace fendo
