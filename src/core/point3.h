#pragma once

#include <cmath>

namespace fendo {

// A point or vector in model space (mm).
struct Point3 {
  double x = 0;
  double y = 0;
  double z = 0;

  friend constexpr Point3 operator+(Point3 a, Point3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
  friend constexpr Point3 operator-(Point3 a, Point3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
  friend constexpr Point3 operator*(Point3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
  friend constexpr bool operator==(Point3 a, Point3 b) = default;
};

inline double Length(Point3 v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

}  // namespace fendo
