// How fast the toolpath view redraws a large program.
//
// The programs are generated (see scripts/bench) and named by the environment, as for
// load_benchmark:
//   FENDO_BENCH_1M    a program of one million lines
//   FENDO_BENCH_13M   a program of thirteen million lines
// A benchmark whose program is not named is skipped with a message naming the variable.
//
// BM_Redraw_1M, BM_Redraw_13M   DrawView of the whole program into a 1600 × 1000 image canvas
//                               (the view window's), fitted, in the default isometric view,
//                               rapid moves, legend, layer text and tool shown: one full redraw
//                               per iteration. Reports records drawn per second.
// The program is read, fitted and drawn once outside the timed region (the first drawing
// settles the work feed and the rapid kinds, as it does in the program).
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "bench_programs.h"
#include "qtdraw/qt_image_canvas.h"
#include "view/draw_view.h"
#include "view/fit_view.h"

namespace fendo {
namespace {

constexpr int kWidth = 1600;   // pixels
constexpr int kHeight = 1000;  // pixels

void Redraw(benchmark::State& state, const char* variable) {
  std::unique_ptr<ToolpathDatabase> db = bench::ReadProgram(state, variable);
  if (!db) return;
  ViewState view;  // the default view: isometric 1
  view.clientWidth = kWidth;
  view.clientHeight = kHeight;
  const ViewOptions options;
  FitView(*db, view, options);
  QtImageCanvas canvas(kWidth, kHeight);
  DrawView(canvas, *db, view, options, {});
  for (auto _ : state) {
    DrawView(canvas, *db, view, options, {});
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * db->recordCount);
  state.counters["records"] = db->recordCount;
}

void BM_Redraw_1M(benchmark::State& state) { Redraw(state, "FENDO_BENCH_1M"); }
void BM_Redraw_13M(benchmark::State& state) { Redraw(state, "FENDO_BENCH_13M"); }

BENCHMARK(BM_Redraw_1M)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Redraw_13M)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace fendo

int main(int argc, char** argv) {
  // Text needs a GUI application; the benchmark runs without a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
