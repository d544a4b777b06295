#pragma once

namespace fendo {

// How many equal steps no larger than `stepover` cover `span` (above 0): its integer part, and
// one more where that falls short.
inline int StepCount(double span, double stepover) {
  int n = static_cast<int>(span / stepover);
  if (n * stepover < span) ++n;
  return n;
}

}  // namespace fendo
