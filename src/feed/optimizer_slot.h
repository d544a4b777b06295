#pragma once

#include <cstdint>

namespace fendo {

// The mode word of a machine slot. Every slot is made in the optimizing mode, the only one the
// program knows, and the master pass runs only in it; the word keeps its stored number.
enum class SlotMode : std::int32_t {
  Optimizing = 3,
};

// What the optimizer keeps for one machine slot between runs.
struct OptimizerSlot {
  double xyLookAhead = 0;  // mm: the XY corner look-ahead of the last run without the reduction
  SlotMode mode = SlotMode::Optimizing;
};

}  // namespace fendo
