#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/batch_arguments.h"
#include "core/nc_options.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "output/nc_writer.h"

namespace fendo {

// A program loaded as the desktop program opens one: read, then the after-load steps.
struct LoadedProgram {
  std::unique_ptr<ToolpathDatabase> db = std::make_unique<ToolpathDatabase>();
  LoadResult result;
};

// The reader options: those given on the command line, else those of fendo.par in the
// configured ConfigDir, as the desktop program takes them.
NcOptions ReaderOptions(const BatchArguments& args, std::ostream& err);

// Loads `file`; a file that could not be read completely is reported on the error stream.
LoadedProgram OpenProgram(const std::string& file, const NcOptions& options, const BatchStreams& streams);

// Says on the error stream why `file` could not be read completely (nothing when it could).
void ReportLoadFailure(const std::string& file, const LoadResult& result, std::ostream& err);

// Says on the error stream how a write that did not complete ended; the exit status.
int ReportWriteResult(const WriteResult& result, const std::string& path, std::ostream& err);

// Writes the work layer through the template of --template (convert).
int RunTemplateOutput(ToolpathDatabase& db, const BatchArguments& args, const BatchStreams& streams);

int RunInfo(const BatchArguments& args, const BatchStreams& streams);
int RunDump(const BatchArguments& args, const BatchStreams& streams);
int RunConvert(const BatchArguments& args, const BatchStreams& streams);
int RunFilter(const BatchArguments& args, const BatchStreams& streams);
int RunFeed(const BatchArguments& args, const BatchStreams& streams);
int RunOptimize(const BatchArguments& args, const BatchStreams& streams);
// master build and master info.
int RunMaster(const BatchArguments& args, const BatchStreams& streams);
int RunRender(const BatchArguments& args, const BatchStreams& streams);

}  // namespace fendo
