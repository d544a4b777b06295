#pragma once

#include "edit/edit_commit.h"

namespace fendo {

class ToolpathDatabase;

// "포인트 (TAB)": deletes one motion record, the point the user stepped to. The move into the
// next motion record then comes from the point before: a cut goes straight from the previous
// point to the next. When the deleted record began a run (FeedStart before a Feed, RapidStart
// before a Rapid), the next one begins it instead; an arc's centre record goes with its arc.
// Nothing else is rebuilt.
//
// Refused (nothing changed) for a record that is not a motion record, and for a rapid record
// that is the only rapid move between a cut and the cut after it (or the program's start and
// its first cut): without it the tool would cut straight across from one to the other.
EditOutcome DeletePoint(ToolpathDatabase& db, int record, UndoStep undo = UndoStep::Push);

}  // namespace fendo
