// The feed optimizer: every feed of the work buffer worked out again from the machine's
// cutting condition, so that the cutter runs at the maximum feed wherever nothing loads it and
// slows down where the load rises: on steep moves, at corners and tight arcs, and near the walls
// of the finished part. Units are mm, mm/min and degrees throughout.
//
// Points. Each record of the work buffer becomes one of the optimizer's points (a record the
// buffer refuses to read becomes a None point, so that a point's index stays its record's).
// The points are a copy: the buffer is not touched until the whole result is known to fit.
//
// Passes. The passes run over the points in a fixed order, each reading the run (the machine
// condition in the form the passes use it), never the condition itself: every motion starts
// at the maximum feed; steep moves slow with their slope; with a master model, moves near its
// walls slow with their steepness; corners in XY, changes of slope and arcs slow the moves
// around them; a move too short to reach its cruise feed runs at the mean of its ends. After
// the first, a pass only ever lowers a feed or lengthens a zone (the first or last part of a
// move, a share of its length, that runs at a feed of its own), so no pass undoes another's
// slowing; none moves a point or adds one.
//
// Output stage. The zones become points of their own: a zone ends in a point that carries its
// feed, or, with smooth feed changes, in a run of points that step the feed; a move between a
// slow neighbour and a much faster one ramps towards it. Here the program grows, and it may grow
// beyond what the work buffer holds: then the run stops and nothing is changed.
//
// Write back. The points replace the records, position, feed and kind; the maximum feed
// becomes the buffer's work feed.
//
// Smoothing. On the records: a feed move that speeds up to more than half again the feed before
// it, only to slow down again within the tool radius of where it starts, runs at the mean of
// the two slower feeds instead; the machine would not reach the higher feed in that room.
//
// Compaction. The None records close up, the kinds are set again along the buffer (the first
// motion a RapidStart, a feed after a feed a Feed), and the moves left without length go.
//
// What outlives a run: the machine slot keeps the XY look-ahead. The master model is the
// caller's (the view's), read during the run and never kept.
#include "feed/feed_optimizer.h"

#include <string>
#include <utility>

#include "core/post_edit.h"
#include "core/statistics.h"
#include "core/toolpath_database.h"
#include "feed/feed_report.h"
#include "feed/machine_condition_ranges.h"
#include "feed/optimizer_passes.h"
#include "feed/optimizer_run.h"
#include "feed/output_stage.h"

namespace fendo {

std::vector<QelPoint> QelPointsFrom(ToolpathDatabase& db) {
  std::vector<QelPoint> points(static_cast<std::size_t>(db.recordCount));
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord* r = db.RecordAt(i);
    if (!r) continue;
    QelPoint& p = points[static_cast<std::size_t>(i)];
    p.x = r->x;
    p.y = r->y;
    p.z = r->z;
    p.programFeed = p.feed = r->feed;
    p.kind = r->kind;
  }
  return points;
}

namespace {

void WriteBack(ToolpathDatabase& db, const std::vector<QelPoint>& points) {
  db.recordCount = static_cast<int>(points.size());
  for (int i = 0; i < db.recordCount; ++i) {
    const QelPoint& p = points[static_cast<std::size_t>(i)];
    db.cursor = CursorRecord{p.x, p.y, p.z, p.feed, 0, p.kind};
    db.WriteRecord(i);
  }
}

// The model the master pass reads: the caller's, when the condition asks for it, the model is
// loaded and the slot is in the optimizing mode; else none, and the pass does not run.
const MasterModel* ModelForMasterPass(const MachineCondition& machine, const OptimizerSlot& slot,
                                      const MasterModel* master) {
  const bool runs = machine.ByMasterModel() && master && master->present == 1 && slot.mode == SlotMode::Optimizing;
  return runs ? master : nullptr;
}

int MovesBelow(ToolpathDatabase& db, int feed) {
  int count = 0;
  db.ForEachRecord([&](int, const ToolpathRecord& r) { count += IsCuttingKind(r.kind) && r.feed < feed; });
  return count;
}

}  // namespace

std::vector<QelPoint> RunEngine(std::vector<QelPoint> points, const MachineCondition& machine, OptimizerSlot& slot,
                                const MasterModel* master, Progress* progress, FeedReasons* reasons) {
  OptimizerRun run(points, machine, ModelForMasterPass(machine, slot, master), progress);
  if (reasons) {
    reasons->points.assign(points.size(), PointRules{});
    run.reasons = reasons;
  }
  if (!machine.ReducesXyLookAhead()) slot.xyLookAhead = run.xyLookAhead;
  ResetFeeds(run);
  SlopePass(run);
  if (run.master) MasterPass(run);
  CornerPass(run);
  ShortCruisePass(run);
  return OutputStage(run);
}

void SmoothAccelerations(ToolpathDatabase& db, double radius, std::vector<FeedRule>* smoothed) {
  for (int q = 0; q < db.recordCount; ++q) {
    const ToolpathRecord* record = db.RecordAt(q);
    if (!record || record->kind != MoveKind::Feed) continue;
    const std::optional<int> p = db.HasPrevMotion(q);
    if (!p) continue;
    const int feedQ = record->feed;
    const int feedP = db.RecordAt(*p)->feed;
    const int limit = feedQ * 2 / 3;
    if (feedP >= limit) continue;
    // The slowest feed ahead within the radius of where the move starts.
    const Point3 from = PositionOf(*db.RecordAt(*p));
    int slowest = feedQ;
    for (std::optional<int> j = db.HasNextMotion(q); j; j = db.HasNextMotion(*j)) {
      const ToolpathRecord& r = *db.RecordAt(*j);
      if (Length(PositionOf(r) - from) >= radius) break;
      slowest = std::min(slowest, r.feed);
    }
    if (slowest >= limit) continue;
    db.ReadRecord(q);
    db.cursor.feed = (slowest + feedP) / 2;
    db.WriteRecord(q);
    if (smoothed) (*smoothed)[static_cast<std::size_t>(q)] = FeedRule::Smoothing;
  }
}

double CuttingMinutes(ToolpathDatabase& db) { return MeasureStatistics(db).cuttingTime; }

OptimizerResult OptimizeFeeds(ToolpathDatabase& db, const MachineCondition& machine, OptimizerSlot& slot,
                              const MasterModel* master, Progress* progress, FeedReport* report) {
  OptimizerResult result;
  result.recordsIn = db.recordCount;
  if (!machine.OptimizerEnabled()) {
    result.status = OptimizerStatus::Disabled;
    result.message = "the feed optimizer is switched off for this machine";
    return result;
  }
  if (const std::optional<OptionOutOfRange> range = CheckMachineCondition(machine)) {
    result.status = OptimizerStatus::InvalidCondition;
    result.message = range->message;
    return result;
  }
  result.cuttingMinutesBefore = CuttingMinutes(db);

  std::vector<QelPoint> points = QelPointsFrom(db);
  std::vector<int> feedsBefore;
  FeedReasons reasons;
  if (report) {
    feedsBefore.reserve(points.size());
    for (const QelPoint& p : points) feedsBefore.push_back(p.feed);
  }
  const std::vector<QelPoint> optimized =
      RunEngine(std::move(points), machine, slot, master, progress, report ? &reasons : nullptr);
  if (optimized.size() > static_cast<std::size_t>(ToolpathDatabase::kMaxRecords)) {
    result.status = OptimizerStatus::TooManyRecords;
    result.message = "the optimized program would have " + std::to_string(optimized.size()) +
                     " records, more than the work buffer holds (" + std::to_string(ToolpathDatabase::kMaxRecords) +
                     "); nothing was changed";
    return result;
  }
  WriteBack(db, optimized);
  db.workFeed = machine.qelMaxFeed;
  SmoothAccelerations(db, machine.toolDiameter / 2.0, report ? &reasons.rule : nullptr);
  // The shares are measured before the buffer closes up, while records and output points
  // still stand one for one; what closing up removes has no length and costs no time.
  if (report) report->rules = MeasureRuleShares(db, feedsBefore, reasons);
  CompactRecords(db);
  NormalizeKinds(db);
  CompactRecords(db);

  result.recordsOut = db.recordCount;
  result.movesSlowed = MovesBelow(db, machine.qelMaxFeed);
  result.cuttingMinutesAfter = CuttingMinutes(db);
  if (report) {
    report->minutesBefore = result.cuttingMinutesBefore;
    report->minutesAfter = result.cuttingMinutesAfter;
  }
  return result;
}

}  // namespace fendo
