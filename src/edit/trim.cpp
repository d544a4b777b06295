#include "edit/trim.h"

#include <memory>

#include "core/toolpath_database.h"
#include "edit/record_list.h"
#include "edit/trim_pass.h"

namespace fendo {
namespace {

constexpr std::size_t kFewestPolygonVertices = 3;

// The rule of the polygon trims (window, rectangle, drawn polygon, file): the tool comes back
// down to the boundary at rapid, except into a kept stretch in the middle of a move of an
// outside trim, which it enters at feed.
TrimRule PolygonRule(const RegionBoundary& boundary, TrimSide removed) {
  return {boundary, removed, TrimDescent::Rapid,
          removed == TrimSide::Outside ? TrimDescent::Feed : TrimDescent::Rapid};
}

// Runs the passes one after the other on the program's records, then rebuilds the rapid moves
// and commits the result once.
EditOutcome RunTrims(ToolpathDatabase& db, std::span<const TrimRule> rules, UndoStep undo, Progress* progress) {
  RecordList records = CompactedRecords(db);
  TrimProgress shown(progress, static_cast<std::int64_t>(records.size() * rules.size()));
  bool trimmed = false;
  for (const TrimRule& rule : rules) {
    std::optional<TrimmedRecords> pass = TrimRecords(records, rule, db.safeZ, shown);
    if (!pass) return EditOutcome::NoRoom;
    trimmed = trimmed || pass->trimmed;
    records = std::move(pass->records);
  }
  shown.Finished();
  if (!trimmed) return EditOutcome::Unchanged;
  return RebuildAndCommit(db, records, undo);
}

}  // namespace

EditOutcome TrimRegion(ToolpathDatabase& db, const RegionBoundary& boundary, TrimSide removed, UndoStep undo,
                       Progress* progress) {
  const TrimRule rule = PolygonRule(boundary, removed);
  return RunTrims(db, {&rule, 1}, undo, progress);
}

EditOutcome TrimCircle(ToolpathDatabase& db, Point3 centre, double radius, TrimSide removed, UndoStep undo,
                       Progress* progress) {
  if (!(radius > 0)) return EditOutcome::Refused;
  const std::unique_ptr<RegionBoundary> circle = CircleBoundary(centre, radius, removed == TrimSide::Outside);
  const TrimRule rule{*circle, removed, TrimDescent::Feed, TrimDescent::Feed};
  return RunTrims(db, {&rule, 1}, undo, progress);
}

EditOutcome TrimZBand(ToolpathDatabase& db, const ZTrimParams& band, UndoStep undo, Progress* progress) {
  if (!(band.zMin <= band.zMax)) return EditOutcome::Refused;
  const std::unique_ptr<RegionBoundary> range = ZBandBoundary(band.zMin, band.zMax);
  const TrimRule rule{*range, TrimSide::Outside, TrimDescent::Feed, TrimDescent::Feed};
  return RunTrims(db, {&rule, 1}, undo, progress);
}

EditOutcome TrimPolygons(ToolpathDatabase& db, std::span<const std::vector<Point3>> polygons, TrimSide removed,
                         UndoStep undo, Progress* progress) {
  std::vector<std::unique_ptr<RegionBoundary>> boundaries;
  std::vector<TrimRule> rules;
  for (const std::vector<Point3>& polygon : polygons) {
    if (polygon.size() < kFewestPolygonVertices) continue;
    boundaries.push_back(ModelPolygonBoundary(polygon));
    rules.push_back(PolygonRule(*boundaries.back(), removed));
  }
  if (rules.empty()) return EditOutcome::Unchanged;
  return RunTrims(db, rules, undo, progress);
}

}  // namespace fendo
