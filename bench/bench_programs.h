#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "core/user_prompts.h"

namespace fendo::bench {

// The generated program named by the environment variable `variable`, read into a fresh
// database; nothing after skipping the benchmark with the reason.
inline std::unique_ptr<ToolpathDatabase> ReadProgram(benchmark::State& state, const char* variable) {
  const char* path = std::getenv(variable);
  if (!path || !*path) {
    state.SkipWithError((std::string(variable) + " is not set: give it the path of a generated program "
                                                 "(scripts/bench generates it)")
                            .c_str());
    return nullptr;
  }
  auto db = std::make_unique<ToolpathDatabase>();
  const LoadResult result = LoadFile(*db, path);
  if (!result.ok() || db->recordCount == 0) {
    state.SkipWithError((std::string(variable) + "=" + path + ": the program could not be read whole").c_str());
    return nullptr;
  }
  return db;
}

// Answers nothing: messages go unseen, a question to stop is answered "go on", a value dialog
// keeps its value.
class SilentPrompts : public UserPrompts {
 public:
  void Message(std::string_view, std::string_view, PromptIcon) override {}
  bool AskOkCancel(std::string_view, std::string_view, PromptIcon) override { return false; }
  std::optional<double> AskValue(std::string_view, double value) override { return value; }
};

}  // namespace fendo::bench
