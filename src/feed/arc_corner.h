#pragma once

namespace fendo {

class OptimizerRun;

// The corner pass at arc point i: the arc slows with its curvature, and where the move after
// (before) the arc leaves (joins) it off its tangent, or the arc runs slower than the maximum
// feed, the slower feed is spread over the moves within the safety distance of the arc's end
// (start).
void ArcCorner(OptimizerRun& run, int i);

}  // namespace fendo
