#include "feed/optimizer_run.h"

#include <algorithm>

#include "core/progress.h"

namespace fendo {
namespace {

constexpr int kPointsBetweenReports = 1 << 16;

}  // namespace

OptimizerRun::OptimizerRun(std::vector<QelPoint>& points, const MachineCondition& machine, const MasterModel* master,
                           Progress* progress)
    : points(points),
      master(master),
      maxFeed(machine.qelMaxFeed),
      feedUnit(machine.feedUnit),
      plungeFeed(machine.plungeFeed),
      toolRadius(machine.toolDiameter / 2.0),
      safetyDistance(machine.safetyDistance),
      xyLookAhead(machine.ReducesXyLookAhead() ? kReducedXyShare * safetyDistance : safetyDistance),
      cornerMinAngle(machine.cornerMinAngle),
      slopeMinAngle(machine.slopeMinAngle),
      descentFactor(machine.zupZdown),
      finishing(machine.Finishing()),
      separateDescents(machine.SeparatesDescents()),
      smoothFeedChanges(machine.SmoothFeedChanges()),
      cornerWeights{machine.qelMaxFeed, machine.cornerMaxReduction, machine.corWeight0, machine.corWeight30,
                    machine.corWeight60},
      slopeWeights{machine.qelMaxFeed, machine.slopeMaxReduction, machine.sideWeight0, machine.sideWeight30,
                   machine.sideWeight60},
      progress_(progress) {}

int OptimizerRun::PrevMotion(int i) const {
  for (int j = i - 1; j >= 0; --j) {
    if ((*this)[j].IsMotion()) return j;
  }
  return -1;
}

int OptimizerRun::NextMotion(int i) const {
  for (int j = i + 1; j < Count(); ++j) {
    if ((*this)[j].IsMotion()) return j;
  }
  return -1;
}

Point3 OptimizerRun::MoveInto(int i) const {
  const int p = PrevMotion(i);
  if (p < 0) return {};
  return (*this)[i].position() - (*this)[p].position();
}

void OptimizerRun::Note(int i, const QelPoint& before, FeedRule rule) {
  const QelPoint& now = (*this)[i];
  PointRules& rules = reasons->points[static_cast<std::size_t>(i)];
  if (now.feed < before.feed) rules.cruise = rule;
  if (now.HasAccelZone() && (now.accelFeed != before.accelFeed || now.accelPercent > before.accelPercent)) {
    rules.accel = rule;
  }
  if (now.HasDecelZone() && (now.decelFeed != before.decelFeed || now.decelPercent > before.decelPercent)) {
    rules.decel = rule;
  }
}

void OptimizerRun::ReportProgress(std::string_view pass, int done) const {
  if (progress_ && done % kPointsBetweenReports == 0) progress_->Report(pass, done, Count());
}

void LowerCruiseFeed(QelPoint& p, int f) {
  if (f >= p.feed) return;
  p.feed = f;
  if (f < p.decelFeed) {
    p.decelPercent = 0;
    p.decelFeed = 0;
  }
  if (p.feed < p.accelFeed) {
    p.accelPercent = 0;
    p.accelFeed = 0;
  }
}

void AddDecelZone(QelPoint& p, int percent, int f) {
  p.decelPercent = static_cast<std::int16_t>(std::max<int>(p.decelPercent, percent));
  if (f < p.decelFeed || p.decelFeed == 0) p.decelFeed = f;
}

void AddAccelZone(QelPoint& p, int percent, int f) {
  p.accelPercent = static_cast<std::int16_t>(std::max<int>(p.accelPercent, percent));
  if (f < p.accelFeed || p.accelFeed == 0) p.accelFeed = f;
}

void CollapseZones(OptimizerRun& run, QelPoint& p, int f) {
  if (p.accelPercent + p.decelPercent <= OptimizerRun::kCollapsePercent) return;
  // The move's own feed counts too: a zone must never speed up a move another pass slowed.
  int lowest = std::min(f, p.feed);
  if (p.accelFeed > 0) lowest = std::min(lowest, p.accelFeed);
  if (p.decelFeed > 0) lowest = std::min(lowest, p.decelFeed);
  p.feed = run.Round(lowest);
  p.accelPercent = p.decelPercent = 0;
  p.accelFeed = p.decelFeed = 0;
}

}  // namespace fendo
