#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "feed/feed_by_weights.h"
#include "feed/feed_rules.h"
#include "feed/machine_condition.h"
#include "feed/qel_point.h"

namespace fendo {

class Progress;
struct MasterModel;

// What the passes of one optimizer run share: the points, and the machine's parameters in
// the form the passes use them. The passes read these, never the machine condition itself.
// Points are addressed by index; "no point" is -1.
class OptimizerRun {
 public:
  // A move whose two zones together cover more of it than this (percent) runs wholly at the
  // lower zone feed: too little of it would be left at cruise feed to be worth reaching.
  static constexpr int kCollapsePercent = 80;
  // With the XY reduction on, corners in XY look ahead over this share of the safety distance.
  static constexpr double kReducedXyShare = 0.3;

  // `master` is the model the master pass reads, null when the pass does not run.
  OptimizerRun(std::vector<QelPoint>& points, const MachineCondition& machine, const MasterModel* master,
               Progress* progress);

  std::vector<QelPoint>& points;
  const MasterModel* master;
  FeedReasons* reasons = nullptr;  // where the passes note their rules; null when nobody asks

  int maxFeed;             // F, mm/min: the feed where nothing slows the cutter
  int feedUnit;            // mm/min: lowered feeds are multiples of it; 0 leaves them as they are
  int plungeFeed;          // mm/min: a cut that starts straight down
  double toolRadius;       // mm
  double safetyDistance;   // mm: how far slopes, arcs and walls reach
  double xyLookAhead;      // mm: how far corners in XY reach
  double cornerMinAngle;   // degrees: a corner no sharper than this changes nothing
  double slopeMinAngle;    // degrees: a slope or wall no steeper than this changes nothing
  float descentFactor;     // the share of the slope feed a descending move takes
  bool finishing;          // MachineCondition::Finishing
  bool separateDescents;   // MachineCondition::SeparatesDescents
  bool smoothFeedChanges;  // MachineCondition::SmoothFeedChanges
  WeightTable cornerWeights;
  WeightTable slopeWeights;  // its reduction is the slope reduction, a 32-bit float as set

  int Count() const { return static_cast<int>(points.size()); }
  QelPoint& operator[](int i) { return points[static_cast<std::size_t>(i)]; }
  const QelPoint& operator[](int i) const { return points[static_cast<std::size_t>(i)]; }

  // The nearest motion point before (after) i; -1 when there is none.
  int PrevMotion(int i) const;
  int NextMotion(int i) const;

  // The move ending at point i, from the motion point before it; zero when there is none.
  Point3 MoveInto(int i) const;

  int Round(int feed) const { return RoundDownToUnit(feed, feedUnit); }
  int ReducedCornerFeed() const { return ReducedFeed(maxFeed, cornerWeights.reduction); }
  int ReducedSlopeFeed() const { return ReducedFeed(maxFeed, slopeWeights.reduction); }

  // Notes `rule` for each feed of point i lowered (or zone lengthened) since `before`.
  void Note(int i, const QelPoint& before, FeedRule rule);

  // Tells how far a pass has come (every so many points).
  void ReportProgress(std::string_view pass, int done) const;

 private:
  Progress* progress_;
};

// Watches point i while a rule works on it, and notes the rule for what it lowered. Copies
// nothing when no reasons are asked for.
class RuleWitness {
 public:
  RuleWitness(OptimizerRun& run, int i, FeedRule rule) : run_(run), i_(i), rule_(rule) {
    if (run.reasons) before_ = run[i];
  }
  ~RuleWitness() {
    if (run_.reasons) run_.Note(i_, before_, rule_);
  }
  RuleWitness(const RuleWitness&) = delete;
  RuleWitness& operator=(const RuleWitness&) = delete;

 private:
  OptimizerRun& run_;
  int i_;
  FeedRule rule_;
  QelPoint before_;
};

// The zone rules shared by the passes. A zone is only ever made longer and its end feed only
// lower; a lowered cruise feed drops the zones it undercuts.

// Lowers the cruise feed of p to f when f is below it; its deceleration zone goes when f lies
// below the zone's end feed, its acceleration zone when the new feed lies below the zone's
// start feed.
void LowerCruiseFeed(QelPoint& p, int f);

// Slows the end of p's move to f over its last `percent` (at least the zone it has).
void AddDecelZone(QelPoint& p, int percent, int f);
// Starts p's move at f over its first `percent` (at least the zone it has).
void AddAccelZone(QelPoint& p, int percent, int f);

// When p's zones cover more than kCollapsePercent of its move, the whole move runs at the
// lowest of f, its zone feeds and its own feed, rounded down to the unit, and the zones go.
void CollapseZones(OptimizerRun& run, QelPoint& p, int f);

}  // namespace fendo
