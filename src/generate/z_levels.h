#pragma once

#include "generate/rectangle_shape.h"

namespace fendo {

// The cutting heights of a pocket or a profile: from the start height down to the depth in
// equal steps no larger than the Z stepover. Level 0 is at the start height; a start height at
// or below the depth gives that one level.
struct ZLevels {
  double start = 0;  // mm, the height of level 0
  double step = 0;   // mm, dz: the fall from one level to the next
  int last = 0;      // the levels are 0 … last

  int count() const { return last + 1; }
  double Height(int k) const { return start - k * step; }
  // How far level k lies below the start: what a taper widens or narrows by.
  double Depth(int k) const { return k * step; }
};

ZLevels MakeZLevels(double startHeight, double zDepth, double zStepover);

// The tapers of a pocket or a profile: one angle for all four sides ("단일 taper"), or one per
// side ("<< 다중 taper angle >>"). Degrees against the vertical.
struct TaperFields {
  bool single = true;    // "단일 taper"
  double angle = 0;      // degrees, beside "단일 taper"
  double xPlus = 0;      // degrees, "X + taper": the side at +X
  double xMinus = 0;     // degrees, "X -  taper"
  double yPlus = 0;      // degrees, "Y + taper"
  double yMinus = 0;     // degrees, "Y -  taper"
};

// How far a side moves inward at `depth` below the start for the taper angle, plus the
// distance `extra` (the allowance, the passes of a profile) taken with the side factor `sign`
// (+1 inward, −1 outward).
double SideOffset(double angle, double depth, double extra, double sign);

// A rectangle of one level: the entered one with the offset to take all round. With a single
// taper the rectangle stays and `offset` holds the offset of all four sides; with one taper per
// side each side is moved by its own offset and `offset` is 0.
struct LevelRectangle {
  CentredRectangle shape;
  double offset = 0;  // mm, inward
};
LevelRectangle TaperedRectangle(const CentredRectangle& entered, const TaperFields& taper, double depth, double extra,
                                double sign);

}  // namespace fendo
