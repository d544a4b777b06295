#include <algorithm>
#include <optional>

#include "feed/master_lookup.h"
#include "feed/optimizer_passes.h"
#include "feed/optimizer_run.h"

namespace fendo {
namespace {

constexpr double kLeastSearchRadius = 1.0;  // mm
constexpr double kZoneReach = 1.2;          // a move must be this many safety distances long for a zone
constexpr double kMidpointReach = 6;        // up to this many search radii one look at the middle serves
constexpr int kSkippedSamples = 3;          // samples this near either end of a long move are left out
constexpr double kRightAngle = 90;

// The share of a move of length `length` that one safety distance takes, in percent; 0 when
// the move is too short to hold a zone.
int ZonePercent(double safety, double length) {
  return length > kZoneReach * safety ? static_cast<int>(safety * 100 / length) : 0;
}

bool IsZonePercent(int percent) { return percent >= 1 && percent <= 99; }

}  // namespace

void MasterPass(OptimizerRun& run) {
  const MasterModel& model = *run.master;
  const double safety = run.safetyDistance;
  const double radius = std::max<double>(safety, kLeastSearchRadius);
  const auto wallAngle = [&](Point3 p) { return MasterWallAngle(model, p.x, p.y, p.z, radius); };
  const auto wallFeed = [&](double angle) {
    return run.Round(FeedByWeights(run.slopeWeights, angle, WeightStep::WholeFeedPerDegree, BandEdge::InLowerBand));
  };
  int lastOutgoing = -1;
  for (int i = 0; i < run.Count(); ++i) {
    run.ReportProgress("Feed Optimizer: master model", i);
    QelPoint& point = run[i];
    if (!point.IsLinearFeed() || run.PrevMotion(i) < 0) continue;
    const Point3 end = point.position();
    const Point3 move = run.MoveInto(i);
    const double length = Length(move);
    const int n = run.NextMotion(i);
    const double lengthOut = n >= 0 ? Length(run[n].position() - end) : 0;
    const int percentIn = ZonePercent(safety, length);
    const int percentOut = ZonePercent(safety, lengthOut);

    // The wall the tool meets where the move ends, and along the move: its middle, or for a
    // long move samples a search radius apart.
    const double atEnd = wallAngle(end);
    double along = 0;
    if (length > kMidpointReach * radius) {
      const int samples = static_cast<int>(length / radius);
      for (int k = kSkippedSamples; k <= samples - kSkippedSamples; ++k) {
        along = std::max<double>(along, wallAngle(end - move * (double(k) / samples)));
      }
    } else if (length > kZoneReach * radius) {
      along = wallAngle(end - move * 0.5);
    }
    const double engagement = std::max(atEnd, along);
    along = std::min(along, kRightAngle);
    if (engagement <= run.slopeMinAngle) continue;
    if (percentIn == 0) along = engagement;

    std::optional<RuleWitness> witness(std::in_place, run, i, FeedRule::MasterModel);
    if (along > run.slopeMinAngle) point.feed = std::min(point.feed, wallFeed(along));
    if (IsZonePercent(percentIn)) {
      const int feed = wallFeed(atEnd);
      AddDecelZone(point, percentIn, feed);
      CollapseZones(run, point, feed);
    }

    // The cut after the point enters the same wall (a rapid move's feed means nothing).
    if (n < 0 || n == lastOutgoing || !IsCuttingKind(run[n].kind)) continue;
    lastOutgoing = n;
    witness.emplace(run, n, FeedRule::MasterModel);
    QelPoint& next = run[n];
    if (!IsZonePercent(percentOut)) {
      const float reduction = run.slopeWeights.reduction;
      const double share = 1 - atEnd / kRightAngle * (1 - reduction);
      const int lowest = ReducedFeed(next.programFeed, reduction);
      const int feed = run.Round(std::max(static_cast<int>(next.programFeed * share), lowest));
      next.feed = std::min(next.feed, feed);
    } else if (const int feed = wallFeed(atEnd); feed < next.feed) {
      AddAccelZone(next, percentOut, feed);
      CollapseZones(run, next, feed);
    }
  }
}

}  // namespace fendo
