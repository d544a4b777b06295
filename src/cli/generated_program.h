#pragma once

// What the generating verbs of fendo-batch (generate, contour) share: the program a pattern is
// appended to, and the run from the generator to the written program.

#include <functional>
#include <string>
#include <string_view>

#include "cli/batch.h"
#include "cli/batch_arguments.h"
#include "edit/edit_outcome.h"

namespace fendo {

class ToolpathDatabase;
struct NcOutputOptions;

// The option of the generate verbs that names the program a pattern goes behind.
inline constexpr std::string_view kAppendToFlag = "--append-to";

// A generator run on a program. It returns Changed when it made something; otherwise `refusal`
// says why (the message after "fendo-batch: "). Left empty for NoRoom, the message says the
// result would pass the record limit.
struct Generation {
  std::string_view verb;
  std::function<EditOutcome(ToolpathDatabase& db, std::string& refusal)> generate;
};

// Runs the generator on `db` and writes the program with `output`, saying
// "records: before -> after". The exit status: 1 when the generator made nothing, the result
// would pass the record limit or the writing failed.
int GenerateAndWrite(const BatchArguments& args, const BatchStreams& streams, ToolpathDatabase& db,
                     const NcOutputOptions& output, const Generation& run);

// Starts from the program of --append-to IN (read with the reader options) or from an empty one,
// applies the output options, then generates and writes as GenerateAndWrite. The exit status
// adds 2 for a wrong output option and 1 when IN could not be read.
int RunGeneration(const BatchArguments& args, const BatchStreams& streams, const Generation& run);

}  // namespace fendo
