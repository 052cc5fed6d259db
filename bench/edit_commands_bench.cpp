// The Edit menu commands on full maps, in the core alone (no canvas, no host: the redraw returns at
// once, as it does before the window's first activation). Each command includes its undo
// snapshot and panel refresh. Goal: every one under 1 ms.
//   Copy + Paste of everything that fits: a half-full map (200 polygons, 15 spawns, 127 sceneries,
//     64 colliders, 250 waypoints with 20 links each), all selected, copied and pasted: the Paste
//     fills every array (400, 30, 254, 128, 500) and renumbers 250 waypoints.
//   Delete of 250 waypoints with 20 links each, every other one of a full map's 500.
//   Mirror of 1,200 vertices: every corner of a full map's 400 polygons.
#include <benchmark/benchmark.h>

#include <memory>

#include "document/editor.h"
#include "editing/arrange.h"
#include "editing/clipboard.h"
#include "editing/selection.h"
#include "editing/tools.h"
#include "fixtures/map_builder.h"

namespace {

using namespace quorvel;

std::unique_ptr<Editor> MakeEditor(const fixtures::MapCounts& counts) {
  auto ed = std::make_unique<Editor>();
  ed->doc = fixtures::SpreadMap(counts, 450);
  ed->firstActivation = false;
  SelectTool(*ed, 0);
  return ed;
}

void SelectEverything(Editor& ed) {
  SelectInRect(ed, -1000, -1000, 1000, 1000, false, kSelectAll);
  FrameSelection(ed);
}

void BM_CopyPasteEverythingThatFits(benchmark::State& state) {
  auto ed = MakeEditor({200, 15, 127, 64, 250, 20});
  SelectEverything(*ed);
  auto base = std::make_unique<Editor>(*ed);
  for (auto _ : state) {
    state.PauseTiming();
    ed->doc = base->doc;
    ed->sel = base->sel;
    ed->clip = base->clip;
    state.ResumeTiming();
    MenuCopy_Click(*ed);
    MenuPaste_Click(*ed);
    benchmark::DoNotOptimize(ed->doc.waypointLast);
  }
  if (ed->doc.polygonLast != 399 || ed->doc.spawnLast != 29 || ed->doc.sceneryLast != 253 ||
      ed->doc.colliderLast != 127 || ed->doc.waypointLast != 499)
    state.SkipWithError("the paste did not fill the map");
}

void BM_DeleteWaypoints(benchmark::State& state) {
  auto ed = MakeEditor({});
  SelectionState& s = ed->sel;
  for (int i = 0; i < 500; i += 2) {
    s.selWaypoint[static_cast<size_t>(++s.selWaypointLast)] = static_cast<int16_t>(i);
    ++s.selLast;
  }
  FrameSelection(*ed);
  auto base = std::make_unique<Editor>(*ed);
  for (auto _ : state) {
    state.PauseTiming();
    ed->doc = base->doc;
    ed->sel = base->sel;
    state.ResumeTiming();
    MenuDelete_Click(*ed);
    benchmark::DoNotOptimize(ed->doc.waypointLast);
  }
  if (ed->doc.waypointLast != 249) state.SkipWithError("the waypoints were not deleted");
}

void BM_Mirror1200Vertices(benchmark::State& state) {
  auto ed = MakeEditor({});
  for (int p = 0; p < 400; ++p)
    for (int k = 0; k < 3; ++k) AppendSelectedVertex(*ed, p, k);
  FrameSelection(*ed);
  if (ed->sel.selVertexLast != 1199) state.SkipWithError("not every vertex is selected");
  for (auto _ : state) {
    MenuMirror_Click(*ed);
    benchmark::DoNotOptimize(ed->doc.polygons[0].corner[0].x);
  }
}

BENCHMARK(BM_CopyPasteEverythingThatFits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteWaypoints)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Mirror1200Vertices)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
