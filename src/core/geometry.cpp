#include "core/geometry.h"

#include <algorithm>
#include <cmath>

#include "core/angle_units.h"

namespace fendo {
namespace {

constexpr double kSqrtNoise = 1e-9;          // below this a square is taken as zero
constexpr double kShortestDirection = 1e-6;  // mm; a shorter vector has angle 0
constexpr double kParallelDeterminant = 0.001;

bool Within(double v, double a, double b) { return v >= std::min(a, b) && v <= std::max(a, b); }
double DistanceXY(Point3 a, Point3 b) { return std::hypot(a.x - b.x, a.y - b.y); }

}  // namespace

PlaneAxes AxesOf(ArcPlane plane) {
  switch (plane) {
    case ArcPlane::ZX: return {&Point3::z, &Point3::x, &Point3::y};
    case ArcPlane::YZ: return {&Point3::y, &Point3::z, &Point3::x};
    case ArcPlane::XY: break;
  }
  return {&Point3::x, &Point3::y, &Point3::z};
}

double SafeSqrt(double x) { return x < kSqrtNoise ? 0.0 : std::sqrt(x); }

SegmentResult VectorBetween(Point3 a, Point3 b) {
  SegmentResult r;
  r.delta = a - b;
  r.length = Length(r.delta);
  if (r.length != 0) {
    r.unit = {r.delta.x / r.length, r.delta.y / r.length, r.delta.z / r.length};
    r.nonZero = true;
  }
  return r;
}

double PlaneAngle(double s, double c) {
  // hypot is slow and is not below the limit unless both components are.
  const bool shortVector = std::fabs(s) < kShortestDirection && std::fabs(c) < kShortestDirection;
  if (shortVector && std::hypot(s, c) < kShortestDirection) return 0;
  // The axis directions come out exact, so that full circles and quadrant arcs compare equal.
  if (s == 0) return c > 0 ? 0 : 180;
  if (c == 0) return s > 0 ? 90 : 270;
  double angle = std::atan2(s, c) * kDegreesPerRadian;
  if (angle < 0) angle += 360;
  if (angle > 360) angle -= 360;
  return angle;
}

double AngleInPlane(Point3 v, ArcPlane plane) {
  const PlaneAxes axes = AxesOf(plane);
  return PlaneAngle(v.*axes.second, v.*axes.first);
}

double AngleDifference(double a, double b) {
  const auto nearZero = [](double t) { return t >= 0 && t <= 90; };
  const auto nearFull = [](double t) { return t >= 270 && t <= 360; };
  if (nearZero(a) && nearFull(b)) return a - (b - 360);
  if (nearZero(b) && nearFull(a)) return b - (a - 360);
  return std::fabs(b - a);
}

Point3 PointOnArc(Point3 centre, double radius, double angle, ArcPlane plane) {
  const PlaneAxes axes = AxesOf(plane);
  const double radians = angle * kRadiansPerDegree;
  Point3 p = centre;
  p.*axes.first -= radius * std::cos(radians);
  p.*axes.second -= radius * std::sin(radians);
  return p;
}

std::optional<Point3> SegmentIntersectXY(Point3 p1, Point3 p2, Point3 q1, Point3 q2) {
  if (p1.x == p2.x && p1.y == p2.y) return std::nullopt;
  const double f = p2.y - p1.y;
  const double l = p2.x - p1.x;
  const double g = q2.x - q1.x;
  const double h = q2.y - q1.y;
  const double m = f * g - h * l;
  if (std::fabs(m) < kParallelDeterminant) return std::nullopt;
  const double c = p1.y * l - p1.x * f;
  const double d = g * q1.y - q1.x * h;

  Point3 hit;
  hit.y = f == 0 ? p1.y : (h != 0 ? (f * d - h * c) / m : q1.y);
  hit.x = l == 0 ? p1.x : (g != 0 ? (l * d - g * c) / m : q1.x);
  if (!Within(hit.x, p1.x, p2.x) || !Within(hit.y, p1.y, p2.y)) return std::nullopt;
  if (!Within(hit.x, q1.x, q2.x) || !Within(hit.y, q1.y, q2.y)) return std::nullopt;

  // Q has XY extent here: a Q without it would have made the determinant zero.
  hit.z = q1.z - (q1.z - q2.z) * DistanceXY(hit, q1) / DistanceXY(q2, q1);
  return hit;
}

std::optional<Point3> SegmentAtHeight(Point3 s, Point3 e, double h) {
  if (s.z == e.z || !Within(h, s.z, e.z)) return std::nullopt;
  if (s.x == e.x && s.y == e.y) return Point3{s.x, s.y, h};
  const double t = (h - s.z) / (e.z - s.z);
  return Point3{s.x + (e.x - s.x) * t, s.y + (e.y - s.y) * t, h};
}

}  // namespace fendo
