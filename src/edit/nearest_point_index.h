#pragma once

#include <vector>

#include "core/point3.h"

namespace fendo {

// The squared distance between two points: what the nearest-point search compares.
inline double SquaredDistance(Point3 a, Point3 b) {
  const Point3 d = a - b;
  return d.x * d.x + d.y * d.y + d.z * d.z;
}

// A fixed set of points, taken out one by one, that answers "which point still in lies nearest
// to here": a k-d tree whose nodes count the points still in below them, so that the search
// skips what was taken out as well as what lies too far. The answer is exactly that of looking
// at every point still in: the smallest squared distance, and on equal distances the point
// given first.
class NearestPointIndex {
 public:
  // The points are known by their place in `points`.
  explicit NearestPointIndex(const std::vector<Point3>& points);

  // Takes point `id` out; it is no longer found.
  void Remove(int id);

  struct Found {
    int id = -1;  // −1: no point still in lies within reach
    double squaredDistance = 0;
  };
  // The point still in nearest to `from` whose squared distance is at most `reach2`.
  Found Nearest(Point3 from, double reach2) const;

 private:
  struct Node {
    int lo = 0;  // the node's points are order_[lo … hi − 1]
    int hi = 0;
    int left = -1;  // children; −1 for a leaf
    int right = -1;
    Point3 min;  // the box around its points
    Point3 max;
    int in = 0;  // its points still in
  };

  int Build(int lo, int hi);
  void Search(int node, Point3 from, Found& best, double& bound2) const;

  std::vector<Point3> points_;
  std::vector<int> order_;     // point ids, each node's in one stretch
  std::vector<int> placeOf_;   // place of each id in order_
  std::vector<bool> out_;
  std::vector<Node> nodes_;
};

}  // namespace fendo
