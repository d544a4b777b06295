#pragma once

#include <vector>

#include "feed/qel_point.h"

namespace fendo {

class OptimizerRun;

// Turns the zones and feed steps the passes left on the points into points of their own:
// each zone becomes a point where it ends (or, with smooth feed changes, a run of points
// stepping the feed), and a move between a slow and a much faster neighbour ramps towards it.
// Rapid, arc and centre points pass unchanged but for the arcs' feed.
std::vector<QelPoint> OutputStage(const OptimizerRun& run);

}  // namespace fendo
