#pragma once

#include <optional>

#include "core/move_kind.h"
#include "core/point3.h"

namespace fendo {

// The difference a − b of two points with its length and direction.
struct SegmentResult {
  Point3 delta;        // a − b, mm
  double length = 0;   // mm
  Point3 unit;         // delta / length; zero when the length is zero
  bool nonZero = false;
};

// The two axes an arc plane is measured in: the first carries the cosine of an angle, the
// second its sine; the third is normal to the plane.
struct PlaneAxes {
  double Point3::*first;
  double Point3::*second;
  double Point3::*normal;
};
PlaneAxes AxesOf(ArcPlane plane);

// Square root that treats values below 1e-9 (rounding noise around zero) as zero.
double SafeSqrt(double x);

SegmentResult VectorBetween(Point3 a, Point3 b);

// The angle in degrees, in [0, 360], whose sine goes with s and cosine with c; 0 for a vector
// too short to have a direction.
double PlaneAngle(double s, double c);

// The angle of vector v measured in the plane (cosine along the first axis, sine along the second).
double AngleInPlane(Point3 v, ArcPlane plane);

// |b − a| in degrees, measured across the 0/360 seam when one angle lies just above 0 and the
// other just below 360.
double AngleDifference(double a, double b);

// The point of an arc at angle θ (degrees): C minus (R cos θ, R sin θ) along the plane's axes;
// the coordinate normal to the plane is C's.
Point3 PointOnArc(Point3 centre, double radius, double angle, ArcPlane plane);

// Where segment P1→P2 crosses segment Q1→Q2 in the XY plane (edges included), with z taken
// along Q; nothing for parallel segments or a P segment without XY extent.
std::optional<Point3> SegmentIntersectXY(Point3 p1, Point3 p2, Point3 q1, Point3 q2);

// The point of segment S→E at height h; nothing for a level segment or a height outside it.
std::optional<Point3> SegmentAtHeight(Point3 s, Point3 e, double h);

}  // namespace fendo
