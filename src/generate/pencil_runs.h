#pragma once

#include <functional>
#include <vector>

#include "core/point3.h"

namespace fendo {

class Progress;

// A pencil path as the passes before the writing see it: the corner points it cuts through, in
// order, at least two of them.
using PencilRun = std::vector<Point3>;

// Whether the tool may feed straight from the first point to the second (see PencilLinkGuard).
using CanLink = std::function<bool(Point3, Point3)>;

// The path building: the points in nearest-neighbour order (three-dimensional distance, only
// points nearer than 1000 mm count; when none is, the order goes on from the first point left),
// a point within 0.01 mm of one already taken dropped as its duplicate, then cut into runs
// wherever two neighbours lie `maxLink` or more apart or `canLink` refuses the move between them.
// A point alone between such gaps makes no run. Reports " Sorting(%.2f %)." every 101 points when `progress` is given.
struct BuiltRuns {
  std::vector<PencilRun> runs;
  int points = 0;  // the points ordered, duplicates left out
};
BuiltRuns BuildPencilRuns(const std::vector<Point3>& points, double maxLink, const CanLink& canLink,
                          Progress* progress);

// "상, 하향 구분": each run is cut where its height turns from climbing to descending or back,
// at the top (bottom) it falls (rises) more than 0.05 mm from, so that no run both climbs and
// descends; smaller wiggles, the tolerance of the finishing path, are no turn.
void SeparateUpAndDown(std::vector<PencilRun>& runs);

// The points where a run goes straight down and straight back up, which only plunge the tool,
// are taken out.
void RemoveSpikes(std::vector<PencilRun>& runs);

// The linking passes: runs whose ends lie less than `maxLink` apart become one run, the tool
// feeding across the gap. The first pass joins each run to the run after it, end to start; the
// second joins each run, at either end, to the nearest end of any run left (turning that run
// round where needed). With `keepMonotone`, no join makes a run both climb and descend; no join
// crosses a gap `canLink` refuses.
void LinkRuns(std::vector<PencilRun>& runs, double maxLink, bool keepMonotone, const CanLink& canLink);

// Moves shorter than `shortest` are dropped (the later point goes), then runs of a single point.
void DropShortMoves(std::vector<PencilRun>& runs, double shortest);

}  // namespace fendo
