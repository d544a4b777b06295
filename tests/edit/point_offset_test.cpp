#include "edit/point_offset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/arc_rule.h"
#include "core/toolpath_database.h"
#include "edit/edit_checks.h"
#include "edit/edit_programs.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

constexpr Point3 kUp5{0, 0, 5};

// A flat pass at z = 0 along X from 0 to 30, entered on a ramp (so that the plunge
// normalisation leaves the entry alone), with a retract after it.
std::vector<ToolpathRecord> FlatPass() {
  return {Rec(K::RapidStart, -4, 0, 50), Rec(K::Rapid, -4, 0, 2),     Rec(K::FeedStart, 0, 0, 0, 500),
          Rec(K::Feed, 10, 0, 0, 600),   Rec(K::Feed, 20, 0, 0, 700), Rec(K::Feed, 30, 0, 0, 800),
          Rec(K::RapidStart, 30, 0, 50)};
}

// A straight cut to (10, 0, 0), then a half circle (G03) to (20, 0, 0) about (15, 0) through
// (15, −5), then a cut on to (30, 0, 0).
std::vector<ToolpathRecord> PassWithArc() {
  return {Rec(K::RapidStart, 0, 0, 50),   Rec(K::Rapid, -4, 0, 2),     Rec(K::FeedStart, 0, 0, 0, 500),
          Rec(K::Feed, 10, 0, 0, 500),    Rec(K::ArcCcw, 20, 0, 0, 400), Rec(K::CentreXY, 5, 0, 0),
          Rec(K::Feed, 30, 0, 0, 500),    Rec(K::RapidStart, 30, 0, 50)};
}

TEST(PointOffset, HalfAFlatPassRisesWithStepsAtTheRectangleEdges) {
  struct Case {
    const char* name;
    double x1, x2;  // the rectangle across the pass, y −5 … 5
    std::vector<std::string> records;
  };
  const std::vector<Case> cases = {
      {"edges between records", 15, 25,
       {"1 -4 0 50 0", "2 -4 0 2 0", "3 0 0 0 500", "4 10 0 0 600",
        "4 15 0 0 700", "4 15 0 5 700",  // up at the entry edge
        "4 20 0 5 700", "4 25 0 5 800",
        "4 25 0 0 800",  // down at the exit edge
        "4 30 0 0 800", "1 30 0 50 0"}},
      {"an edge through a record", 20, 25,
       {"1 -4 0 50 0", "2 -4 0 2 0", "3 0 0 0 500", "4 10 0 0 600",
        "4 20 0 0 700",  // the move that only reaches the edge stays where it was
        "4 20 0 5 800", "4 25 0 5 800", "4 25 0 0 800", "4 30 0 0 800", "1 30 0 50 0"}},
      {"corners in either order", 25, 15,
       {"1 -4 0 50 0", "2 -4 0 2 0", "3 0 0 0 500", "4 10 0 0 600", "4 15 0 0 700", "4 15 0 5 700", "4 20 0 5 700",
        "4 25 0 5 800", "4 25 0 0 800", "4 30 0 0 800", "1 30 0 50 0"}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    test::FillWithSafeZ(db, FlatPass());
    ASSERT_EQ(OffsetInsideRectangle(db, c.x1, -5, c.x2, 5, kUp5), EditOutcome::Changed) << c.name;
    EXPECT_EQ(test::Records(db), c.records) << c.name;
    EXPECT_EQ(db.undoPos(), 1) << c.name << ": one undo step";
  }
}

TEST(PointOffset, AMovePassingThroughTheRegionHasItsMiddleShifted) {
  ToolpathDatabase db;
  test::FillWithSafeZ(db, {Rec(K::RapidStart, -4, 0, 50), Rec(K::Rapid, -4, 0, 2), Rec(K::FeedStart, 0, 0, 0, 500),
                           Rec(K::Feed, 40, 0, 0, 600), Rec(K::RapidStart, 40, 0, 50)});
  ASSERT_EQ(OffsetInsideCircle(db, {20, 0, 0}, 10, {0, 2, 0}), EditOutcome::Changed);
  EXPECT_EQ(test::CutMoves(db), (std::vector<std::string>{"-4 0 2 > 0 0 0 G3 F500", "0 0 0 > 10 0 0 G4 F600",
                                                          "10 0 0 > 10 2 0 G4 F600", "10 2 0 > 30 2 0 G4 F600",
                                                          "30 2 0 > 30 0 0 G4 F600", "30 0 0 > 40 0 0 G4 F600"}));
}

TEST(PointOffset, AnArcShiftedWholeKeepsItsCentreRecordAndRadius) {
  ToolpathDatabase db;
  test::FillWithSafeZ(db, PassWithArc());
  ASSERT_EQ(OffsetInsideRectangle(db, 8, -10, 22, 10, {3, 4, 0}), EditOutcome::Changed);
  int arc = -1;
  for (int i = 0; i < db.recordCount; ++i) {
    if (IsArcKind(db.RecordAt(i)->kind)) arc = i;
  }
  ASSERT_GE(arc, 0);
  EXPECT_EQ(test::Describe(*db.RecordAt(arc + 1)), "91 5 0 0 0") << "the centre record, relative to the start";
  const Arc shifted = ArcGeometry(db, arc);
  EXPECT_NEAR(shifted.radius, 5, 1e-6);
  EXPECT_NEAR(shifted.centre.x, 18, 1e-6);
  EXPECT_NEAR(shifted.centre.y, 4, 1e-6);
  EXPECT_NEAR(shifted.sweep, 180, 1e-3);
  EXPECT_EQ(test::PointText(*db.RecordAt(arc - 1)), "13 4 0") << "the arc starts where its shifted start is";
}

TEST(PointOffset, AnArcAcrossTheEdgeIsSplitIntoArcsAboutTheSameCentre) {
  ToolpathDatabase db;
  test::FillWithSafeZ(db, PassWithArc());
  // The edge x = 12 meets the half circle at (12, −4).
  ASSERT_EQ(OffsetInsideRectangle(db, 12, -10, 40, 10, kUp5), EditOutcome::Changed);
  const std::vector<MoveKind> kinds = {K::RapidStart, K::Rapid,    K::FeedStart, K::Feed,
                                       K::ArcCcw,     K::CentreXY,  // the piece outside, as it was
                                       K::Feed,                     // the step up at the edge
                                       K::ArcCcw,     K::CentreXY,  // the piece inside, raised
                                       K::Feed,       K::RapidStart};
  ASSERT_EQ(db.recordCount, static_cast<int>(kinds.size())) << testing::PrintToString(test::Records(db));
  for (int i = 0; i < db.recordCount; ++i) EXPECT_EQ(db.RecordAt(i)->kind, kinds[i]) << i;
  const struct {
    int record;
    Point3 expected;  // within the 0.001 mm of a crossing
  } points[] = {{4, {12, -4, 0}}, {5, {5, 0, 0}}, {6, {12, -4, 5}}, {7, {20, 0, 5}}, {8, {3, 4, 0}}};
  for (const auto& p : points) {
    EXPECT_LT(Length(PositionOf(*db.RecordAt(p.record)) - p.expected), 0.001) << test::Describe(*db.RecordAt(p.record));
  }
  // Each piece's centre record is relative to its own start: both are arcs about the centre,
  // the raised one about the raised centre.
  EXPECT_NEAR(ArcGeometry(db, 4).radius, 5, 0.001);
  EXPECT_NEAR(ArcGeometry(db, 7).radius, 5, 0.001);
  EXPECT_LT(Length(ArcGeometry(db, 4).centre - Point3{15, 0, 0}), 0.001);
  EXPECT_LT(Length(ArcGeometry(db, 7).centre - Point3{15, 0, 5}), 0.001);
  EXPECT_NEAR(ArcGeometry(db, 4).sweep + ArcGeometry(db, 7).sweep, 180, 0.01);
}

TEST(PointOffset, TheZBandOffsetShiftsWhatLiesAboveAndBelowTheBand) {
  // One move from z 20 down to −20 through the band −10 … 10.
  ToolpathDatabase db;
  test::FillWithSafeZ(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, 20), Rec(K::FeedStart, 40, 0, -20, 300),
                           Rec(K::RapidStart, 40, 0, 50)});
  ASSERT_EQ(OffsetOutsideZBand(db, {}, {5, 0, 0}), EditOutcome::Changed);
  EXPECT_EQ(test::CutMoves(db), (std::vector<std::string>{"5 0 20 > 15 0 10 G3 F300",   // above: shifted
                                                          "15 0 10 > 10 0 10 G4 F300",  // step onto the band
                                                          "10 0 10 > 30 0 -10 G4 F300", "30 0 -10 > 35 0 -10 G4 F300",
                                                          "35 0 -10 > 45 0 -20 G4 F300"}));
  EXPECT_EQ(test::PointText(*db.RecordAt(db.recordCount - 1)), "45 0 50") << "the retract, rebuilt at safeZ";
}

TEST(PointOffset, TheZBandTakesItsLimitsInEitherOrder) {
  ToolpathDatabase a;
  ToolpathDatabase b;
  test::ReadRandomProgram(a, 7);
  test::ReadRandomProgram(b, 7);
  ASSERT_EQ(OffsetOutsideZBand(a, {.zMin = -3, .zMax = 1}, {1, -2, 0.5}), EditOutcome::Changed);
  ASSERT_EQ(OffsetOutsideZBand(b, {.zMin = 1, .zMax = -3}, {1, -2, 0.5}), EditOutcome::Changed);
  EXPECT_EQ(test::StoredState(a), test::StoredState(b));
}

TEST(PointOffset, NothingToShiftChangesNothingAndKeepsNoUndoStep) {
  struct Case {
    const char* name;
    std::function<EditOutcome(ToolpathDatabase&)> offset;
  };
  const std::vector<Case> cases = {
      {"a zero offset", [](ToolpathDatabase& db) { return OffsetInsideRectangle(db, -100, -100, 100, 100, {}); }},
      {"a rectangle away from the pass",
       [](ToolpathDatabase& db) { return OffsetInsideRectangle(db, 100, 100, 200, 200, kUp5); }},
      {"a circle of radius 0", [](ToolpathDatabase& db) { return OffsetInsideCircle(db, {10, 0, 0}, 0, kUp5); }},
      {"a polygon of two vertices",
       [](ToolpathDatabase& db) {
         const std::vector<std::vector<Point3>> polygons = {{{-50, -50, 0}, {50, 50, 0}}};
         return OffsetInsidePolygons(db, polygons, kUp5);
       }},
      {"a band holding everything below safeZ",
       [](ToolpathDatabase& db) { return OffsetOutsideZBand(db, {-100, 100}, kUp5); }},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    test::FillWithSafeZ(db, FlatPass());
    const auto before = test::StoredState(db);
    EXPECT_EQ(c.offset(db), EditOutcome::Unchanged) << c.name;
    EXPECT_EQ(test::StoredState(db), before) << c.name;
    EXPECT_EQ(db.undoPos(), 0) << c.name;
  }
}

TEST(PointOffset, ATriangleOfAPointFileIsARegion) {
  ToolpathDatabase db;
  test::FillWithSafeZ(db, FlatPass());
  const std::vector<std::vector<Point3>> polygons = {{{12, -5, 0}, {28, -5, 0}, {20, 5, 0}}};
  ASSERT_EQ(OffsetInsidePolygons(db, polygons, kUp5), EditOutcome::Changed);
  const std::vector<std::string> cuts = test::CutMoves(db);
  EXPECT_NE(std::find(cuts.begin(), cuts.end(), "16 0 0 > 16 0 5 G4 F700"), cuts.end());
  EXPECT_NE(std::find(cuts.begin(), cuts.end(), "24 0 5 > 24 0 0 G4 F800"), cuts.end());
}

TEST(PointOffset, PolygonsOfAFileAreTakenOneAfterTheOtherWithOneUndoStep) {
  ToolpathDatabase db;
  test::FillWithSafeZ(db, FlatPass());
  const std::vector<std::vector<Point3>> polygons = {{{5, -5, 0}, {15, -5, 0}, {15, 5, 0}, {5, 5, 0}},
                                                     {{12, -5, 0}, {25, -5, 0}, {25, 5, 0}, {12, 5, 0}}};
  ASSERT_EQ(OffsetInsidePolygons(db, polygons, kUp5), EditOutcome::Changed);
  EXPECT_EQ(db.undoPos(), 1);
  // 12 … 15 lies in both and rose twice.
  const std::vector<std::string> cuts = test::CutMoves(db);
  EXPECT_NE(std::find(cuts.begin(), cuts.end(), "12 0 5 > 12 0 10 G4 F700"), cuts.end());
  EXPECT_NE(std::find(cuts.begin(), cuts.end(), "15 0 10 > 15 0 5 G4 F700"), cuts.end());
}

TEST(PointOffset, EveryPointOfTheRegionMovesByTheOffsetAndTheRestStays) {
  // On made-up programs the cuts keep their lengths, shifted or not, and the steps add the
  // offset's length each.
  for (unsigned seed : {1u, 2u, 3u}) {
    ToolpathDatabase original;
    ToolpathDatabase db;
    test::ReadRandomProgram(original, seed);
    test::ReadRandomProgram(db, seed);
    const Point3 by{2.5, -1, 3};
    const std::vector<std::vector<Point3>> square = {{{-40, -40, 0}, {40, -40, 0}, {40, 40, 0}, {-40, 40, 0}}};
    ASSERT_EQ(OffsetInsidePolygons(db, square, by, UndoStep::Skip), EditOutcome::Changed) << seed;
    EXPECT_EQ(db.undoPos(), 0) << "no undo step when told to skip it";
    // The cut length changes by the steps only: each step is |by| long at most.
    double before = 0;
    double after = 0;
    int steps = 0;
    for (ToolpathDatabase* t : {&original, &db}) {
      const ToolpathRecord* prev = nullptr;
      for (int i = 0; i < t->recordCount; ++i) {
        const ToolpathRecord* r = t->RecordAt(i);
        if (!IsMotionKind(r->kind)) continue;
        if (prev && IsCuttingKind(r->kind)) {
          const double length = IsArcKind(r->kind) ? ArcGeometry(*t, i).length : Length(PositionOf(*r) - PositionOf(*prev));
          (t == &db ? after : before) += length;
          if (t == &db && std::fabs(length - Length(by)) < 1e-4) ++steps;
        }
        prev = r;
      }
    }
    EXPECT_GT(steps, 0) << seed;
    EXPECT_NEAR(after, before + steps * Length(by), 0.01 * steps + 0.01) << seed;
  }
}

TEST(PointOffset, AResultPastTheRecordLimitChangesNothing) {
  // Cuts back and forth across a rectangle: each becomes five records, two steps and three
  // pieces, and a fifth of the record limit grows past it.
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, -1, 0, 50), Rec(K::FeedStart, -1, 0, 0, 500)};
  while (static_cast<int>(records.size()) * 5 < ToolpathDatabase::kMaxRecords + 100) {
    records.push_back(Rec(K::Feed, records.size() % 2 ? 11.0f : -1.0f, 0, 0, 500));
  }
  ToolpathDatabase db;
  test::FillWithSafeZ(db, records);
  EXPECT_EQ(OffsetInsideRectangle(db, 0, -1, 10, 1, kUp5), EditOutcome::NoRoom);
  EXPECT_TRUE(test::HoldsRecords(db, records));
  EXPECT_EQ(db.undoPos(), 0);
}

}  // namespace
}  // namespace fendo
