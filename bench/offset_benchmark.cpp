// How fast the point offset runs on large programs.
//
// The programs are generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M    a program of one million lines
//   FENDO_BENCH_13M   a program of thirteen million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_RectangleOffset_*  "좌표 안쪽 Offset" over the middle half of the program's XY extent (a
//                       quarter of its area) by the direction dialog's default (0, 0, 5), without
//                       its undo step, from the records as read to the result in the work
//                       buffer. Reports the input records per second and the records of the
//                       result. The program is read, and put back before every iteration,
//                       outside the timed region.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "bench_programs.h"
#include "core/toolpath_database.h"
#include "edit/edit_commit.h"
#include "edit/point_offset.h"

namespace fendo {
namespace {

using bench::ReadProgram;

struct Extent {
  double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
};

Extent MotionExtent(const std::vector<ToolpathRecord>& records) {
  Extent e;
  for (const ToolpathRecord& r : records) {
    if (!IsMotionKind(r.kind)) continue;
    e.minX = std::min<double>(e.minX, r.x);
    e.maxX = std::max<double>(e.maxX, r.x);
    e.minY = std::min<double>(e.minY, r.y);
    e.maxY = std::max<double>(e.maxY, r.y);
  }
  return e;
}

void TimeRectangleOffset(benchmark::State& state, const char* variable) {
  const std::unique_ptr<ToolpathDatabase> db = ReadProgram(state, variable);
  if (!db) return;
  db->safeZ = 50;
  const std::vector<ToolpathRecord> program = CopyRecords(*db);
  const Extent e = MotionExtent(program);
  const double quarterX = (e.maxX - e.minX) / 4;
  const double quarterY = (e.maxY - e.minY) / 4;
  for (auto _ : state) {
    state.PauseTiming();
    db->ReplaceRecords(program);
    state.ResumeTiming();
    const EditOutcome outcome = OffsetInsideRectangle(*db, e.minX + quarterX, e.minY + quarterY, e.maxX - quarterX,
                                                      e.maxY - quarterY, {0, 0, 5}, UndoStep::Skip);
    if (outcome != EditOutcome::Changed) state.SkipWithError("the offset did not change the program");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(program.size()));
  state.counters["records_out"] = db->recordCount;
}

void BM_RectangleOffset_1M(benchmark::State& state) { TimeRectangleOffset(state, "FENDO_BENCH_1M"); }
void BM_RectangleOffset_13M(benchmark::State& state) { TimeRectangleOffset(state, "FENDO_BENCH_13M"); }

BENCHMARK(BM_RectangleOffset_1M)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RectangleOffset_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
