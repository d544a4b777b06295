#include "generate/contour_linking.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/toolpath_text.h"
#include "edit/nearest_point_index.h"

namespace fendo {
namespace {

using K = MoveKind;
using test::Rec;

// The nearest neighbour order asked of every point each time, as the order is defined: the
// nearest not yet taken within L (and nearer than 1000 mm) of the point before, the first cut
// on equal distances; when there is none, the nearest to the start point, however far.
std::vector<int> QuadraticOrder(PlanePoints points, Point3 start, double link) {
  const int n = static_cast<int>(points.size());
  std::vector<bool> taken(n, false);
  std::vector<int> order;
  Point3 from = start;
  bool newPath = true;
  while (static_cast<int>(order.size()) < n) {
    int best = -1;
    double bestDistance = 0;
    for (int i = 0; i < n; ++i) {
      if (taken[i]) continue;
      const double d = std::sqrt(SquaredDistance(from, PositionOf(points[i])));
      if (!newPath && (d > link || d >= 1000)) continue;
      if (best < 0 || d < bestDistance) {
        best = i;
        bestDistance = d;
      }
    }
    if (best < 0) {
      from = start;
      newPath = true;
      continue;
    }
    taken[best] = true;
    order.push_back(best);
    from = PositionOf(points[best]);
    newPath = false;
  }
  return order;
}

// The join of two paths asked of every point: each place followed by the nearest of the places
// after it.
void QuadraticChain(PlanePoints points, std::vector<int>& order, std::size_t from, std::size_t to) {
  for (std::size_t p = from; p + 1 < to; ++p) {
    std::size_t best = p + 1;
    for (std::size_t q = p + 2; q < to; ++q) {
      if (SquaredDistance(PositionOf(points[order[p]]), PositionOf(points[order[q]])) <
          SquaredDistance(PositionOf(points[order[p]]), PositionOf(points[order[best]]))) {
        best = q;
      }
    }
    std::swap(order[p + 1], order[best]);
  }
}

std::vector<ToolpathRecord> RandomPlane(std::mt19937& random, int count, double size, float z) {
  std::uniform_real_distribution<double> coordinate(-size, size);
  std::vector<ToolpathRecord> points;
  for (int i = 0; i < count; ++i) {
    points.push_back(Rec(K::Feed, static_cast<float>(coordinate(random)), static_cast<float>(coordinate(random)), z));
  }
  return points;
}

TEST(ContourLinking, TheIndexedOrderIsTheNearestNeighbourOrder) {
  std::mt19937 random(17);
  struct Case {
    int count;
    double size;  // the points lie in ±size
    double link;
  };
  // Dense and sparse planes, links from a fraction of the spacing to past the search bound,
  // points far beyond 1000 mm of each other, and a grid of equal distances.
  for (const Case c : {Case{2000, 50, 2}, Case{2000, 50, 0.3}, Case{500, 5000, 800}, Case{500, 5000, 1000},
                       Case{300, 3, 0.05}, Case{1, 10, 1}}) {
    const std::vector<ToolpathRecord> points = RandomPlane(random, c.count, c.size, 3);
    for (const Point3 start : {Point3{0, 0, 3}, Point3{c.size * 3, -c.size, 3}}) {
      EXPECT_EQ(NearestNeighbourOrder(points, start, c.link), QuadraticOrder(points, start, c.link))
          << c.count << ' ' << c.size << ' ' << c.link;
    }
  }
  std::vector<ToolpathRecord> grid;
  for (int i = 0; i < 30; ++i) {
    for (int j = 0; j < 30; ++j) grid.push_back(Rec(K::Feed, static_cast<float>(i % 2 ? 29 - j : j), float(i), 0));
  }
  for (const double link : {1.0, 1.5, 0.5}) {
    EXPECT_EQ(NearestNeighbourOrder(grid, {14.5, 14.5, 0}, link), QuadraticOrder(grid, {14.5, 14.5, 0}, link)) << link;
  }
}

TEST(ContourLinking, JoinedPathsAreChainedAsTheQuadraticSearchChainsThem) {
  std::mt19937 random(5);
  for (int round = 0; round < 20; ++round) {
    const std::vector<ToolpathRecord> points = RandomPlane(random, 400, 20, 0);
    const double link = 1.5 + round * 0.1;
    std::vector<int> order = NearestNeighbourOrder(points, {0, 0, 0}, link);
    std::vector<int> expected = order;
    // The same walk over the paths, with the quadratic chain.
    const auto linked = [&](int a, int b) {
      return SquaredDistance(PositionOf(points[a]), PositionOf(points[b])) <= link * link;
    };
    const auto pathEnd = [&](std::size_t from) {
      std::size_t end = from + 1;
      while (end < expected.size() && linked(expected[end - 1], expected[end])) ++end;
      return end;
    };
    for (std::size_t first = 0; first < expected.size();) {
      const std::size_t end = pathEnd(first);
      if (end == expected.size()) break;
      if (linked(expected[first], expected[end - 1]) || !linked(expected[first], expected[end])) {
        first = end;
        continue;
      }
      const std::size_t nextEnd = pathEnd(end);
      std::swap(expected[first], expected[nextEnd - 1]);
      QuadraticChain(points, expected, first, nextEnd);
      first = nextEnd;
    }
    JoinOpenPaths(points, order, link);
    EXPECT_EQ(order, expected) << round;
  }
}

TEST(ContourLinking, PathsAreWrittenWithRapidsPlungesAndRetracts) {
  constexpr double kSafeZ = 50;
  // A square ring of four points, a lone point, a two-point line, a point repeated.
  const std::vector<ToolpathRecord> points{
      Rec(K::Feed, 0, 0, 1, 700),  Rec(K::Feed, 1, 0, 1, 700),  Rec(K::Feed, 1, 1, 1, 700),  Rec(K::Feed, 0, 1, 1, 700),
      Rec(K::Feed, 10, 0, 1, 700), Rec(K::Feed, 20, 0, 1, 700), Rec(K::Feed, 20, 0, 1, 700), Rec(K::Feed, 21, 0, 1, 700)};
  RecordList out;
  AppendContourPaths(points, {0, 1, 2, 3, 4, 5, 6, 7}, 1.5, kSafeZ, out);
  const RecordList expected{
      Rec(K::RapidStart, 0, 0, 50, 700), Rec(K::FeedStart, 0, 0, 1, 700), Rec(K::Feed, 1, 0, 1, 700),
      Rec(K::Feed, 1, 1, 1, 700),        Rec(K::Feed, 0, 1, 1, 700),      Rec(K::Feed, 0, 0, 1, 700),
      Rec(K::RapidStart, 0, 0, 50, 700), Rec(K::Rapid, 20, 0, 50, 700),   Rec(K::FeedStart, 20, 0, 1, 700),
      Rec(K::Feed, 21, 0, 1, 700),       Rec(K::RapidStart, 21, 0, 50, 700)};
  ASSERT_EQ(out.size(), expected.size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    EXPECT_EQ(test::Describe(out[i]), test::Describe(expected[i])) << i;
  }
  // Points all at one place make no path.
  const std::vector<ToolpathRecord> repeated{Rec(K::Feed, 3, 3, 1), Rec(K::Feed, 3, 3, 1)};
  RecordList none;
  AppendContourPaths(repeated, {0, 1}, 1, kSafeZ, none);
  EXPECT_TRUE(none.empty());
}

}  // namespace
}  // namespace fendo
