// How fast the direction, plunge, subdivision and Z-up edits run on large programs.
//
// The programs are generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M    a program of one million lines
//   FENDO_BENCH_13M   a program of thirteen million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_ReverseAll        "방향 바꾸기" on every path, with the rapid rebuild and the undo snapshot
// BM_TwoWay            "두방향 경로로 바꾸기"
// BM_NormalizePlunges  the plunge normalisation on the work buffer (no snapshot)
// BM_Subdivide         subdivision at h = 0.5 mm (the generated moves are mostly shorter: the
//                      13 M-line program grows by some 24 000 records and still fits)
// BM_SubdivideNoRoom   subdivision at h = 0.05 mm, whose pieces pass the record limit: the edit
//                      stops with the no-room result after counting them
// BM_ZUpHold           "Z 하향 억제"
// Each runs once on a freshly read program (read outside the timed region) and reports the
// records per second and the records after the edit.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "bench_programs.h"
#include "core/toolpath_database.h"
#include "edit/plunge.h"
#include "edit/reverse.h"
#include "edit/subdivision.h"
#include "edit/z_up.h"

namespace fendo {
namespace {

using bench::ReadProgram;

constexpr const char* kProgram1M = "FENDO_BENCH_1M";
constexpr const char* kProgram13M = "FENDO_BENCH_13M";

void TimeEdit(benchmark::State& state, const char* variable, const std::function<int(ToolpathDatabase&)>& edit) {
  std::int64_t records = 0;
  int outcome = 0;
  int after = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<ToolpathDatabase> db = ReadProgram(state, variable);
    if (!db) break;
    records = db->recordCount;
    state.ResumeTiming();
    outcome = edit(*db);
    state.PauseTiming();
    after = db->recordCount;
    db.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * records);
  state.counters["records_after"] = after;
  state.counters["outcome"] = outcome;  // 0 changed, 1 unchanged, 2 no room
}

int ReverseAll(ToolpathDatabase& db) { return static_cast<int>(ReversePaths(db, {})); }
int TwoWay(ToolpathDatabase& db) { return static_cast<int>(ReversePaths(db, {.direction = false, .twoWay = true})); }
int Normalize(ToolpathDatabase& db) {
  NormalizePlunges(db);
  return 0;
}
int SubdivideHalf(ToolpathDatabase& db) { return static_cast<int>(Subdivide(db, {.interval = 0.5})); }
int SubdivideTwentieth(ToolpathDatabase& db) { return static_cast<int>(Subdivide(db, {.interval = 0.05})); }
int ZUpHold(ToolpathDatabase& db) { return static_cast<int>(ZUp(db, {.mode = ZUpMode::HoldDown})); }

void BM_ReverseAll_1M(benchmark::State& state) { TimeEdit(state, kProgram1M, ReverseAll); }
void BM_ReverseAll_13M(benchmark::State& state) { TimeEdit(state, kProgram13M, ReverseAll); }
void BM_TwoWay_1M(benchmark::State& state) { TimeEdit(state, kProgram1M, TwoWay); }
void BM_TwoWay_13M(benchmark::State& state) { TimeEdit(state, kProgram13M, TwoWay); }
void BM_NormalizePlunges_1M(benchmark::State& state) { TimeEdit(state, kProgram1M, Normalize); }
void BM_NormalizePlunges_13M(benchmark::State& state) { TimeEdit(state, kProgram13M, Normalize); }
void BM_Subdivide_1M(benchmark::State& state) { TimeEdit(state, kProgram1M, SubdivideHalf); }
void BM_Subdivide_13M(benchmark::State& state) { TimeEdit(state, kProgram13M, SubdivideHalf); }
void BM_SubdivideNoRoom_13M(benchmark::State& state) { TimeEdit(state, kProgram13M, SubdivideTwentieth); }
void BM_ZUpHold_1M(benchmark::State& state) { TimeEdit(state, kProgram1M, ZUpHold); }
void BM_ZUpHold_13M(benchmark::State& state) { TimeEdit(state, kProgram13M, ZUpHold); }

BENCHMARK(BM_ReverseAll_1M)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ReverseAll_13M)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_TwoWay_1M)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_TwoWay_13M)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_NormalizePlunges_1M)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_NormalizePlunges_13M)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Subdivide_1M)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Subdivide_13M)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_SubdivideNoRoom_13M)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_ZUpHold_1M)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ZUpHold_13M)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
