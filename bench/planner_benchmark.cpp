// How fast the look-ahead planner times large programs, and how far its cycle time lies from
// the simple length/feed estimate.
//
// The programs are generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M    a program of one million lines
//   FENDO_BENCH_13M   a program of thirteen million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_PlanMotion_*  the planner with the default machine, over the records as read; reports the
//                  records per second and, in minutes, the simple estimate (simple_min), the
//                  planner's cutting time (dynamic_min) and its rapid time (rapid_min).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "bench_programs.h"
#include "core/statistics.h"
#include "core/toolpath_database.h"
#include "feed/motion_planner.h"

namespace fendo {
namespace {

void TimePlanner(benchmark::State& state, const char* variable) {
  const std::unique_ptr<ToolpathDatabase> db = bench::ReadProgram(state, variable);
  if (!db) return;
  DynamicTime time;
  for (auto _ : state) {
    time = PlanMotion(*db);
    benchmark::DoNotOptimize(time);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(db->recordCount));
  state.counters["simple_min"] = MeasureStatistics(*db).cuttingTime;
  state.counters["dynamic_min"] = time.cutting;
  state.counters["rapid_min"] = time.rapid;
}

void BM_PlanMotion_1M(benchmark::State& state) { TimePlanner(state, "FENDO_BENCH_1M"); }
void BM_PlanMotion_13M(benchmark::State& state) { TimePlanner(state, "FENDO_BENCH_13M"); }

BENCHMARK(BM_PlanMotion_1M)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanMotion_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
