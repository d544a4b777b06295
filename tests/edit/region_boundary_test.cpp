#include "edit/region_boundary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

#include "core/arc_rule.h"

namespace fendo {
namespace {

constexpr double kCrossingTolerance = 0.001;  // mm

TEST(RegionBoundary, WhichSideAPointLiesOn) {
  const auto rectangle = RectangleBoundary(10, 20, 0, 0);  // corners in either order
  const auto disc = CircleBoundary({0, 0, 99}, 5, false);
  const auto discWithRim = CircleBoundary({0, 0, 99}, 5, true);
  const auto band = ZBandBoundary(-10, 10);
  const std::vector<Point3> triangleVertices = {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}};
  const auto triangle = ModelPolygonBoundary(triangleVertices);
  const std::vector<Point3> twoVertices = {{0, 0, 0}, {10, 10, 0}};
  const auto line = ModelPolygonBoundary(twoVertices);
  struct Case {
    const RegionBoundary& boundary;
    Point3 p;
    bool inside;
    const char* what;
  };
  const std::vector<Case> cases = {
      {*rectangle, {5, 5, -300}, true, "rectangle: z does not count"},
      {*rectangle, {10, 20, 0}, true, "rectangle: a corner is inside"},
      {*rectangle, {0, 7, 0}, true, "rectangle: an edge is inside"},
      {*rectangle, {10.0001, 7, 0}, false, "rectangle: just beyond an edge"},
      {*disc, {3, 4, 0}, false, "circle: the rim is outside"},
      {*discWithRim, {3, 4, 0}, true, "circle with its rim: the rim is inside"},
      {*disc, {2.9, 4, 500}, true, "circle: a vertical cylinder"},
      {*discWithRim, {3, 4.01, 0}, false, "circle with its rim: beyond it"},
      {*band, {1e6, 0, 10}, true, "band: its top is inside"},
      {*band, {0, 0, -10.001}, false, "band: below"},
      {*triangle, {2, 2, 50}, true, "a triangle is a polygon"},
      {*triangle, {6, 6, 0}, false, "beyond the triangle's long edge"},
      {*line, {5, 5, 0}, false, "two vertices enclose nothing"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.boundary.Inside(c.p), c.inside) << c.what;
}

TEST(RegionBoundary, WhereAStraightMoveCrosses) {
  const auto rectangle = RectangleBoundary(0, 0, 10, 10);
  const auto disc = CircleBoundary({0, 0, 0}, 5, false);
  const auto band = ZBandBoundary(-10, 10);
  const std::vector<Point3> squareVertices = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
  const auto square = ModelPolygonBoundary(squareVertices);
  struct Case {
    const RegionBoundary& boundary;
    Point3 a, b;
    std::vector<double> crossings;
    const char* what;
  };
  const std::vector<Case> cases = {
      {*rectangle, {-10, 5, 0}, {30, 5, 0}, {0.25, 0.5}, "through two sides, ascending"},
      {*rectangle, {30, 5, 0}, {-10, 5, 0}, {0.5, 0.75}, "the other way"},
      {*rectangle, {-5, -5, 0}, {15, 15, 0}, {0.25, 0.75}, "through two corners, each once"},
      {*rectangle, {0, 5, 0}, {5, 5, 0}, {}, "a move starting on the edge does not cross at its start"},
      {*square, {-10, 5, 0}, {30, 5, 0}, {0.25, 0.5}, "the same square as a polygon"},
      {*square, {-5, -5, 0}, {15, 15, 0}, {0.25, 0.75}, "the polygon through two corners"},
      {*disc, {-10, 0, 0}, {10, 0, 20}, {0.25, 0.75}, "a circle, z ignored"},
      {*disc, {-10, 5, 0}, {10, 5, 0}, {0.5}, "touching the circle"},
      {*disc, {0, 0, 0}, {0, 0, 9}, {}, "a vertical move crosses no cylinder"},
      {*band, {0, 0, 20}, {5, 0, -20}, {0.25, 0.75}, "a plunge through the band"},
      {*band, {0, 0, 5}, {9, 9, 5}, {}, "level inside the band"},
  };
  for (const Case& c : cases) {
    const std::vector<double> found = c.boundary.LineCrossings(c.a, c.b);
    ASSERT_EQ(found.size(), c.crossings.size()) << c.what;
    for (std::size_t k = 0; k < found.size(); ++k) EXPECT_NEAR(found[k], c.crossings[k], 1e-12) << c.what;
  }
}

// A quarter arc of radius 50 about the origin from (50, 0) to (0, 50), counter-clockwise.
Arc QuarterArc() { return MeasureArc({50, 0, 0}, {0, 50, 0}, {-50, 0, 0}, MoveKind::ArcCcw, ArcPlane::XY); }

TEST(RegionBoundary, ArcCrossingsLieWithinAMicrometreOfTheTrueOnes) {
  const Arc arc = QuarterArc();
  // x = 30 is met at cos θ = 0.6, the circle of radius 20 about (50, 50) at 45° ± its chord.
  const double atThirty = std::acos(0.6) / (std::numbers::pi / 2);
  const auto rectangle = RectangleBoundary(-100, -100, 30, 100);
  const std::vector<Point3> squareVertices = {{-100, -100, 0}, {30, -100, 0}, {30, 100, 0}, {-100, 100, 0}};
  const auto square = ModelPolygonBoundary(squareVertices);
  for (const RegionBoundary* boundary : {rectangle.get(), square.get()}) {
    const std::vector<double> found = boundary->ArcCrossings(arc);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NEAR(ArcPointAt(arc, found[0]).x, 30, kCrossingTolerance);
    EXPECT_NEAR(found[0], atThirty, kCrossingTolerance / arc.length);
  }
  const auto disc = CircleBoundary({50, 50, 0}, 40, false);
  const std::vector<double> inDisc = disc->ArcCrossings(arc);
  ASSERT_EQ(inDisc.size(), 2u);
  for (double f : inDisc) {
    const Point3 p = ArcPointAt(arc, f);
    EXPECT_NEAR(std::hypot(p.x - 50, p.y - 50), 40, kCrossingTolerance);
  }
  // A helix rising 40 mm along the quarter meets the band's top where it has risen 10.
  const Arc helix = MeasureArc({50, 0, -20}, {0, 50, 20}, {-50, 0, 0}, MoveKind::ArcCcw, ArcPlane::XY);
  const std::vector<double> inBand = ZBandBoundary(-30, -10)->ArcCrossings(helix);
  ASSERT_EQ(inBand.size(), 1u);
  EXPECT_NEAR(inBand[0], 0.25, 1e-6);
  EXPECT_TRUE(RectangleBoundary(-5, -5, 5, 5)->ArcCrossings(arc).empty()) << "the arc passes the box by";
}

TEST(RegionBoundary, ScreenArcCrossingsDoNotDependOnTheZoom) {
  const Arc arc = QuarterArc();
  for (double scale : {0.01, 1.0, 40.0}) {
    const ViewState top{.angleA = 0, .angleB = 0, .angleC = 0, .scale = scale, .clientWidth = 800, .clientHeight = 600};
    const Projection projection(top);
    // The picture of the model rectangle x −100 … 30, y −100 … 100.
    const std::vector<ClientPoint> window = {projection.ToClient({-100, -100, 0}), projection.ToClient({30, -100, 0}),
                                             projection.ToClient({30, 100, 0}), projection.ToClient({-100, 100, 0})};
    const std::vector<double> found = ScreenPolygonBoundary(window, top)->ArcCrossings(arc);
    ASSERT_EQ(found.size(), 1u) << "scale " << scale;
    EXPECT_NEAR(ArcPointAt(arc, found[0]).x, 30, kCrossingTolerance) << "scale " << scale;
  }
  const std::vector<ClientPoint> two = {{0, 0}, {100, 100}};
  EXPECT_FALSE(ScreenPolygonBoundary(two, ViewState{})->Inside({0, 0, 0})) << "two vertices enclose nothing";
}

// A star of `points` spikes about the origin: a polygon with many edges in every row.
std::vector<Point3> Star(int points) {
  std::vector<Point3> vertices;
  for (int k = 0; k < 2 * points; ++k) {
    const double angle = std::numbers::pi * k / points;
    const double radius = k % 2 == 0 ? 100 : 37;
    vertices.push_back({radius * std::cos(angle), radius * std::sin(angle), 0});
  }
  return vertices;
}

// The even-odd rule over every edge, as the binned polygon must answer it.
bool InsideByEveryEdge(const std::vector<Point3>& v, Point3 p) {
  bool inside = false;
  for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
    if ((v[i].y > p.y) != (v[j].y > p.y) && p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x) {
      inside = !inside;
    }
  }
  return inside;
}

TEST(RegionBoundary, TheBinnedPolygonAnswersAsEveryEdgeWould) {
  const std::vector<Point3> star = Star(250);  // 500 vertices
  const auto polygon = ModelPolygonBoundary(star);
  std::mt19937 random(15);
  std::uniform_real_distribution<double> coordinate(-120, 120);
  for (int k = 0; k < 20000; ++k) {
    const Point3 p{coordinate(random), coordinate(random), 0};
    ASSERT_EQ(polygon->Inside(p), InsideByEveryEdge(star, p)) << p.x << ", " << p.y;
  }
  // Every piece between two crossings lies on one side, and the sides alternate.
  for (int k = 0; k < 2000; ++k) {
    const Point3 a{coordinate(random), coordinate(random), 0};
    const Point3 b = a + Point3{coordinate(random), coordinate(random), 0} * (k % 2 == 0 ? 0.05 : 1.0);
    std::vector<double> cuts = polygon->LineCrossings(a, b);
    cuts.insert(cuts.begin(), 0);
    cuts.push_back(1);
    std::vector<bool> sides;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
      sides.push_back(InsideByEveryEdge(star, a + (b - a) * ((cuts[i] + cuts[i + 1]) / 2)));
    }
    for (std::size_t i = 0; i + 1 < sides.size(); ++i) EXPECT_NE(sides[i], sides[i + 1]);
  }
}

TEST(RegionBoundary, TheBinnedPolygonAnswersAsEveryEdgeWouldOnItsEdgesAndVertices) {
  // A comb of 40 teeth on whole millimetres, tried on a quarter-millimetre grid: points on
  // edges, on vertices and level with them, where counting edges is easiest to get wrong.
  std::vector<Point3> comb = {{0, 0, 0}, {79, 0, 0}};
  for (int k = 39; k >= 0; --k) {
    comb.push_back({2.0 * k + 1, 10, 0});
    comb.push_back({2.0 * k, 10, 0});
    if (k == 0) break;
    comb.push_back({2.0 * k, 1, 0});
    comb.push_back({2.0 * k - 1, 1, 0});
  }
  const auto polygon = ModelPolygonBoundary(comb);
  for (double x = -1; x <= 80; x += 0.25) {
    for (double y = -1; y <= 11; y += 0.25) {
      ASSERT_EQ(polygon->Inside({x, y, 0}), InsideByEveryEdge(comb, {x, y, 0})) << x << ", " << y;
    }
  }
}

}  // namespace
}  // namespace fendo
