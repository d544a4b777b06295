#pragma once

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace fendo::test {

// A program in the shape of the generated benchmark workload, small enough for a test:
// zig-zag finishing passes of short G01 steps over a wavy surface, each pass linked to the
// next by a G01 stepover, a G02/G03 half circle that climbs or falls to the next start, or a
// retract (G00 up to the clearance, across, down to an approach height, and a G01 plunge).
// The seed chooses the raster angle, how steep the surface is, the feeds and the links. The
// passes stay within 60 mm of the origin.
inline std::string GeneratedProgram(unsigned seed, int passes = 12, int steps = 30) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  constexpr double kClearance = 50;  // mm
  constexpr double kApproach = 2;    // mm above the surface
  const double angle = unit(random) * 6.2832;
  const double amplitude = 0.5 + unit(random) * 10;  // mm
  const double wavelength = 4 + unit(random) * 16;   // mm
  const double stepover = 1 + unit(random) * 2;      // mm
  const double step = 0.3 + unit(random) * 1.5;      // mm
  const double along[2] = {std::cos(angle), std::sin(angle)};
  const double across[2] = {-along[1], along[0]};
  const auto surface = [&](double x, double y) {
    return amplitude * std::sin(x / wavelength) * std::cos(y / (1.3 * wavelength)) - amplitude;
  };
  std::string text;
  const auto line = [&text](const char* format, auto... values) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, values...);
    text += buffer;
    text += '\n';
  };
  const double length = step * steps;
  // The point of pass k at distance s along it (passes alternate in direction).
  const auto pointOf = [&](int k, int s, double& x, double& y) {
    const double t = (k % 2 == 0 ? s : steps - s) * step - length / 2;
    const double o = k * stepover - passes * stepover / 2;
    x = t * along[0] + o * across[0];
    y = t * along[1] + o * across[1];
  };
  double x = 0, y = 0;
  pointOf(0, 0, x, y);
  line("G90 G17");
  line("G00 X%.3f Y%.3f Z%.3f", x, y, kClearance);
  line("G00 Z%.3f", surface(x, y) + kApproach);
  line("G01 Z%.3f F300", surface(x, y));
  for (int k = 0; k < passes; ++k) {
    const int feed = 800 + static_cast<int>(unit(random) * 2200);
    for (int s = 1; s <= steps; ++s) {
      pointOf(k, s, x, y);
      line(s == 1 ? "G01 X%.3f Y%.3f Z%.3f F%d" : "G01 X%.3f Y%.3f Z%.3f", x, y, surface(x, y), feed);
    }
    if (k + 1 == passes) break;
    double nx = 0, ny = 0;
    pointOf(k + 1, 0, nx, ny);
    const double link = unit(random);
    if (link < 0.4) {
      line("G01 X%.3f Y%.3f Z%.3f", nx, ny, surface(nx, ny));
    } else if (link < 0.7) {
      line("%s X%.3f Y%.3f Z%.3f I%.3f J%.3f", unit(random) < 0.5 ? "G02" : "G03", nx, ny, surface(nx, ny),
           (nx - x) / 2, (ny - y) / 2);
    } else {
      line("G00 Z%.3f", kClearance);
      line("G00 X%.3f Y%.3f", nx, ny);
      line("G00 Z%.3f", surface(nx, ny) + kApproach);
      line("G01 Z%.3f F300", surface(nx, ny));
    }
  }
  line("G00 Z%.3f", kClearance);
  line("M30");
  return text;
}

}  // namespace fendo::test
