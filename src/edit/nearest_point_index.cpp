#include "edit/nearest_point_index.h"

#include <algorithm>
#include <numeric>

namespace fendo {
namespace {

constexpr int kLeafPoints = 8;

double Coordinate(Point3 p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

// The squared distance from `p` to the nearest point of the box.
double SquaredDistanceToBox(Point3 p, Point3 min, Point3 max) {
  const auto gap = [](double v, double lo, double hi) { return v < lo ? lo - v : v > hi ? v - hi : 0.0; };
  const double dx = gap(p.x, min.x, max.x);
  const double dy = gap(p.y, min.y, max.y);
  const double dz = gap(p.z, min.z, max.z);
  return dx * dx + dy * dy + dz * dz;
}

}  // namespace

NearestPointIndex::NearestPointIndex(const std::vector<Point3>& points)
    : points_(points), order_(points.size()), placeOf_(points.size()), out_(points.size(), false) {
  std::iota(order_.begin(), order_.end(), 0);
  if (!points_.empty()) {
    nodes_.reserve(2 * points_.size() / kLeafPoints + 2);
    Build(0, static_cast<int>(points_.size()));
  }
  for (int place = 0; place < static_cast<int>(order_.size()); ++place) placeOf_[order_[place]] = place;
}

int NearestPointIndex::Build(int lo, int hi) {
  const int index = static_cast<int>(nodes_.size());
  nodes_.push_back({.lo = lo, .hi = hi, .min = points_[order_[lo]], .max = points_[order_[lo]], .in = hi - lo});
  Point3 min = nodes_[index].min;
  Point3 max = nodes_[index].max;
  for (int k = lo + 1; k < hi; ++k) {
    const Point3 p = points_[order_[k]];
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
  }
  nodes_[index].min = min;
  nodes_[index].max = max;
  if (hi - lo <= kLeafPoints) return index;
  // Split the widest side at its median.
  const Point3 size = max - min;
  const int axis = size.x >= size.y && size.x >= size.z ? 0 : size.y >= size.z ? 1 : 2;
  const int mid = lo + (hi - lo) / 2;
  std::nth_element(order_.begin() + lo, order_.begin() + mid, order_.begin() + hi, [&](int a, int b) {
    return Coordinate(points_[a], axis) < Coordinate(points_[b], axis);
  });
  const int left = Build(lo, mid);
  const int right = Build(mid, hi);
  nodes_[index].left = left;
  nodes_[index].right = right;
  return index;
}

void NearestPointIndex::Remove(int id) {
  if (id < 0 || id >= static_cast<int>(out_.size()) || out_[id]) return;
  out_[id] = true;
  const int place = placeOf_[id];
  for (int node = 0; node >= 0;) {
    Node& n = nodes_[node];
    --n.in;
    if (n.left < 0) break;
    node = place < nodes_[n.left].hi ? n.left : n.right;
  }
}

NearestPointIndex::Found NearestPointIndex::Nearest(Point3 from, double reach2) const {
  Found best;
  double bound2 = reach2;
  if (!nodes_.empty()) Search(0, from, best, bound2);
  return best;
}

void NearestPointIndex::Search(int node, Point3 from, Found& best, double& bound2) const {
  const Node& n = nodes_[node];
  // A box exactly at the best distance may still hold a point given earlier: it is looked at.
  if (n.in == 0 || SquaredDistanceToBox(from, n.min, n.max) > bound2) return;
  if (n.left < 0) {
    for (int k = n.lo; k < n.hi; ++k) {
      const int id = order_[k];
      if (out_[id]) continue;
      const double d2 = SquaredDistance(from, points_[id]);
      if (d2 < bound2 || (d2 == bound2 && (best.id < 0 || id < best.id))) {
        best = {id, d2};
        bound2 = d2;
      }
    }
    return;
  }
  const Node& left = nodes_[n.left];
  const Node& right = nodes_[n.right];
  const bool leftFirst =
      SquaredDistanceToBox(from, left.min, left.max) <= SquaredDistanceToBox(from, right.min, right.max);
  Search(leftFirst ? n.left : n.right, from, best, bound2);
  Search(leftFirst ? n.right : n.left, from, best, bound2);
}

}  // namespace fendo
