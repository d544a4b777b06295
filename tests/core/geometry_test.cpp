#include <gtest/gtest.h>

#include <cmath>

#include "core/arc_rule.h"
#include "core/geometry.h"
#include "core/toolpath_database.h"
#include "core/view_state.h"
#include "toolpath_text.h"

namespace fendo {
namespace {

constexpr double kArcPi = 3.1415901184082031;

TEST(Geometry, PlaneAngleIsTheDirectionInDegrees) {
  const struct {
    double s, c, degrees;
  } cases[] = {{0, 1, 0}, {1, 0, 90}, {0, -1, 180}, {-1, 0, 270}, {-1, -1, 225},
               {1, 1, 45}, {-1, 1, 315}, {1e-7, 1e-7, 0}, {0, 0, 0}};
  for (const auto& c : cases) EXPECT_NEAR(PlaneAngle(c.s, c.c), c.degrees, 1e-12) << c.s << ", " << c.c;
  EXPECT_EQ(PlaneAngle(1, 0), 90) << "axis directions are exact";
  EXPECT_EQ(PlaneAngle(0, -1), 180);
}

TEST(Geometry, AngleDifferenceCrossesTheSeam) {
  EXPECT_EQ(AngleDifference(10, 350), 20);
  EXPECT_EQ(AngleDifference(350, 10), 20);
  EXPECT_EQ(AngleDifference(100, 350), 250);
  EXPECT_EQ(AngleDifference(30, 60), 30);
}

TEST(Geometry, SafeSqrtIgnoresRoundingNoise) {
  EXPECT_EQ(SafeSqrt(1e-10), 0);
  EXPECT_EQ(SafeSqrt(-4), 0);
  EXPECT_EQ(SafeSqrt(16), 4);
}

TEST(Geometry, SegmentsIntersectInXYIncludingTheirEnds) {
  const auto crossing = SegmentIntersectXY({0, 0, 0}, {10, 10, 0}, {0, 10, 4}, {10, 0, 0});
  ASSERT_TRUE(crossing);
  EXPECT_NEAR(crossing->x, 5, 1e-12);
  EXPECT_NEAR(crossing->y, 5, 1e-12);
  EXPECT_NEAR(crossing->z, 2, 1e-12) << "z is taken along the second segment";
  EXPECT_FALSE(SegmentIntersectXY({0, 0, 0}, {10, 0, 0}, {0, 1, 0}, {10, 1, 0})) << "parallel";
  EXPECT_TRUE(SegmentIntersectXY({0, 0, 0}, {10, 0, 0}, {10, 0, 0}, {10, 5, 0})) << "meeting at an end";
  EXPECT_FALSE(SegmentIntersectXY({0, 0, 0}, {4, 4, 0}, {0, 10, 0}, {10, 0, 0})) << "short of each other";
  EXPECT_FALSE(SegmentIntersectXY({1, 1, 0}, {1, 1, 5}, {0, 0, 0}, {2, 2, 0})) << "no XY extent";
}

TEST(Geometry, SegmentAtHeight) {
  const auto mid = SegmentAtHeight({0, 0, 0}, {10, 0, 10}, 5);
  ASSERT_TRUE(mid);
  EXPECT_EQ(*mid, (Point3{5, 0, 5}));
  EXPECT_FALSE(SegmentAtHeight({0, 0, 0}, {10, 0, 10}, 11));
  EXPECT_FALSE(SegmentAtHeight({0, 0, 3}, {10, 0, 3}, 3)) << "a level segment";
  EXPECT_EQ(SegmentAtHeight({2, 3, 0}, {2, 3, 8}, 1), (Point3{2, 3, 1}));
}

TEST(ArcRule, SweepsFollowTheDirection) {
  const Arc fullCircle = MeasureArc({10, 0, 0}, {10, 0, 0}, {-10, 0, 0}, MoveKind::ArcCcw, ArcPlane::XY);
  EXPECT_EQ(fullCircle.sweep, 360);
  EXPECT_NEAR(fullCircle.length, 2 * kArcPi * 10, 1e-9);

  // Start angle 10°, end angle 350°, clockwise: 20° of arc.
  const double r = 5;
  const Point3 centre{0, 0, 0};
  const auto at = [&](double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return Point3{-r * std::cos(a), -r * std::sin(a), 0};
  };
  const Arc clockwise = MeasureArc(at(10), at(350), centre - at(10), MoveKind::ArcCw, ArcPlane::XY);
  EXPECT_NEAR(clockwise.sweep, 20, 1e-9);
  const Arc counter = MeasureArc(at(10), at(350), centre - at(10), MoveKind::ArcCcw, ArcPlane::XY);
  EXPECT_NEAR(counter.sweep, 340, 1e-9);
}

TEST(ArcRule, EndsApartAtOneAngleAreMeasuredByTheirChord) {
  const Arc arc = MeasureArc({10, 0, 0}, {10.5, 0, 0}, {-10, 0, 0}, MoveKind::ArcCcw, ArcPlane::XY);
  EXPECT_NEAR(arc.length, 0.5, 1e-12);
}

TEST(ArcRule, AHelixKeepsItsRadiusAndCountsItsRise) {
  const Arc turn = MeasureArc({15, 0, 2}, {15, 0, 1}, {-15, 0, 0}, MoveKind::ArcCcw, ArcPlane::XY);
  EXPECT_EQ(turn.sweep, 360);
  EXPECT_EQ(turn.radius, 15);
  EXPECT_NEAR(turn.length, std::hypot(2 * kArcPi * 15, 1), 1e-9);
  const Point3 half = ArcChordPoint(turn, 2, 4);
  EXPECT_NEAR(half.x, -15, 1e-9);
  EXPECT_NEAR(half.y, 0, 1e-5);
  EXPECT_NEAR(half.z, 1.5, 1e-12);
  EXPECT_EQ(ArcChordPoint(turn, 0, 4), turn.start);
  EXPECT_EQ(ArcChordPoint(turn, 4, 4), turn.end);
}

TEST(ArcRule, OtherPlanesMeasureInTheirOwnAxes) {
  // A quarter circle in ZX: from (0,0,10) about the origin to (10,0,0), clockwise seen with Z
  // as the cosine axis and X as the sine axis.
  const Arc zx = MeasureArc({0, 0, 10}, {10, 0, 0}, {0, 5, -10}, MoveKind::ArcCcw, ArcPlane::ZX);
  EXPECT_EQ(zx.centre, (Point3{0, 0, 0})) << "the offset's Y is ignored in ZX";
  EXPECT_NEAR(zx.sweep, 90, 1e-9);
  EXPECT_NEAR(zx.radius, 10, 1e-12);
}

TEST(ViewState, ProjectionAndScreenInputInThePrincipalViews) {
  ViewState top{.angleA = 0, .angleB = 0, .angleC = 0, .scale = 2, .panX = 10, .panY = -20,
                .clientWidth = 800, .clientHeight = 600};
  const Projection projection(top);
  const auto projected = projection.Project({10, 20, 5});
  EXPECT_NEAR(projected.x, 10, 1e-12);
  EXPECT_NEAR(projected.y, -20, 1e-12);
  const ClientPoint client = projection.ToClient({10, 20, 5});
  EXPECT_NEAR(client.x, 400, 1e-9);
  EXPECT_NEAR(client.y, 300, 1e-9);

  const auto model = ScreenToModel(top, {420, 280});
  ASSERT_TRUE(model);
  EXPECT_NEAR(model->x, 20, 1e-12);
  EXPECT_NEAR(model->y, 30, 1e-12);

  ViewState front = top;
  front.angleA = 270;
  EXPECT_EQ(ScreenToModel(front, {400, 300}), (Point3{10, 0, 20}));
  ViewState side = top;
  side.angleB = 90;
  side.angleC = 270;
  EXPECT_EQ(ScreenToModel(side, {400, 300}), (Point3{0, 10, 20}));
  EXPECT_FALSE(ScreenToModel(ViewState{}, {400, 300})) << "no input in an isometric view";
}

TEST(ViewState, DistanceToAnArcAsDrawn) {
  ToolpathDatabase db;
  test::Fill(db, {test::Rec(MoveKind::FeedStart, 10, 0, 0), test::Rec(MoveKind::ArcCcw, 0, 10, 0),
                  test::Rec(MoveKind::CentreXY, -10, 0, 0)});
  const ViewState top{.angleA = 0, .angleB = 0, .angleC = 0, .scale = 1, .clientWidth = 200, .clientHeight = 200};
  const Projection projection(top);
  const ClientPoint onArc = projection.ToClient({10 * std::cos(0.7), 10 * std::sin(0.7), 0});
  EXPECT_LT(DistanceToArcOnScreen(db, 1, top, onArc), 0.1);
  EXPECT_NEAR(DistanceToArcOnScreen(db, 1, top, projection.ToClient({0, 0, 0})), 10, 0.1);
  const ClientPoint beyondStart = projection.ToClient({13, -4, 0});
  EXPECT_NEAR(DistanceToArcOnScreen(db, 1, top, beyondStart), 5, 1e-9) << "the nearest chord end";
}

}  // namespace
}  // namespace fendo
