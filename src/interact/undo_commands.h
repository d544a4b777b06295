#pragma once

namespace fendo {

class ToolpathDatabase;
class ViewSurface;

// Undo and redo as the view's commands run them: a step through the database's undo ring,
// then the picture of what the work buffer now holds. Neither says anything when there is no
// step to take.

// "Undo" (Ctrl+Z): the work buffer as it was before the last edit. True when it changed.
bool UndoCommand(ToolpathDatabase& db, ViewSurface& surface);
// "Redo" (Ctrl+Y): the edit undone last comes back. True when it changed.
bool RedoCommand(ToolpathDatabase& db, ViewSurface& surface);

// What a command that changes records calls before it changes anything: the work buffer as it
// stands goes into the undo ring (dropping whatever could have been redone). False when
// nothing was kept (an empty work buffer, or no memory for the copy); the edit itself does not
// depend on it.
bool PushUndo(ToolpathDatabase& db);

}  // namespace fendo
