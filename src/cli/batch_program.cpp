#include "cli/batch_program.h"

#include "cli/terminal_progress.h"
#include "config/nc_options_file.h"
#include "config/system_settings.h"

namespace fendo {

void ReportLoadFailure(const std::string& file, const LoadResult& result, std::ostream& err) {
  if (result.ok()) return;
  err << "fendo-batch: " << file << ": ";
  switch (result.status) {
    case LoadStatus::Ok: break;
    case LoadStatus::CannotOpen: err << "cannot open: " << result.reason; break;
    case LoadStatus::ReadFailed:
      err << "reading failed after line " << result.lines << ": " << result.reason;
      break;
    case LoadStatus::RecordLimit:
      err << "the program has more than " << ToolpathDatabase::kMaxRecords
          << " records; reading stopped at line " << result.lines << " and the rest is not loaded";
      break;
    case LoadStatus::OutOfMemory:
      err << "out of memory; reading stopped at line " << result.lines << " and the rest is not loaded";
      break;
  }
  err << '\n';
}

NcOptions ReaderOptions(const BatchArguments& args, std::ostream& err) {
  if (const std::optional<NcOptions> flags = args.ReaderFlags()) return *flags;
  const LoadedSystemSettings system = ReadBatchSettings();
  if (!system.status) err << "fendo-batch: warning: " << system.status.reason << '\n';
  NcOptions options;
  const std::filesystem::path path = NcOptionsPath(system.settings);
  if (const FileStatus status = ReadNcOptionsFile(path, options); !status) {
    err << "fendo-batch: warning: " << path.string() << ": " << status.reason
        << "; reading with the default options\n";
  }
  return options;
}

LoadedProgram OpenProgram(const std::string& file, const NcOptions& options, const BatchStreams& streams) {
  LoadedProgram program;
  program.db->options = options;
  {
    std::optional<TerminalProgress> progress;
    if (streams.terminal) progress.emplace(streams.err);
    program.result = LoadFile(*program.db, file, progress ? &*progress : nullptr);
  }
  if (program.result.status != LoadStatus::CannotOpen) RunAfterLoadSteps(*program.db, file);
  ReportLoadFailure(file, program.result, streams.err);
  return program;
}

}  // namespace fendo
