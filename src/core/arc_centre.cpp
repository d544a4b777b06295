// The centre of an arc programmed by its radius (an R word).
//
// In the arc's plane, with axes (u, v), the centre lies on the perpendicular bisector of the
// chord S→E at distance h = sqrt(R² − c²/4) from the chord's midpoint, on one side or the
// other. The first candidate is tried on the +u/+v side; if it is not R away from the start it
// is mirrored in u. Of the two candidates, a positive R takes the one whose arc (in the given
// direction) is shorter than half a turn, a negative R the one whose arc is half a turn or
// more. The chord is measured in the plane, so that a helical arc keeps its true radius.
#include <cmath>

#include "core/arc_rule.h"
#include "core/geometry.h"
#include "core/nc_reader.h"

namespace fendo {
namespace {

constexpr double kSteepSlope = 100000;      // the slope of a chord parallel to the v axis
constexpr double kRadiusMismatch = 0.01;    // mm; a candidate further off R is the wrong one
constexpr double kHalfTurn = 180;           // degrees

}  // namespace

Point3 ArcCentreFromRadius(ArcPlane plane, Point3 start, Point3 end, double radius, MoveKind kind) {
  const PlaneAxes axes = AxesOf(plane);
  const double su = start.*axes.first;
  const double sv = start.*axes.second;
  const double eu = end.*axes.first;
  const double ev = end.*axes.second;

  const double slope = eu == su ? kSteepSlope : (ev - sv) / (eu - su);
  const double chord = std::hypot(eu - su, ev - sv);
  const double h = SafeSqrt(radius * radius - chord * chord / 4);
  const double du = std::fabs(slope) * h / std::sqrt(slope * slope + 1);
  const double dv = h / std::sqrt(slope * slope + 1);
  const double mu = (su + eu) / 2;
  const double mv = (sv + ev) / 2;

  double u1 = mu + du;
  double v1 = mv + dv;
  double u2 = mu - du;
  double v2 = mv - dv;
  if (std::fabs(std::hypot(su - u1, sv - v1) - std::fabs(radius)) >= kRadiusMismatch) {
    u1 = mu - du;
    u2 = mu + du;
  }

  Point3 offset;
  offset.*axes.first = u1 - su;
  offset.*axes.second = v1 - sv;
  const double sweep = MeasureArc(start, end, offset, kind, plane).sweep;
  const bool firstFits = radius > 0 ? sweep < kHalfTurn : sweep >= kHalfTurn;
  if (!firstFits) {
    offset.*axes.first = u2 - su;
    offset.*axes.second = v2 - sv;
  }
  return offset;
}

}  // namespace fendo
