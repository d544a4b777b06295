#include "edit/trim.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/arc_rule.h"
#include "core/progress.h"
#include "core/toolpath_database.h"
#include "edit/edit_checks.h"
#include "edit/point_file.h"
#include "edit/region_boundary.h"

namespace fendo {
namespace {

using test::CutMoves;
using test::Fill;
using test::Rec;
using K = MoveKind;

constexpr float kSafe = 50;

// One path cutting along y = 5 from x = −20 to x = 30 at z = 0, approached from 2 mm above.
ToolpathDatabase& AcrossTheWindow(ToolpathDatabase& db) {
  db.safeZ = kSafe;
  Fill(db, {Rec(K::RapidStart, -20, 5, kSafe), Rec(K::Rapid, -20, 5, 2), Rec(K::FeedStart, -20, 5, 0, 500),
            Rec(K::Feed, 30, 5, 0, 500), Rec(K::RapidStart, 30, 5, kSafe)});
  return db;
}

TEST(TrimRegion, ALineCrossingAWindowInsideRemoved) {
  ToolpathDatabase db;
  const auto window = RectangleBoundary(0, 0, 10, 10);
  EXPECT_EQ(TrimRegion(AcrossTheWindow(db), *window, TrimSide::Inside), EditOutcome::Changed);
  // Cut to the left edge, retract, traverse, rapid down at the right edge, cut to the end.
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 -20 5 50 0", "2 -20 5 50 500", "2 -20 5 2 0", "3 -20 5 0 500",
                                                         "4 0 5 0 500", "1 0 5 50 500", "2 10 5 50 500",
                                                         "2 10 5 0 500", "3 30 5 0 500", "1 30 5 50 0"}));
  EXPECT_EQ(db.undoPos(), 1) << "every trim can be taken back";
}

TEST(TrimRegion, ALineCrossingAWindowOutsideRemoved) {
  ToolpathDatabase db;
  const auto window = RectangleBoundary(10, 10, 0, 0);
  EXPECT_EQ(TrimRegion(AcrossTheWindow(db), *window, TrimSide::Outside), EditOutcome::Changed);
  // Only the part inside is left: a descent at feed onto the left edge, the cut, a retract at
  // the right edge.
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 -20 5 50 0", "2 0 5 50 500", "2 0 5 50 500", "3 0 5 0 500",
                                                         "4 10 5 0 500", "1 10 5 50 500"}));
}

TEST(TrimRegion, NothingCutIsNoChangeAndNoUndoStep) {
  ToolpathDatabase db;
  const std::vector<std::string> before = test::Records(AcrossTheWindow(db));
  EXPECT_EQ(TrimRegion(db, *RectangleBoundary(100, 100, 110, 110), TrimSide::Inside), EditOutcome::Unchanged);
  EXPECT_EQ(TrimRegion(db, *RectangleBoundary(-100, -100, 100, 100), TrimSide::Outside), EditOutcome::Unchanged);
  EXPECT_EQ(test::Records(db), before);
  EXPECT_EQ(db.undoPos(), 0);
  EXPECT_EQ(TrimRegion(db, *RectangleBoundary(0, 0, 10, 10), TrimSide::Inside, UndoStep::Skip), EditOutcome::Changed);
  EXPECT_EQ(db.undoPos(), 0) << "fendo-batch keeps no undo";
}

TEST(TrimRegion, KeptPiecesOfAnArcStayArcsAboutTheSameCentre) {
  // A G03 half circle of radius 10 about (0, 0) from (10, 0) to (−10, 0), cut by x ≤ 5 removed.
  ToolpathDatabase db;
  db.safeZ = kSafe;
  Fill(db, {Rec(K::RapidStart, 10, 0, kSafe), Rec(K::FeedStart, 10, 0, 0, 400), Rec(K::ArcCcw, -10, 0, 0, 400),
            Rec(K::CentreXY, -10, 0, 0), Rec(K::RapidStart, -10, 0, kSafe)});
  EXPECT_EQ(TrimRegion(db, *RectangleBoundary(-20, -20, 5, 20), TrimSide::Inside), EditOutcome::Changed);
  int arc = 0;
  while (arc < db.recordCount && !IsArcKind(db.RecordAt(arc)->kind)) ++arc;
  ASSERT_LT(arc, db.recordCount) << testing::PrintToString(test::Records(db));
  EXPECT_EQ(db.RecordAt(arc)->kind, K::ArcCcw) << "the kept piece is still a G03";
  const Arc kept = ArcGeometry(db, arc);
  EXPECT_NEAR(kept.radius, 10, 1e-4);
  EXPECT_NEAR(kept.centre.x, 0, 1e-4);
  EXPECT_NEAR(kept.centre.y, 0, 1e-4);
  EXPECT_NEAR(kept.start.x, 10, 1e-6);
  EXPECT_NEAR(kept.end.x, 5, 0.001) << "the arc ends on the boundary";
  EXPECT_NEAR(kept.end.y, std::sqrt(75.0), 0.001);
  const ToolpathRecord retract = *db.RecordAt(arc + 2);
  EXPECT_EQ(retract.kind, K::RapidStart);
  EXPECT_EQ(retract.x, db.RecordAt(arc)->x);
  EXPECT_EQ(retract.z, kSafe);
  EXPECT_EQ(arc + 3, db.recordCount) << "nothing is left of the rest";
}

TEST(TrimRegion, AKeptPieceOfAnArcUnderAMicrometreIsNotWritten) {
  // The same half circle with all but its first 0.63 µm removed.
  ToolpathDatabase db;
  db.safeZ = kSafe;
  Fill(db, {Rec(K::RapidStart, 10, 0, kSafe), Rec(K::Rapid, 10, 0, 2), Rec(K::FeedStart, 10, 0, 0, 400),
            Rec(K::ArcCcw, -10, 0, 0, 400), Rec(K::CentreXY, -10, 0, 0), Rec(K::RapidStart, -10, 0, kSafe)});
  EXPECT_EQ(TrimRegion(db, *RectangleBoundary(-20, -20, 9.99999998, 20), TrimSide::Inside), EditOutcome::Changed);
  EXPECT_EQ(CutMoves(db), std::vector<std::string>{"10 0 2 > 10 0 0 G3 F400"}) << "only the plunge is left";
}

TEST(TrimPolygons, ReportsItsProgressOverEveryPolygon) {
  struct Reports : Progress {
    void Report(std::string_view text, std::int64_t done, std::int64_t total) override {
      EXPECT_EQ(text, kTrimProgressText);
      EXPECT_LE(done, total);
      last = {done, total};
      ++count;
    }
    std::pair<std::int64_t, std::int64_t> last;
    int count = 0;
  } reports;
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, kSafe), Rec(K::FeedStart, 0, 0, 0, 500)};
  for (int k = 0; k < 3000; ++k) records.push_back(Rec(K::Feed, static_cast<float>(k % 2 ? 0 : 30), k * 0.01f, 0, 500));
  ToolpathDatabase db;
  db.safeZ = kSafe;
  Fill(db, records);
  const std::vector<std::vector<Point3>> squares = {{{10, -1, 0}, {12, -1, 0}, {12, 40, 0}, {10, 40, 0}},
                                                    {{20, -1, 0}, {22, -1, 0}, {22, 40, 0}, {20, 40, 0}}};
  EXPECT_EQ(TrimPolygons(db, squares, TrimSide::Inside, UndoStep::Skip, &reports), EditOutcome::Changed);
  EXPECT_GE(reports.count, 6) << "about every thousand records of each pass";
  EXPECT_EQ(reports.last, std::make_pair(std::int64_t{2 * 3002}, std::int64_t{2 * 3002})) << "the last says all done";
}

TEST(TrimCircle, ARecordOnTheCircleStaysUnderBothTrims) {
  struct Case {
    TrimSide removed;
    std::vector<ToolpathRecord> path;
    const char* what;
  };
  const std::vector<Case> cases = {
      {TrimSide::Inside,
       {Rec(K::RapidStart, 20, 0, kSafe), Rec(K::FeedStart, 20, 0, 0, 500), Rec(K::Feed, 10, 0, 0, 500),
        Rec(K::Feed, 20, -5, 0, 500)},
       "inside removed: the rim is outside"},
      {TrimSide::Outside,
       {Rec(K::RapidStart, 0, 0, kSafe), Rec(K::FeedStart, 0, 0, 0, 500), Rec(K::Feed, 10, 0, 0, 500),
        Rec(K::Feed, 0, 5, 0, 500)},
       "outside removed: the rim is inside"},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    db.safeZ = kSafe;
    Fill(db, c.path);
    EXPECT_EQ(TrimCircle(db, {0, 0, 0}, 10, c.removed), EditOutcome::Unchanged) << c.what;
  }
}

TEST(TrimCircle, ARadiusOfZeroOrBelowIsRefusedWithNothingChanged) {
  // The path runs through the centre, so a trim that took such a circle would change it.
  ToolpathDatabase db;
  const std::vector<std::string> before = test::Records(AcrossTheWindow(db));
  for (double radius : {0.0, -0.001, -10.0, std::nan("")}) {
    for (TrimSide removed : {TrimSide::Inside, TrimSide::Outside}) {
      EXPECT_EQ(TrimCircle(db, {0, 5, 0}, radius, removed), EditOutcome::Refused) << radius;
    }
  }
  EXPECT_EQ(test::Records(db), before);
  EXPECT_EQ(db.undoPos(), 0);
}

TEST(TrimCircle, AMovePassingThroughTheDiscIsCutThere) {
  ToolpathDatabase db;
  db.safeZ = kSafe;
  Fill(db, {Rec(K::RapidStart, -20, 0, kSafe), Rec(K::FeedStart, -20, 0, 0, 500), Rec(K::Feed, 20, 0, -4, 500),
            Rec(K::RapidStart, 20, 0, kSafe)});
  EXPECT_EQ(TrimCircle(db, {0, 0, 0}, 10, TrimSide::Inside), EditOutcome::Changed);
  // Z follows the move: −1 where it meets the circle, −3 where it leaves it; the tool comes
  // back down at feed.
  EXPECT_EQ(CutMoves(db), (std::vector<std::string>{"-20 0 50 > -20 0 0 G3 F500", "-20 0 0 > -10 0 -1 G4 F500",
                                                    "10 0 50 > 10 0 -3 G3 F500", "10 0 -3 > 20 0 -4 G4 F500"}));
  EXPECT_EQ(db.undoPos(), 1);
}

TEST(TrimZBand, AMoveThroughTheBandKeepsItsPartInside) {
  ToolpathDatabase db;
  db.safeZ = kSafe;
  Fill(db, {Rec(K::RapidStart, 0, 0, kSafe), Rec(K::Rapid, 0, 0, 22), Rec(K::FeedStart, 0, 0, 20, 300),
            Rec(K::Feed, 10, 0, -20, 300), Rec(K::RapidStart, 10, 0, kSafe)});
  EXPECT_EQ(TrimZBand(db, {.zMin = -10, .zMax = 10}), EditOutcome::Changed);
  EXPECT_EQ(CutMoves(db), (std::vector<std::string>{"2.5 0 50 > 2.5 0 10 G3 F300", "2.5 0 10 > 7.5 0 -10 G4 F300"}));
  EXPECT_EQ(db.undoPos(), 1);
  EXPECT_EQ(TrimZBand(db, {.zMin = 5, .zMax = -5}), EditOutcome::Refused);
}

TEST(TrimRegion, ARotatedViewTrimsWhatIsDrawnInsideAtAnyDepth) {
  // The front view at 1 pixel per mm: model (x, z) is client (100 + x, 100 − z); y is depth.
  const ViewState front{.angleA = 270, .angleB = 0, .angleC = 0, .clientWidth = 200, .clientHeight = 200};
  ToolpathDatabase db;
  db.safeZ = kSafe;
  Fill(db, {Rec(K::RapidStart, -50, 0, kSafe), Rec(K::FeedStart, -50, 0, 0, 500), Rec(K::Feed, 50, 0, 0, 500),
            Rec(K::RapidStart, 50, 0, kSafe), Rec(K::Rapid, -50, 80, kSafe), Rec(K::FeedStart, -50, 80, 0, 500),
            Rec(K::Feed, 50, 80, 0, 500), Rec(K::RapidStart, 50, 80, kSafe)});
  const std::vector<ClientPoint> window = {{90, 90}, {110, 90}, {110, 110}, {90, 110}};
  EXPECT_EQ(TrimRegion(db, *ScreenPolygonBoundary(window, front), TrimSide::Inside), EditOutcome::Changed);
  EXPECT_EQ(CutMoves(db), (std::vector<std::string>{"-50 0 50 > -50 0 0 G3 F500", "-50 0 0 > -10 0 0 G4 F500",
                                                    "10 0 0 > 50 0 0 G3 F500", "-50 80 50 > -50 80 0 G3 F500",
                                                    "-50 80 0 > -10 80 0 G4 F500", "10 80 0 > 50 80 0 G3 F500"}));
}

TEST(TrimPolygons, EveryPolygonOfAFileInOrderWithOneUndoStep) {
  // A triangle (three vertices are enough) and a square whose "end" is missing.
  std::string error;
  const auto polygons = ParsePointText(
      "start\n0 -10 0\n10 -10 0\n5 20 0\nend\nstart\n20 0 0\n25 0 0\n25 10 0\n20 10 0\n"
      "start\n1 1 1\n2 2 2\nend\n",
      error);
  ASSERT_TRUE(polygons) << error;
  ASSERT_EQ(polygons->size(), 3u);
  ToolpathDatabase db;
  EXPECT_EQ(TrimPolygons(AcrossTheWindow(db), *polygons, TrimSide::Inside), EditOutcome::Changed);
  // The triangle meets y = 5 from x = 2.5 to 7.5, the square from 20 to 25; the two-vertex
  // polygon is skipped.
  EXPECT_EQ(CutMoves(db), (std::vector<std::string>{"-20 5 2 > -20 5 0 G3 F500", "-20 5 0 > 2.5 5 0 G4 F500",
                                                    "7.5 5 0 > 20 5 0 G3 F500", "25 5 0 > 30 5 0 G3 F500"}));
  EXPECT_EQ(db.undoPos(), 1);
  const std::vector<std::vector<Point3>> tooFew = {{{0, 0, 0}, {9, 9, 0}}};
  EXPECT_EQ(TrimPolygons(db, tooFew, TrimSide::Inside), EditOutcome::Unchanged);
}

TEST(TrimPolygons, AResultBeyondTheRecordLimitChangesNothing) {
  // A comb of 20 teeth: a move across it becomes 81 records (a cut, a retract, a traverse and a
  // descent for every tooth). Tooth k spans x = 2k … 2k + 1 and y = 0 … 10; the teeth stand on
  // a base y = 0 … 1.
  std::vector<Point3> comb = {{0, 0, 0}, {39, 0, 0}};
  for (int k = 19; k >= 0; --k) {
    comb.push_back({2.0 * k + 1, 10, 0});
    comb.push_back({2.0 * k, 10, 0});
    if (k == 0) break;
    comb.push_back({2.0 * k, 1, 0});
    comb.push_back({2.0 * k - 1, 1, 0});
  }
  // Moves across the comb, then rapid moves that are copied as they stand, in a program of a
  // quarter of the record limit: the result, grown from the program's size by doubling, passes
  // the limit with the last rapid moves and is never doubled past twice the limit. What a result
  // of the limit's size costs in memory is the whole cost of this test.
  const int size = ToolpathDatabase::kMaxRecords / 4 + 1;
  const int crossings = (ToolpathDatabase::kMaxRecords - size) / 80 + 100;
  const auto program = [&] {
    std::vector<ToolpathRecord> records{Rec(K::RapidStart, -1, 5, kSafe), Rec(K::FeedStart, -1, 5, 0, 500)};
    for (int k = 0; k < crossings; ++k) records.push_back(Rec(K::Feed, k % 2 == 0 ? 41 : -1, 5, 0, 500));
    records.push_back(Rec(K::RapidStart, -1, 5, kSafe));
    records.resize(size, Rec(K::Rapid, -1, 5, kSafe));
    return records;
  };
  ToolpathDatabase db;
  db.safeZ = kSafe;
  Fill(db, program());
  const std::vector<std::vector<Point3>> polygons = {comb};
  EXPECT_EQ(TrimPolygons(db, polygons, TrimSide::Inside), EditOutcome::NoRoom);
  EXPECT_TRUE(test::HoldsRecords(db, program()));
  EXPECT_EQ(db.undoPos(), 0);
}

}  // namespace
}  // namespace fendo
