// How fast the delete commands run on large programs.
//
// The programs are generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M    a program of one million lines
//   FENDO_BENCH_13M   a program of thirteen million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_DeleteByXyAngle_*      "XY 각도" with its dialog's defaults (90 ± 10 degrees)
// BM_DeleteBySlope_*        "Z 각도" with its dialog's defaults (0 … 30 degrees, 4 mm)
// BM_DeletePointsByLength_* "길이에 의한 포인트" at 1 mm: the program's long links and rapid
//                           runs become rapid moves
// Each times the edit without its undo step (the command takes one more, timed by
// BM_UndoSnapshot_13M), from the records as read to the rebuilt result in the work buffer,
// and reports the input records per second and the records of the result. The program is read,
// and put back before every iteration, outside the timed region.
// BM_UndoSnapshot_13M       one push of the 13 M-record work buffer onto the undo ring.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "bench_programs.h"
#include "core/toolpath_database.h"
#include "edit/delete_by_angle.h"
#include "edit/delete_by_length.h"
#include "edit/edit_commit.h"

namespace fendo {
namespace {

using bench::ReadProgram;

template <typename Edit>
void TimeEdit(benchmark::State& state, const char* variable, Edit edit) {
  const std::unique_ptr<ToolpathDatabase> db = ReadProgram(state, variable);
  if (!db) return;
  db->safeZ = 50;
  const std::vector<ToolpathRecord> program = CopyRecords(*db);
  for (auto _ : state) {
    state.PauseTiming();
    db->ReplaceRecords(program);
    state.ResumeTiming();
    if (edit(*db) != EditOutcome::Changed) state.SkipWithError("the edit did not change the program");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(program.size()));
  state.counters["records_out"] = db->recordCount;
}

EditOutcome XyAngle(ToolpathDatabase& db) { return DeleteByXyAngle(db, {}, UndoStep::Skip); }
EditOutcome Slope(ToolpathDatabase& db) { return DeleteBySlope(db, {}, UndoStep::Skip); }
EditOutcome PointsByLength(ToolpathDatabase& db) { return DeletePointsByLength(db, {.length = 1}, UndoStep::Skip); }

void BM_DeleteByXyAngle_1M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_1M", XyAngle); }
void BM_DeleteByXyAngle_13M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_13M", XyAngle); }
void BM_DeleteBySlope_1M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_1M", Slope); }
void BM_DeleteBySlope_13M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_13M", Slope); }
void BM_DeletePointsByLength_1M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_1M", PointsByLength); }
void BM_DeletePointsByLength_13M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_13M", PointsByLength); }

void BM_UndoSnapshot_13M(benchmark::State& state) {
  const std::unique_ptr<ToolpathDatabase> db = ReadProgram(state, "FENDO_BENCH_13M");
  if (!db) return;
  for (auto _ : state) {
    if (!db->Snapshot(SnapshotMode::Push)) state.SkipWithError("no memory for the snapshot");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(db->recordCount));
}

constexpr int kIterations1M = 3;

BENCHMARK(BM_DeleteByXyAngle_1M)->Iterations(kIterations1M)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteByXyAngle_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteBySlope_1M)->Iterations(kIterations1M)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteBySlope_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeletePointsByLength_1M)->Iterations(kIterations1M)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeletePointsByLength_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoSnapshot_13M)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
