#include "edit/subdivision.h"

#include <gtest/gtest.h>

#include "core/toolpath_database.h"
#include "edit/edit_programs.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

TEST(Subdivision, LongMovesAreCutIntoEqualPiecesAndOthersStayWhole) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 1), Rec(K::FeedStart, 0, 0, 0, 300), Rec(K::Feed, 5, 0, 0, 400),
            Rec(K::Feed, 5, 2, 0, 500), Rec(K::ArcCcw, 15, 2, 0, 500), Rec(K::CentreXY, 5, 0, 0),
            Rec(K::RapidStart, 15, 2, 10)});
  ASSERT_EQ(Subdivide(db, {.interval = 2}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{
                                   "1 0 0 1 0", "3 0 0 0 300",
                                   "4 1.66667 0 0 400", "4 3.33333 0 0 400", "4 5 0 0 400",  // 5 mm: three pieces
                                   "4 5 2 0 500",                                            // exactly 2 mm stays
                                   "6 15 2 0 500", "91 5 0 0 0", "1 15 2 10 0"}));
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(db.recordCount, 7);
}

TEST(Subdivision, TheFirstPieceKeepsTheKindOfTheMove) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 10), Rec(K::FeedStart, 0, 0, 0, 300), Rec(K::RapidStart, 0, 0, 10)});
  ASSERT_EQ(Subdivide(db, {.interval = 4}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 10 0", "3 0 0 6.66667 300", "4 0 0 3.33333 300",
                                                        "4 0 0 0 300", "1 0 0 10 0"}))
      << "the rapid move back up stays whole";
}

TEST(Subdivision, AnIntervalOfZeroOrLessIsRefused) {
  for (const double h : {0.0, -1.0, std::nan("")}) {
    ToolpathDatabase db;
    Fill(db, {Rec(K::RapidStart, 0, 0, 10), Rec(K::FeedStart, 0, 0, 0)});
    const auto refused = CheckSubdivisionParams({.interval = h});
    ASSERT_TRUE(refused) << h;
    EXPECT_EQ(refused->label, "세분화 간격");
    EXPECT_EQ(Subdivide(db, {.interval = h}), EditOutcome::Refused);
    EXPECT_EQ(db.undoPos(), 0);
  }
}

TEST(Subdivision, TheDialogOpensWithTwoInsteadOfAKeptZero) {
  SubdivisionParams kept{.interval = 0};
  kept.PresetForDialog();
  EXPECT_EQ(kept.interval, 2);
  SubdivisionParams negative{.interval = -3};
  negative.PresetForDialog();
  EXPECT_EQ(negative.interval, -3) << "only 0 is replaced; a negative value is refused when the dialog closes";
}

TEST(Subdivision, NothingToCutIsNoChangeAndPushesNothing) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 10), Rec(K::FeedStart, 0, 0, 9)});
  EXPECT_EQ(Subdivide(db, {.interval = 2}), EditOutcome::Unchanged);
  EXPECT_EQ(db.undoPos(), 0);
}

TEST(Subdivision, PiecesPastTheRecordLimitChangeNothing) {
  ToolpathDatabase db;
  // 20 moves of 10 km each at 0.01 mm: 20 million pieces.
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, 10), Rec(K::FeedStart, 0, 0, 0)};
  for (int k = 1; k <= 20; ++k) records.push_back(Rec(K::Feed, k % 2 ? 10000.0f : 0.0f, 0, 0));
  Fill(db, records);
  const auto before = test::StoredState(db);
  EXPECT_EQ(Subdivide(db, {.interval = 0.01}), EditOutcome::NoRoom);
  EXPECT_EQ(test::StoredState(db), before);
  EXPECT_EQ(db.undoPos(), 0);
}

}  // namespace
}  // namespace fendo
