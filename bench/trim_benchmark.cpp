// How fast the trims run on large programs.
//
// The programs are generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M    a program of one million lines
//   FENDO_BENCH_13M   a program of thirteen million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// The boundaries are laid over the program's cutting extents, so that every trim cuts a good
// share of the paths:
// BM_TrimRectangleInside_*   "좌표 안쪽 트림": the middle half of the extents in X and Y
// BM_TrimRectangleOutside_*  "좌표 바같쪽 트림": the same rectangle
// BM_TrimCircle_*            "원 안쪽 트림": a circle about the middle, a third of the width across
// BM_TrimZ_*                 "Z 좌표 바같쪽 트림": the middle half of the Z extent
// BM_TrimPointFile_*         "화일에 의한 안쪽 트림": a *.poi file of one star polygon of 500
//                            vertices over the middle (written and read in the timed
//                            region: well under a millisecond)
// Each times the trim without its undo step, from the records as read to the rebuilt result in
// the work buffer, and reports the input records per second and the records of the result.
// The program is read, and put back before every iteration, outside the timed region.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "bench_programs.h"
#include "core/toolpath_database.h"
#include "edit/edit_commit.h"
#include "edit/point_file.h"
#include "edit/region_boundary.h"
#include "edit/trim.h"

namespace fendo {
namespace {

using bench::ReadProgram;

constexpr int kStarVertices = 500;

// The box around the program's cutting records.
struct Box {
  Point3 min{HUGE_VAL, HUGE_VAL, HUGE_VAL};
  Point3 max{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  Point3 Middle() const { return (min + max) * 0.5; }
  Point3 Size() const { return max - min; }
};

Box CuttingBox(const std::vector<ToolpathRecord>& records) {
  Box box;
  for (const ToolpathRecord& r : records) {
    if (!IsCuttingKind(r.kind)) continue;
    box.min = {std::min<double>(box.min.x, r.x), std::min<double>(box.min.y, r.y), std::min<double>(box.min.z, r.z)};
    box.max = {std::max<double>(box.max.x, r.x), std::max<double>(box.max.y, r.y), std::max<double>(box.max.z, r.z)};
  }
  return box;
}

// A *.poi file of one star over the middle of the box, its spikes reaching a third of the way
// out.
std::filesystem::path WriteStarFile(const Box& box) {
  const Point3 middle = box.Middle();
  const double outer = std::min(box.Size().x, box.Size().y) / 3;
  std::string text = "start\n";
  for (int k = 0; k < kStarVertices; ++k) {
    const double angle = 2 * std::numbers::pi * k / kStarVertices;
    const double radius = k % 2 == 0 ? outer : outer * 0.6;
    text += std::to_string(middle.x + radius * std::cos(angle)) + ' ' +
            std::to_string(middle.y + radius * std::sin(angle)) + " 0\n";
  }
  text += "end\n";
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "fendo_trim_benchmark.poi";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

using Trim = std::function<EditOutcome(ToolpathDatabase&, const Box&)>;

void TimeTrim(benchmark::State& state, const char* variable, const Trim& trim) {
  const std::unique_ptr<ToolpathDatabase> db = ReadProgram(state, variable);
  if (!db) return;
  db->safeZ = 50;
  const std::vector<ToolpathRecord> program = CopyRecords(*db);
  const Box box = CuttingBox(program);
  for (auto _ : state) {
    state.PauseTiming();
    db->ReplaceRecords(program);
    state.ResumeTiming();
    if (trim(*db, box) != EditOutcome::Changed) state.SkipWithError("the trim did not change the program");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(program.size()));
  state.counters["records_out"] = db->recordCount;
}

EditOutcome Rectangle(ToolpathDatabase& db, const Box& box, TrimSide removed) {
  const Point3 a = box.min + box.Size() * 0.25;
  const Point3 b = box.min + box.Size() * 0.75;
  return TrimRegion(db, *RectangleBoundary(a.x, a.y, b.x, b.y), removed, UndoStep::Skip);
}
EditOutcome RectangleInside(ToolpathDatabase& db, const Box& box) { return Rectangle(db, box, TrimSide::Inside); }
EditOutcome RectangleOutside(ToolpathDatabase& db, const Box& box) { return Rectangle(db, box, TrimSide::Outside); }
EditOutcome Circle(ToolpathDatabase& db, const Box& box) {
  return TrimCircle(db, box.Middle(), box.Size().x / 6, TrimSide::Inside, UndoStep::Skip);
}
EditOutcome ZBand(ToolpathDatabase& db, const Box& box) {
  return TrimZBand(db, {.zMin = box.min.z + box.Size().z * 0.25, .zMax = box.min.z + box.Size().z * 0.75},
                   UndoStep::Skip);
}
EditOutcome PointFile(ToolpathDatabase& db, const Box& box) {
  const std::filesystem::path path = WriteStarFile(box);
  std::string error;
  const auto polygons = ReadPointFile(path, error);
  if (!polygons) return EditOutcome::Refused;
  return TrimPolygons(db, *polygons, TrimSide::Inside, UndoStep::Skip);
}

void BM_TrimRectangleInside_1M(benchmark::State& state) { TimeTrim(state, "FENDO_BENCH_1M", RectangleInside); }
void BM_TrimRectangleInside_13M(benchmark::State& state) { TimeTrim(state, "FENDO_BENCH_13M", RectangleInside); }
void BM_TrimRectangleOutside_1M(benchmark::State& state) { TimeTrim(state, "FENDO_BENCH_1M", RectangleOutside); }
void BM_TrimRectangleOutside_13M(benchmark::State& state) { TimeTrim(state, "FENDO_BENCH_13M", RectangleOutside); }
void BM_TrimCircle_1M(benchmark::State& state) { TimeTrim(state, "FENDO_BENCH_1M", Circle); }
void BM_TrimCircle_13M(benchmark::State& state) { TimeTrim(state, "FENDO_BENCH_13M", Circle); }
void BM_TrimZ_1M(benchmark::State& state) { TimeTrim(state, "FENDO_BENCH_1M", ZBand); }
void BM_TrimZ_13M(benchmark::State& state) { TimeTrim(state, "FENDO_BENCH_13M", ZBand); }
void BM_TrimPointFile_1M(benchmark::State& state) { TimeTrim(state, "FENDO_BENCH_1M", PointFile); }
void BM_TrimPointFile_13M(benchmark::State& state) { TimeTrim(state, "FENDO_BENCH_13M", PointFile); }

constexpr int kIterations1M = 3;

BENCHMARK(BM_TrimRectangleInside_1M)->Iterations(kIterations1M)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimRectangleInside_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimRectangleOutside_1M)->Iterations(kIterations1M)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimRectangleOutside_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimCircle_1M)->Iterations(kIterations1M)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimCircle_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimZ_1M)->Iterations(kIterations1M)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimZ_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimPointFile_1M)->Iterations(kIterations1M)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimPointFile_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
