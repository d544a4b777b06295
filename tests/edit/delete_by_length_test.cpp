#include "edit/delete_by_length.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "edit/edit_checks.h"

namespace fendo {
namespace {

using test::CutMoves;
using test::Fill;
using test::Rec;
using K = MoveKind;

TEST(DeletePointsByLength, ALongMoveIsLeftByARetractAndEnteredFromItsEnd) {
  ToolpathDatabase db;
  db.safeZ = 50;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, 2), Rec(K::FeedStart, 0, 0, 0, 500),
            Rec(K::Feed, 10, 0, 0, 500), Rec(K::Feed, 70, 0, 0, 600), Rec(K::Feed, 80, 0, 0, 700),
            Rec(K::RapidStart, 80, 0, 50, 700)});
  EXPECT_EQ(DeletePointsByLength(db, {.length = 50}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{
                                   "1 0 0 50 0", "2 0 0 50 500", "2 0 0 2 0", "3 0 0 0 500", "4 10 0 0 500",
                                   "1 10 0 50 500",                        // retract before the 60 mm move
                                   "2 70 0 50 700", "2 70 0 0 600",        // traverse, approach to its end
                                   "3 80 0 0 700", "1 80 0 50 700"}));
}

TEST(DeletePointsByLength, EveryMoveOfAtLeastTheLengthGoesArcsByTheirLength) {
  struct Case {
    double length;
    std::vector<std::string> cuts;
  };
  // A 2 mm plunge, a 10 mm line, a half circle of radius 5 (15.708 mm) and a 15.7 mm line.
  const std::string program = "G00 X0 Y0 Z50\nZ2\nG01 Z0 F500\nX10\nG03 X20 I5 J0\nG01 X35.7\nG00 Z50\n";
  const std::vector<Case> cases = {
      {16, {"0 0 2 > 0 0 0 G3 F500", "0 0 0 > 10 0 0 G4 F500", "10 0 0 > 20 0 0 G6 F500", "20 0 0 > 35.7 0 0 G3 F500"}},
      {15.708, {"0 0 2 > 0 0 0 G3 F500", "0 0 0 > 10 0 0 G4 F500", "10 0 0 > 20 0 0 G6 F500",
                "20 0 0 > 35.7 0 0 G3 F500"}},
      {15.7, {"0 0 2 > 0 0 0 G3 F500", "0 0 0 > 10 0 0 G4 F500"}},  // exactly the length goes
      {10, {"0 0 2 > 0 0 0 G3 F500"}},
      {2, {}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    AppendText(db, program);
    db.safeZ = 50;
    EXPECT_EQ(DeletePointsByLength(db, {.length = c.length}), EditOutcome::Changed);
    EXPECT_EQ(CutMoves(db), c.cuts) << c.length;
  }
  ToolpathDatabase db;
  EXPECT_EQ(DeletePointsByLength(db, {.length = 0}), EditOutcome::Refused);
}

// Three paths: the first exactly `first` mm long, the second `second` mm, the last 10 mm;
// each path is a 2 mm plunge and a cut along X.
ToolpathDatabase& ThreePaths(ToolpathDatabase& db, float first, float second) {
  db.safeZ = 50;
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, 50)};
  float x = 0;
  for (const float length : {first, second, 10.0f}) {
    for (const ToolpathRecord r : {Rec(K::Rapid, x, 0, 50), Rec(K::Rapid, x, 0, 2), Rec(K::FeedStart, x, 0, 0, 500),
                                   Rec(K::Feed, x + length - 2, 0, 0, 500), Rec(K::RapidStart, x + length - 2, 0, 50)}) {
      records.push_back(r);
    }
    x += 100;
  }
  Fill(db, records);
  return db;
}

TEST(DeletePathsByLength, APathShorterThanTheLengthGoesTheLastPathStays) {
  struct Case {
    float first, second;
    double length;
    int cutsLeft;
  };
  const std::vector<Case> cases = {
      {50, 49.999f, 50, 4},  // exactly L stays, L − 0.001 goes, the 10 mm last path stays
      {50, 50, 50, 6},
      {49.999f, 60, 50, 4},
      {30, 30, 100, 2},      // everything but the last path
      {30, 30, 0, 6},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    EXPECT_EQ(DeletePathsByLength(ThreePaths(db, c.first, c.second), {.length = c.length}), EditOutcome::Changed);
    EXPECT_EQ(static_cast<int>(CutMoves(db).size()), c.cutsLeft) << c.first << ' ' << c.second << ' ' << c.length;
    const std::vector<std::string> cuts = CutMoves(db);
    ASSERT_GE(cuts.size(), 2u);
    EXPECT_EQ(cuts[cuts.size() - 2], "200 0 2 > 200 0 0 G3 F500");
    EXPECT_EQ(cuts.back(), "200 0 0 > 208 0 0 G4 F500");
  }
}

TEST(DeletePathsByLength, ADeletedPathLeavesTheStandardLinkBetweenItsNeighbours) {
  ToolpathDatabase db;
  EXPECT_EQ(DeletePathsByLength(ThreePaths(db, 50, 20), {}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{
                                   "1 0 0 50 0", "2 0 0 50 500", "2 0 0 2 0", "3 0 0 0 500", "4 48 0 0 500",
                                   "1 48 0 50 0", "2 200 0 50 500", "2 200 0 2 0",  // straight on to the last path
                                   "3 200 0 0 500", "4 208 0 0 500", "1 208 0 50 0"}));
}

}  // namespace
}  // namespace fendo
