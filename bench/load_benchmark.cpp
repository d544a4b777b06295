// How fast NC programs open, and what an open program costs in memory.
//
// The programs are generated (see scripts/bench) and named by the environment, so that the
// binary holds no path of the machine it was built on:
//   FENDO_BENCH_1M   a program of one million lines
//   FENDO_BENCH_13M  a program of thirteen million lines, about the most the work buffer holds
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_LoadFile_1M   LoadFile into a fresh database: MB/s of the file and records/s.
// BM_Open_13M      LoadFile and RunAfterLoadSteps, as the program opens a file: wall time.
// BM_OpenMemory_13M  the bytes per record after opening the program twice into one database,
//                  the worst case after an open: the undo ring keeps a snapshot of the first
//                  open, the work layer's slot a copy of the records and the work buffer the
//                  records themselves. It reads the process's peak resident set size, which
//                  only ever grows, so it must be the first benchmark of its process:
//                    load_benchmark --benchmark_filter=BM_OpenMemory_13M
//                  Run otherwise, it refuses with an error instead of reporting a wrong number.
//
// All of them run on one thread, as the reader does.
#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr const char* kProgram1M = "FENDO_BENCH_1M";
constexpr const char* kProgram13M = "FENDO_BENCH_13M";
constexpr int kLoadIterations = 5;     // a 1 M-line load takes a fraction of a second
constexpr std::int64_t kKiB = 1024;    // ru_maxrss is in KiB on Linux

struct Workload {
  std::filesystem::path path;
  std::int64_t bytes = 0;
};

// ru_maxrss only ever grows: once this process has loaded a program, its peak no longer tells
// what a later open costs.
bool programLoaded = false;

// Reads the file once so that the timed opens read from the page cache: what is measured is
// the reader, not the disk of the machine the benchmark happens to run on.
bool WarmPageCache(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  in.ignore(std::numeric_limits<std::streamsize>::max());
  return in.eof() && !in.bad();
}

enum class PageCache { Warm, Leave };

// The program named by `variable`, or nothing after skipping the benchmark with the reason.
std::optional<Workload> FindWorkload(benchmark::State& state, const char* variable, PageCache cache) {
  const char* value = std::getenv(variable);
  if (!value || !*value) {
    state.SkipWithError((std::string(variable) + " is not set: give it the path of a generated program "
                                                 "(scripts/bench generates and passes it)")
                            .c_str());
    return std::nullopt;
  }
  Workload workload{value};
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(workload.path, error);
  if (error || size == 0) {
    const std::string why = error ? error.message() : "the file is empty";
    state.SkipWithError((std::string(variable) + "=" + value + ": " + why).c_str());
    return std::nullopt;
  }
  if (cache == PageCache::Warm && !WarmPageCache(workload.path)) {
    state.SkipWithError((std::string(variable) + "=" + value + ": the file could not be read").c_str());
    return std::nullopt;
  }
  workload.bytes = static_cast<std::int64_t>(size);
  return workload;
}

const char* StatusText(LoadStatus status) {
  switch (status) {
    case LoadStatus::Ok: return "ok";
    case LoadStatus::CannotOpen: return "the file cannot be opened";
    case LoadStatus::NotProgram: return "the file is not an NC program";
    case LoadStatus::ReadFailed: return "reading the file failed";
    case LoadStatus::RecordLimit: return "the program has more records than the work buffer holds";
    case LoadStatus::OutOfMemory: return "the memory for the records could not be had";
    case LoadStatus::OtherDialect: return "the program reads as the other dialect";
  }
  return "unknown load status";
}

// Why an open did not give a whole program, or nothing when it did. A benchmark of a load that
// stopped early would report the speed of reading part of the file as that of the whole.
std::optional<std::string> LoadFailure(const LoadResult& result, const ToolpathDatabase& db) {
  if (!result.ok()) {
    std::string why = std::string("LoadFile: ") + StatusText(result.status);
    if (!result.reason.empty()) why += " (" + result.reason + ")";
    return why;
  }
  if (db.recordCount == 0) return "LoadFile read no records: the file is not an ISO NC program";
  return std::nullopt;
}

// Opens the program as the program does: the reader, then the steps that follow it.
std::optional<std::string> Open(ToolpathDatabase& db, const std::filesystem::path& path) {
  if (std::optional<std::string> failure = LoadFailure(LoadFile(db, path), db)) return failure;
  if (!RunAfterLoadSteps(db, path)) return "RunAfterLoadSteps: the work layer's copy could not be allocated";
  return std::nullopt;
}

std::int64_t PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::int64_t>(usage.ru_maxrss) * kKiB;
}

// Times `open` on a fresh database per iteration, the database made and freed outside the
// timed region, and reports the program's bytes and records per second.
template <typename OpenFunction>
void TimeOpens(benchmark::State& state, const char* variable, OpenFunction open) {
  const std::optional<Workload> program = FindWorkload(state, variable, PageCache::Warm);
  if (!program) return;
  programLoaded = true;
  std::int64_t records = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto db = std::make_unique<ToolpathDatabase>();
    state.ResumeTiming();
    const std::optional<std::string> failure = open(*db, program->path);
    state.PauseTiming();
    if (failure) {
      state.SkipWithError(failure->c_str());
      break;
    }
    records = db->recordCount;
    db.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * program->bytes);
  state.SetItemsProcessed(state.iterations() * records);
  state.counters["records"] = static_cast<double>(records);
}

void BM_LoadFile_1M(benchmark::State& state) {
  TimeOpens(state, kProgram1M, [](ToolpathDatabase& db, const std::filesystem::path& path) {
    return LoadFailure(LoadFile(db, path), db);
  });
}
BENCHMARK(BM_LoadFile_1M)->Iterations(kLoadIterations)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_Open_13M(benchmark::State& state) { TimeOpens(state, kProgram13M, Open); }
BENCHMARK(BM_Open_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_OpenMemory_13M(benchmark::State& state) {
  const std::optional<Workload> program = FindWorkload(state, kProgram13M, PageCache::Leave);
  if (!program) return;
  if (std::exchange(programLoaded, true)) {
    state.SkipWithError("BM_OpenMemory_13M reads the peak memory of the process and must run alone: "
                        "--benchmark_filter=BM_OpenMemory_13M, without repetitions");
    return;
  }
  std::int64_t records = 0;
  std::int64_t heldBytes = 0;
  std::int64_t peakGrowth = 0;
  for (auto _ : state) {
    auto db = std::make_unique<ToolpathDatabase>();
    const std::int64_t peakBefore = PeakResidentBytes();
    std::optional<std::string> failure = Open(*db, program->path);
    if (!failure) failure = Open(*db, program->path);
    if (failure) {
      state.SkipWithError(failure->c_str());
      break;
    }
    records = db->recordCount;
    heldBytes = static_cast<std::int64_t>(db->HeldBytes());
    peakGrowth = PeakResidentBytes() - peakBefore;
  }
  if (records == 0) return;
  state.counters["records"] = static_cast<double>(records);
  state.counters["held_bytes_per_record"] = static_cast<double>(heldBytes) / static_cast<double>(records);
  state.counters["peak_rss_bytes_per_record"] = static_cast<double>(peakGrowth) / static_cast<double>(records);
}
BENCHMARK(BM_OpenMemory_13M)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
