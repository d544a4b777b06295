#include "edit/delete_region.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/toolpath_database.h"
#include "edit/edit_checks.h"
#include "view/sample_program.h"

namespace fendo {
namespace {

using test::CutMoves;
using test::Fill;
using test::Rec;
using K = MoveKind;

// The front view 200 × 200 pixels at 1 pixel per mm: model (x, z) is client (100 + x, 100 − z).
ViewState FrontView() { return {.angleA = 270, .angleB = 0, .angleC = 0, .clientWidth = 200, .clientHeight = 200}; }

// Two paths in the standard form, cutting at Z 0 with their rapid moves at Z 2 and above.
ToolpathDatabase& TwoPaths(ToolpathDatabase& db) {
  db.safeZ = 50;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, 2),                                 // 0, 1
            Rec(K::FeedStart, 0, 0, 0, 500), Rec(K::Feed, 10, 0, 0, 500), Rec(K::Feed, 20, 0, 0, 500),  // 2 … 4
            Rec(K::RapidStart, 20, 0, 50), Rec(K::Rapid, 40, 0, 50), Rec(K::Rapid, 40, 0, 2),     // 5 … 7
            Rec(K::FeedStart, 40, 0, 0, 600), Rec(K::Feed, 60, 0, 0, 600),                        // 8, 9
            Rec(K::RapidStart, 60, 0, 50)});                                                      // 10
  return db;
}

const std::vector<std::string> kTwoPathCuts = {"0 0 2 > 0 0 0 G3 F500", "0 0 0 > 10 0 0 G4 F500",
                                               "10 0 0 > 20 0 0 G4 F500", "40 0 2 > 40 0 0 G3 F600",
                                               "40 0 0 > 60 0 0 G4 F600"};

TEST(DeleteInWindow, DeletingTheRapidMovesBetweenTwoPathsLeavesNoCutAcross) {
  struct Case {
    ClientPoint a, b;
    const char* what;
    const char* retract;  // a retract made anew takes the feed of the cut it leaves
  };
  const std::vector<Case> cases = {
      {{115, 40}, {145, 99}, "the whole rapid run between the paths", "1 20 0 50 500"},
      {{145, 99}, {115, 40}, "the same window dragged the other way", "1 20 0 50 500"},
      {{115, 45}, {125, 55}, "the retract only", "1 20 0 50 500"},
      {{135, 96}, {145, 99}, "the approach only", "1 20 0 50 0"},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    EXPECT_EQ(DeleteInWindow(TwoPaths(db), c.a, c.b, FrontView()), EditOutcome::Changed) << c.what;
    EXPECT_EQ(CutMoves(db), kTwoPathCuts) << c.what;
    EXPECT_EQ(test::Records(db),
              (std::vector<std::string>{"1 0 0 50 0", "2 0 0 50 500", "2 0 0 2 0", "3 0 0 0 500", "4 10 0 0 500",
                                        "4 20 0 0 500", c.retract, "2 40 0 50 600", "2 40 0 2 0",
                                        "3 40 0 0 600", "4 60 0 0 600", "1 60 0 50 0"}))
        << c.what << ": rebuilt as retract, traverse at the retract height and approach";
    EXPECT_EQ(db.undoPos(), 1);
  }
}

TEST(DeleteInWindow, CutsInsideAndTheMoveLeavingTheWindowBecomeRapidMoves) {
  ToolpathDatabase db;
  // Around (10, 0, 0): the cut to it and the cut leaving it go.
  EXPECT_EQ(DeleteInWindow(TwoPaths(db), {105, 95}, {115, 105}, FrontView()), EditOutcome::Changed);
  EXPECT_EQ(CutMoves(db), (std::vector<std::string>{"0 0 2 > 0 0 0 G3 F500", "40 0 2 > 40 0 0 G3 F600",
                                                    "40 0 0 > 60 0 0 G4 F600"}));
  ToolpathDatabase whole;
  EXPECT_EQ(DeleteInWindow(TwoPaths(whole), {0, 0}, {200, 200}, FrontView()), EditOutcome::Changed);
  EXPECT_EQ(test::Records(whole), std::vector<std::string>{"1 0 0 50 0"}) << "only rapid moves are left";
}

TEST(DeleteInWindow, AWindowWithNothingInsideChangesNothing) {
  ToolpathDatabase db;
  const std::vector<std::string> before = test::Records(TwoPaths(db));
  EXPECT_EQ(DeleteInWindow(db, {150, 150}, {190, 190}, FrontView()), EditOutcome::Unchanged);
  EXPECT_EQ(test::Records(db), before);
  EXPECT_EQ(db.undoPos(), 0);
}

// Two paths seen from the top: the first along Y = 0 through X = -10, 0, 10, 20, 30 and 50,
// with a half circle inside; the second along Y = 30.
ToolpathDatabase& TopPaths(ToolpathDatabase& db) {
  db.safeZ = 50;
  Fill(db, {Rec(K::RapidStart, -50, 0, 50), Rec(K::Rapid, -50, 0, 2), Rec(K::FeedStart, -50, 0, 0, 500),
            Rec(K::Feed, -10, 0, 0, 500), Rec(K::Feed, 0, 0, 0, 500), Rec(K::ArcCcw, 10, 0, 0, 500),
            Rec(K::CentreXY, 5, 0, 0), Rec(K::Feed, 20, 0, 0, 500), Rec(K::Feed, 30, 0, 0, 500),
            Rec(K::Feed, 50, 0, 0, 500), Rec(K::RapidStart, 50, 0, 50), Rec(K::Rapid, -50, 30, 50),
            Rec(K::Rapid, -50, 30, 2), Rec(K::FeedStart, -50, 30, 0, 600), Rec(K::Feed, 50, 30, 0, 600),
            Rec(K::RapidStart, 50, 30, 50)});
  return db;
}

std::vector<ClientPoint> Square(double x, double y, double half) {
  return {{x - half, y - half}, {x + half, y - half}, {x + half, y + half}, {x - half, y + half}};
}

TEST(DeleteInPolygon, StraightCutsInsideAndTheCutLeavingGoArcsStay) {
  ToolpathDatabase db;
  // Client (95 … 125, 95 … 105) holds X 0, 10 (the arc's end) and 20 of the first path.
  EXPECT_EQ(DeleteInPolygon(TopPaths(db), Square(110, 100, 15), test::TopView()), EditOutcome::Changed);
  EXPECT_EQ(CutMoves(db), (std::vector<std::string>{"-50 0 2 > -50 0 0 G3 F500", "-50 0 0 > -10 0 0 G4 F500",
                                                    "0 0 0 > 10 0 0 G6 F500", "30 0 0 > 50 0 0 G3 F500",
                                                    "-50 30 2 > -50 30 0 G3 F600", "-50 30 0 > 50 30 0 G4 F600"}));
}

TEST(DeleteInPolygon, APathOutsideKeepsItsEntryAfterAPathThatEndsInside) {
  ToolpathDatabase db;
  EXPECT_EQ(DeleteInPolygon(TopPaths(db), Square(150, 100, 5), test::TopView()), EditOutcome::Changed);
  const std::vector<std::string> cuts = CutMoves(db);
  ASSERT_EQ(cuts.size(), 8u);
  EXPECT_EQ(cuts[6], "-50 30 2 > -50 30 0 G3 F600") << "the plunge of the second path is no rapid move";
}

TEST(DeleteInPolygon, PolygonsOfFewerThanThreeOrMoreThan99VerticesAreRefused) {
  ToolpathDatabase db;
  const std::vector<std::string> before = test::Records(TopPaths(db));
  std::vector<ClientPoint> polygon(2);
  EXPECT_EQ(DeleteInPolygon(db, polygon, test::TopView()), EditOutcome::Refused);
  for (int k = 0; k < 98; ++k) polygon.push_back({static_cast<double>(k), 0});
  EXPECT_EQ(DeleteInPolygon(db, polygon, test::TopView()), EditOutcome::Refused);
  EXPECT_EQ(test::Records(db), before);
  polygon.pop_back();
  EXPECT_EQ(DeleteInPolygon(db, polygon, test::TopView()), EditOutcome::Changed) << "99 vertices are taken";
}

}  // namespace
}  // namespace fendo
