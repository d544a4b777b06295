#pragma once

#include <numbers>

namespace fendo {

// Degrees are turned into radians with this single-precision factor everywhere angles meet
// trigonometry (arcs, projection), so that drawings and lengths agree with each other.
inline constexpr double kRadiansPerDegree = 0.0174532927;
// Angles computed from vectors come out in degrees at full precision.
inline constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
// Arc lengths are measured with π in single precision, as the lengths written into NC output
// and the cutting times of other tools that read them have always been.
inline constexpr double kArcLengthPi = 3.1415901184082031;

}  // namespace fendo
