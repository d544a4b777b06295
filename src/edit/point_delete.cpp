#include "edit/point_delete.h"

#include <optional>

#include "core/toolpath_database.h"

namespace fendo {
namespace {

bool IsCutting(ToolpathDatabase& db, std::optional<int> i) { return i && db.ReadRecord(*i) && IsCuttingKind(db.cursor.kind); }

void SetNone(ToolpathDatabase& db, int i) {
  db.cursor.kind = MoveKind::None;
  db.WriteRecord(i);
}

}  // namespace

EditOutcome DeletePoint(ToolpathDatabase& db, int record, UndoStep undo) {
  if (!db.IsMotion(record)) return EditOutcome::Refused;
  const MoveKind kind = db.cursor.kind;
  const std::optional<int> previous = db.HasPrevMotion(record);
  const std::optional<int> next = db.HasNextMotion(record);
  if (IsRapidKind(kind) && IsCutting(db, next) && (!previous || IsCutting(db, previous))) return EditOutcome::Refused;
  TakeUndoStep(db, undo);
  if (next && db.ReadRecord(*next)) {
    if (kind == MoveKind::FeedStart && db.cursor.kind == MoveKind::Feed) db.SetKind(*next, MoveKind::FeedStart);
    if (kind == MoveKind::RapidStart && db.cursor.kind == MoveKind::Rapid) db.SetKind(*next, MoveKind::RapidStart);
  }
  if (IsArcKind(kind) && db.ReadRecord(record + 1) && IsCentreKind(db.cursor.kind)) SetNone(db, record + 1);
  db.ReadRecord(record);
  SetNone(db, record);
  return EditOutcome::Changed;
}

}  // namespace fendo
