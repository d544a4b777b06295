#include "edit/reverse.h"

#include <gtest/gtest.h>

#include "core/toolpath_database.h"
#include "edit/edit_programs.h"

namespace fendo {
namespace {

using test::Describe;
using test::Fill;
using test::FillWithSafeZ;
using test::Rec;
using K = MoveKind;

// The y of each pass (the cut at z = −1) in program order, and whether it runs towards +x.
std::vector<std::pair<float, bool>> PassDirections(ToolpathDatabase& db) {
  std::vector<std::pair<float, bool>> passes;
  for (int i = 1; i < db.recordCount; ++i) {
    const ToolpathRecord& r = *db.RecordAt(i);
    const ToolpathRecord& prev = *db.RecordAt(i - 1);
    if (r.kind == K::Feed && prev.z == -1 && (passes.empty() || passes.back().first != r.y)) {
      passes.emplace_back(r.y, r.x > prev.x);
    }
  }
  return passes;
}

TEST(Reverse, TwoWayOnFivePassesReversesTheSecondAndTheFourth) {
  ToolpathDatabase db;
  FillWithSafeZ(db, test::OneWayPasses(5));
  ASSERT_EQ(ReversePaths(db, {.direction = false, .twoWay = true}), EditOutcome::Changed);
  EXPECT_EQ(PassDirections(db), (std::vector<std::pair<float, bool>>{
                                    {0, true}, {10, false}, {20, true}, {30, false}, {40, true}}));
  // Every path is entered straight down from safeZ above its start, the reversed ones too.
  for (int i = 2; i < db.recordCount; ++i) {
    const ToolpathRecord& r = *db.RecordAt(i);
    const ToolpathRecord& before = *db.RecordAt(i - 1);
    if (r.kind != K::FeedStart || !IsRapidKind(before.kind)) continue;
    const ToolpathRecord& traverse = *db.RecordAt(i - 2);
    EXPECT_EQ(test::Coordinate(traverse.x) + ' ' + test::Coordinate(traverse.y) + ' ' + test::Coordinate(traverse.z),
              test::Coordinate(before.x) + ' ' + test::Coordinate(before.y) + " 50")
        << i;
  }
}

TEST(Reverse, OrderOnlyCutsTheLastPathFirstAndEachBackwards) {
  ToolpathDatabase db;
  FillWithSafeZ(db, test::OneWayPasses(3));
  ASSERT_EQ(ReversePaths(db, {.direction = false, .order = true}), EditOutcome::Changed);
  EXPECT_EQ(PassDirections(db), (std::vector<std::pair<float, bool>>{{20, false}, {10, false}, {0, false}}));
}

TEST(Reverse, DirectionAndOrderTogetherKeepEachPathsOwnDirection) {
  ToolpathDatabase db;
  FillWithSafeZ(db, test::OneWayPasses(3));
  ASSERT_EQ(ReversePaths(db, {.direction = true, .order = true}), EditOutcome::Changed);
  EXPECT_EQ(PassDirections(db), (std::vector<std::pair<float, bool>>{{20, true}, {10, true}, {0, true}}));
}

TEST(Reverse, EachMoveKeepsItsFeedWhenItRunsTheOtherWay) {
  ToolpathDatabase db;
  FillWithSafeZ(db, test::OneWayPasses(1));
  ASSERT_EQ(ReversePaths(db, {}), EditOutcome::Changed);
  std::vector<std::string> cut;
  for (const std::string& move : test::CuttingMoves(db)) cut.push_back(move);
  // The moves 0→10 (600), 10→20 (700) and 20→30 (800), now from 30 back to 0.
  EXPECT_EQ(cut, (std::vector<std::string>{"30 0 -1 -> 3 20 0 -1 800", "20 0 -1 -> 4 10 0 -1 700",
                                           "10 0 -1 -> 4 0 0 -1 600", "0 0 -1 -> 4 0 0 2 500"}))
      << "the plunge is now a feed move up to the approach point";
}

TEST(Reverse, AnArcRunsBackAboutTheSameCentreInTheOtherSense) {
  ToolpathDatabase db;
  // A G03 half circle from (0,0) to (10,0) about (5,0), rising 1 mm (a helix), then a line.
  Fill(db, {Rec(K::RapidStart, 0, 0, 10), Rec(K::FeedStart, 0, 0, 0), Rec(K::ArcCcw, 10, 0, 1),
            Rec(K::CentreXY, 5, 0, 0), Rec(K::Feed, 20, 0, 1)});
  ReverseRange(db, 1, 5);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 10 0", "3 20 0 1 0", "4 10 0 1 0", "8 0 0 0 0",
                                                        "91 -5 0 -1 0"}))
      << "the centre (5, 0, 0) is now measured from (10, 0, 1); the end heights stay";
  ReverseRange(db, 1, 5);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 10 0", "3 0 0 0 0", "6 10 0 1 0", "91 5 0 0 0",
                                                        "4 20 0 1 0"}))
      << "twice reversed is the stretch as it was";
}

TEST(Reverse, HelicalArcsKeepTheirEndHeightsThroughTheRebuild) {
  ToolpathDatabase db;
  test::ReadRandomProgram(db, 3, 12);
  std::vector<std::string> helixEnds;
  for (const std::string& move : test::CuttingMoves(db)) {
    if (move.find("-> 6 ") != std::string::npos || move.find("-> 8 ") != std::string::npos) helixEnds.push_back(move);
  }
  ASSERT_FALSE(helixEnds.empty());
  for (const ReverseParams& params : {ReverseParams{}, ReverseParams{.direction = false, .twoWay = true},
                                      ReverseParams{.direction = false, .order = true}}) {
    ToolpathDatabase twice;
    test::ReadRandomProgram(twice, 3, 12);
    ASSERT_EQ(ReversePaths(twice, params), EditOutcome::Changed);
    ASSERT_EQ(ReversePaths(twice, params), EditOutcome::Changed);
    std::vector<std::string> ends;
    for (const std::string& move : test::CuttingMoves(twice)) {
      if (move.find("-> 6 ") != std::string::npos || move.find("-> 8 ") != std::string::npos) ends.push_back(move);
    }
    EXPECT_EQ(ends, helixEnds) << params.direction << params.order << params.twoWay;
  }
}

TEST(Reverse, APolygonPutsThePathsStartingInsideItFirst) {
  ToolpathDatabase db;
  FillWithSafeZ(db, test::OneWayPasses(4));
  // A top view of 200 × 200 pixels around the origin: model (x, y) is client (x + 100, 100 − y).
  const ViewState top{.angleA = 0, .angleB = 0, .angleC = 0, .clientWidth = 200, .clientHeight = 200};
  // Around the starts (x = 0) of the passes at y = 10 and y = 20.
  const std::vector<ClientPoint> around = {{95, 75}, {105, 75}, {105, 95}, {95, 95}};
  ASSERT_EQ(ReversePaths(db, {.polygon = true}, around, top), EditOutcome::Changed);
  EXPECT_EQ(PassDirections(db), (std::vector<std::pair<float, bool>>{{10, false}, {20, false}, {0, true}, {30, true}}))
      << "the passes at y = 10 and 20 start inside (the approach lies on the path's start)";
  ToolpathDatabase untouched;
  FillWithSafeZ(untouched, test::OneWayPasses(4));
  EXPECT_EQ(ReversePaths(untouched, {.polygon = true}, std::vector<ClientPoint>{{0, 0}, {1, 1}}, top),
            EditOutcome::Unchanged);
  EXPECT_EQ(untouched.undoPos(), 0);
}

TEST(Reverse, TheDialogsBoxesClearEachOther) {
  ReverseParams params;
  params.SetTwoWay(true);
  EXPECT_FALSE(params.direction || params.order);
  params.SetOrder(true);
  EXPECT_FALSE(params.twoWay);
  EXPECT_TRUE(params.order);
}

TEST(Reverse, OnePathReverseTurnsThePickedPathAndCanBeUndone) {
  ToolpathDatabase db;
  FillWithSafeZ(db, test::OneWayPasses(3));
  const auto before = test::StoredState(db);
  // Record 12 is the second cut of the second pass.
  ASSERT_EQ(ReverseOnePath(db, 12), EditOutcome::Changed);
  EXPECT_EQ(PassDirections(db), (std::vector<std::pair<float, bool>>{{0, true}, {10, false}, {20, true}}));
  EXPECT_EQ(db.undoPos(), 1);
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(test::StoredState(db), before);
  EXPECT_EQ(ReverseOnePath(db, 0), EditOutcome::Unchanged) << "a rapid move is no path";
}

}  // namespace
}  // namespace fendo
