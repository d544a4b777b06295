#pragma once

namespace fendo {

class OptimizerRun;

// The passes of the feed optimizer, in the order they run. Each lowers feeds and sets zones
// on the points; none moves a point or adds one (the output stage does that).

// Every motion point starts at the maximum feed.
void ResetFeeds(OptimizerRun& run);

// Steep moves slow down with their slope; a plunge that starts a cut takes the plunge feed,
// and descending moves may take their own share of the slope feed.
void SlopePass(OptimizerRun& run);

// Where the finished part (the master model) stands higher than the tool near a move, the
// move slows with the steepness of that wall. Runs only when the run has a master model.
void MasterPass(OptimizerRun& run);

// Corners in XY and changes of slope slow the feed around the corner point; arcs slow with
// their curvature, and a move that leaves or joins an arc off its tangent slows beside it.
void CornerPass(OptimizerRun& run);

// A move too short to reach its cruise feed between its zones runs at the mean of the feeds
// at its ends.
void ShortCruisePass(OptimizerRun& run);

}  // namespace fendo
