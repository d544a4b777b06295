// A polygon in model XY with its edges binned twice: in thin horizontal rows for the side test
// (a ray to the right meets only edges of the point's row) and in a coarse grid for the
// crossings of a move (only edges in the cells around the move are tried). A trim asks both
// for every record of the program, so neither may cost all the edges of a polygon of hundreds
// of vertices.
#include <algorithm>
#include <cmath>
#include <utility>

#include "edit/chorded_boundary.h"
#include "edit/region_boundary.h"

namespace fendo {
namespace {

constexpr int kFewestVertices = 3;
constexpr int kMostRows = 4096;
constexpr int kMostGridSide = 64;

struct Vertex {
  double x = 0;
  double y = 0;
};

// The lower and the higher of two values.
std::pair<double, double> Span(double a, double b) { return {std::min(a, b), std::max(a, b)}; }

// A partition of [low, high] into `count` equal bins.
class Bins {
 public:
  Bins(double low, double high, int count)
      : low_(low), count_(count), width_(high > low ? (high - low) / count : 1) {}
  int count() const { return count_; }
  // The bin holding v, clamped to the range; never decreasing in v.
  int Of(double v) const {
    const double k = std::floor((v - low_) / width_);
    if (!(k >= 0)) return 0;
    return static_cast<int>(std::min(k, static_cast<double>(count_ - 1)));
  }

 private:
  double low_;
  int count_;
  double width_;
};

// Lists of edge numbers, one per bin, stored end to end.
class EdgeLists {
 public:
  explicit EdgeLists(int bins) : counts_(bins + 1, 0) {}
  void Count(int bin) { ++counts_[bin + 1]; }
  void Allocate() {
    for (std::size_t k = 1; k < counts_.size(); ++k) counts_[k] += counts_[k - 1];
    edges_.resize(counts_.back());
    next_.assign(counts_.begin(), counts_.end() - 1);
  }
  void Put(int bin, int edge) { edges_[next_[bin]++] = edge; }
  std::span<const int> Of(int bin) const {
    return {edges_.data() + counts_[bin], static_cast<std::size_t>(counts_[bin + 1] - counts_[bin])};
  }

 private:
  std::vector<int> counts_;  // where each bin's list starts
  std::vector<int> edges_;
  std::vector<int> next_;
};

class ModelPolygonRegion final : public ChordedBoundary {
 public:
  explicit ModelPolygonRegion(std::span<const Point3> vertices)
      : vertices_(Flattened(vertices)),
        box_(BoxOf(vertices_)),
        rows_(box_.min.y, box_.max.y, std::clamp(static_cast<int>(vertices_.size()), 1, kMostRows)),
        columns_(box_.min.x, box_.max.x, GridSide()),
        gridRows_(box_.min.y, box_.max.y, GridSide()),
        rowEdges_(rows_.count()),
        cellEdges_(columns_.count() * gridRows_.count()) {
    if (vertices_.size() < kFewestVertices) {
      vertices_.clear();
      return;
    }
    FillRows();
    FillCells();
  }

  bool Inside(Point3 p) const override {
    if (vertices_.empty() || p.x < box_.min.x || p.x > box_.max.x || p.y < box_.min.y || p.y > box_.max.y) {
      return false;
    }
    bool inside = false;
    for (int e : rowEdges_.Of(rows_.Of(p.y))) {
      const Vertex a = vertices_[e];
      const Vertex b = EdgeEnd(e);
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
  }

  std::vector<double> LineCrossings(Point3 a, Point3 b) const override {
    ModelBox move;
    move.Add(a);
    move.Add(b);
    std::vector<double> crossings;
    for (int e : EdgesNear(move)) AddCrossing(a, b, e, crossings);
    return OrderedCrossings(std::move(crossings));
  }

 protected:
  bool MayCross(const ModelBox& box) const override { return !EdgesNear(box).empty(); }

 private:
  static std::vector<Vertex> Flattened(std::span<const Point3> vertices) {
    std::vector<Vertex> flat;
    for (Point3 v : vertices) flat.push_back({v.x, v.y});
    return flat;
  }
  static ModelBox BoxOf(const std::vector<Vertex>& vertices) {
    ModelBox box;
    for (Vertex v : vertices) box.Add({v.x, v.y, 0});
    return box;
  }
  int GridSide() const {
    const int side = static_cast<int>(std::ceil(2 * std::sqrt(static_cast<double>(vertices_.size()))));
    return std::clamp(side, 1, kMostGridSide);
  }

  Vertex EdgeEnd(int e) const { return vertices_[(e + 1) % vertices_.size()]; }
  int EdgeCount() const { return static_cast<int>(vertices_.size()); }

  void FillRows() {
    for (int pass = 0; pass < 2; ++pass) {
      for (int e = 0; e < EdgeCount(); ++e) {
        const auto [low, high] = Span(vertices_[e].y, EdgeEnd(e).y);
        for (int r = rows_.Of(low); r <= rows_.Of(high); ++r) {
          pass == 0 ? rowEdges_.Count(r) : rowEdges_.Put(r, e);
        }
      }
      if (pass == 0) rowEdges_.Allocate();
    }
  }

  void FillCells() {
    for (int pass = 0; pass < 2; ++pass) {
      for (int e = 0; e < EdgeCount(); ++e) {
        const auto [left, right] = Span(vertices_[e].x, EdgeEnd(e).x);
        const auto [low, high] = Span(vertices_[e].y, EdgeEnd(e).y);
        for (int r = gridRows_.Of(low); r <= gridRows_.Of(high); ++r) {
          for (int c = columns_.Of(left); c <= columns_.Of(right); ++c) {
            pass == 0 ? cellEdges_.Count(Cell(c, r)) : cellEdges_.Put(Cell(c, r), e);
          }
        }
      }
      if (pass == 0) cellEdges_.Allocate();
    }
  }

  int Cell(int column, int row) const { return row * columns_.count() + column; }

  // The edges whose boxes meet the XY extent of `box`, each once.
  std::vector<int> EdgesNear(const ModelBox& box) const {
    std::vector<int> near;
    if (vertices_.empty() || box.max.x < box_.min.x || box.min.x > box_.max.x || box.max.y < box_.min.y ||
        box.min.y > box_.max.y) {
      return near;
    }
    for (int r = gridRows_.Of(box.min.y); r <= gridRows_.Of(box.max.y); ++r) {
      for (int c = columns_.Of(box.min.x); c <= columns_.Of(box.max.x); ++c) {
        for (int e : cellEdges_.Of(Cell(c, r))) {
          const auto [left, right] = Span(vertices_[e].x, EdgeEnd(e).x);
          const auto [low, high] = Span(vertices_[e].y, EdgeEnd(e).y);
          if (right >= box.min.x && left <= box.max.x && high >= box.min.y && low <= box.max.y) near.push_back(e);
        }
      }
    }
    std::sort(near.begin(), near.end());
    near.erase(std::unique(near.begin(), near.end()), near.end());
    return near;
  }

  // Where the move a -> b meets edge e in XY, as a fraction of the move.
  void AddCrossing(Point3 a, Point3 b, int e, std::vector<double>& out) const {
    const Vertex c = vertices_[e];
    const Vertex d = EdgeEnd(e);
    const double rx = b.x - a.x;
    const double ry = b.y - a.y;
    const double sx = d.x - c.x;
    const double sy = d.y - c.y;
    const double denominator = rx * sy - ry * sx;
    if (denominator == 0) return;  // parallel: the pieces' middles decide their side
    const double qx = c.x - a.x;
    const double qy = c.y - a.y;
    const double t = (qx * sy - qy * sx) / denominator;
    const double u = (qx * ry - qy * rx) / denominator;
    if (t >= 0 && t <= 1 && u >= 0 && u <= 1) out.push_back(t);
  }

  std::vector<Vertex> vertices_;
  ModelBox box_;
  Bins rows_;
  Bins columns_;
  Bins gridRows_;
  EdgeLists rowEdges_;
  EdgeLists cellEdges_;
};

}  // namespace

std::unique_ptr<RegionBoundary> ModelPolygonBoundary(std::span<const Point3> vertices) {
  return std::make_unique<ModelPolygonRegion>(vertices);
}

}  // namespace fendo
