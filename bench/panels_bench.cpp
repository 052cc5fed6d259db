// The panel refresh of a maximal map: every polygon corner selected (1,200 vertices, the most the
// selection holds), and a selection of every kind at once. Nothing changes between runs, so no
// list is rebuilt: this is the cost of a refresh after a selection drag.
#include <benchmark/benchmark.h>

#include <memory>

#include "document/editor.h"
#include "fixtures/map_builder.h"

namespace quorvel {
namespace {

std::unique_ptr<Editor> MaximalEditor() {
  auto ed = std::make_unique<Editor>();
  ed->doc = fixtures::SpreadMap();  // every array full
  ed->doc.info.fileName = "/home/user/Zarnok/Maps/ctf_Maximal.pmp";
  return ed;
}

template <size_t N, class I>
void SelectFirst(SelectionState& sel, std::array<I, N>& list, int16_t& last, int count) {
  for (int i = 0; i < count; ++i) list[static_cast<size_t>(i)] = static_cast<I>(i);
  last = static_cast<int16_t>(count - 1);
  sel.selLast = static_cast<int16_t>(sel.selLast + count);
}

void SelectCorners(SelectionState& sel, int polygons) {
  for (int p = 0; p < polygons; ++p) {
    for (int k = 0; k < 3; ++k) {
      sel.selVertexPolygon[static_cast<size_t>(p * 3 + k)] = static_cast<int16_t>(p);
      sel.selVertexCorner[static_cast<size_t>(p * 3 + k)] = static_cast<uint8_t>(k);
    }
  }
  sel.selVertexLast = static_cast<int16_t>(polygons * 3 - 1);
  sel.selLast = static_cast<int16_t>(sel.selLast + polygons * 3);
}

void Refresh(benchmark::State& state, Editor& ed) {
  ed.RefreshPanels();  // loads the lists once
  for (auto _ : state) {
    ed.RefreshPanels();
    benchmark::DoNotOptimize(ed.ctl);
  }
}

// Arg 0: the map's own random colours and passability, so the comparisons stop early.
// Arg 1: every corner alike, the worst case: both comparisons run through all 1,200 vertices.
void BM_RefreshAllVertices(benchmark::State& state) {
  auto ed = MaximalEditor();
  if (state.range(0) == 1) {
    for (int p = 0; p < kMaxPolygons; ++p) {
      for (Vertex& v : ed->doc.polygons[static_cast<size_t>(p)].corner) v.colour = {10, 20, 30, 255};
      ed->doc.polygonNormals[static_cast<size_t>(p)] = {};
    }
  }
  SelectCorners(ed->sel, kMaxPolygons);
  Refresh(state, *ed);
}
BENCHMARK(BM_RefreshAllVertices)->Arg(0)->Arg(1);

void BM_RefreshMixedSelection(benchmark::State& state) {
  auto ed = MaximalEditor();
  SelectionState& sel = ed->sel;
  SelectCorners(sel, 100);
  SelectFirst(sel, sel.selSpawn, sel.selSpawnLast, 30);
  SelectFirst(sel, sel.selScenery, sel.selSceneryLast, 255);
  SelectFirst(sel, sel.selCollider, sel.selColliderLast, 128);
  SelectFirst(sel, sel.selWaypoint, sel.selWaypointLast, 500);
  Refresh(state, *ed);
}
BENCHMARK(BM_RefreshMixedSelection);

}  // namespace
}  // namespace quorvel

BENCHMARK_MAIN();
