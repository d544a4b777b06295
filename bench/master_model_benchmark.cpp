// How fast the master model is built from a large finishing program, and how fast the feed
// optimizer's lookup answers on it.
//
// The program is generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M   a program of one million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_BuildMasterModel_1M   BuildMasterModel with the dialog's defaults (tool 10, allowance 0,
//                          tolerance 1). Reports records per second, the grid and its
//                          working fineness.
// BM_MasterWallAngle_1M    MasterWallAngle at every linear feed point of the program with the
//                          optimizer's default search radius (the safety distance, 5 mm), on
//                          the model built with the defaults. Reports lookups per second.
// The program is read once, outside the timed region: building only reads it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench_programs.h"
#include "core/point3.h"
#include "core/toolpath_database.h"
#include "feed/master_lookup.h"
#include "feed/master_model_build.h"

namespace fendo {
namespace {

constexpr const char* kProgram1M = "FENDO_BENCH_1M";
constexpr int kIterations = 3;
constexpr double kSearchRadius = 5;  // mm, the optimizer's default safety distance
const MasterModelInputs kDialog{};   // the dialog's defaults

// The program named by the environment, read once for all benchmarks; nothing after skipping
// the benchmark with the reason.
ToolpathDatabase* Program(benchmark::State& state) {
  static std::unique_ptr<ToolpathDatabase> db;
  if (!db) db = bench::ReadProgram(state, kProgram1M);
  return db.get();
}

void BM_BuildMasterModel_1M(benchmark::State& state) {
  ToolpathDatabase* db = Program(state);
  if (!db) return;
  bench::SilentPrompts prompts;
  MasterBuildResult result;
  for (auto _ : state) {
    result = BuildMasterModel(*db, kDialog, prompts);
    if (!result.ok()) {
      state.SkipWithError(("the build refused the program: " + result.reason).c_str());
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * db->recordCount);
  state.counters["records"] = db->recordCount;
  state.counters["columns"] = result.model.columns;
  state.counters["rows"] = result.model.rows;
  state.counters["fineness"] = result.fineness;
}
BENCHMARK(BM_BuildMasterModel_1M)->Iterations(kIterations)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_MasterWallAngle_1M(benchmark::State& state) {
  ToolpathDatabase* db = Program(state);
  if (!db) return;
  bench::SilentPrompts prompts;
  const MasterBuildResult built = BuildMasterModel(*db, kDialog, prompts);
  if (!built.ok()) {
    state.SkipWithError(("the build refused the program: " + built.reason).c_str());
    return;
  }
  std::vector<Point3> points;
  db->ForEachRecord([&points](int, const ToolpathRecord& r) {
    if (IsLinearFeedKind(r.kind)) points.push_back(PositionOf(r));
  });
  std::int64_t engaged = 0;
  for (auto _ : state) {
    engaged = 0;
    for (const Point3& p : points) engaged += MasterWallAngle(built.model, p.x, p.y, p.z, kSearchRadius) > 0;
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(points.size()));
  state.counters["lookups"] = static_cast<double>(points.size());
  state.counters["engaged"] = static_cast<double>(engaged);
}
BENCHMARK(BM_MasterWallAngle_1M)->Iterations(kIterations)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
