#pragma once

#include "feed/master_model.h"

namespace fendo {

// What the optimizer keeps for one machine slot between runs.
struct OptimizerSlot {
  double xyLookAhead = 0;               // the XY corner look-ahead of the previous run
  double safetyDistance = 0;            // the slot's safety distance as a 64-bit float
  const MasterModel* master = nullptr;  // the view's master model (not a copy); null when none
  int mode = 3;                         // the master pass needs mode 3
};

}  // namespace fendo
