#include "edit/delete_selection.h"

#include <vector>

#include "core/post_edit.h"
#include "core/toolpath_database.h"

namespace fendo {

// One rebuild gives what two would: a rebuilt program rebuilds to itself.
EditOutcome DeleteSelected(ToolpathDatabase& db, UndoStep undo) {
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  std::vector<ToolpathRecord> records = CopyRecords(db);
  for (ToolpathRecord& record : records) {
    if (!IsMotionKind(record.kind) || record.selected != 1) continue;
    record.kind = MoveKind::Rapid;
    record.selected = 0;
  }
  const std::unique_ptr<ToolpathDatabase> edited = ScratchStore(db, records);
  if (!edited || !RebuildRapids(*edited)) return EditOutcome::NoRoom;
  return CommitEdit(db, *edited, undo);
}

}  // namespace fendo
