#include "feed/feed_by_weights.h"

namespace fendo {
namespace {

// A base feed of the table: the reduced feed plus the weighted share of the rest. Ratios and
// weights are single precision, and so is this arithmetic: 1000 × 0.7 gives 700, not 699.
int BaseFeed(int maxFeed, float reduction, float weight) {
  const float f = static_cast<float>(maxFeed);
  return static_cast<int>(f * reduction + f * (1.0f - reduction) * weight);
}

}  // namespace

int ReducedFeed(int maxFeed, float reduction) { return static_cast<int>(static_cast<float>(maxFeed) * reduction); }

int FeedByWeights(const WeightTable& table, double angle, WeightStep step, BandEdge edge) {
  const int w0 = BaseFeed(table.maxFeed, table.reduction, table.weight0);
  const int w30 = BaseFeed(table.maxFeed, table.reduction, table.weight30);
  const int w60 = BaseFeed(table.maxFeed, table.reduction, table.weight60);
  const int w90 = ReducedFeed(table.maxFeed, table.reduction);
  const auto interpolate = [&](int from, int to, double degrees) {
    if (step == WeightStep::WholeFeedPerDegree) return from + (to - from) / 30 * degrees;
    return from + (to - from) / 30.0 * degrees;
  };
  const bool lowerBand = edge == BandEdge::InLowerBand ? angle <= 30 : angle < 30;
  const bool middleBand = edge == BandEdge::InLowerBand ? angle <= 60 : angle < 60;
  double feed;
  if (lowerBand) {
    feed = interpolate(w0, w30, angle);
  } else if (middleBand) {
    feed = interpolate(w30, w60, angle - 30);
  } else {
    feed = interpolate(w60, w90, angle - 60);
  }
  const int whole = static_cast<int>(feed);
  return whole < w90 ? w90 : whole;
}

int RoundDownToUnit(int feed, int unit) {
  if (unit <= 0) return feed;
  return feed / unit * unit;
}

}  // namespace fendo
