#include <gtest/gtest.h>

#include <vector>

#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "view/path_span.h"
#include "view/picking.h"
#include "view/sample_program.h"
#include "view/selection.h"

namespace fendo {
namespace {

using test::Fill;
using test::FillThreePaths;
using test::Rec;
using test::TopView;
using K = MoveKind;

std::vector<int> SelectedRecords(ToolpathDatabase& db) {
  std::vector<int> selected;
  for (int i = 0; i < db.recordCount; ++i) {
    if (db.RecordAt(i)->selected) selected.push_back(i);
  }
  return selected;
}

TEST(PickRecord, FindsTheMoveUnderThePointWithGrowingTolerances) {
  ToolpathDatabase db;
  FillThreePaths(db);
  const ViewState view = TopView();
  struct Case {
    ClientPoint p;
    bool rapidShown;
    int expected;
    const char* what;
  };
  const std::vector<Case> cases = {
      {{100, 52}, true, 3, "2 pixels from a cut"},
      {{100, 57}, true, 3, "7 pixels: found at the second tolerance"},
      {{100, 67}, true, 3, "17 pixels: found at the last tolerance"},
      {{100, 100}, true, 5, "on the diagonal rapid move"},
      {{100, 100}, false, 0, "hidden rapid moves cannot be picked"},
      {{20, 100}, true, 0, "an empty area picks nothing"},
      {{114.14, 144.14}, true, 8, "on the arc"},
      {{117, 147}, true, 8, "4 pixels outside the arc beats a cut 17 pixels away that comes first"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PickRecord(db, view, c.rapidShown, c.p), c.expected) << c.what;
  }
}

TEST(PickRecord, TheSmallestToleranceWinsOverIndexOrder) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, -50, 10, 5), Rec(K::FeedStart, -50, 10, 0), Rec(K::Feed, 50, 10, 0),
            Rec(K::Feed, 50, 0, 0), Rec(K::Feed, -50, 0, 0)});
  // Client y 90 is record 2, y 100 record 4: 7 and 3 pixels away.
  EXPECT_EQ(PickRecord(db, TopView(), true, {100, 97}), 4);
  EXPECT_EQ(PickRecord(db, TopView(), true, {100, 95}), 2) << "5 and 5 pixels: the first in index order";
}

TEST(SelectInWindow, TogglesTheCutsThatCrossTheWindow) {
  ToolpathDatabase db;
  FillThreePaths(db);
  const ViewState view = TopView();
  EXPECT_EQ(SelectInWindow(db, view, {110, 60}, {90, 40}), 1);
  EXPECT_EQ(SelectedRecords(db), std::vector<int>{3});
  EXPECT_TRUE(AnySelected(db));
  EXPECT_EQ(SelectInWindow(db, view, {90, 40}, {110, 60}), 1);
  EXPECT_EQ(SelectedRecords(db), std::vector<int>{}) << "selecting twice leaves it unselected";
  EXPECT_FALSE(AnySelected(db));

  EXPECT_EQ(SelectInWindow(db, view, {100, 55}, {100, 55}), 1) << "a click grows to a 10 × 10 box, edges included";
  EXPECT_EQ(SelectInWindow(db, view, {100, 45}, {100, 45}), 1) << "…and from the other side untoggles";
  EXPECT_EQ(SelectInWindow(db, view, {100, 55.5}, {100, 55.5}), 0) << "5.5 pixels off";
  EXPECT_EQ(SelectInWindow(db, view, {95, 95}, {105, 105}), 0) << "rapid moves are never selected";

  EXPECT_EQ(SelectInWindow(db, view, {110, 140}, {118, 148}), 1);
  EXPECT_EQ(SelectedRecords(db), std::vector<int>{8}) << "an arc sample lies in the window";
}

TEST(SelectInWindow, LongMovesAreTestedAtTheirSamplesOnly) {
  ToolpathDatabase db;
  // A cut from client (100, 100) to (130, 130), 42.4 pixels: 15 samples 3.03 pixels apart,
  // at x = y = 100 + 2.143 k. The windows below cut a corner off it.
  Fill(db, {Rec(K::RapidStart, 0, 0, 5), Rec(K::FeedStart, 0, 0, 0), Rec(K::Feed, 30, -30, 0)});
  const ViewState view = TopView();
  EXPECT_EQ(SelectInWindow(db, view, {118.5, 90}, {128.5, 119}), 0) << "the move crosses it between two samples";
  EXPECT_EQ(SelectInWindow(db, view, {118.5, 90}, {128.5, 119.5}), 1) << "the sample at 119.29 is in";
}

TEST(SelectInWindow, RecordZeroIsNeverSelected) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::FeedStart, 0, 0, 0), Rec(K::Feed, 20, 0, 0)});
  EXPECT_EQ(SelectInWindow(db, TopView(), {95, 95}, {105, 105}), 1);
  EXPECT_EQ(SelectedRecords(db), std::vector<int>{1});
  EXPECT_EQ(SelectPathsInWindow(db, TopView(), {95, 95}, {105, 105}), 1);
  EXPECT_EQ(SelectedRecords(db), std::vector<int>{});
}

TEST(SelectPathsInWindow, TogglesWholePathsOnceEach) {
  ToolpathDatabase db;
  FillThreePaths(db);
  const ViewState view = TopView();
  EXPECT_EQ(SelectPathsInWindow(db, view, {60, 125}, {125, 155}), 4) << "two moves of path B in the window";
  EXPECT_EQ(SelectedRecords(db), (std::vector<int>{6, 7, 8, 9})) << "its centre record goes with it";
  EXPECT_EQ(SelectPathsInWindow(db, view, {70, 145}, {80, 155}), 4);
  EXPECT_EQ(SelectedRecords(db), std::vector<int>{}) << "selecting a path twice leaves it unselected";

  EXPECT_EQ(SelectPathsInWindow(db, view, {0, 0}, {200, 200}), 8);
  EXPECT_EQ(SelectedRecords(db), (std::vector<int>{2, 3, 6, 7, 8, 9, 12, 13}));
}

TEST(PathSpan, PathsAroundRecordsAndTheirNeighbours) {
  ToolpathDatabase db;
  FillThreePaths(db);
  const PathSpan a{2, 4}, b{6, 10}, c{12, 14};
  EXPECT_EQ(PathAround(db, 3), a);
  EXPECT_EQ(PathAround(db, 8), b);
  EXPECT_EQ(PathOfRecord(db, 5), b) << "a rapid move stands for the path it leads into";
  EXPECT_EQ(PathOfRecord(db, 14), c) << "the last retract stands for the path before it";
  EXPECT_EQ(PathOfRecord(db, 15), std::nullopt);
  EXPECT_EQ(NextPath(db, a), b);
  EXPECT_EQ(NextPath(db, b), c);
  EXPECT_EQ(NextPath(db, c), std::nullopt);
  EXPECT_EQ(PreviousPath(db, c), b);
  EXPECT_EQ(PreviousPath(db, a), std::nullopt);

  ToolpathDatabase rapidsOnly;
  Fill(rapidsOnly, {Rec(K::RapidStart, 0, 0, 5), Rec(K::Rapid, 1, 0, 5)});
  EXPECT_EQ(PathOfRecord(rapidsOnly, 1), std::nullopt);
}

}  // namespace
}  // namespace fendo

namespace fendo {
namespace {

// The three paths of FillThreePaths in layer 4, drawn with the work layer 0 that holds one cut
// across the bottom of the view.
void FillTwoLayers(ToolpathDatabase& db) {
  test::FillThreePaths(db);
  ASSERT_TRUE(db.SaveToLayer(4));
  test::Fill(db, {test::Rec(MoveKind::RapidStart, -90, -90, 5), test::Rec(MoveKind::FeedStart, -90, -90, 0),
                  test::Rec(MoveKind::Feed, 90, -90, 0)});
}

TEST(PickLayer, FindsTheLayerOfTheToolpathUnderThePointInItsSlotToo) {
  ToolpathDatabase db;
  FillTwoLayers(db);
  const ViewState view = test::TopView();
  struct Case {
    ClientPoint p;
    std::optional<int> expected;
    const char* what;
  };
  const std::vector<Case> cases = {
      {{100, 188}, 0, "the work layer's cut"},
      {{100, 52}, 4, "a cut of the echoed layer, which is not in the work buffer"},
      {{114.14, 144.14}, 4, "an arc of the echoed layer"},
      {{20, 100}, std::nullopt, "nothing near"},
  };
  for (const Case& c : cases) EXPECT_EQ(PickLayer(db, view, true, c.p), c.expected) << c.what;

  db.layers[4].layerOn = false;
  EXPECT_EQ(PickLayer(db, view, true, {100, 52}), std::nullopt) << "a layer not drawn is not picked";
}

TEST(PickLayer, TheNearerToleranceWinsAcrossLayers) {
  ToolpathDatabase db;
  FillTwoLayers(db);
  // The work layer's cut 7 pixels below the point, layer 4's path A 2 pixels above it.
  test::Fill(db, {test::Rec(MoveKind::RapidStart, -90, 41, 5), test::Rec(MoveKind::FeedStart, -90, 41, 0),
                  test::Rec(MoveKind::Feed, 90, 41, 0)});
  EXPECT_EQ(PickLayer(db, test::TopView(), true, {100, 52}), 4);
  EXPECT_EQ(PickLayer(db, test::TopView(), true, {100, 57}), 0);
}

}  // namespace
}  // namespace fendo
