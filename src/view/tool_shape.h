#pragma once

namespace fendo {

// The kinds of cutter the tool shape dialog offers; the numbers are the dialog's.
enum class ToolType { Flat = 1, Ball = 2, BullNose = 3 };

// The tool the view draws at the end of the toolpath and moves in the tool simulation: the
// values of the tool shape dialog ("공구형상").
struct ToolShape {
  ToolType type = ToolType::Ball;
  double radius = 5;        // mm, the cutter's radius
  double cornerRadius = 5;  // mm, the radius of the cutting edge's corner (a ball's is its radius)
  double fluteLength = 10;  // mm, the cutting part
  double shankLength = 10;  // mm, the shank drawn above it
};

}  // namespace fendo
