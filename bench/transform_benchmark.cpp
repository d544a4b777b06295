// How fast the move-and-copy and the path sort run on large programs.
//
// The programs are generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M    a program of one million lines
//   FENDO_BENCH_13M   a program of thirteen million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_RotateTwoCopies_*     "회전" by 30 degrees with 2 copies: the program three times over; on
//                          the 13 M-line program the result passes the record limit, and the
//                          edit stops before building it (NoRoom)
// BM_SortStartToStart_1M   "방향유지, 시작점-시작점" with the dialog's defaults
// BM_SortShortPaths_*      the same sort on a made-up program of 100,000 paths of 1 mm scattered
//                          over 500 x 500 mm, with the default sort distance (5 mm) and with
//                          the search bound (1000 mm) as the distance
// Each times the whole edit with its undo snapshot, from the records as read to the result in
// the work buffer, and reports the input records per second and the records of the result.
// The program is put back before every iteration, outside the timed region.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "bench_programs.h"
#include "core/toolpath_database.h"
#include "edit/edit_commit.h"
#include "edit/path_sort.h"
#include "edit/transform.h"

namespace fendo {
namespace {

using bench::ReadProgram;

template <typename Edit>
void TimeEdit(benchmark::State& state, ToolpathDatabase& db, EditOutcome expected, Edit edit) {
  db.safeZ = 50;
  const std::vector<ToolpathRecord> program = CopyRecords(db);
  for (auto _ : state) {
    state.PauseTiming();
    db.ReplaceRecords(program);
    db.ClearUndo();
    state.ResumeTiming();
    if (edit(db) != expected) state.SkipWithError("the edit did not end as expected");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(program.size()));
  state.counters["records_out"] = db.recordCount;
}

void TimeOnProgram(benchmark::State& state, const char* variable, EditOutcome expected,
                   EditOutcome (*edit)(ToolpathDatabase&)) {
  const std::unique_ptr<ToolpathDatabase> db = ReadProgram(state, variable);
  if (db) TimeEdit(state, *db, expected, edit);
}

EditOutcome RotateTwoCopies(ToolpathDatabase& db) {
  return TransformToolpath(db, {.method = TransformMethod::Rotate, .rotateZ = true, .angle = 30, .copy = true,
                                .copies = 2});
}
EditOutcome SortStartToStart(ToolpathDatabase& db) { return SortPaths(db, {}); }

// 100,000 paths of 1 mm at random places: over safeZ, 2 mm above, down, across, up.
std::unique_ptr<ToolpathDatabase> ShortPaths() {
  constexpr int kPaths = 100000;
  constexpr double kSide = 500;  // mm
  std::mt19937 random(7);
  std::uniform_real_distribution<float> place(0, kSide);
  std::vector<ToolpathRecord> records{{0, 0, 50, 0, 0, MoveKind::RapidStart}};
  for (int k = 0; k < kPaths; ++k) {
    const float x = place(random);
    const float y = place(random);
    for (const ToolpathRecord& r : {ToolpathRecord{x, y, 50, 0, 0, MoveKind::Rapid},
                                    ToolpathRecord{x, y, 2, 0, 0, MoveKind::Rapid},
                                    ToolpathRecord{x, y, -1, 300, 0, MoveKind::FeedStart},
                                    ToolpathRecord{x + 1, y, -1, 800, 0, MoveKind::Feed},
                                    ToolpathRecord{x + 1, y, 50, 0, 0, MoveKind::RapidStart}}) {
      records.push_back(r);
    }
  }
  auto db = std::make_unique<ToolpathDatabase>();
  db->ReplaceRecords(records);
  return db;
}

void BM_RotateTwoCopies_1M(benchmark::State& state) {
  TimeOnProgram(state, "FENDO_BENCH_1M", EditOutcome::Changed, RotateTwoCopies);
}
void BM_RotateTwoCopies_13M(benchmark::State& state) {
  TimeOnProgram(state, "FENDO_BENCH_13M", EditOutcome::NoRoom, RotateTwoCopies);
}
void BM_SortStartToStart_1M(benchmark::State& state) {
  TimeOnProgram(state, "FENDO_BENCH_1M", EditOutcome::Changed, SortStartToStart);
}
void BM_SortShortPaths_Distance5(benchmark::State& state) {
  TimeEdit(state, *ShortPaths(), EditOutcome::Changed, SortStartToStart);
}
void BM_SortShortPaths_Distance1000(benchmark::State& state) {
  TimeEdit(state, *ShortPaths(), EditOutcome::Changed,
           [](ToolpathDatabase& db) { return SortPaths(db, {.distance = kSortSearchBound}); });
}

BENCHMARK(BM_RotateTwoCopies_1M)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotateTwoCopies_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortStartToStart_1M)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortShortPaths_Distance5)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortShortPaths_Distance1000)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
