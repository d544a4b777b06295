#pragma once

#include "edit/edit_commit.h"

namespace fendo {

class ToolpathDatabase;

// "선택된 공구경로 삭제(RETURN)": every selected motion record becomes an unselected rapid move,
// and the rapid moves are rebuilt. Clearing and inverting the selection are the database's own
// (ToolpathDatabase::ClearSelection, InvertSelection).
EditOutcome DeleteSelected(ToolpathDatabase& db, UndoStep undo = UndoStep::Push);

}  // namespace fendo
