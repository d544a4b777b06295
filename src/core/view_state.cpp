#include "core/view_state.h"

#include <algorithm>
#include <cmath>

#include "core/angle_units.h"
#include "core/arc_rule.h"

namespace fendo {
namespace {

constexpr double kPixelsPerArcChord = 3;  // arcs are drawn with a chord about every 3 pixels
constexpr double kMostArcChords = 100000;  // beyond this a chord is far below a pixel anyway

bool IsDirection(const ViewState& v, int a, int b, int c) {
  return v.angleA == a && v.angleB == b && v.angleC == c;
}

double DistanceToChord(ClientPoint p, ClientPoint a, ClientPoint b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = lengthSquared == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

Projection::Projection(const ViewState& view)
    : view_(view),
      sinA_(std::sin(view.angleA * kRadiansPerDegree)),
      cosA_(std::cos(view.angleA * kRadiansPerDegree)),
      sinB_(std::sin(view.angleB * kRadiansPerDegree)),
      cosB_(std::cos(view.angleB * kRadiansPerDegree)),
      sinC_(std::sin(view.angleC * kRadiansPerDegree)),
      cosC_(std::cos(view.angleC * kRadiansPerDegree)) {}

// Rotate about Y by B, about the line of sight by C, then tilt about X by A; model Y is
// mirrored first because screen Y grows downwards.
Projection::Projected Projection::Project(Point3 p) const {
  const double yMirrored = -p.y;
  const double u = p.x * cosB_ - p.z * sinB_;
  const double w = p.x * sinB_ + p.z * cosB_;
  const double x = u * cosC_ + yMirrored * sinC_;
  const double v = yMirrored * cosC_ - u * sinC_;
  return {x, w * sinA_ + v * cosA_};
}

Projection::Projected Projection::ToDevice(Point3 p) const {
  const Projected q = Project(p);
  return {(q.x - view_.panX) * view_.scale, (q.y - view_.panY) * view_.scale};
}

ClientPoint Projection::ToClient(Point3 p) const {
  const Projected d = ToDevice(p);
  return {d.x + view_.clientWidth / 2.0, d.y + view_.clientHeight / 2.0};
}

std::optional<Point3> ScreenToModel(const ViewState& view, ClientPoint p) {
  const double across = (p.x - view.clientWidth / 2.0) / view.scale + view.panX;
  const double up = -((p.y - view.clientHeight / 2.0) / view.scale + view.panY);
  if (IsDirection(view, 0, 0, 0)) return Point3{across, up, 0};
  if (IsDirection(view, 270, 0, 0)) return Point3{across, 0, up};
  if (IsDirection(view, 0, 90, 270)) return Point3{0, across, up};
  return std::nullopt;
}

double DistanceToArcOnScreen(ToolpathDatabase& db, int i, const ViewState& view, ClientPoint p) {
  return DistanceToArcOnScreen(ArcGeometry(db, i), view, p);
}

double DistanceToArcOnScreen(const Arc& arc, const ViewState& view, ClientPoint p) {
  const Projection projection(view);
  const double wanted = arc.length * view.scale / kPixelsPerArcChord + 1;
  const int chords = std::max(1, static_cast<int>(wanted < kMostArcChords ? wanted : kMostArcChords));
  double nearest = HUGE_VAL;
  ClientPoint from = projection.ToClient(arc.start);
  for (int k = 1; k <= chords; ++k) {
    const ClientPoint to = projection.ToClient(ArcChordPoint(arc, k, chords));
    nearest = std::min(nearest, DistanceToChord(p, from, to));
    from = to;
  }
  return nearest;
}

}  // namespace fendo
