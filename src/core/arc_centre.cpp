// The centre of an arc programmed by its radius (an R word).
//
// In the arc's plane, with axes (u, v), the centre lies on the perpendicular bisector of the
// chord S→E at distance h = sqrt(R² − c²/4) from the chord's midpoint M, on one side or the
// other: M ± h·(−m, 1)/√(1 + m²) for a chord of slope m, M ± (h, 0) for a chord along v. Of the
// two candidates, a positive R takes the one whose arc (in the given direction) is shorter than
// half a turn, a negative R the one whose arc is half a turn or more. The chord is measured in
// the plane, so that a helical arc keeps its true radius.
#include <cmath>

#include "core/arc_rule.h"
#include "core/geometry.h"
#include "core/nc_reader.h"

namespace fendo {
namespace {

constexpr double kHalfTurn = 180;  // degrees

}  // namespace

bool RadiusShortOfChord(ArcPlane plane, Point3 start, Point3 end, double radius) {
  const PlaneAxes axes = AxesOf(plane);
  const double chord = std::hypot(end.*axes.first - start.*axes.first, end.*axes.second - start.*axes.second);
  return SafeSqrt(radius * radius - chord * chord / 4) == 0 && std::fabs(radius) < chord / 2;
}

Point3 ArcCentreFromRadius(ArcPlane plane, Point3 start, Point3 end, double radius, MoveKind kind) {
  const PlaneAxes axes = AxesOf(plane);
  const double su = start.*axes.first;
  const double sv = start.*axes.second;
  const double eu = end.*axes.first;
  const double ev = end.*axes.second;

  const double chord = std::hypot(eu - su, ev - sv);
  const double h = SafeSqrt(radius * radius - chord * chord / 4);
  // From the midpoint to the first candidate: h along the chord's normal (−m, 1)/√(1 + m²),
  // worked out as |m|·h/√(1 + m²) across and h/√(1 + m²) up, the sign across against the slope's.
  double du = h;
  double dv = 0;
  if (eu != su) {
    const double slope = (ev - sv) / (eu - su);
    const double across = std::fabs(slope) * h / std::sqrt(slope * slope + 1);
    du = slope > 0 ? -across : across;
    dv = h / std::sqrt(slope * slope + 1);
  }
  const double mu = (su + eu) / 2;
  const double mv = (sv + ev) / 2;

  Point3 offset;
  offset.*axes.first = mu + du - su;
  offset.*axes.second = mv + dv - sv;
  const double sweep = MeasureArc(start, end, offset, kind, plane).sweep;
  const bool firstFits = radius > 0 ? sweep < kHalfTurn : sweep >= kHalfTurn;
  if (!firstFits) {
    offset.*axes.first = mu - du - su;
    offset.*axes.second = mv - dv - sv;
  }
  return offset;
}

}  // namespace fendo
