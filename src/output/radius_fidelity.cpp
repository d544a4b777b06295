#include "output/radius_fidelity.h"

#include <algorithm>
#include <cmath>

#include "core/angle_units.h"
#include "core/geometry.h"
#include "core/toolpath_record.h"
#include "core/nc_reader.h"

namespace fendo {
namespace {

// Degrees between the compared points. The distance between two nearly equal arcs varies
// about as one turn of a sine does, and points this close find its peak within 0.02 %.
constexpr double kSampleStep = 2;
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

double ArcDeviation(const Arc& a, const Arc& b) {
  const int steps = std::max(kFewestSteps, static_cast<int>(std::ceil(std::max(a.sweep, b.sweep) / kSampleStep)));
  CircleWalk alongA(a, steps);
  CircleWalk alongB(b, steps);
  double largest = 0;
  for (int k = 0; k <= steps; ++k) largest = std::max(largest, Length(alongA.Point(k) - alongB.Point(k)));
  return largest;
}

}  // namespace fendo
