#include "feed/optimizer_passes.h"
#include "feed/optimizer_run.h"

namespace fendo {

void ShortCruisePass(OptimizerRun& run) {
  for (int i = 0; i < run.Count(); ++i) {
    run.ReportProgress("Feed Optimizer: short moves", i);
    QelPoint& point = run[i];
    if (point.kind != MoveKind::Feed) continue;
    const RuleWitness witness(run, i, FeedRule::ShortCruise);
    const double length = Length(run.MoveInto(i));
    // The feed where the move starts: its own acceleration zone's, else where the move before
    // ends; likewise where it ends. No neighbour: the move's own feed.
    const int prev = run.PrevMotion(i);
    const int next = run.NextMotion(i);
    int startFeed = point.feed;
    if (point.HasAccelZone()) {
      startFeed = point.accelFeed;
    } else if (prev >= 0) {
      startFeed = run[prev].HasDecelZone() ? run[prev].decelFeed : run[prev].feed;
    }
    int endFeed = point.feed;
    if (point.HasDecelZone()) {
      endFeed = point.decelFeed;
    } else if (next >= 0) {
      endFeed = run[next].HasAccelZone() ? run[next].accelFeed : run[next].feed;
    }
    const double cruiseLength = length * (100 - point.accelPercent - point.decelPercent) / 100;
    if (run.toolRadius > cruiseLength && startFeed < point.feed && endFeed < point.feed) {
      point.feed = (startFeed + endFeed) / 2;
    }
  }
}

}  // namespace fendo
