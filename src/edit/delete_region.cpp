// Deleting inside a window or a polygon.
//
// Window: the motion records are taken in order, each by what it is in the program. A rapid
// record inside is deleted; any other motion record inside becomes a rapid move, and so does
// the next motion record (the move leaving the window). A cut that became a rapid move is
// never deleted, so every cut that stays still begins where it began: the rapid rebuild brings
// the tool down to the first point of the next remaining cut and goes on from there.
//
// The one rapid record that the rebuild keeps as it is, the approach into a path, is not
// deleted either while the path's first cut stays. Were it deleted, the path's entry would be
// cut from whatever rapid point came before it: from the traverse height, or, where the whole
// rapid run between two paths lies in the window, from the end of the last path, a cut
// straight across the part. With the approach kept, the rebuild (after every window that
// changed something, also when only rapid records were deleted) makes the standard link of
// it: a retract above the end of the one path, a traverse at the retract height and the
// approach down to the next.
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

#include "core/screen_polygon.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr int kFewestPolygonVertices = 3;

// Marks the records inside `box` as the window deletes them, each by its kind in `original`.
// False when none is inside.
bool MarkInsideWindow(std::vector<ToolpathRecord>& records, ToolpathDatabase& original, const ScreenBox& box,
                      const Projection& projection) {
  const int n = static_cast<int>(records.size());
  bool changed = false;
  for (int i = 0; i < n; ++i) {
    const MoveKind kind = original.RecordAt(i)->kind;
    if (!IsMotionKind(kind) || !box.Contains(projection.ToClient(PositionOf(records[i])))) continue;
    changed = true;
    if (IsRapidKind(kind)) {
      records[i].kind = MoveKind::None;
      continue;
    }
    records[i].kind = MoveKind::Rapid;
    for (int next = i + 1; next < n; ++next) {
      if (!IsMotionKind(records[next].kind)) continue;
      records[next].kind = MoveKind::Rapid;
      break;
    }
  }
  return changed;
}

// Brings back the approach of every cut that stays: the motion record before it in `original`,
// when that one was deleted (only rapid records are).
void KeepApproaches(std::vector<ToolpathRecord>& records, ToolpathDatabase& original) {
  int previous = -1;  // the motion record before, as the program had it
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    if (!IsMotionKind(original.RecordAt(i)->kind)) continue;
    if (IsCuttingKind(records[i].kind) && previous >= 0 && records[previous].kind == MoveKind::None) {
      records[previous].kind = MoveKind::Rapid;
    }
    previous = i;
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

}  // namespace

EditOutcome DeleteInWindow(ToolpathDatabase& db, ClientPoint a, ClientPoint b, const ViewState& view, UndoStep undo) {
  ScreenBox box;
  box.Add(a);
  box.Add(b);
  std::vector<ToolpathRecord> records = CopyRecords(db);
  if (!MarkInsideWindow(records, db, box, Projection(view))) return EditOutcome::Unchanged;
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
