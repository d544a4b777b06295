// How fast the ring patterns are made and radial toolpaths spaced.
//
// BM_Spiral10000Turns       "나선형" over a ring of outer diameter 200 at stepover 0.01 (the
//                           smallest the dialog takes): 10,000 turns, about 9.4 M records, into
//                           an empty work buffer
// BM_Radial250000Spokes     "방사선" of outer diameter 10,000 at stepover 0.125: 251,328 spokes,
//                           about 1 M records
// BM_RadialSpacing_Spokes   "방사선 간격조절" with its dialog's defaults on those spokes
// BM_RadialSpacing_1M       the same on the generated program of one million lines named by
//                           FENDO_BENCH_1M (see load_benchmark), each of its paths taken as a
//                           spoke; its arcs are made straight first, outside the timed region
// Each reports the records made (or read) per second and the records of the result. The
// spacing puts its input back before every iteration, outside the timed region; the generators
// start from an empty work buffer.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "bench_programs.h"
#include "core/toolpath_database.h"
#include "generate/radial_spacing.h"
#include "generate/ring_patterns.h"
#include "interact/arc_guard.h"
#include "output/arc_conversion.h"

namespace fendo {
namespace {

constexpr RingParams kSpiral10000Turns{.stepover = 0.01, .outerDiameter = 200};
constexpr RingParams kRadialSpokes{.stepover = 0.125, .outerDiameter = 10000};

void TimeGenerator(benchmark::State& state, EditOutcome (*generate)(ToolpathDatabase&, const RingParams&),
                   const RingParams& params) {
  ToolpathDatabase db;
  for (auto _ : state) {
    state.PauseTiming();
    db.Clear();
    state.ResumeTiming();
    if (generate(db, params) != EditOutcome::Changed) {
      state.SkipWithError("the pattern was not made");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(db.recordCount));
  state.counters["records_out"] = db.recordCount;
}

void TimeSpacing(benchmark::State& state, ToolpathDatabase& db) {
  bench::TimeOnRecords(state, db, "the spacing changed nothing",
                       [](ToolpathDatabase& target) { return SpaceRadialPaths(target, {}) == EditOutcome::Changed; });
}

void BM_Spiral10000Turns(benchmark::State& state) { TimeGenerator(state, &GenerateSpiral, kSpiral10000Turns); }
void BM_Radial250000Spokes(benchmark::State& state) { TimeGenerator(state, &GenerateRadial, kRadialSpokes); }

void BM_RadialSpacing_Spokes(benchmark::State& state) {
  ToolpathDatabase db;
  GenerateRadial(db, kRadialSpokes);
  TimeSpacing(state, db);
}

void BM_RadialSpacing_1M(benchmark::State& state) {
  const std::unique_ptr<ToolpathDatabase> db = bench::ReadProgram(state, "FENDO_BENCH_1M");
  if (!db) return;
  if (!ArcsToLines(*db, kArcGuardChordTolerance)) {
    state.SkipWithError("the arcs did not fit as straight moves");
    return;
  }
  TimeSpacing(state, *db);
}

BENCHMARK(BM_Spiral10000Turns)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Radial250000Spokes)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RadialSpacing_Spokes)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RadialSpacing_1M)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
