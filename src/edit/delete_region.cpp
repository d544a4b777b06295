// Deleting inside a window or a polygon.
//
// Window: records are taken in order. A rapid record inside is deleted; any other motion
// record inside becomes a rapid move, and so does the next motion record (the move leaving the
// window). A record made rapid this way that lies inside as well is then deleted as a rapid
// record when its turn comes, which thins the rapid run but leaves its ends where they were.
//
// Deleting rapid records can take away the whole rapid run between two paths: the next path's
// first cut would then follow the last cut of the one before, and the rapid rebuild, which only
// rewrites rapid runs, would leave a cut straight across the part between them. Wherever the
// deletion leaves a cut right after a cut (or at the very start) with rapid records deleted
// between them, the last of those records, the approach into the path, is kept. The rapid
// rebuild then makes the standard link of it: a retract above the end of the one path, a
// traverse at the retract height and the approach down to the next. For the same reason the
// rapid moves are rebuilt after every window that changed something, also when only rapid
// records were deleted: a run that lost its retract would otherwise move diagonally out of the
// cut.
//
// Polygon: only straight cutting moves are tested. A move whose end is inside becomes a rapid
// move, and so does the straight cutting move that follows it directly, the move leaving the
// polygon. A cutting move after a rapid run (the entry of the next path) does not leave the
// polygon: it stays, so that a path outside the polygon keeps its entry instead of getting a
// rapid move down to where it cut.
//
// The marks are made on a copy; the rapid moves are rebuilt beside the work buffer, which takes
// the result only when it fits.
#include "edit/delete_region.h"

#include <vector>

#include "core/post_edit.h"
#include "core/screen_polygon.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr int kFewestPolygonVertices = 3;

// Marks the records inside `box` as the window deletes them. False when none is inside.
bool MarkInsideWindow(std::vector<ToolpathRecord>& records, const ScreenBox& box, const Projection& projection) {
  const int n = static_cast<int>(records.size());
  bool changed = false;
  for (int i = 0; i < n; ++i) {
    ToolpathRecord& record = records[i];
    if (!IsMotionKind(record.kind) || !box.Contains(projection.ToClient(PositionOf(record)))) continue;
    changed = true;
    if (IsRapidKind(record.kind)) {
      record.kind = MoveKind::None;
      continue;
    }
    record.kind = MoveKind::Rapid;
    for (int next = i + 1; next < n; ++next) {
      if (!IsMotionKind(records[next].kind)) continue;
      records[next].kind = MoveKind::Rapid;
      break;
    }
  }
  return changed;
}

// Brings back the approach of every path whose rapid moves in were all deleted, where the
// path would otherwise follow a cut (or begin the program). `original` holds the records as
// they were before the marks.
void KeepApproaches(std::vector<ToolpathRecord>& records, ToolpathDatabase& original) {
  int lastKept = -1;           // the last motion record that stays
  int lastDeletedRapid = -1;   // the last rapid record deleted
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    const MoveKind kind = records[i].kind;
    if (kind == MoveKind::None) {
      if (IsRapidKind(original.RecordAt(i)->kind)) lastDeletedRapid = i;
      continue;
    }
    if (!IsMotionKind(kind)) continue;
    const bool afterCut = lastKept < 0 || IsCuttingKind(records[lastKept].kind);
    if (IsCuttingKind(kind) && afterCut && lastDeletedRapid > lastKept) records[lastDeletedRapid].kind = MoveKind::Rapid;
    lastKept = i;
  }
}

// Turns the straight cutting moves inside `polygon`, and the ones that leave it, into rapid
// moves.
void MarkInsidePolygon(std::vector<ToolpathRecord>& records, const ScreenPolygon& polygon) {
  bool previousInside = false;  // the motion record just before was a straight cut inside
  for (ToolpathRecord& record : records) {
    if (!IsMotionKind(record.kind)) continue;
    if (!IsLinearFeedKind(record.kind)) {
      previousInside = false;
      continue;
    }
    const bool inside = polygon.Inside(PositionOf(record));
    if (inside || previousInside) record.kind = MoveKind::Rapid;
    previousInside = inside;
  }
}

EditOutcome RebuildAndCommit(ToolpathDatabase& db, const std::vector<ToolpathRecord>& records, UndoStep undo) {
  const std::unique_ptr<ToolpathDatabase> edited = ScratchStore(db, records);
  if (!edited || !RebuildRapids(*edited)) return EditOutcome::NoRoom;
  return CommitEdit(db, *edited, undo);
}

}  // namespace

EditOutcome DeleteInWindow(ToolpathDatabase& db, ClientPoint a, ClientPoint b, const ViewState& view, UndoStep undo) {
  ScreenBox box;
  box.Add(a);
  box.Add(b);
  std::vector<ToolpathRecord> records = CopyRecords(db);
  if (!MarkInsideWindow(records, box, Projection(view))) return EditOutcome::Unchanged;
  KeepApproaches(records, db);
  return RebuildAndCommit(db, records, undo);
}

EditOutcome DeleteInPolygon(ToolpathDatabase& db, std::span<const ClientPoint> polygon, const ViewState& view,
                            UndoStep undo) {
  const int vertices = static_cast<int>(polygon.size());
  if (vertices < kFewestPolygonVertices || vertices > kMostDeletePolygonVertices) return EditOutcome::Refused;
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  std::vector<ToolpathRecord> records = CopyRecords(db);
  MarkInsidePolygon(records, ScreenPolygon(polygon, view));
  return RebuildAndCommit(db, records, undo);
}

}  // namespace fendo
