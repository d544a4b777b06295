#include <algorithm>
#include <cmath>

#include "feed/angles.h"
#include "feed/optimizer_passes.h"
#include "feed/optimizer_run.h"

namespace fendo {
namespace {

constexpr double kPlungeAngle = 89;  // degrees: a first cut this steep is a plunge

}  // namespace

void ResetFeeds(OptimizerRun& run) {
  for (QelPoint& p : run.points) {
    if (!p.IsMotion()) continue;
    p.programFeed = run.maxFeed;
    p.feed = run.maxFeed;
  }
}

void SlopePass(OptimizerRun& run) {
  for (int i = 0; i < run.Count(); ++i) {
    run.ReportProgress("Feed Optimizer: slopes", i);
    QelPoint& point = run[i];
    if (!point.IsLinearFeed()) continue;
    const Point3 d = run.MoveInto(i);
    const double length = Length(d);
    // A move without length has no slope; it keeps its feed and is removed after the run.
    if (length == 0) continue;
    const Point3 u = d * (1 / length);
    const double slope = std::fabs(RoundedDegrees(std::atan2(u.z, std::sqrt(u.x * u.x + u.y * u.y))));
    if (slope <= run.slopeMinAngle) continue;

    const bool plunge = point.kind == MoveKind::FeedStart && slope > kPlungeAngle;
    const RuleWitness witness(run, i, plunge ? FeedRule::Plunge : u.z < 0 ? FeedRule::SlopeDown : FeedRule::SlopeUp);
    int feed;
    if (plunge) {
      feed = run.plungeFeed;
    } else {
      feed = FeedByWeights(run.slopeWeights, slope, WeightStep::WholeFeedPerDegree, BandEdge::InUpperBand);
    }
    if (run.separateDescents) {
      if (u.z < 0) feed = static_cast<int>(static_cast<float>(feed) * run.descentFactor);
      feed = feed > run.maxFeed ? run.maxFeed : std::max(feed, run.ReducedSlopeFeed());
    }
    // A plunge feed set above the maximum feed is held to it too.
    feed = std::min(feed, run.maxFeed);
    point.feed = run.Round(feed);
  }
}

}  // namespace fendo
