#pragma once

#include <vector>

#include "core/point3.h"
#include "edit/record_list.h"

namespace fendo {

class Progress;
struct PencilParams;

// A corner of the toolpath where a pencil path should pass: a Feed record at the corner, whose
// `feed` carries the XY heading across the corner (degrees, 0 … 359) and whose `selected` carries
// half the corner's opening angle (degrees; 90 for a corner in XY).
struct PencilCorner {
  ToolpathRecord record;
  double turn = 0;  // degrees: the change of slope (or of XY heading) that made it a corner
};

// The corner search over `records` (a compacted program): every Feed record with an incoming
// move of non-zero length and an outgoing Feed move (moves shorter than 0.01 mm are passed
// over, as if deleted; the entry of a path, its FeedStart, is no corner) where the path bends upward by at least the least angle, or,
// with "XY 코너", turns in XY by it while both moves lie level within 1 degree. The corners of
// one crossing (found within a short stretch of one cut) give one: the sharpest. Reports
// " Corner search(%.2f %)." every 1001 records when `progress` is given.
std::vector<PencilCorner> FindPencilCorners(const RecordList& records, const PencilParams& params, Progress* progress);

}  // namespace fendo
