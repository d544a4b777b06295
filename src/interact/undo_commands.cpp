#include "interact/undo_commands.h"

#include "core/toolpath_database.h"
#include "view/view_surface.h"

namespace fendo {

bool UndoCommand(ToolpathDatabase& db, ViewSurface& surface) {
  const bool stepped = db.Snapshot(SnapshotMode::Undo);
  surface.Redraw();
  return stepped;
}

bool RedoCommand(ToolpathDatabase& db, ViewSurface& surface) {
  const bool stepped = db.Snapshot(SnapshotMode::Redo);
  surface.Redraw();
  return stepped;
}

bool PushUndo(ToolpathDatabase& db) { return db.Snapshot(SnapshotMode::Push); }

}  // namespace fendo
