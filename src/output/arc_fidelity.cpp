#include "output/arc_fidelity.h"

#include <algorithm>
#include <cmath>

#include "core/angle_units.h"
#include "core/geometry.h"
#include "core/toolpath_record.h"
#include "core/nc_reader.h"

namespace fendo {
namespace {

// Degrees between the compared points. The offset between two nearly equal arcs is a shift,
// a sine of one turn and a turn that grows along the sweep, each no larger than the two
// arcs' difference; between points 10 degrees apart its length lies less than 1/250 of that
// difference above the larger of its ends, within what the writers' tests allow for.
constexpr double kSampleStep = 10;
constexpr int kFewestSteps = 4;

// The points of an arc at equal steps of its sweep, as ArcPointAt places them, except that the
// first and the last lie on the arc's circle too: an arc whose start lies off its radius (a
// centre rounded in the program) shows it there. One vector is turned from point to point, so
// the walk takes one sine and cosine per arc, not per point.
class CircleWalk {
 public:
  CircleWalk(const Arc& arc, int steps) : arc_(arc), axes_(AxesOf(arc.plane)), steps_(steps) {
    const double start = arc.startAngle * kRadiansPerDegree;
    const double step = (arc.kind == MoveKind::ArcCw ? -arc.sweep : arc.sweep) / steps * kRadiansPerDegree;
    cos_ = std::cos(start);
    sin_ = std::sin(start);
    stepCos_ = std::cos(step);
    stepSin_ = std::sin(step);
  }

  // Point k; k runs up from 0 to the number of steps, one at a time.
  Point3 Point(int k) {
    Point3 p = arc_.centre;
    p.*axes_.first -= arc_.radius * cos_;
    p.*axes_.second -= arc_.radius * sin_;
    const double rise = arc_.end.*axes_.normal - arc_.start.*axes_.normal;
    p.*axes_.normal = arc_.start.*axes_.normal + rise * k / steps_;
    const double turnedCos = cos_ * stepCos_ - sin_ * stepSin_;
    sin_ = sin_ * stepCos_ + cos_ * stepSin_;
    cos_ = turnedCos;
    return p;
  }

 private:
  const Arc& arc_;
  PlaneAxes axes_;
  int steps_;
  double cos_, sin_, stepCos_, stepSin_;
};

}  // namespace

double RadiusArcDeviation(const Arc& held, Point3 start, Point3 end, double radius) {
  const Point3 offset = ArcCentreFromRadius(held.plane, start, end, radius, held.kind);
  const Arc read = MeasureArc(StoredPoint(start), StoredPoint(end), StoredPoint(offset), held.kind, held.plane);
  return ArcDeviation(held, read);
}

double OffsetArcDeviation(const Arc& held, Point3 start, Point3 end, Point3 offset) {
  const Arc read = MeasureArc(StoredPoint(start), StoredPoint(end), StoredPoint(offset), held.kind, held.plane);
  return ArcDeviation(held, read);
}

Point3 CentreBetweenEnds(const Arc& held, Point3 start, Point3 end) {
  const PlaneAxes axes = AxesOf(held.plane);
  const double du = end.*axes.first - start.*axes.first;
  const double dv = end.*axes.second - start.*axes.second;
  const double chordSquared = du * du + dv * dv;
  Point3 centre = held.centre;
  centre.*axes.normal = start.*axes.normal;
  if (chordSquared == 0) return centre;
  // Slide the held centre along the chord onto the chord's perpendicular bisector.
  const double along = ((held.centre.*axes.first - start.*axes.first) * du +
                        (held.centre.*axes.second - start.*axes.second) * dv) / chordSquared - 0.5;
  centre.*axes.first -= along * du;
  centre.*axes.second -= along * dv;
  return centre;
}

double ArcDeviation(const Arc& a, const Arc& b) {
  const int steps = std::max(kFewestSteps, static_cast<int>(std::ceil(std::max(a.sweep, b.sweep) / kSampleStep)));
  CircleWalk alongA(a, steps);
  CircleWalk alongB(b, steps);
  double largest = 0;
  for (int k = 0; k <= steps; ++k) largest = std::max(largest, Length(alongA.Point(k) - alongB.Point(k)));
  return largest;
}

}  // namespace fendo
