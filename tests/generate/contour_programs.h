#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/toolpath_database.h"
#include "core/toolpath_text.h"

namespace fendo::test {

inline constexpr double kHemisphereRadius = 20;  // mm, centred on the origin, standing on z = 0

// The height of the hemisphere's surface over (x, y); 0 on the floor around it.
inline double HemisphereHeight(double x, double y) {
  const double r2 = kHemisphereRadius * kHemisphereRadius - x * x - y * y;
  return r2 > 0 ? std::sqrt(r2) : 0.0;
}

// A ball-nose finishing path over the hemisphere as NC text: one zig-zag of passes along X
// (every 0.5 mm in Y, a point every 0.2 mm), joined on the floor, entered from safeZ.
inline std::string HemisphereFinishing() {
  constexpr double kReach = 25;
  std::string text = "G90 G17 G21\nG00 X-25. Y-24.75 Z50.\n";
  char line[96];
  bool forward = true;
  bool first = true;
  for (double y = -24.75; y < kReach; y += 0.5) {
    for (int step = 0; step <= 250; ++step) {
      const double x = forward ? -kReach + 0.2 * step : kReach - 0.2 * step;
      std::snprintf(line, sizeof line, "%sX%.4f Y%.4f Z%.4f%s\n", first ? "G01 " : "", x, y, HemisphereHeight(x, y),
                    first ? " F1200" : "");
      text += line;
      first = false;
    }
    forward = !forward;
  }
  return text + "G00 Z50.\nM30\n";
}

// Teeth standing in a row along X, each a climb and a descent `pitch` mm wide from z = −h to
// z = +h, the first reached at rapid; each `group` teeth a gap of `gap` mm along the floor. A
// plane between the heights cuts each tooth in two points (up to `pitch` apart), all on y = 0.
inline std::vector<ToolpathRecord> Teeth(int count, double h, double pitch = 1.0, int group = 0, double gap = 0) {
  using K = MoveKind;
  const float low = static_cast<float>(-h);
  const float high = static_cast<float>(h);
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, low)};
  double x = 0;
  for (int t = 0; t < count; ++t) {
    if (group > 0 && t > 0 && t % group == 0) {
      x += gap;
      records.push_back(Rec(K::Feed, static_cast<float>(x), 0, low, 900));
    }
    const MoveKind climb = records.size() == 2 ? K::FeedStart : K::Feed;
    records.push_back(Rec(climb, static_cast<float>(x + pitch / 2), 0, high, 900));
    x += pitch;
    records.push_back(Rec(K::Feed, static_cast<float>(x), 0, low, 900));
  }
  records.push_back(Rec(K::RapidStart, static_cast<float>(x), 0, 50));
  return records;
}

}  // namespace fendo::test
