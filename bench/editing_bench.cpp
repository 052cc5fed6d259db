// Editing on a maximal map at 1920 x 1080: one pointer-motion event of a rubber band (selection
// scan, panel refresh and full redraw) against a bare full redraw in the same program, a drag
// step of everything, the selection scan alone, and the status line's update.
#include <benchmark/benchmark.h>

#include "qt_bench_main.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstdlib>
#include <memory>

#include "document/editor.h"
#include "editing/pointer.h"
#include "editing/selection.h"
#include "editing/tools.h"
#include "fixtures/map_builder.h"
#include "qt/qt_canvas.h"
#include "qt/status_line.h"
#include "view/view.h"

namespace {

using namespace quorvel;

struct Rig {
  QtCanvas canvas;
  std::unique_ptr<Editor> ed = std::make_unique<Editor>();
  Rig() {
    canvas.Resize(1920, 1080);
    ed->doc = fixtures::SpreadMap({}, 500);
    ed->canvas = &canvas;
    ed->firstActivation = false;
    ed->view.clientWidth = 1920;
    ed->view.clientHeight = 1080;
    ed->ctl.CBgrid.Select(3);
    ed->view.gridSize = 25;
    ed->view.showFlags = {1, 1, 1, 1, 1, 1, 0};
    SelectTool(*ed, 0);
  }
  float Sx(float wx) const { return LaskeRuutuX(*ed, wx); }
  float Sy(float wy) const { return LaskeRuutuY(*ed, wy); }
};

void BM_BareRedraw(benchmark::State& state) {
  Rig r;
  for (auto _ : state) {
    r.ed->RedrawCanvas();
    benchmark::DoNotOptimize(r.canvas.Image().constBits());
  }
}

// The band alternates between covering everything and half of it, so every event changes the
// selection and the panels.
void BM_BandMotion(benchmark::State& state) {
  Rig r;
  Editor& e = *r.ed;
  Form_MouseMove(e, 0, 0, r.Sx(-510), r.Sy(-510));
  Form_MouseDown(e, kLeftButton, 0, r.Sx(-510), r.Sy(-510));
  bool wide = false;
  for (auto _ : state) {
    wide = !wide;
    const float to = wide ? 510.0f : 0.0f;
    Form_MouseMove(e, kLeftButton, 0, r.Sx(to), r.Sy(to));
    benchmark::DoNotOptimize(e.sel.selLast);
  }
}

void BM_DragEverything(benchmark::State& state) {
  Rig r;
  Editor& e = *r.ed;
  SelectInRect(e, -600, -600, 600, 600, false, kSelectAll);
  FrameSelection(e);
  Form_MouseMove(e, 0, 0, r.Sx(0), r.Sy(0));
  Form_MouseDown(e, kLeftButton, 0, r.Sx(0), r.Sy(0));
  float x = r.Sx(0);
  for (auto _ : state) {
    x += 1;
    Form_MouseMove(e, kLeftButton, 0, x, r.Sy(0));
  }
}

void BM_SelectInRectEverything(benchmark::State& state) {
  Rig r;
  for (auto _ : state) {
    SelectInRect(*r.ed, -600, -600, 600, 600, false, kSelectAll);
    benchmark::DoNotOptimize(r.ed->sel.selLast);
  }
}

// What the status line adds to a pointer event: its text from the editor and, since the pointer
// moved, the label rewritten.
void BM_StatusLineSync(benchmark::State& state) {
  Rig r;
  Editor& e = *r.ed;
  SelectInRect(e, -600, -600, 600, 600, false, kSelectAll);
  FrameSelection(e);
  StatusLine status(e);
  float x = 0;
  for (auto _ : state) {
    x = x > 1000 ? 0 : x + 1;
    e.view.lastPointerX = x;
    status.Sync();
    benchmark::DoNotOptimize(status.Part(0));
  }
}

BENCHMARK(BM_BareRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BandMotion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragEverything)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectInRectEverything)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StatusLineSync)->Unit(benchmark::kMicrosecond);

}  // namespace

QUORVEL_QT_BENCHMARK_MAIN()
