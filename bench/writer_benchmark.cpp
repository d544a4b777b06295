// How fast the fixed writer writes NC data: the 1 M-line generated program (FENDO_BENCH_1M,
// see scripts/bench) loaded once, then written in absolute ISO, incremental ISO and the
// Heidenhain form. Reports the MB/s of output and the records/s written.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bench_programs.h"
#include "core/toolpath_database.h"
#include "output/nc_writer.h"

namespace fendo {
namespace {

void BM_Write_1M(benchmark::State& state, NcOutputOptions options) {
  const std::unique_ptr<ToolpathDatabase> db = bench::ReadProgram(state, "FENDO_BENCH_1M");
  if (!db) return;
  const std::filesystem::path output = std::filesystem::temp_directory_path() / "fendo-writer-benchmark.nc";
  options.outputPath = output.string();
  options.diagonalRapidCheck = false;
  bench::SilentPrompts prompts;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    const WriteResult result = WriteNcProgram(*db, options, prompts);
    if (!result.ok()) {
      state.SkipWithError(("writing failed: " + result.reason).c_str());
      break;
    }
    bytes = static_cast<std::int64_t>(std::filesystem::file_size(output));
  }
  std::filesystem::remove(output);
  state.SetBytesProcessed(state.iterations() * bytes);
  state.SetItemsProcessed(state.iterations() * db->recordCount);
  state.counters["output_bytes"] = static_cast<double>(bytes);
}

BENCHMARK_CAPTURE(BM_Write_1M, iso_absolute, NcOutputOptions{})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Write_1M, iso_incremental, NcOutputOptions{.incremental = true})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Write_1M, heidenhain, NcOutputOptions{.heidenhain = true})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace fendo

BENCHMARK_MAIN();
