// How fast the feed optimizer runs on large programs.
//
// The programs are generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M    a program of one million lines
//   FENDO_BENCH_13M   a program of thirteen million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_Engine_1M, BM_Engine_13M   RunEngine with the default machine condition: the passes and
//                               the output stage, from the points of the work buffer to the
//                               optimized points.
// BM_OptimizeFeeds_1M, _13M     the whole command on the work buffer: the points taken, the
//                               engine, the result written back, smoothed and cleaned up.
// BM_OptimizeFeedsWithReport_13M  the same with the report of the rules asked for: the rules
//                               noted, the output points' sources kept and the shares measured.
// Each reports the input records per second and the records of the result. The program is
// read outside the timed region.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench_programs.h"
#include "core/toolpath_database.h"
#include "feed/feed_optimizer.h"

namespace fendo {
namespace {

using bench::ReadProgram;

void TimeEngine(benchmark::State& state, const char* variable) {
  const std::unique_ptr<ToolpathDatabase> db = ReadProgram(state, variable);
  if (!db) return;
  const std::vector<QelPoint> points = QelPointsFrom(*db);
  const MachineCondition machine;
  std::size_t output = 0;
  for (auto _ : state) {
    OptimizerSlot slot;
    output = RunEngine(points, machine, slot, nullptr).size();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(points.size()));
  state.counters["records_out"] = static_cast<double>(output);
}

void BM_Engine_1M(benchmark::State& state) { TimeEngine(state, "FENDO_BENCH_1M"); }
void BM_Engine_13M(benchmark::State& state) { TimeEngine(state, "FENDO_BENCH_13M"); }

void TimeOptimizeFeeds(benchmark::State& state, const char* variable, bool reports) {
  std::int64_t records = 0;
  int output = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::unique_ptr<ToolpathDatabase> db = ReadProgram(state, variable);
    if (!db) break;
    records = db->recordCount;
    FeedReport report;
    state.ResumeTiming();
    OptimizerSlot slot;
    output = OptimizeFeeds(*db, MachineCondition{}, slot, nullptr, nullptr, reports ? &report : nullptr).recordsOut;
  }
  state.SetItemsProcessed(state.iterations() * records);
  state.counters["records_out"] = output;
}

void BM_OptimizeFeeds_1M(benchmark::State& state) { TimeOptimizeFeeds(state, "FENDO_BENCH_1M", false); }
void BM_OptimizeFeeds_13M(benchmark::State& state) { TimeOptimizeFeeds(state, "FENDO_BENCH_13M", false); }
void BM_OptimizeFeedsWithReport_13M(benchmark::State& state) { TimeOptimizeFeeds(state, "FENDO_BENCH_13M", true); }

BENCHMARK(BM_Engine_1M)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Engine_13M)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_OptimizeFeeds_1M)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_OptimizeFeeds_13M)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_OptimizeFeedsWithReport_13M)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
