#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/arc_rule.h"
#include "core/arc_split.h"
#include "core/screen_polygon.h"

namespace fendo {
namespace {

using K = MoveKind;

// The top view with 10 pixels a millimetre: model (x, y) is client (10x + 200, 200 − 10y), so
// the model's top edge is the one nearest the top of the screen.
const ViewState kTopView{.angleA = 0, .angleB = 0, .angleC = 0, .scale = 10, .clientWidth = 400, .clientHeight = 400};
ClientPoint Client(double x, double y) { return {10 * x + 200, 200 - 10 * y}; }

// The square from (0, 0) to (10, 10) and a U opening upwards: arms from x −5 to 5 and 25 to 35,
// joined below y = 0.
const std::vector<ClientPoint> kSquare = {Client(0, 0), Client(10, 0), Client(10, 10), Client(0, 10)};
const std::vector<ClientPoint> kU = {Client(-5, -5), Client(35, -5), Client(35, 10), Client(25, 10),
                                     Client(25, 0),  Client(5, 0),   Client(5, 10),  Client(-5, 10)};

std::vector<double> Sorted(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values;
}

TEST(ScreenPolygon, InsideByTheEvenOddRule) {
  const struct {
    const char* what;
    const std::vector<ClientPoint>& polygon;
    Point3 point;
    bool inside;
  } cases[] = {
      {"the square's middle", kSquare, {5, 5, 0}, true},
      {"beside the square", kSquare, {15, 5, 0}, false},
      {"above the square, in line with it", kSquare, {5, 15, 0}, false},
      {"the height does not matter in the top view", kSquare, {5, 5, -40}, true},
      {"on the left edge", kSquare, {0, 5, 0}, true},
      {"on the top edge", kSquare, {5, 10, 0}, true},
      {"on the right edge", kSquare, {10, 5, 0}, false},
      {"on the bottom edge", kSquare, {5, 0, 0}, false},
      {"in the U's left arm", kU, {0, 5, 0}, true},
      {"in the U's right arm", kU, {30, 5, 0}, true},
      {"in the gap between the arms", kU, {15, 5, 0}, false},
      {"below the gap, in the U's base", kU, {15, -2, 0}, true},
      {"on the gap's floor", kU, {15, 0, 0}, true},
      {"on the inner side of the left arm", kU, {5, 5, 0}, false},
      {"on the inner side of the right arm", kU, {25, 5, 0}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScreenPolygon(c.polygon, kTopView).Inside(c.point), c.inside) << c.what;
  }
}

TEST(ScreenPolygon, LineCrossingsAreTheFractionsWhereAMoveMeetsAnEdge) {
  const struct {
    const char* what;
    const std::vector<ClientPoint>& polygon;
    Point3 from, to;
    std::vector<double> crossings;
  } cases[] = {
      {"through the square", kSquare, {-5, 5, 0}, {15, 5, 0}, {0.25, 0.75}},
      {"from inside out", kSquare, {5, 5, 0}, {5, 25, 3}, {0.25}},
      {"wholly inside", kSquare, {2, 2, 0}, {8, 8, 0}, {}},
      {"wholly outside", kSquare, {20, 0, 0}, {20, 10, 0}, {}},
      {"along the top edge: the parallel edge does not count", kSquare, {-5, 10, 0}, {15, 10, 0}, {0.25, 0.75}},
      {"through both arms of the U", kU, {-10, 5, 0}, {40, 5, 0}, {0.1, 0.3, 0.7, 0.9}},
  };
  for (const auto& c : cases) {
    const std::vector<double> found = Sorted(ScreenPolygon(c.polygon, kTopView).LineCrossings(c.from, c.to));
    ASSERT_EQ(found.size(), c.crossings.size()) << c.what;
    for (std::size_t k = 0; k < found.size(); ++k) EXPECT_NEAR(found[k], c.crossings[k], 1e-12) << c.what;
  }
}

// A half circle of radius 10 about the origin from (10, 0) to (−10, 0) over the top.
Arc HalfCircle() { return MeasureArc({10, 0, 0}, {-10, 0, 0}, {-10, 0, 0}, K::ArcCcw, ArcPlane::XY); }

TEST(ScreenPolygon, ArcCrossingsAreFoundAlongTheArcAsItIsDrawn) {
  const Arc arc = HalfCircle();
  // The window from x −20 to 2 meets the arc where x = 2, at acos(0.2) of its 180 degrees.
  const std::vector<ClientPoint> window = {Client(-20, -20), Client(2, -20), Client(2, 20), Client(-20, 20)};
  const std::vector<double> crossings = ScreenPolygon(window, kTopView).ArcCrossings(arc);
  ASSERT_EQ(crossings.size(), 1u);
  EXPECT_NEAR(crossings[0], std::acos(0.2) / std::acos(-1.0), 1e-4);

  const std::vector<ClientPoint> farAway = {Client(40, 40), Client(50, 40), Client(50, 50)};
  EXPECT_TRUE(ScreenPolygon(farAway, kTopView).ArcCrossings(arc).empty());
  const Arc dot = MeasureArc({2.0005, 0, 0}, {1.9995, 0, 0}, {-0.0005, 0, 0}, K::ArcCcw, ArcPlane::XY);
  EXPECT_TRUE(ScreenPolygon(window, kTopView).ArcCrossings(dot).empty()) << "an arc this small is a point";
}

TEST(SplitArc, PartsAreArcsAboutTheSameCentreThatAddUpToTheWhole) {
  const Arc arc = HalfCircle();
  const Point3 centreOffset{-10, 0, 0};
  const double atX2 = std::acos(0.2) / std::acos(-1.0);
  const std::vector<double> fractions = {atX2, 0.75};
  const std::vector<ArcPart> parts = SplitArc(arc, centreOffset, fractions);
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[0].centreOffset, centreOffset) << "the first part keeps the centre record";
  EXPECT_NEAR(parts[0].end.x, 2, 1e-5);
  EXPECT_EQ(parts[2].end, arc.end);
  Point3 start = arc.start;
  double sweep = 0;
  for (const ArcPart& part : parts) {
    EXPECT_NEAR(Length(start + part.centreOffset), 0, 1e-5) << "every part turns about the origin";
    const Arc measured = MeasureArc(start, part.end, part.centreOffset, K::ArcCcw, ArcPlane::XY);
    EXPECT_NEAR(measured.radius, 10, 1e-5);
    sweep += measured.sweep;
    start = part.end;
  }
  EXPECT_NEAR(sweep, 180, 1e-3);
  EXPECT_NEAR(parts[1].endFraction, 0.75, 0);
}

TEST(SplitArc, AFractionThatSpoilsAPartSplitsNothing) {
  const Arc arc = HalfCircle();
  // A split at the start leaves a part from the start to itself, which the arc rule measures as
  // a full circle; one at the end does the same to the part after it.
  const std::vector<double> fractions = {0, 0.5, 1};
  const std::vector<ArcPart> parts = SplitArc(arc, {-10, 0, 0}, fractions);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].endFraction, 0.5);
  EXPECT_EQ(parts[1].endFraction, 1);
  EXPECT_EQ(SplitArc(arc, {-10, 0, 0}, {}).size(), 1u) << "no fraction: the arc unsplit";
}

}  // namespace
}  // namespace fendo
