#include "edit/transform.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/arc_rule.h"
#include "core/toolpath_database.h"
#include "edit/edit_programs.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

// A half circle of radius 5 clockwise in XY from (0, 0) to (10, 0) about (5, 0), entered
// straight down.
std::vector<ToolpathRecord> HalfCircle(K kind = K::ArcCw, K centre = K::CentreXY) {
  const bool zx = centre == K::CentreZX;
  // In ZX the same half circle runs from Z 0 to Z 10 at X 0, its centre 5 along Z.
  return {Rec(K::RapidStart, 0, 0, 50),
          Rec(K::Rapid, 0, 0, 2),
          Rec(K::FeedStart, 0, 0, 0, 300),
          Rec(kind, zx ? 0 : 10, 0, zx ? 10 : 0, 300),
          Rec(centre, zx ? 0 : 5, 0, zx ? 5 : 0),
          Rec(K::RapidStart, zx ? 0 : 10, 0, 50)};
}

TEST(Transform, MovingWithThreeCopiesAppendsThemAtTenTwentyAndThirty) {
  ToolpathDatabase db;
  test::FillWithSafeZ(db, test::OneWayPasses(2));
  const std::vector<std::string> before = test::Records(db);
  ASSERT_EQ(TransformToolpath(db, {.moveX = true, .dx = 10, .copy = true, .copies = 3}), EditOutcome::Changed);
  ASSERT_EQ(db.recordCount, 4 * static_cast<int>(before.size()));
  const std::vector<std::string> after = test::Records(db);
  EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + before.size()), before) << "the toolpath stays";
  for (int copy = 1; copy <= 3; ++copy) {
    for (std::size_t i = 0; i < before.size(); ++i) {
      const ToolpathRecord& original = *db.RecordAt(static_cast<int>(i));
      const ToolpathRecord& moved = *db.RecordAt(static_cast<int>(copy * before.size() + i));
      EXPECT_EQ(moved.x, original.x + 10 * copy);
      EXPECT_EQ(moved.y, original.y);
      EXPECT_EQ(moved.kind, original.kind);
    }
  }
  EXPECT_EQ(db.undoPos(), 1);
}

TEST(Transform, RotatingAQuarterTurnPutsTheXAxisOnTheYAxis) {
  struct Case {
    double cx, cy;
    float x, y;  // where (10, 0) goes
  };
  for (const Case& c : {Case{0, 0, 0, 10}, Case{5, 5, 10, 10}, Case{10, 0, 10, 0}}) {
    ToolpathDatabase db;
    Fill(db, {Rec(K::RapidStart, 10, 0, 50), Rec(K::FeedStart, 10, 0, -1, 300)});
    ASSERT_NE(TransformToolpath(db, {.method = TransformMethod::Rotate, .rotateZ = true, .angle = 90,
                                     .centreX = c.cx, .centreY = c.cy}),
              EditOutcome::Refused);
    EXPECT_EQ(db.RecordAt(1)->x, c.x) << c.cx << ' ' << c.cy;
    EXPECT_EQ(db.RecordAt(1)->y, c.y);
    EXPECT_EQ(db.RecordAt(1)->z, -1);
  }
}

TEST(Transform, MirrorAndScaleChangeAnArcsSenseByTheAxesOfItsOwnPlane) {
  struct Case {
    const char* what;
    K centre;
    TransformParams params;
    K kind;              // the arc's kind afterwards (it was ArcCw)
    Point3 arcEnd;
    Point3 offset;       // its centre record afterwards
  };
  const TransformParams mirror{.method = TransformMethod::MirrorScale};
  const auto with = [mirror](bool x, bool y, bool z) {
    TransformParams p = mirror;
    p.scaleX = x;
    p.scaleY = y;
    p.scaleZ = z;
    return p;
  };
  const std::vector<Case> cases = {
      {"XY arc, X mirrored", K::CentreXY, with(true, false, false), K::ArcCcw, {-10, 0, 0}, {-5, 0, 0}},
      {"XY arc, X and Y mirrored", K::CentreXY, with(true, true, false), K::ArcCw, {-10, 0, 0}, {-5, 0, 0}},
      {"XY arc, Z mirrored", K::CentreXY, with(false, false, true), K::ArcCw, {10, 0, 0}, {5, 0, 0}},
      {"ZX arc, X mirrored", K::CentreZX, with(true, false, false), K::ArcCcw, {0, 0, 10}, {0, 0, 5}},
      {"ZX arc, Z mirrored", K::CentreZX, with(false, false, true), K::ArcCcw, {0, 0, -10}, {0, 0, -5}},
      {"ZX arc, Y mirrored", K::CentreZX, with(false, true, false), K::ArcCw, {0, 0, 10}, {0, 0, 5}},
      {"ZX arc, Z and X mirrored", K::CentreZX, with(true, false, true), K::ArcCw, {0, 0, -10}, {0, 0, -5}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    Fill(db, HalfCircle(K::ArcCw, c.centre));
    ASSERT_EQ(TransformToolpath(db, c.params), EditOutcome::Changed) << c.what;
    ASSERT_EQ(db.recordCount, 6) << c.what;
    const ToolpathRecord& arc = *db.RecordAt(3);
    const ToolpathRecord& centre = *db.RecordAt(4);
    EXPECT_EQ(arc.kind, c.kind) << c.what;
    EXPECT_EQ(PositionOf(arc), c.arcEnd) << c.what;
    EXPECT_EQ(centre.kind, c.centre) << c.what;
    EXPECT_EQ(PositionOf(centre), c.offset) << c.what;
  }
}

TEST(Transform, AnUnevenScaleTurnsAnArcIntoChordsOfTheScaledArc) {
  ToolpathDatabase db;
  Fill(db, HalfCircle());
  ASSERT_EQ(TransformToolpath(db, {.method = TransformMethod::MirrorScale, .scaleX = true, .sx = 2}),
            EditOutcome::Changed);
  int chords = 0;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord& r = *db.RecordAt(i);
    ASSERT_FALSE(IsArcKind(r.kind) || IsCentreKind(r.kind)) << "no arc can be scaled unevenly";
    if (r.kind != K::Feed) continue;
    ++chords;
    // Scaled back, every chord end lies on the circle of radius 5 about (5, 0).
    EXPECT_NEAR(std::hypot(r.x / 2 - 5, r.y), 5, 1e-5) << i;
  }
  EXPECT_GT(chords, 10);
  EXPECT_EQ(db.RecordAt(db.recordCount - 2)->x, 20) << "the arc ends where the scaled arc ends";
  // Chords of the unscaled arc within 0.001 mm stay within 0.002 mm of the arc twice as wide.
  const Arc unscaled = MeasureArc({0, 0, 0}, {10, 0, 0}, {5, 0, 0}, K::ArcCw, ArcPlane::XY);
  EXPECT_EQ(chords, ChordCount(unscaled, 0.001));
}

TEST(Transform, ARotationKeepsXYArcsAndCutsArcsItTurnsOutOfTheirPlane) {
  struct Case {
    K centre;
    double angle;
    bool arc;  // still an arc afterwards
    K kind;
  };
  for (const Case& c : {Case{K::CentreXY, 30, true, K::ArcCw}, Case{K::CentreZX, 180, true, K::ArcCcw},
                        Case{K::CentreZX, 90, false, K::Feed}}) {
    ToolpathDatabase db;
    Fill(db, HalfCircle(K::ArcCw, c.centre));
    ASSERT_EQ(TransformToolpath(db, {.method = TransformMethod::Rotate, .rotateZ = true, .angle = c.angle}),
              EditOutcome::Changed);
    EXPECT_EQ(IsArcKind(db.RecordAt(3)->kind), c.arc) << c.angle;
    EXPECT_EQ(db.RecordAt(3)->kind, c.arc ? c.kind : K::Feed) << c.angle;
  }
}

TEST(Transform, ARotatedArcKeepsItsCentreTurnedWithIt) {
  ToolpathDatabase db;
  Fill(db, HalfCircle());
  ASSERT_EQ(TransformToolpath(db, {.method = TransformMethod::Rotate, .rotateZ = true, .angle = 90}),
            EditOutcome::Changed);
  EXPECT_EQ(PositionOf(*db.RecordAt(3)), (Point3{0, 10, 0}));
  EXPECT_EQ(PositionOf(*db.RecordAt(4)), (Point3{0, 5, 0}));
}

TEST(Transform, CopiesPastTheRecordLimitChangeNothing) {
  ToolpathDatabase db;
  test::FillWithSafeZ(db, test::OneWayPasses(200));  // 1401 records: 10,001 times that passes the limit
  const auto before = test::StoredState(db);
  EXPECT_EQ(TransformToolpath(db, {.moveX = true, .dx = 1, .copy = true, .copies = 10000}), EditOutcome::NoRoom);
  EXPECT_EQ(test::StoredState(db), before);
  EXPECT_EQ(db.undoPos(), 0) << "no snapshot for an edit that did not happen";
}

TEST(Transform, ValuesOutOfRangeAndPositionsBeyondTheStoreAreRefused) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 30000, 0, 50), Rec(K::FeedStart, 30000, 0, -1, 300)});
  const auto before = test::StoredState(db);
  EXPECT_EQ(CheckTransformParams({.copies = 10001})->field, "copies");
  EXPECT_EQ(CheckTransformParams({.method = TransformMethod::MirrorScale, .sy = 1001})->field, "sy");
  EXPECT_FALSE(CheckTransformParams({.dx = -10000, .angle = -3600, .sz = -1000}));
  EXPECT_EQ(TransformToolpath(db, {.moveX = true, .dx = 5000}), EditOutcome::Refused) << "X 35000 cannot be stored";
  EXPECT_EQ(test::StoredState(db), before);
  EXPECT_EQ(TransformToolpath(db, {.method = TransformMethod::Rotate}), EditOutcome::Unchanged);
  EXPECT_EQ(TransformToolpath(db, {.moveX = true, .dx = 1, .copy = true}), EditOutcome::Unchanged)
      << "moved copies with a count of 0 make none";
  ASSERT_EQ(TransformToolpath(db, {.method = TransformMethod::MirrorScale, .scaleY = true, .copy = true}),
            EditOutcome::Changed);
  EXPECT_EQ(db.recordCount, 4) << "a mirror appends one copy whatever the count";
  EXPECT_EQ(db.RecordAt(3)->z, -1);
}

TEST(TransformProperties, TurningNTimesByAnNthOfATurnGivesTheProgramBack) {
  struct Case {
    double cx, cy;
    int n;
    double tolerance;  // mm
  };
  // About the origin, quarter and half turns are exact. Any other turn, or a centre elsewhere,
  // rounds each step to float: the part (160 mm) comes back within 1e-6 of its size.
  const std::vector<Case> cases = {{0, 0, 1, 1e-6},    {0, 0, 2, 1e-6},    {0, 0, 4, 1e-6},    {3, -7, 2, 160e-6},
                                   {3, -7, 3, 160e-6}, {3, -7, 4, 160e-6}, {3, -7, 6, 160e-6}, {3, -7, 7, 160e-6}};
  for (unsigned seed = 1; seed <= 3; ++seed) {
    for (const Case& c : cases) {
      ToolpathDatabase db;
      test::ReadRandomProgram(db, seed);
      const auto before = test::StoredState(db);
      for (int k = 0; k < c.n; ++k) {
        // A whole turn is no change at all.
        ASSERT_EQ(TransformToolpath(db, {.method = TransformMethod::Rotate, .rotateZ = true, .angle = 360.0 / c.n,
                                         .centreX = c.cx, .centreY = c.cy}),
                  c.n == 1 ? EditOutcome::Unchanged : EditOutcome::Changed);
      }
      const auto after = test::StoredState(db);
      ASSERT_EQ(after.size(), before.size()) << "the XY arcs stay arcs";
      for (std::size_t i = 0; i < before.size(); ++i) {
        const auto& [kind, x, y, z, feed] = before[i];
        const std::string what = "seed " + std::to_string(seed) + " n " + std::to_string(c.n) + " centre " +
                                 std::to_string(c.cx) + " record " + std::to_string(i);
        EXPECT_EQ(std::get<0>(after[i]), kind) << what;
        EXPECT_NEAR(std::get<1>(after[i]), x, c.tolerance) << what;
        EXPECT_NEAR(std::get<2>(after[i]), y, c.tolerance) << what;
        EXPECT_EQ(std::get<3>(after[i]), z) << what;
      }
    }
  }
}

TEST(TransformProperties, UndoGivesBackTheProgramAfterEveryMethod) {
  const std::vector<TransformParams> edits = {
      {.moveX = true, .dx = 10, .moveZ = true, .dz = -3, .copy = true, .copies = 2},
      {.method = TransformMethod::Rotate, .rotateZ = true, .angle = 33, .centreX = 5},
      {.method = TransformMethod::MirrorScale, .scaleX = true, .sx = 1.5, .scaleY = true, .sy = -1.5, .copy = true,
       .copies = 1},
      {.method = TransformMethod::MirrorScale, .scaleY = true, .sy = 0.5},
  };
  for (const TransformParams& edit : edits) {
    ToolpathDatabase db;
    test::ReadRandomProgram(db, 11);
    const auto before = test::StoredState(db);
    ASSERT_EQ(TransformToolpath(db, edit), EditOutcome::Changed);
    EXPECT_EQ(db.undoPos(), 1);
    ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
    EXPECT_EQ(test::StoredState(db), before);
  }
}

}  // namespace
}  // namespace fendo
