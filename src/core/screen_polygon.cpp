#include "core/screen_polygon.h"

#include <algorithm>

#include "core/geometry.h"

namespace fendo {
namespace {

constexpr double kPixelsPerArcStep = 3;  // arcs are searched for crossings as finely as they are drawn
constexpr double kMostArcSteps = 100000;
constexpr double kSmallestSearchedRadius = 0.001;  // mm; smaller arcs are taken as points

}  // namespace

void ScreenBox::Add(ClientPoint p) {
  minX = std::min(minX, p.x);
  minY = std::min(minY, p.y);
  maxX = std::max(maxX, p.x);
  maxY = std::max(maxY, p.y);
}

ScreenPolygon::ScreenPolygon(std::span<const ClientPoint> vertices, const ViewState& view)
    : vertices_(vertices.begin(), vertices.end()), projection_(view), scale_(view.scale) {
  for (ClientPoint v : vertices_) box_.Add(v);
}

bool ScreenPolygon::Inside(Point3 p) const {
  const ClientPoint q = ToScreen(p);
  if (!box_.Contains(q)) return false;
  bool inside = false;
  for (std::size_t i = 0, j = vertices_.size() - 1; i < vertices_.size(); j = i++) {
    const ClientPoint a = vertices_[i];
    const ClientPoint b = vertices_[j];
    if ((a.y > q.y) != (b.y > q.y) && q.x < (b.x - a.x) * (q.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

std::vector<double> ScreenPolygon::LineCrossings(Point3 from, Point3 to) const {
  std::vector<double> crossings;
  AddCrossings(ToScreen(from), ToScreen(to), 0, 1, crossings);
  return crossings;
}

std::vector<double> ScreenPolygon::ArcCrossings(const Arc& arc) const {
  std::vector<double> crossings;
  if (arc.radius < kSmallestSearchedRadius || !CircleBox(arc).Overlaps(box_)) return crossings;
  const double wanted = arc.length * scale_ / kPixelsPerArcStep + 1;
  const int steps = std::max(1, static_cast<int>(std::min(wanted, kMostArcSteps)));
  ClientPoint from = ToScreen(arc.start);
  for (int k = 1; k <= steps; ++k) {
    const ClientPoint to = ToScreen(ArcPointAt(arc, static_cast<double>(k) / steps));
    AddCrossings(from, to, static_cast<double>(k - 1) / steps, 1.0 / steps, crossings);
    from = to;
  }
  return crossings;
}

void ScreenPolygon::AddCrossings(ClientPoint a, ClientPoint b, double from, double span,
                                 std::vector<double>& out) const {
  ScreenBox segment;
  segment.Add(a);
  segment.Add(b);
  if (!segment.Overlaps(box_)) return;
  const double rx = b.x - a.x;
  const double ry = b.y - a.y;
  for (std::size_t i = 0, j = vertices_.size() - 1; i < vertices_.size(); j = i++) {
    const ClientPoint c = vertices_[j];
    const double sx = vertices_[i].x - c.x;
    const double sy = vertices_[i].y - c.y;
    const double denominator = rx * sy - ry * sx;
    if (denominator == 0) continue;  // parallel: the parts' middles decide
    const double qx = c.x - a.x;
    const double qy = c.y - a.y;
    const double t = (qx * sy - qy * sx) / denominator;
    const double u = (qx * ry - qy * rx) / denominator;
    if (t >= 0 && t <= 1 && u >= 0 && u <= 1) out.push_back(from + t * span);
  }
}

ScreenBox ScreenPolygon::CircleBox(const Arc& arc) const {
  ScreenBox box;
  for (const Point3& corner : CircleBoxCorners(arc)) box.Add(ToScreen(corner));
  return box;
}

}  // namespace fendo
