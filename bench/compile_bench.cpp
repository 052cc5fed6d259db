// Compile on a maximal map whose 400 polygons each cover several sectors: the centring move with
// its undo snapshot, the panel refreshes and the sector table; then the same with the canvas
// redraws a user sees on a 1920 x 1080 window.
#include <benchmark/benchmark.h>

#include "qt_bench_main.h"

#include <memory>

#include "document/editor.h"
#include "fixtures/map_builder.h"
#include "game/compile.h"
#include "qt/qt_canvas.h"

namespace quorvel {
namespace {

void Run(benchmark::State& state, Canvas* canvas) {
  auto ed = std::make_unique<Editor>();
  // Every array full over +-150 units: triangles of up to 120 units against sectors of about 14.
  ed->doc = fixtures::SpreadMap({}, 150);
  ed->firstActivation = false;
  ed->canvas = canvas;
  ed->view.clientWidth = 1920;
  ed->view.clientHeight = 1080;
  for (auto _ : state) {
    MenuRunCompile_Click(*ed);
    benchmark::DoNotOptimize(ed->doc.sectors.data());
  }
  int filled = 0;
  for (const Sector& s : ed->doc.sectors) filled += s.count;
  state.counters["sectorSize"] = ed->doc.info.sectorSize;
  state.counters["entries"] = filled;
}

void BM_CompileMaximalMap(benchmark::State& state) { Run(state, nullptr); }

void BM_CompileMaximalMapWithRedraw(benchmark::State& state) {
  QtCanvas canvas;
  canvas.Resize(1920, 1080);
  Run(state, &canvas);
}

BENCHMARK(BM_CompileMaximalMap)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CompileMaximalMapWithRedraw)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quorvel

QUORVEL_QT_BENCHMARK_MAIN()
