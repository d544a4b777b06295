#include "feed/output_stage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "feed/optimizer_run.h"

namespace fendo {
namespace {

constexpr double kLongZone = 5;      // mm: a zone longer than this is cut into kLongZoneSteps
constexpr int kLongZoneSteps = 10;
constexpr double kStepsPerMm = 2;    // shorter zones take 2 steps a millimetre, and one more
constexpr double kRampRatio = 0.8;   // a neighbour this much faster (or slower) is ramped to

// The feed after s of k steps from `from` to `to`, in whole mm/min.
int SteppedFeed(int from, int to, int s, int k) {
  return static_cast<int>(from - static_cast<std::int64_t>(from - to) * s / k);
}

class OutputWriter {
 public:
  explicit OutputWriter(const OptimizerRun& run) : run_(run) {
    out_.reserve(2 * run.points.size());
    if (run.reasons) {
      run.reasons->rule.reserve(out_.capacity());
      run.reasons->source.reserve(out_.capacity());
    }
  }

  std::vector<QelPoint> Write() && {
    for (int j = 0; j < run_.Count(); ++j) {
      source_ = j;
      const QelPoint& q = run_[j];
      const int p = run_.PrevMotion(j);
      if (IsArcKind(q.kind)) {
        QelPoint arc = q;
        arc.feed = Cruise(q);
        Push(arc, Rules(j).cruise);
      } else if (!q.IsLinearFeed() || p < 0) {
        Push(q, Rules(j).cruise);
      } else if (q.HasAccelZone() || q.HasDecelZone()) {
        ZonedMove(run_[p], q);
      } else {
        RampedMove(run_[p], q, run_.NextMotion(j));
      }
    }
    return std::move(out_);
  }

 private:
  // The move's cruise feed, never above the maximum feed; a move without one runs at the
  // reduced corner feed.
  int Cruise(const QelPoint& q) const {
    const int feed = std::min(q.feed, run_.maxFeed);
    return feed == 0 ? run_.ReducedCornerFeed() : feed;
  }

  static int Steps(double length, MoveKind kind) {
    if (kind == MoveKind::FeedStart) return 1;
    return length > kLongZone ? kLongZoneSteps : static_cast<int>(kStepsPerMm * length + 1);
  }

  PointRules Rules(int j) const {
    return run_.reasons ? run_.reasons->points[static_cast<std::size_t>(j)] : PointRules{};
  }

  // Appends an output point made from the current input point, with the rule of its feed.
  void Push(const QelPoint& point, FeedRule rule) {
    out_.push_back(point);
    if (!run_.reasons) return;
    run_.reasons->rule.push_back(rule);
    run_.reasons->source.push_back(source_);
  }

  // Appends a point of the move into q: the first keeps q's kind, the rest are Feed moves.
  void Append(const QelPoint& q, Point3 at, int feed, FeedRule rule) {
    QelPoint point = q;
    point.x = at.x;
    point.y = at.y;
    point.z = at.z;
    point.feed = feed;
    point.accelPercent = point.decelPercent = 0;
    point.accelFeed = point.decelFeed = 0;
    if (!firstOfMove_) point.kind = MoveKind::Feed;
    firstOfMove_ = false;
    Push(point, rule);
  }

  void ZonedMove(const QelPoint& p, const QelPoint& q) {
    firstOfMove_ = true;
    const PointRules rules = Rules(source_);
    const bool smooth = run_.smoothFeedChanges;
    const Point3 start = p.position();
    const Point3 end = q.position();
    const Point3 v = end - start;
    int cruise = q.feed;
    if (q.HasAccelZone()) {
      const Point3 zoneEnd = start + v * (q.accelPercent / 100.0);
      int from = std::min(q.accelFeed, run_.maxFeed);
      if (from == 0) from = run_.ReducedCornerFeed();
      const int k = Steps(Length(zoneEnd - start), q.kind);
      if (k > 1 && smooth) {
        // Where a deceleration zone follows, its first point takes the cruise feed instead.
        const int last = q.HasDecelZone() ? k - 1 : k;
        for (int s = 1; s <= last; ++s) {
          // The last step reaches the cruise feed, which is the cruise feed's rule.
          Append(q, start + (zoneEnd - start) * (double(s) / k), SteppedFeed(from, cruise, s, k),
                 s == k ? rules.cruise : rules.accel);
        }
      } else {
        Append(q, zoneEnd, from, rules.accel);
      }
    }
    if (!q.HasDecelZone()) {
      Append(q, end, cruise, rules.cruise);
      return;
    }
    const Point3 zoneStart = end - v * (q.decelPercent / 100.0);
    const int to = std::min(q.decelFeed, run_.maxFeed);
    cruise = Cruise(q);
    const int k = Steps(Length(end - zoneStart), q.kind);
    if (k > 1 && smooth) {
      for (int s = 0; s < k; ++s) {
        Append(q, zoneStart + (end - zoneStart) * (double(s) / k), SteppedFeed(cruise, to, s, k),
               s == 0 ? rules.cruise : rules.decel);
      }
    } else {
      Append(q, zoneStart, cruise, rules.cruise);
    }
    Append(q, end, to, rules.decel);
  }

  void RampedMove(const QelPoint& p, const QelPoint& q, int next) {
    firstOfMove_ = true;
    const int cruise = Cruise(q);
    const int before = p.HasDecelZone() ? p.decelFeed : p.feed;
    int after = cruise;
    if (next >= 0 && !IsRapidKind(run_[next].kind)) {
      after = run_[next].HasAccelZone() ? run_[next].accelFeed : run_[next].feed;
    }
    int from = cruise;
    int to = cruise;
    if (kRampRatio * after > cruise) {
      to = after;
    } else if (kRampRatio * before > cruise) {
      from = before;
    }
    const bool ramp = q.kind == MoveKind::Feed && (from != cruise || to != cruise) &&
                      kRampRatio * std::max(from, to) > std::min(from, to);
    if (ramp && run_.smoothFeedChanges) {
      const Point3 start = p.position();
      const Point3 v = q.position() - start;
      const int k = Steps(Length(v), q.kind);
      for (int s = 1; s <= k; ++s) {
        Append(q, s == k ? q.position() : start + v * (double(s) / k), SteppedFeed(from, to, s, k),
               FeedRule::Smoothing);
      }
    } else {
      Append(q, q.position(), cruise, Rules(source_).cruise);
    }
  }

  const OptimizerRun& run_;
  std::vector<QelPoint> out_;
  bool firstOfMove_ = true;
  int source_ = 0;  // the input point the output points are made from
};

}  // namespace

std::vector<QelPoint> OutputStage(const OptimizerRun& run) { return OutputWriter(run).Write(); }

}  // namespace fendo
