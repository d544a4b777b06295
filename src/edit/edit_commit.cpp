#include "edit/edit_commit.h"

#include "core/post_edit.h"
#include "core/toolpath_database.h"

namespace fendo {

namespace {

std::unique_ptr<ToolpathDatabase> EmptyBeside(const ToolpathDatabase& db) {
  auto scratch = std::make_unique<ToolpathDatabase>();
  scratch->safeZ = db.safeZ;
  scratch->workFeed = db.workFeed;
  return scratch;
}

}  // namespace

std::vector<ToolpathRecord> CopyRecords(ToolpathDatabase& db) {
  std::vector<ToolpathRecord> records;
  records.reserve(db.recordCount);
  db.ForEachRecord([&records](int, const ToolpathRecord& r) { records.push_back(r); });
  return records;
}

std::unique_ptr<ToolpathDatabase> ScratchStore(const ToolpathDatabase& db, std::span<const ToolpathRecord> records) {
  std::unique_ptr<ToolpathDatabase> scratch = EmptyBeside(db);
  if (!scratch->ReplaceRecords(records)) return nullptr;
  return scratch;
}

std::unique_ptr<ToolpathDatabase> ScratchCopy(ToolpathDatabase& db) {
  std::unique_ptr<ToolpathDatabase> scratch = EmptyBeside(db);
  if (!scratch->ReplaceRecords(db)) return nullptr;
  return scratch;
}

EditOutcome CommitEdit(ToolpathDatabase& db, ToolpathDatabase& edited, UndoStep undo) {
  TakeUndoStep(db, undo);
  return db.ReplaceRecords(edited) ? EditOutcome::Changed : EditOutcome::NoRoom;
}

EditOutcome RebuildAndCommit(ToolpathDatabase& db, std::span<const ToolpathRecord> records, UndoStep undo) {
  const std::unique_ptr<ToolpathDatabase> edited = ScratchStore(db, records);
  if (!edited || !RebuildRapids(*edited)) return EditOutcome::NoRoom;
  return CommitEdit(db, *edited, undo);
}

void TakeUndoStep(ToolpathDatabase& db, UndoStep undo) {
  if (undo == UndoStep::Push) db.Snapshot(SnapshotMode::Push);
}

}  // namespace fendo
