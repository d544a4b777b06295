#pragma once

#include <span>

#include "core/geometry.h"
#include "core/toolpath_record.h"

namespace fendo {

// Walks of the edits over a plain array of records (see CopyRecords): the motion records in
// order, each with the move that leads to it.

// Calls visit(i, previous) for every motion record i with the motion record before it,
// `previous` = i for the first one (its move has no length).
template <typename Records, typename Visit>
void ForEachMotion(Records& records, Visit visit) {
  int previous = -1;
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    if (!IsMotionKind(records[i].kind)) continue;
    visit(i, previous < 0 ? i : previous);
    previous = i;
  }
}

// The straight move from record `from` to record `to`: its length and unit direction.
inline SegmentResult StraightMove(std::span<const ToolpathRecord> records, int from, int to) {
  return VectorBetween(PositionOf(records[to]), PositionOf(records[from]));
}

// The length of the cutting move from motion record `from` to motion record `to`: along the
// arc for an arc (its centre offset and plane in the record after it), straight otherwise.
double CuttingLength(std::span<const ToolpathRecord> records, int from, int to);

}  // namespace fendo
