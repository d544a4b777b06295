#pragma once

// What the whole-program edits of fendo-batch (transform, sort) share: the values of several
// numbers they read, the records they count before and after, and their run from the loaded
// program to the written one.

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

// The numbers of a value "X,Y,Z"; nothing unless it holds `count` finite numbers.
std::optional<std::vector<double>> CommaNumbers(std::string_view text, std::size_t count);

// The records that hold a move or an arc's centre: what is left once deleted records are gone.
int RecordsHeld(ToolpathDatabase& db);

// Loads the one input, applies the output options, runs `edit` and writes the program, saying
// "records: before -> after" and whatever `report` adds (given the program before and after
// the edit, it writes its own lines). `verb` names the command in the messages. The exit
// status: 2 for a wrong call, 1 when the program could not be read, the result would pass the
// record limit or the writing failed.
struct ProgramEdit {
  std::string_view verb;
  std::function<EditOutcome(ToolpathDatabase&)> edit;
  // Called before the edit and after it, with `after` false then true.
  std::function<void(ToolpathDatabase&, bool after, std::ostream& out)> report;
};
int RunProgramEdit(const BatchArguments& args, const BatchStreams& streams, const ProgramEdit& run);

}  // namespace fendo
