#include "feed/feed_optimizer.h"

#include <string>
#include <utility>

#include "core/arc_rule.h"
#include "core/post_edit.h"
#include "core/toolpath_database.h"
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

int MovesBelow(ToolpathDatabase& db, int feed) {
  int count = 0;
  db.ForEachRecord([&](int, const ToolpathRecord& r) { count += IsCuttingKind(r.kind) && r.feed < feed; });
  return count;
}

}  // namespace

std::vector<QelPoint> RunEngine(std::vector<QelPoint> points, const MachineCondition& machine, OptimizerSlot& slot,
                                Progress* progress) {
  slot.safetyDistance = machine.safetyDistance;
  OptimizerRun run(points, machine, slot, progress);
  ResetFeeds(run);
  SlopePass(run);
  if (machine.qelByMaster == 1 && slot.master && slot.master->present == 1 && slot.mode == 3) MasterPass(run);
  CornerPass(run);
  ShortCruisePass(run);
  return OutputStage(run);
}

void SmoothAccelerations(ToolpathDatabase& db, double radius) {
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
  }
}

double CuttingMinutes(ToolpathDatabase& db) {
  double minutes = 0;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord* r = db.RecordAt(i);
    if (!r || !IsCuttingKind(r->kind) || r->feed <= 0) continue;
    const std::optional<int> p = db.HasPrevMotion(i);
    if (!p) continue;
    const double length = IsArcKind(r->kind) ? ArcGeometry(db, i).length
                                             : Length(PositionOf(*r) - PositionOf(*db.RecordAt(*p)));
    minutes += length / r->feed;
  }
  return minutes;
}

OptimizerResult OptimizeFeeds(ToolpathDatabase& db, const MachineCondition& machine, OptimizerSlot& slot,
                              const MasterModel* master, Progress* progress) {
  OptimizerResult result;
  result.recordsIn = db.recordCount;
  if (machine.qelEnabled != 1) {
    result.status = OptimizerStatus::Disabled;
    result.message = "the feed optimizer is switched off for this machine";
    return result;
  }
  if (const std::optional<OptionOutOfRange> range = CheckMachineCondition(machine)) {
    result.status = OptimizerStatus::InvalidCondition;
    result.message = range->message;
    return result;
  }
  slot.master = machine.qelByMaster == 1 ? master : nullptr;
  result.cuttingMinutesBefore = CuttingMinutes(db);

  const std::vector<QelPoint> optimized = RunEngine(QelPointsFrom(db), machine, slot, progress);
  if (optimized.size() > static_cast<std::size_t>(ToolpathDatabase::kMaxRecords)) {
    result.status = OptimizerStatus::TooManyRecords;
    result.message = "the optimized program would have " + std::to_string(optimized.size()) +
                     " records, more than the work buffer holds (" + std::to_string(ToolpathDatabase::kMaxRecords) +
                     "); nothing was changed";
    return result;
  }
  WriteBack(db, optimized);
  db.workFeed = machine.qelMaxFeed;
  SmoothAccelerations(db, machine.toolDiameter / 2.0);
  CompactRecords(db);
  NormalizeKinds(db);
  CompactRecords(db);

  result.recordsOut = db.recordCount;
  result.movesSlowed = MovesBelow(db, machine.qelMaxFeed);
  result.cuttingMinutesAfter = CuttingMinutes(db);
  return result;
}

}  // namespace fendo
