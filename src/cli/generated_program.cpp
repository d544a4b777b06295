#include "cli/generated_program.h"

#include "cli/batch_program.h"
#include "cli/batch_prompts.h"
#include "cli/edited_program.h"
#include "cli/output_flags.h"
#include "core/toolpath_database.h"
#include "interact/no_room.h"
#include "output/nc_writer.h"

namespace fendo {

int GenerateAndWrite(const BatchArguments& args, const BatchStreams& streams, ToolpathDatabase& db,
                     const NcOutputOptions& output, const Generation& run) {
  BatchPrompts prompts(streams.err, args.Has(kGoOnFlag));
  const int before = RecordsHeld(db);
  std::string refusal;
  const EditOutcome outcome = run.generate(db, refusal);
  if (outcome == EditOutcome::NoRoom) {
    TellNoRoom(prompts);
    if (refusal.empty()) {
      refusal = std::string(run.verb) + ": the result would pass the record limit; nothing was written";
    }
  }
  if (outcome != EditOutcome::Changed) {
    streams.err << "fendo-batch: " << refusal << '\n';
    return 1;
  }
  streams.out << "records: " << before << " -> " << RecordsHeld(db) << '\n';
  return ReportWriteResult(WriteNcProgram(db, output, prompts), output.outputPath, streams.err);
}

int RunGeneration(const BatchArguments& args, const BatchStreams& streams, const Generation& run) {
  LoadedProgram program;
  const auto appendTo = args.values.find(std::string(kAppendToFlag));
  if (appendTo != args.values.end()) {
    program = LoadProgram(appendTo->second, ReaderOptions(args, streams.err), streams);
    if (!program.result.ok()) return 1;
  }
  NcOutputOptions output;
  PresetFromWorkLayer(*program.db, output);
  std::string error;
  if (!ApplyOutputFlags(args, output, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  return GenerateAndWrite(args, streams, *program.db, output, run);
}

}  // namespace fendo
