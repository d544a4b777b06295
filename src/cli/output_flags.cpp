#include "cli/output_flags.h"

namespace fendo {

bool ApplyOutputFlags(const BatchArguments& args, NcOutputOptions& options, std::string& error) {
  options.openEditor = false;
  if (const auto path = args.values.find("-o"); path != args.values.end()) options.outputPath = path->second;
  if (args.Has("--heidenhain-out")) options.heidenhain = true;
  if (args.Has("--incremental")) options.incremental = true;
  if (args.Has("--ijk")) options.ijkToR = false;
  if (args.Has("--seq")) options.sequenceNumbers = true;
  if (args.Has("--machining-info")) options.machiningInfo = true;
  if (args.Has("--source-start-end")) options.useSourceStartEnd = true;
  if (args.Has("--no-diagonal-check")) options.diagonalRapidCheck = false;
  if (const auto comment = args.values.find("--comment"); comment != args.values.end()) {
    options.comment = comment->second;
  }
  if (const auto source = args.values.find("--source"); source != args.values.end()) {
    options.sourcePath = source->second;
  }
  if (const std::optional<int> program = IntegerOption(args, "--program", error)) {
    options.programNumberOn = true;
    options.programNumber = *program;
  }
  if (const std::optional<int> tool = IntegerOption(args, "--tool", error)) {
    options.toolChange = *tool != 0;
    options.toolNumber = *tool;
  }
  if (const std::optional<int> offset = IntegerOption(args, "--offset", error)) options.lengthOffset = *offset;
  if (const std::optional<int> spindle = IntegerOption(args, "--spindle", error)) options.spindleSpeed = *spindle;
  if (!error.empty()) return false;
  if (options.incremental && options.heidenhain) {
    error = "--incremental output cannot be written in the Heidenhain form";
    return false;
  }
  if (const std::optional<std::string> problem = CheckNcOutputOptions(options)) {
    error = *problem;
    return false;
  }
  return true;
}

}  // namespace fendo
