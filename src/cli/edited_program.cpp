#include "cli/edited_program.h"

#include <sstream>

#include "cli/batch_program.h"
#include "cli/batch_prompts.h"
#include "cli/output_flags.h"
#include "core/toolpath_database.h"
#include "interact/no_room.h"
#include "output/nc_writer.h"

namespace fendo {

int RecordsHeld(ToolpathDatabase& db) {
  int held = 0;
  db.ForEachRecord([&held](int, const ToolpathRecord& r) { held += r.kind != MoveKind::None; });
  return held;
}

int RunProgramEdit(const BatchArguments& args, const BatchStreams& streams, const ProgramEdit& run) {
  LoadedProgram program = LoadProgram(args.files.front(), ReaderOptions(args, streams.err), streams);
  if (!program.result.ok()) return 1;
  ToolpathDatabase& db = *program.db;
  NcOutputOptions output;
  PresetFromWorkLayer(db, output);
  std::string error;
  if (!ApplyOutputFlags(args, output, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  BatchPrompts prompts(streams.err, args.Has(kGoOnFlag));
  const int before = RecordsHeld(db);
  std::ostringstream report;
  if (run.report) run.report(db, false, report);
  std::string refusal;
  switch (run.edit(db, refusal)) {
    case EditOutcome::NoRoom:
      TellNoRoom(prompts);
      streams.err << "fendo-batch: " << run.verb << ": the result would pass the record limit; nothing was written\n";
      return 1;
    case EditOutcome::Refused:
      if (refusal.empty()) {
        streams.err << "fendo-batch: " << run.verb
                    << ": the result would lie beyond the coordinates a program can hold; nothing was written\n";
      } else {
        streams.err << "fendo-batch: " << refusal << '\n';
      }
      return 1;
    case EditOutcome::Changed:
    case EditOutcome::Unchanged: break;
  }
  if (run.report) run.report(db, true, report);
  streams.out << "records: " << before << " -> " << RecordsHeld(db) << '\n' << report.str();
  return ReportWriteResult(WriteNcProgram(db, output, prompts), output.outputPath, streams.err);
}

}  // namespace fendo
