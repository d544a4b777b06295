#pragma once

#include <cmath>
#include <numbers>

namespace fendo {

// Degrees of an angle in radians, rounded to a millionth of a degree: the feed bands meet at
// whole angles (30°, 60°, 90°), and a corner drawn at exactly 45° or 60° must not fall into a
// band by the last bit of its arithmetic.
inline double RoundedDegrees(double radians) {
  constexpr double kResolution = 1e6;
  return std::round(radians * (180 / std::numbers::pi) * kResolution) / kResolution;
}

}  // namespace fendo
