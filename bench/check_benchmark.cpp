// How fast the pre-flight check of "공구경로 체크" runs over a program already open: a second
// reading of the source for the record→line links and the constructs of the text, and a walk
// over the records, with the machine checks on.
//   FENDO_BENCH_1M   a program of one million lines
//   FENDO_BENCH_13M  a program of thirteen million lines (the target: at most 2 s)
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_programs.h"
#include "check/preflight_check.h"
#include "feed/machine_condition.h"
#include "feed/machine_feed_options.h"

namespace fendo {
namespace {

void RunCheck(benchmark::State& state, const char* variable) {
  const std::unique_ptr<ToolpathDatabase> db = bench::ReadProgram(state, variable);
  if (!db) return;
  const MachineCondition machine;
  const MachineFeedOptions transmission;
  const CheckInput input{.sourcePath = std::getenv(variable), .machine = &machine, .transmission = &transmission};
  for (auto _ : state) {
    const CheckReport report = CheckProgramReport(*db, input);
    benchmark::DoNotOptimize(report.counts);
  }
  state.counters["records/s"] = benchmark::Counter(static_cast<double>(db->recordCount), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Check_1M(benchmark::State& state) { RunCheck(state, "FENDO_BENCH_1M"); }
void BM_Check_13M(benchmark::State& state) { RunCheck(state, "FENDO_BENCH_13M"); }

BENCHMARK(BM_Check_1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Check_13M)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
