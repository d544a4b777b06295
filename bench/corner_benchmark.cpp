// How fast the corner trim, the corner selection and the contour close run on large programs.
//
// The programs are generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M    a program of one million lines
//   FENDO_BENCH_13M   a program of thirteen million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_TrimToCorners_*         "코너부위를 트림한다." with its dialog's defaults (30 degrees, 10 mm)
// BM_TrimToCornersFine_1M    the same after subdividing every feed move at 5 mm
// BM_SelectCorners_*         "코너 부위 선택" with the defaults
// BM_CloseContours_*         "등고선 공구경로 닫기" with a gap of 5 mm
// Each times the edit without its undo step where it has one, from the records as read to the
// result in the work buffer, and reports the input records per second and the records of the
// result. The program is put back before every iteration, outside the timed region.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "bench_programs.h"
#include "core/toolpath_database.h"
#include "edit/contour_close.h"
#include "edit/corner_region.h"
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
    const EditOutcome outcome = edit(*db);
    if (outcome == EditOutcome::NoRoom || outcome == EditOutcome::Refused) state.SkipWithError("the edit failed");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(program.size()));
  state.counters["records_out"] = db->recordCount;
}

EditOutcome Trim(ToolpathDatabase& db) { return TrimToCorners(db, {}, UndoStep::Skip); }
EditOutcome TrimFine(ToolpathDatabase& db) { return TrimToCorners(db, {.subdivide = true}, UndoStep::Skip); }
EditOutcome Select(ToolpathDatabase& db) { return SelectCorners(db, {}); }
EditOutcome Close(ToolpathDatabase& db) {
  const EditOutcome outcome = CloseContours(db, 5);
  db.ClearUndo();  // the command's own snapshot, not kept between iterations
  return outcome;
}

void BM_TrimToCorners_1M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_1M", Trim); }
void BM_TrimToCorners_13M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_13M", Trim); }
void BM_TrimToCornersFine_1M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_1M", TrimFine); }
void BM_SelectCorners_1M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_1M", Select); }
void BM_SelectCorners_13M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_13M", Select); }
void BM_CloseContours_1M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_1M", Close); }
void BM_CloseContours_13M(benchmark::State& state) { TimeEdit(state, "FENDO_BENCH_13M", Close); }

constexpr int kIterations1M = 3;

BENCHMARK(BM_TrimToCorners_1M)->Iterations(kIterations1M)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimToCorners_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimToCornersFine_1M)->Iterations(kIterations1M)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectCorners_1M)->Iterations(kIterations1M)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectCorners_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CloseContours_1M)->Iterations(kIterations1M)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CloseContours_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
