// Deleting paths: one picked path, every second path, or all of them.
//
// Every second path, by a walk that alternates keeping and deleting stretches. A stretch runs
// from where the walk stands over the rest of a rapid run, the next path, and the first rapid
// record after that path: in the standard form of a program (a retract, a traverse and an
// approach between paths, one RapidStart each) exactly "up to the next RapidStart". Counting
// rapid runs rather than RapidStart records keeps the count of paths right in a program as it
// was read, where every block that programs G00 is a RapidStart of its own.
#include "edit/path_delete.h"

#include <optional>

#include "core/toolpath_database.h"

namespace fendo {
namespace {

// The index after the stretch that starts at `from`: past the first cutting move, on to the
// first rapid record, which belongs to the stretch.
int StretchEnd(ToolpathDatabase& db, int from) {
  bool pathSeen = false;
  for (int i = from; i < db.recordCount; ++i) {
    const MoveKind kind = db.RecordAt(i)->kind;
    if (IsCuttingKind(kind)) {
      pathSeen = true;
    } else if (pathSeen && IsRapidKind(kind)) {
      return i + 1;
    }
  }
  return db.recordCount;
}

void DeleteRecords(ToolpathDatabase& db, int from, int to) {
  for (int i = from; i < to; ++i) {
    if (!db.ReadRecord(i)) continue;
    db.cursor.kind = MoveKind::None;
    db.WriteRecord(i);
  }
}

// Walks the stretches from `from` to the end, deleting every second one, the first one when
// `deleteFirst`.
void DeleteEverySecondStretch(ToolpathDatabase& db, int from, bool deleteFirst) {
  bool deleting = deleteFirst;
  while (from < db.recordCount) {
    const int end = StretchEnd(db, from);
    if (deleting) DeleteRecords(db, from, end);
    deleting = !deleting;
    from = end;
  }
}

// The rapid record that opens the rapid run ending at rapid record `last`: the first rapid
// record after the cut before it (or the first motion record).
bool OpensRapidRun(ToolpathDatabase& db, int last) {
  const std::optional<int> before = db.HasPrevMotion(last);
  return !before || IsCuttingKind(db.cursor.kind);
}

}  // namespace

EditOutcome DeleteOnePath(ToolpathDatabase& db, int first, UndoStep undo) {
  if (!db.IsMotion(first) || !IsCuttingKind(db.cursor.kind)) return EditOutcome::Refused;
  // The approach into the path goes with it, unless it is the whole rapid run before it.
  int from = first;
  if (const std::optional<int> approach = db.HasPrevMotion(first);
      approach && IsRapidKind(db.cursor.kind) && !OpensRapidRun(db, *approach)) {
    from = *approach;
  }
  int retract = first + 1;
  while (retract < db.recordCount && !IsRapidKind(db.RecordAt(retract)->kind)) ++retract;
  TakeUndoStep(db, undo);
  DeleteRecords(db, from, retract);
  if (retract < db.recordCount) db.SetKind(retract, MoveKind::RapidStart);
  return EditOutcome::Changed;
}

EditOutcome DeleteAll(ToolpathDatabase& db, UndoStep undo) {
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  TakeUndoStep(db, undo);
  db.Clear();
  return EditOutcome::Changed;
}

void DeleteMiddlePaths(ToolpathDatabase& db) {
  for (int i = 0; i < db.recordCount; ++i) {
    if (IsCuttingKind(db.RecordAt(i)->kind)) {
      DeleteEverySecondStretch(db, i, false);
      return;
    }
  }
}

EditOutcome DeleteMiddlePaths(ToolpathDatabase& db, UndoStep undo) {
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  TakeUndoStep(db, undo);
  DeleteMiddlePaths(db);
  return EditOutcome::Changed;
}

void DeleteOddPaths(ToolpathDatabase& db) {
  const std::optional<int> first = db.FirstMotion();
  if (!first) return;
  const bool startingPosition = IsRapidKind(db.RecordAt(*first)->kind);
  DeleteEverySecondStretch(db, startingPosition ? *first + 1 : *first, true);
}

}  // namespace fendo
