#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "cli/batch_arguments.h"
#include "cli/batch_program.h"
#include "cli/batch_prompts.h"
#include "cli/output_flags.h"
#include "core/toolpath_database.h"
#include "output/nc_writer.h"
#include "support/file_bytes.h"

namespace fendo::test {

// The program `in` as the edit verbs write it to `out` (the writer's defaults) after `edit` made
// the engine's own calls on it as the verb loads it: what the verb must write. With `in` left
// empty, `edit` starts from an empty program, as generate does without --append-to.
inline std::string EngineResult(const std::filesystem::path& in, const std::filesystem::path& out,
                                const std::function<void(ToolpathDatabase&)>& edit) {
  std::ostringstream messages;
  const BatchStreams streams{messages, messages, false};
  LoadedProgram program;
  if (!in.empty()) {
    program = LoadProgram(in.string(), ReaderOptions(BatchArguments{}, messages), streams);
    EXPECT_TRUE(program.result.ok()) << messages.str();
  }
  ToolpathDatabase& db = *program.db;
  edit(db);
  NcOutputOptions output;
  PresetFromWorkLayer(db, output);
  BatchArguments args;
  args.values[std::string(kOutputFlag)] = out.string();
  std::string error;
  EXPECT_TRUE(ApplyOutputFlags(args, output, error)) << error;
  BatchPrompts prompts(messages, true);
  EXPECT_TRUE(WriteNcProgram(db, output, prompts).ok()) << messages.str();
  return ReadFile(out);
}

}  // namespace fendo::test
