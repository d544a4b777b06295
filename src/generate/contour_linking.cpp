// The linking of a plane's cut points into contour paths. A finishing path cuts a plane in many
// points and in the order of its own passes, which zig-zag across the contour; the nearest
// neighbour walk puts them back in the order they lie along it. Asking every point for the
// nearest costs the square of their number (a plane of a fine finishing path holds tens of
// thousands), so the points go into a NearestPointIndex, which gives the same answer.
#include "generate/contour_linking.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "edit/nearest_point_index.h"

namespace fendo {
namespace {

constexpr double kAnywhere = std::numeric_limits<double>::infinity();

Point3 At(PlanePoints points, int place) { return PositionOf(points[place]); }

bool Linked(PlanePoints points, int a, int b, double link) {
  return SquaredDistance(At(points, a), At(points, b)) <= link * link;
}

// The end (one past the last place) of the path of `order` that starts at `from`.
std::size_t PathEnd(PlanePoints points, const std::vector<int>& order, std::size_t from, double link) {
  std::size_t end = from + 1;
  while (end < order.size() && Linked(points, order[end - 1], order[end], link)) ++end;
  return end;
}

// Re-orders order[from … to−1] so that each place is followed by the nearest of the places
// after it.
void ChainNearest(PlanePoints points, std::vector<int>& order, std::size_t from, std::size_t to) {
  const int n = static_cast<int>(to - from);
  std::vector<Point3> run(n);
  for (int id = 0; id < n; ++id) run[id] = At(points, order[from + id]);
  NearestPointIndex index(run);
  std::vector<int> idAt(n);  // the run's points by where they stand now
  std::vector<int> placeOf(n);
  for (int id = 0; id < n; ++id) idAt[id] = placeOf[id] = id;
  const std::vector<int> before(order.begin() + from, order.begin() + to);
  index.Remove(idAt[0]);
  for (int place = 0; place + 1 < n; ++place) {
    const int nearest = index.Nearest(run[idAt[place]], kAnywhere).id;
    const int moved = idAt[place + 1];
    std::swap(idAt[place + 1], idAt[placeOf[nearest]]);
    std::swap(placeOf[moved], placeOf[nearest]);
    index.Remove(nearest);
  }
  for (int place = 0; place < n; ++place) order[from + place] = before[idAt[place]];
}

ToolpathRecord Above(const ToolpathRecord& r, double safeZ, MoveKind kind) {
  ToolpathRecord above = r;
  above.z = static_cast<float>(safeZ);
  above.kind = kind;
  return above;
}

ToolpathRecord WithKind(ToolpathRecord r, MoveKind kind) {
  r.kind = kind;
  return r;
}

bool SamePlace(const ToolpathRecord& a, const ToolpathRecord& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

}  // namespace

std::vector<int> NearestNeighbourOrder(PlanePoints points, Point3 start, double link) {
  const int n = static_cast<int>(points.size());
  std::vector<Point3> where(n);
  for (int place = 0; place < n; ++place) where[place] = At(points, place);
  NearestPointIndex index(where);
  // Within L and nearer than the search bound; the bound itself is not reached.
  const double reach = std::min(link, kContourSearchBound);
  const double bound2 = kContourSearchBound * kContourSearchBound;
  const double reach2 = reach < kContourSearchBound ? reach * reach : std::nextafter(bound2, 0.0);
  std::vector<int> order;
  order.reserve(n);
  Point3 from = start;
  bool newPath = true;
  while (static_cast<int>(order.size()) < n) {
    const NearestPointIndex::Found found = index.Nearest(from, newPath ? kAnywhere : reach2);
    if (found.id < 0) {
      from = start;
      newPath = true;
      continue;
    }
    order.push_back(found.id);
    index.Remove(found.id);
    from = where[found.id];
    newPath = false;
  }
  return order;
}

void JoinOpenPaths(PlanePoints points, std::vector<int>& order, double link) {
  std::size_t first = 0;
  while (first < order.size()) {
    const std::size_t end = PathEnd(points, order, first, link);
    if (end == order.size()) return;
    const bool open = !Linked(points, order[first], order[end - 1], link);
    if (!open || !Linked(points, order[first], order[end], link)) {
      first = end;
      continue;
    }
    const std::size_t nextEnd = PathEnd(points, order, end, link);
    std::swap(order[first], order[nextEnd - 1]);
    ChainNearest(points, order, first, nextEnd);
    first = nextEnd;
  }
}

void AppendContourPaths(PlanePoints points, const std::vector<int>& order, double link, double safeZ,
                        RecordList& out) {
  bool firstPath = true;
  for (std::size_t from = 0; from < order.size();) {
    const std::size_t end = PathEnd(points, order, from, link);
    const std::size_t count = end - from;
    if (count >= 2) {
      const ToolpathRecord& start = points[order[from]];
      RecordList path{Above(start, safeZ, firstPath ? MoveKind::RapidStart : MoveKind::Rapid),
                      WithKind(start, MoveKind::FeedStart)};
      for (std::size_t k = from + 1; k < end; ++k) {
        const ToolpathRecord& p = points[order[k]];
        if (!SamePlace(p, path.back())) path.push_back(WithKind(p, MoveKind::Feed));
      }
      // A ring needs three places; two make a line, which is not cut back.
      const bool closed = path.size() >= 4 && Linked(points, order[from], order[end - 1], link);
      if (closed && !SamePlace(start, path.back())) path.push_back(WithKind(start, MoveKind::Feed));
      path.push_back(Above(path.back(), safeZ, MoveKind::RapidStart));
      // Points that all repeat one place make no move.
      if (path.size() > 3) {
        out.insert(out.end(), path.begin(), path.end());
        firstPath = false;
      }
    }
    from = end;
  }
}

}  // namespace fendo
