// How fast "등고선 공구경로 생성" turns a large finishing program into Z-level contours.
//
// The program is generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M    a program of one million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_GenerateContours_1M      contours every 0.5 mm between the heights the command presets,
//                             from its preset start point, with the dialog's link distance (4 mm)
// BM_GenerateContoursFine_1M  the same every 0.05 mm: ten times the planes and cut points
// The arcs are made straight once before timing (the command's arc guard); each iteration
// times GenerateContours from the records as read to the contours in the work buffer, and
// reports the input records per second and the records of the result. The program is put back
// before every iteration, outside the timed region.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

#include "bench_programs.h"
#include "core/toolpath_database.h"
#include "generate/contours.h"
#include "interact/arc_guard.h"
#include "output/arc_conversion.h"

namespace fendo {
namespace {

void TimeContours(benchmark::State& state, double spacing) {
  const std::unique_ptr<ToolpathDatabase> db = bench::ReadProgram(state, "FENDO_BENCH_1M");
  if (!db) return;
  if (!ArcsToLines(*db, kArcGuardChordTolerance)) {
    state.SkipWithError("the arcs did not fit as straight moves");
    return;
  }
  std::optional<ContourParams> params = ContourPresets(*db, {.zSpacing = spacing});
  if (!params) {
    state.SkipWithError("the program has no linear feed move");
    return;
  }
  bench::TimeOnRecords(state, *db, "no contour was made", [&params](ToolpathDatabase& target) {
    return GenerateContours(target, *params) == EditOutcome::Changed;
  });
  state.counters["planes"] = static_cast<double>(static_cast<int>((params->topZ - params->bottomZ) / spacing));
}

void BM_GenerateContours_1M(benchmark::State& state) { TimeContours(state, 0.5); }
void BM_GenerateContoursFine_1M(benchmark::State& state) { TimeContours(state, 0.05); }

BENCHMARK(BM_GenerateContours_1M)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateContoursFine_1M)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
