#pragma once

// What the edits of fendo-batch (trim, offset, corners, transform, sort) share: the records they count
// before and after, and their run from the loaded program to the written one.

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/batch.h"
#include "cli/batch_arguments.h"
#include "edit/edit_outcome.h"

namespace fendo {

class ToolpathDatabase;

// The records that hold a move or an arc's centre: what is left once deleted records are gone.
int RecordsHeld(ToolpathDatabase& db);

// Loads the one input, applies the output options, runs `edit` and writes the program, saying
// "records: before -> after" and whatever `report` adds (given the program before and after
// the edit, it writes its own lines). `verb` names the command in the messages. The exit
// status: 2 for a wrong call, 1 when the program could not be read, the edit was refused, the
// result would pass the record limit or the writing failed.
struct ProgramEdit {
  std::string_view verb;
  // A refused edit may say why in `refusal` (the message after "fendo-batch: "); left empty, the
  // message says the result would lie beyond the coordinates a program can hold.
  std::function<EditOutcome(ToolpathDatabase& db, std::string& refusal)> edit;
  // Called before the edit and after it, with `after` false then true.
  std::function<void(ToolpathDatabase&, bool after, std::ostream& out)> report;
};
int RunProgramEdit(const BatchArguments& args, const BatchStreams& streams, const ProgramEdit& run);

}  // namespace fendo
