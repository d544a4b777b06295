#include <gtest/gtest.h>

#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "toolpath_text.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using test::Records;
using K = MoveKind;
using Lines = std::vector<std::string>;

TEST(CompactRecords, ClosesGapsAndKeepsArcsWithTheirCentres) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::None, 9, 9, 9), Rec(K::RapidStart, 0, 0, 5), Rec(K::None, 9, 9, 9),
            Rec(K::ArcCw, 2, 0, 5, 100), Rec(K::CentreXY, 1, 0, 0), Rec(K::CentreXY, 7, 7, 7),
            Rec(K::None, 9, 9, 9), Rec(K::FeedStart, 3, 0, 5, 100)});
  CompactRecords(db);
  EXPECT_EQ(Records(db), (Lines{"1 0 0 5 0", "8 2 0 5 100", "91 1 0 0 0", "3 3 0 5 100"}))
      << "a centre record without its arc goes";
}

TEST(NormalizeKinds, RestoresTheKindConventions) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::Feed, 0, 0, 5, 100), Rec(K::Feed, 1, 0, 5, 100), Rec(K::Feed, 1, 0, 5, 100),
            Rec(K::RapidStart, 1, 0, 20), Rec(K::RapidStart, 4, 0, 20), Rec(K::Feed, 4, 0, 0, 100),
            Rec(K::ArcCcw, 6, 0, 3, 100), Rec(K::CentreXY, 1, 0, 0), Rec(K::Feed, 7, 0, 0, 100)});
  NormalizeKinds(db);
  EXPECT_EQ(Records(db), (Lines{"1 0 0 5 100", "3 1 0 5 100", "0 1 0 5 100", "1 1 0 20 0", "2 4 0 20 0",
                                "3 4 0 0 100", "6 6 0 3 100", "91 1 0 0 0", "3 7 0 0 100"}))
      << "first move rapid, zero-length feed deleted, kinds from the move before, a helical arc kept";
}

TEST(RebuildRapids, EveryConnectionBecomesRetractTraverseApproach) {
  ToolpathDatabase db;
  db.safeZ = 50;
  Fill(db, {Rec(K::RapidStart, 0, 0, 10), Rec(K::FeedStart, 0, 0, 0, 300), Rec(K::Feed, 10, 0, 0, 400),
            Rec(K::RapidStart, 20, 5, 0), Rec(K::Rapid, 20, 5, 2), Rec(K::FeedStart, 20, 5, -1, 500),
            Rec(K::Feed, 30, 5, -1, 500), Rec(K::RapidStart, 30, 5, 25), Rec(K::Rapid, 40, 5, 25),
            Rec(K::Rapid, 40, 9, 3), Rec(K::FeedStart, 40, 9, 0, 600), Rec(K::RapidStart, 40, 9, 50)});
  ASSERT_TRUE(RebuildRapids(db));
  EXPECT_EQ(Records(db), (Lines{
      "1 0 0 50 0", "2 0 0 50 300", "2 0 0 10 0", "3 0 0 0 300", "4 10 0 0 400",
      "1 10 0 50 400", "2 20 5 50 500", "2 20 5 2 0", "3 20 5 -1 500", "4 30 5 -1 500",
      "1 30 5 25 0", "2 30 5 50 0", "2 40 9 50 600", "2 40 9 3 0", "3 40 9 0 600",
      "1 40 9 50 0"}))
      << "a slanted rapid out of a path becomes a retract above its end; a straight one is kept, and goes on up to "
         "safeZ before the traverse";
}

TEST(RebuildRapids, AnEmptyBufferStaysEmpty) {
  ToolpathDatabase db;
  EXPECT_TRUE(RebuildRapids(db));
  EXPECT_EQ(db.recordCount, 0);
}

}  // namespace
}  // namespace fendo
