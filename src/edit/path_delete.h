#pragma once

#include "edit/edit_commit.h"

namespace fendo {

class ToolpathDatabase;

// Deleting every second path. A path here is a run of cutting moves; the runs of rapid moves
// between them carry the tool from one to the next. A deleted stretch takes the rapid moves
// that lead to its path, the path, and the first rapid move after it (the retract); so what
// stays joins up by rapid moves: the retract after a kept path, then the moves that lead to
// the next kept one. Deleted records become None; nothing is compacted or rebuilt.

// Keeps the first path and deletes the second, the fourth, … ("중간 경로").
void DeleteMiddlePaths(ToolpathDatabase& db);
// The same as the command runs it, after its undo step; Unchanged for an empty work buffer.
EditOutcome DeleteMiddlePaths(ToolpathDatabase& db, UndoStep undo);

// Deletes the first path, the third, …, from the first motion record on (keeping that record
// when it is a rapid move, the program's starting position), and keeps the second, the
// fourth, ….
void DeleteOddPaths(ToolpathDatabase& db);

// "경로 1개 (SHIFT+D)": deletes the path whose first cutting record is `first` with the approach
// into it: from the last rapid record before it (unless that one is the only rapid move after
// the path before, or the program's start) to the first rapid record after it, which becomes a
// RapidStart. The retract and the traverses before the path stay, and so does the retract after
// it, so the tool goes on at the height it travelled at; no cutting record of another path is
// touched. Nothing is compacted or rebuilt. Refused when `first` is not a cutting record.
EditOutcome DeleteOnePath(ToolpathDatabase& db, int first, UndoStep undo = UndoStep::Push);

// "모든경로": empties the work buffer. Unchanged when it is empty already.
EditOutcome DeleteAll(ToolpathDatabase& db, UndoStep undo = UndoStep::Push);

}  // namespace fendo
