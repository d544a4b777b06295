#pragma once

namespace fendo {

// The optimizer turns an angle (a corner, a slope, an engagement) into a feed by a table of
// weights: weight 1 at an angle means no reduction there, weight 0 the full reduction to
// maxFeed × reduction. Between 0°, 30°, 60° and 90° (where the feed is always the reduced
// one) the feed is interpolated.
struct WeightTable {
  int maxFeed = 0;
  float reduction = 0;  // the lowest feed as a share of maxFeed
  float weight0 = 1;
  float weight30 = 1;
  float weight60 = 1;
};

// How the interpolation between two base feeds is carried out: the corner and slope passes
// step by whole mm/min per 30° (the fraction of (W30 − W0)/30 dropped), the arc pass by the
// exact quotient.
enum class WeightStep { WholeFeedPerDegree, Exact };

// Where an angle of exactly 30° or 60° falls: the slope pass takes it into the upper band.
enum class BandEdge { InLowerBand, InUpperBand };

// The feed for `angle` (degrees, 0..90), cut to a whole feed and never below the reduced
// feed; not yet rounded to the feed unit.
int FeedByWeights(const WeightTable& table, double angle, WeightStep step, BandEdge edge);

// The reduced feed maxFeed × reduction, cut to a whole feed: the lowest any pass goes.
int ReducedFeed(int maxFeed, float reduction);

// The feed rounded down to a multiple of the feed unit; a unit of 0 (or less) leaves it.
int RoundDownToUnit(int feed, int unit);

}  // namespace fendo
