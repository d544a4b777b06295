#include "edit/delete_selection.h"

#include "core/post_edit.h"
#include "core/toolpath_database.h"

namespace fendo {

// One rebuild gives what two would: a rebuilt program rebuilds to itself.
EditOutcome DeleteSelected(ToolpathDatabase& db, UndoStep undo) {
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  const std::unique_ptr<ToolpathDatabase> edited = ScratchCopy(db);
  if (!edited) return EditOutcome::NoRoom;
  edited->ForEachRecord([&](int i, const ToolpathRecord& record) {
    if (!IsMotionKind(record.kind) || record.selected != 1) return;
    edited->ReadRecord(i);
    edited->cursor.kind = MoveKind::Rapid;
    edited->cursor.selected = 0;
    edited->WriteRecord(i);
  });
  if (!RebuildRapids(*edited)) return EditOutcome::NoRoom;
  return CommitEdit(db, *edited, undo);
}

}  // namespace fendo
