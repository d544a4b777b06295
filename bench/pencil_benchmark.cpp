// How fast "펜슬" runs on a large finishing program.
//
// The program is generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M    a program of one million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_Pencil_1M             the pencil command with its dialog's defaults (15 degrees, 4 mm,
//                          4 mm, "상, 하향 구분" on)
// BM_PencilManyCorners_1M  the same at 0.1 degrees with "XY 코너" on: every slight bend is a
//                          corner, so that the ordering and the linking have work
// Each times the command without its undo step, from the records as read to the pencil paths
// in the work buffer, and reports the input records per second, the corners found and the
// records and paths of the result. The program is put back before every iteration, outside
// the timed region.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench_programs.h"
#include "core/toolpath_database.h"
#include "generate/pencil.h"

namespace fendo {
namespace {

void TimePencil(benchmark::State& state, const PencilParams& params) {
  const std::unique_ptr<ToolpathDatabase> db = bench::ReadProgram(state, "FENDO_BENCH_1M");
  if (!db) return;
  db->safeZ = 50;
  PencilResult result;
  bench::TimeOnRecords(state, *db, "the pencil command failed", [&](ToolpathDatabase& target) {
    result = GeneratePencil(target, params, nullptr, UndoStep::Skip);
    return result.outcome != EditOutcome::NoRoom && result.outcome != EditOutcome::Refused;
  });
  state.counters["corners"] = result.corners;
  state.counters["paths"] = result.paths;
}

void BM_Pencil_1M(benchmark::State& state) { TimePencil(state, {}); }
void BM_PencilManyCorners_1M(benchmark::State& state) { TimePencil(state, {.smallAngle = 0.1f, .xyCorner = true}); }

BENCHMARK(BM_Pencil_1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PencilManyCorners_1M)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
