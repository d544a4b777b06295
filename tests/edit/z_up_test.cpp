#include "edit/z_up.h"

#include <gtest/gtest.h>

#include "core/toolpath_database.h"
#include "edit/edit_programs.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

// A pass through a valley: down from z = 0 to −4 and up again to +1.
std::vector<ToolpathRecord> Valley() {
  return {Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, 2), Rec(K::FeedStart, 0, 0, 0, 300),
          Rec(K::Feed, 5, 0, -2, 300), Rec(K::Feed, 10, 0, -4, 300), Rec(K::Feed, 15, 0, -1, 300),
          Rec(K::Feed, 20, 0, 1, 300), Rec(K::RapidStart, 20, 0, 50)};
}

TEST(ZUp, HoldingKeepsAValleyPassAtItsFirstHeightUntilItRises) {
  ToolpathDatabase db;
  Fill(db, Valley());
  db.safeZ = 50;
  ASSERT_EQ(ZUp(db, {.mode = ZUpMode::HoldDown}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 50 0", "2 0 0 2 0", "3 0 0 0 300", "4 5 0 0 300",
                                                        "4 10 0 0 300", "4 15 0 0 300", "4 20 0 1 300",
                                                        "1 20 0 50 0"}))
      << "the plunge into the path stays";
}

TEST(ZUp, HoldingAPassThatNeverFallsChangesNothing) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, -3, 300), Rec(K::Feed, 5, 0, -3, 300),
            Rec(K::Feed, 10, 0, 2, 300)});
  EXPECT_EQ(ZUp(db, {.mode = ZUpMode::HoldDown}), EditOutcome::Unchanged);
  EXPECT_EQ(db.undoPos(), 0);
}

TEST(ZUp, TheFloorInsertsCrossingsRaisesAndDropsOnlyPointsOnALine) {
  ToolpathDatabase db;
  Fill(db, Valley());
  db.safeZ = 50;
  ASSERT_EQ(ZUp(db, {.mode = ZUpMode::Floor, .floorZ = -1}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 50 0", "2 0 0 2 0", "3 0 0 0 300",
                                                        "4 2.5 0 -1 300",  // where the move down crosses −1
                                                        "4 15 0 -1 300",   // 5 and 10 lay on the line
                                                        "4 20 0 1 300", "1 20 0 50 0"}));
}

TEST(ZUp, TheFloorNeverCutsStraightAcrossWhereThePathTurned) {
  ToolpathDatabase db;
  // Below the floor along three sides of a square: the corners stay.
  Fill(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, -5, 300), Rec(K::Feed, 10, 0, -5, 300),
            Rec(K::Feed, 10, 10, -5, 300), Rec(K::Feed, 0, 10, -5, 300)});
  ASSERT_EQ(ZUp(db, {.mode = ZUpMode::Floor, .floorZ = -2}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 50 0", "3 0 0 -2 300", "4 10 0 -2 300",
                                                        "4 10 10 -2 300", "4 0 10 -2 300"}));
}

TEST(ZUp, SteepMovesBecomeRapidMovesByTheirTolerance) {
  struct Case {
    ZUpParams params;
    std::vector<std::string> cuts;
  };
  const std::vector<Case> cases = {
      // Down 2 over 5 (21.8°) and up 3 over 5 (31°), up 2 over 5 (21.8°).
      {{.mode = ZUpMode::DropDown, .downTolerance = 25}, {"0 0 0 -> 4 5 0 -2 300", "5 0 -2 -> 4 10 0 -4 300",
                                                           "10 0 -4 -> 4 15 0 -1 300", "15 0 -1 -> 4 20 0 1 300"}},
      {{.mode = ZUpMode::DropDown, .downTolerance = 20}, {"10 0 -4 -> 3 15 0 -1 300", "15 0 -1 -> 4 20 0 1 300"}},
      {{.mode = ZUpMode::DropUp, .upTolerance = 25}, {"0 0 0 -> 4 5 0 -2 300", "5 0 -2 -> 4 10 0 -4 300",
                                                       "15 0 -1 -> 3 20 0 1 300"}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    Fill(db, Valley());
    db.safeZ = 50;
    const EditOutcome outcome = ZUp(db, c.params);
    std::vector<std::string> cuts = test::CuttingMoves(db);
    // The plunge is the first cut in every case.
    ASSERT_FALSE(cuts.empty());
    EXPECT_EQ(cuts.front(), "0 0 2 -> 3 0 0 0 300");
    cuts.erase(cuts.begin());
    EXPECT_EQ(cuts, c.cuts) << static_cast<int>(c.params.mode);
    EXPECT_EQ(outcome, c.cuts.size() == 4 ? EditOutcome::Unchanged : EditOutcome::Changed);
  }
}

TEST(ZUp, ValuesOutOfRangeAreRefusedByField) {
  EXPECT_EQ(CheckZUpParams({.mode = ZUpMode::DropDown, .downTolerance = 91})->field, "downTolerance");
  EXPECT_EQ(CheckZUpParams({.mode = ZUpMode::DropUp, .upTolerance = -1})->field, "upTolerance");
  EXPECT_FALSE(CheckZUpParams({.mode = ZUpMode::Floor, .floorZ = -1}));
  ToolpathDatabase db;
  Fill(db, Valley());
  EXPECT_EQ(ZUp(db, {.mode = ZUpMode::DropUp, .upTolerance = 100}), EditOutcome::Refused);
}

}  // namespace
}  // namespace fendo
