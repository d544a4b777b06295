#pragma once

#include "generate/generated_path.h"

namespace fendo {

// A counter-clockwise XY loop around a rectangle, its corners rounded with radius r (sharp
// below kSharpCorner, and never rounder than the narrower half size allows). It starts and ends
// in the middle of a long side: on the right side when X is the narrower direction (hx ≤ hy),
// on the top side otherwise.
struct RectangleLoop {
  double cx = 0;  // mm, centre
  double cy = 0;  // mm
  double hx = 0;  // mm, half size
  double hy = 0;  // mm
  double r = 0;   // mm, corner radius
};

// A corner radius below this is a sharp corner.
inline constexpr double kSharpCorner = 0.01;  // mm

struct LoopPoint {
  double x = 0;  // mm
  double y = 0;  // mm
};
LoopPoint LoopStart(const RectangleLoop& loop);

// Cuts the loop from its start point around to it again, at the height of the last record; the
// tool must be at the start point.
void CutLoop(GeneratedPath& path, const RectangleLoop& loop);

}  // namespace fendo
