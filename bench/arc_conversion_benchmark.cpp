// How fast arc conversion runs on a large program.
//
// The program is generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M   a program of one million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_LinesToArcs_1M            LinesToArcs in the XY plane with the dialog's defaults on the
//                              program as read: surface finishing moves, few of them on arcs.
// BM_ArcsToLines_1M            ArcsToLines with the dialog's tolerance on the program as read.
// BM_LinesToArcs_FromArcs_1M   LinesToArcs on the program after ArcsToLines: its arcs are
//                              chords now, and come back as arcs.
// Each reports the records of the buffer it starts from per second, and the arcs in the result.
// The program is read (and cut into lines) outside the timed region before every iteration.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "bench_programs.h"
#include "core/toolpath_database.h"
#include "output/arc_conversion.h"

namespace fendo {
namespace {

constexpr const char* kProgram1M = "FENDO_BENCH_1M";
constexpr int kIterations = 3;
const ArcConvertOptions kDialog{};  // the dialog's defaults

std::unique_ptr<ToolpathDatabase> ReadProgram(benchmark::State& state) { return bench::ReadProgram(state, kProgram1M); }

int ArcCount(ToolpathDatabase& db) {
  int arcs = 0;
  db.ForEachRecord([&arcs](int, const ToolpathRecord& r) { arcs += IsArcKind(r.kind); });
  return arcs;
}

enum class Start { AsRead, CutIntoLines };

// Times `convert` on the program, prepared afresh before every iteration.
template <typename Convert>
void TimeConversion(benchmark::State& state, Start start, Convert convert) {
  std::int64_t records = 0;
  std::unique_ptr<ToolpathDatabase> db;
  for (auto _ : state) {
    state.PauseTiming();
    db = ReadProgram(state);
    if (!db) break;
    if (start == Start::CutIntoLines && !ArcsToLines(*db, kDialog.arcTolerance)) {
      state.SkipWithError("ArcsToLines: the lines do not fit in the work buffer");
      break;
    }
    records = db->recordCount;
    state.ResumeTiming();
    if (!convert(*db)) {
      state.SkipWithError("the conversion refused the program");
      break;
    }
  }
  if (!db || records == 0) return;
  state.SetItemsProcessed(state.iterations() * records);
  state.counters["records"] = static_cast<double>(records);
  state.counters["records_after"] = static_cast<double>(db->recordCount);
  state.counters["arcs_after"] = static_cast<double>(ArcCount(*db));
}

bool LinesToArcsWithTheDialogsDefaults(ToolpathDatabase& db) {
  LinesToArcs(db, kDialog.minRadius, kDialog.maxRadius, kDialog.arcTolerance, ArcPlane::XY, kDialog.maxArcPoints);
  return true;
}

void BM_LinesToArcs_1M(benchmark::State& state) {
  TimeConversion(state, Start::AsRead, LinesToArcsWithTheDialogsDefaults);
}
BENCHMARK(BM_LinesToArcs_1M)->Iterations(kIterations)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ArcsToLines_1M(benchmark::State& state) {
  TimeConversion(state, Start::AsRead, [](ToolpathDatabase& db) { return ArcsToLines(db, kDialog.arcTolerance); });
}
BENCHMARK(BM_ArcsToLines_1M)->Iterations(kIterations)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_LinesToArcs_FromArcs_1M(benchmark::State& state) {
  TimeConversion(state, Start::CutIntoLines, LinesToArcsWithTheDialogsDefaults);
}
BENCHMARK(BM_LinesToArcs_FromArcs_1M)->Iterations(kIterations)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
