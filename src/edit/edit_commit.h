#pragma once

#include <memory>
#include <span>
#include <vector>

#include "core/toolpath_record.h"
#include "edit/edit_outcome.h"

namespace fendo {

class ToolpathDatabase;

// Whether a command keeps the work buffer in the undo ring before it changes it. The view's
// commands push one snapshot each; a command that runs an edit several times keeps one for all
// of them (the window delete), and fendo-batch, which has no undo, keeps none.
enum class UndoStep { Push, Skip };

// The work buffer's records as a plain array, for an edit that marks them before the post-edit
// steps run on its result.
std::vector<ToolpathRecord> CopyRecords(ToolpathDatabase& db);

// A store beside the work buffer holding `records`, with db's retract height and work feed:
// where an edit runs the post-edit steps on its result before that result replaces the work
// buffer's records, so that one that does not fit changes nothing. Nothing when the records do
// not fit in it.
std::unique_ptr<ToolpathDatabase> ScratchStore(const ToolpathDatabase& db, std::span<const ToolpathRecord> records);

// A copy of the work buffer beside it, with its retract height and work feed: where an edit
// that only changes kinds marks them and runs the post-edit steps. Nothing when its memory
// could not be had.
std::unique_ptr<ToolpathDatabase> ScratchCopy(ToolpathDatabase& db);

// Takes the undo step, then puts the records of `edited` in place of the work buffer's:
// Changed, or NoRoom with the records as they were when their memory could not be had.
EditOutcome CommitEdit(ToolpathDatabase& db, ToolpathDatabase& edited, UndoStep undo);

// Puts `records` in a scratch store, rebuilds its rapid moves there and commits the result as
// CommitEdit does: NoRoom, with the work buffer as it was, when the result does not fit.
EditOutcome RebuildAndCommit(ToolpathDatabase& db, std::span<const ToolpathRecord> records, UndoStep undo);

// Takes the undo step before an edit that changes the work buffer in place.
void TakeUndoStep(ToolpathDatabase& db, UndoStep undo);

}  // namespace fendo
