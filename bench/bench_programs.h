#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "core/user_prompts.h"
#include "edit/edit_commit.h"

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

// Times `edit` on `db`, given its records back before each run (outside the timing, with the
// undo snapshots of the run before dropped); a run for which `edit` returns false skips the
// benchmark with `failure`.
template <typename Edit>
void TimeOnRecords(benchmark::State& state, ToolpathDatabase& db, const char* failure, Edit edit) {
  const std::vector<ToolpathRecord> program = CopyRecords(db);
  for (auto _ : state) {
    state.PauseTiming();
    db.ReplaceRecords(program);
    db.ClearUndo();
    state.ResumeTiming();
    if (!edit(db)) {
      state.SkipWithError(failure);
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(program.size()));
  state.counters["records_out"] = db.recordCount;
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
