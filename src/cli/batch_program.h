#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "core/nc_options.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"

namespace fendo {

// The command line after parsing.
struct BatchArguments {
  std::string command;
  std::vector<std::string> files;
  bool json = false;
  std::optional<NcOptions> readerFlags;  // set when a reader option was given
};

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

int RunInfo(const BatchArguments& args, const BatchStreams& streams);
int RunDump(const BatchArguments& args, const BatchStreams& streams);

}  // namespace fendo
