// A polygon in model XY with its edges binned twice, so that a trim, which asks for every record
// of a program which side it lies on and where its move crosses, never pays for all the edges
// of a polygon of hundreds of vertices:
// - a grid of cells, each listing the edges that pass through it. The side of each cell's
//   middle is worked out once; a point's side is then its cell middle's, changed by every edge
//   between the two (none at all in most cells). A move's crossings are looked for only among
//   the edges of the cells it passes over.
// - thin horizontal rows, each listing the edges that reach into it: the even-odd rule along a
//   ray to the right, for the cell middles and for a point whose way to its cell middle runs
//   through a vertex or along an edge, where counting the edges between could go wrong.
#include <algorithm>
#include <cmath>
#include <utility>

#include "edit/chorded_boundary.h"
#include "edit/region_boundary.h"

namespace fendo {
namespace {

constexpr std::size_t kFewestVertices = 3;
constexpr int kMostRows = 4096;
constexpr int kMostGridSide = 128;
constexpr double kGridSidePerRootVertex = 4;  // a grid side of 4 √n cells for n vertices
constexpr double kUnclear = 1e-9;  // a meeting this close to an end of the edge or the way is not counted on
constexpr double kCellMargin = 1e-7;  // of the polygon's size: an edge just outside a cell is listed in it

struct Vertex {
  double x = 0;
  double y = 0;
};

// Where the lines through a → b and c → d meet: at a + t·(b − a) and c + u·(d − c). Parallel
// lines (denominator 0) meet nowhere, or everywhere when `collinear`.
struct LineMeeting {
  double denominator = 0;
  bool collinear = false;
  double t = 0;
  double u = 0;
};
LineMeeting MeetingOf(Vertex a, Vertex b, Vertex c, Vertex d) {
  const double rx = b.x - a.x;
  const double ry = b.y - a.y;
  const double sx = d.x - c.x;
  const double sy = d.y - c.y;
  const double qx = c.x - a.x;
  const double qy = c.y - a.y;
  LineMeeting m{.denominator = rx * sy - ry * sx};
  if (m.denominator == 0) {
    m.collinear = qx * ry - qy * rx == 0;
    return m;
  }
  m.t = (qx * sy - qy * sx) / m.denominator;
  m.u = (qx * ry - qy * rx) / m.denominator;
  return m;
}

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
  double Start(int k) const { return low_ + k * width_; }
  double Middle(int k) const { return low_ + (k + 0.5) * width_; }

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

// Whether the segment a -> b meets the rectangle low..high (Liang-Barsky clipping).
bool SegmentMeetsBox(Vertex a, Vertex b, Vertex low, Vertex high) {
  double enter = 0;
  double leave = 1;
  const auto clip = [&](double start, double delta, double min, double max) {
    if (delta == 0) return start >= min && start <= max;
    double t0 = (min - start) / delta;
    double t1 = (max - start) / delta;
    if (t0 > t1) std::swap(t0, t1);
    enter = std::max(enter, t0);
    leave = std::min(leave, t1);
    return enter <= leave;
  };
  return clip(a.x, b.x - a.x, low.x, high.x) && clip(a.y, b.y - a.y, low.y, high.y);
}

// How the way from a cell's middle to a point meets an edge.
enum class Meeting { None, Crossing, Unclear };

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
    for (int r = 0; r < gridRows_.count(); ++r) {
      for (int c = 0; c < columns_.count(); ++c) cellInside_.push_back(InsideByRows(CellMiddle(c, r)));
    }
  }

  bool Inside(Point3 p) const override {
    if (vertices_.empty() || p.x < box_.min.x || p.x > box_.max.x || p.y < box_.min.y || p.y > box_.max.y) {
      return false;
    }
    const int column = columns_.Of(p.x);
    const int row = gridRows_.Of(p.y);
    const int cell = Cell(column, row);
    bool inside = cellInside_[cell];
    const Vertex from = CellMiddle(column, row);
    const Vertex to{p.x, p.y};
    for (int e : cellEdges_.Of(cell)) {
      const Meeting meeting = Meet(from, to, e);
      if (meeting == Meeting::Unclear) return InsideByRows(to);
      if (meeting == Meeting::Crossing) inside = !inside;
    }
    return inside;
  }

  std::vector<double> LineCrossings(Point3 a, Point3 b) const override {
    std::vector<double> crossings;
    ForEachCellOver(Extent(a, b), [&](int cell) {
      for (int e : cellEdges_.Of(cell)) AddCrossing(a, b, e, crossings);
      return true;
    });
    // An edge through several cells the move passes over was met in each: the same fraction.
    return OrderedCrossings(std::move(crossings));
  }

 protected:
  bool MayCross(const ModelBox& box) const override {
    bool edges = false;
    ForEachCellOver(box, [&](int cell) {
      edges = !cellEdges_.Of(cell).empty();
      return !edges;
    });
    return edges;
  }

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
  static ModelBox Extent(Point3 a, Point3 b) {
    ModelBox box;
    box.Add(a);
    box.Add(b);
    return box;
  }
  int GridSide() const {
    const double side = std::ceil(kGridSidePerRootVertex * std::sqrt(static_cast<double>(vertices_.size())));
    return std::clamp(static_cast<int>(side), 1, kMostGridSide);
  }

  Vertex EdgeEnd(int e) const { return vertices_[(e + 1) % vertices_.size()]; }
  int EdgeCount() const { return static_cast<int>(vertices_.size()); }
  int Cell(int column, int row) const { return row * columns_.count() + column; }
  Vertex CellMiddle(int column, int row) const { return {columns_.Middle(column), gridRows_.Middle(row)}; }

  // The even-odd rule along a ray to the right, over the edges of the point's row.
  bool InsideByRows(Vertex p) const {
    bool inside = false;
    for (int e : rowEdges_.Of(rows_.Of(p.y))) {
      const Vertex a = vertices_[e];
      const Vertex b = EdgeEnd(e);
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
  }

  // Whether the way from a to b crosses edge e; unclear where it passes a vertex, runs along the
  // edge, or starts or ends on it.
  Meeting Meet(Vertex a, Vertex b, int e) const {
    const LineMeeting m = MeetingOf(a, b, vertices_[e], EdgeEnd(e));
    if (m.denominator == 0) return m.collinear ? Meeting::Unclear : Meeting::None;
    const double t = m.t;
    const double u = m.u;
    if (t < -kUnclear || t > 1 + kUnclear || u < -kUnclear || u > 1 + kUnclear) return Meeting::None;
    if (t <= kUnclear || t >= 1 - kUnclear || u <= kUnclear || u >= 1 - kUnclear) return Meeting::Unclear;
    return Meeting::Crossing;
  }

  // Calls visit(cell) for the cells under the XY extent of `box` until it returns false.
  template <typename Visit>
  void ForEachCellOver(const ModelBox& box, Visit visit) const {
    if (vertices_.empty() || box.max.x < box_.min.x || box.min.x > box_.max.x || box.max.y < box_.min.y ||
        box.min.y > box_.max.y) {
      return;
    }
    const int firstColumn = columns_.Of(box.min.x);
    const int lastColumn = columns_.Of(box.max.x);
    for (int r = gridRows_.Of(box.min.y); r <= gridRows_.Of(box.max.y); ++r) {
      for (int c = firstColumn; c <= lastColumn; ++c) {
        if (!visit(Cell(c, r))) return;
      }
    }
  }

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

  // Lists every edge in the cells it passes through, and in those it passes within a hair of.
  void FillCells() {
    const double margin = kCellMargin * (1 + box_.max.x - box_.min.x + box_.max.y - box_.min.y);
    for (int pass = 0; pass < 2; ++pass) {
      for (int e = 0; e < EdgeCount(); ++e) {
        const Vertex a = vertices_[e];
        const Vertex b = EdgeEnd(e);
        const auto [left, right] = Span(a.x, b.x);
        const auto [low, high] = Span(a.y, b.y);
        for (int r = gridRows_.Of(low - margin); r <= gridRows_.Of(high + margin); ++r) {
          for (int c = columns_.Of(left - margin); c <= columns_.Of(right + margin); ++c) {
            const Vertex cellLow{columns_.Start(c) - margin, gridRows_.Start(r) - margin};
            const Vertex cellHigh{columns_.Start(c + 1) + margin, gridRows_.Start(r + 1) + margin};
            if (!SegmentMeetsBox(a, b, cellLow, cellHigh)) continue;
            pass == 0 ? cellEdges_.Count(Cell(c, r)) : cellEdges_.Put(Cell(c, r), e);
          }
        }
      }
      if (pass == 0) cellEdges_.Allocate();
    }
  }

  // Where the move a -> b meets edge e in XY, as a fraction of the move.
  void AddCrossing(Point3 a, Point3 b, int e, std::vector<double>& out) const {
    const LineMeeting m = MeetingOf({a.x, a.y}, {b.x, b.y}, vertices_[e], EdgeEnd(e));
    if (m.denominator == 0) return;  // parallel: the pieces' middles decide their side
    if (m.t >= 0 && m.t <= 1 && m.u >= 0 && m.u <= 1) out.push_back(m.t);
  }

  std::vector<Vertex> vertices_;
  ModelBox box_;
  Bins rows_;
  Bins columns_;
  Bins gridRows_;
  EdgeLists rowEdges_;
  EdgeLists cellEdges_;
  std::vector<bool> cellInside_;  // the side of each cell's middle
};

}  // namespace

std::unique_ptr<RegionBoundary> ModelPolygonBoundary(std::span<const Point3> vertices) {
  return std::make_unique<ModelPolygonRegion>(vertices);
}

}  // namespace fendo
