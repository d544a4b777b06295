// Fitting one arc to a run of points (a step of LinesToArcs).
//
// The question is whether one arc from S, the first point of a run, to E, its last, can
// replace the moves between them within the tolerance t. The arc's circle is found through
// three of the run's points:
//   1. through S, the point before E, and E: taken at once when its centre lies within t of
//      the previous fit's centre (the hint; the run's circle has not moved as the run grew)
//      and the run deviates from it by less than t;
//   2. otherwise through S, Pi and E for each inner point Pi in turn: the circle the run
//      deviates from least is the fit, provided the run deviates from every one of them by
//      less than t; a circle the run strays t or more from ends the search with no fit.
// A circle cannot be had through points in one straight line, nor through a point further
// than t from S along the plane's normal. The arc turns as S → Pi → E turns in the plane's
// axes of the arc rule, so that the arc from S to E sweeps through Pi.
//
// The arc lies in the plane through S (LinesToArcs puts its end there). The run deviates
// from it by the largest of, over every point after S, the point's distance from the circle
// and the distance of the middle of the move ending at it: the sagitta of the move (how far
// the arc bulges from the straight move it replaces). Both are measured in space, the offset
// along the normal included, so that a point that lies within t of the circle in the plane
// but beside the plane is not taken as closer than it is. For a run in one plane this is the
// distance in the plane alone. All lengths are in mm.
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/geometry.h"
#include "output/arc_conversion.h"

namespace fendo {
namespace {

// Three points turning by less than this sine lie on one straight line: their circle would be
// at least a billion times larger than their distance apart.
constexpr double kStraightSine = 1e-9;

struct Circle {
  Point3 centre;  // the normal coordinate is s's
  double radius = 0;
  MoveKind direction = MoveKind::ArcCcw;
};

// The circle through s, m and e in the plane, turning s → m → e.
std::optional<Circle> CircleThrough(Point3 s, Point3 m, Point3 e, double t, const PlaneAxes& axes) {
  if (std::fabs(m.*axes.normal - s.*axes.normal) > t || std::fabs(e.*axes.normal - s.*axes.normal) > t) {
    return std::nullopt;
  }
  // With s at the origin, the centre c is as far from m and from e as from s:
  // 2 c·m = |m|² and 2 c·e = |e|².
  const double mu = m.*axes.first - s.*axes.first;
  const double mv = m.*axes.second - s.*axes.second;
  const double eu = e.*axes.first - s.*axes.first;
  const double ev = e.*axes.second - s.*axes.second;
  const double cross = mu * ev - mv * eu;
  // Written so that NaN counts as a straight line too.
  if (!(std::fabs(cross) > kStraightSine * std::hypot(mu, mv) * std::hypot(eu, ev))) return std::nullopt;
  const double m2 = mu * mu + mv * mv;
  const double e2 = eu * eu + ev * ev;
  const double cu = (ev * m2 - mv * e2) / (2 * cross);
  const double cv = (mu * e2 - eu * m2) / (2 * cross);
  Circle circle{.centre = s, .radius = std::hypot(cu, cv)};
  circle.centre.*axes.first += cu;
  circle.centre.*axes.second += cv;
  circle.direction = cross > 0 ? MoveKind::ArcCcw : MoveKind::ArcCw;
  return circle;
}

// The run's deviation from the arc of `radius` around `centre` (see ArcDeviation), worked out
// only as far as it matters: once it reaches `limit`, what is returned is at least `limit`.
// Distances are compared squared, so that each point costs two square roots.
double Deviation(std::span<const Point3> points, Point3 centre, double radius, const PlaneAxes& axes, double limit) {
  const double height = points.front().*axes.normal;
  const double limitSquared = limit * limit;
  double largestSquared = 0;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const Point3 a = points[i - 1];
    const Point3 b = points[i];
    const double du = b.*axes.first - a.*axes.first;
    const double dv = b.*axes.second - a.*axes.second;
    const double sagitta = radius - SafeSqrt(radius * radius - (du * du + dv * dv) / 4);
    const double middleBeside = (a.*axes.normal + b.*axes.normal) / 2 - height;
    const double cu = b.*axes.first - centre.*axes.first;
    const double cv = b.*axes.second - centre.*axes.second;
    const double offCircle = radius - std::sqrt(cu * cu + cv * cv);
    const double pointBeside = b.*axes.normal - height;
    largestSquared = std::max({largestSquared, sagitta * sagitta + middleBeside * middleBeside,
                               offCircle * offCircle + pointBeside * pointBeside});
    if (largestSquared >= limitSquared) return std::max(std::sqrt(largestSquared), limit);
  }
  return std::sqrt(largestSquared);
}

// The arc on `circle` with the run's deviation from it, as far as `limit` (see Deviation).
ArcFit Fitted(std::span<const Point3> points, const Circle& circle, const PlaneAxes& axes, double limit) {
  return {.radius = circle.radius,
          .direction = circle.direction,
          .centre = circle.centre,
          .deviation = Deviation(points, circle.centre, circle.radius, axes, limit)};
}

}  // namespace

std::optional<double> ArcDeviation(std::span<const Point3> points, Point3 centre, double radius, ArcPlane plane) {
  if (points.size() < 2) return std::nullopt;
  return Deviation(points, centre, radius, AxesOf(plane), std::numeric_limits<double>::infinity());
}

std::optional<ArcFit> FitArc(std::span<const Point3> points, double tolerance, ArcPlane plane,
                             std::optional<Point3> hint) {
  if (points.size() < 3) return std::nullopt;
  const PlaneAxes axes = AxesOf(plane);
  const Point3 s = points.front();
  const Point3 e = points.back();
  // 1. The circle through S, the point before E and E, when it stays where the last fit was.
  const std::optional<Circle> last = CircleThrough(s, points[points.size() - 2], e, tolerance, axes);
  if (last && hint && Length(last->centre - *hint) < tolerance) {
    if (const ArcFit fit = Fitted(points, *last, axes, tolerance); fit.deviation < tolerance) return fit;
  }
  // 2. The best of the circles through S, an inner point and E.
  std::optional<ArcFit> best;
  for (std::size_t i = 1; i + 1 < points.size(); ++i) {
    const std::optional<Circle> circle = CircleThrough(s, points[i], e, tolerance, axes);
    if (!circle) continue;
    const ArcFit fit = Fitted(points, *circle, axes, tolerance);
    if (fit.deviation >= tolerance) return std::nullopt;
    if (!best || fit.deviation < best->deviation) best = fit;
  }
  // 3.
  return best;
}

}  // namespace fendo
