// A hundred undo steps on a maximal map (every array full, compiled): the time of one snapshot
// taken and undone (Edit Undo, which also keeps the state for Redo) with a hundred steps held, and
// the memory the steps hold after a hundred edits and after a hundred undos, for a small edit and
// for edits that touch every record and the sector grid.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "document/editor.h"
#include "document/undo.h"
#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "game/compile.h"

namespace quorvel {
namespace {

void Recompile(MapDocument& d) { fixtures::Compile(d); }

using Edit = std::function<void(MapDocument&, int)>;

void MoveOneSpawn(MapDocument& d, int i) { d.spawns[i % 30].x += 256; }
void MoveEverythingAndCompile(MapDocument& d, int i) {
  const float dx = 0.5f + float(i % 7);
  for (Polygon& p : d.polygons)
    for (Vertex& v : p.corner) v.x += dx;
  for (Scenery& s : d.scenery) s.y -= dx;
  for (Waypoint& w : d.waypoints) w.x += 256 * (i % 3 + 1);
  for (Collider& c : d.colliders) c.x += dx;
  Recompile(d);
}
void ReorderEverythingAndCompile(MapDocument& d, int) {
  std::rotate(d.polygons.begin(), d.polygons.begin() + 1, d.polygons.end());
  std::rotate(d.polygonNormals.begin(), d.polygonNormals.begin() + 1, d.polygonNormals.end());
  std::rotate(d.waypoints.begin(), d.waypoints.begin() + 1, d.waypoints.end());
  for (Waypoint& w : d.waypoints)
    for (int32_t& c : w.connections) c = c > 0 ? c - 1 : 499;
  Recompile(d);
}

std::unique_ptr<Editor> MaximalEditor(const Edit& edit) {
  auto ed = std::make_unique<Editor>();
  ed->doc = fixtures::SpreadMap({}, 150);
  Recompile(ed->doc);
  for (int i = 0; i < kUndoSlots; ++i) {
    TakeSnapshot(*ed, "Move");
    edit(ed->doc, i);
  }
  return ed;
}

// One step with a hundred held: the snapshot before a small edit, then Edit Undo of it.
void BM_SnapshotAndUndoHundredDeep(benchmark::State& state) {
  auto ed = MaximalEditor(MoveOneSpawn);
  int i = 0;
  for (auto _ : state) {
    TakeSnapshot(*ed, "Move");
    state.PauseTiming();
    MoveOneSpawn(ed->doc, i++);
    state.ResumeTiming();
    MenuUndo_Click(*ed);
    benchmark::DoNotOptimize(ed.get());
  }
}
BENCHMARK(BM_SnapshotAndUndoHundredDeep);

// The same after edits that moved every object and recompiled the grid.
void BM_SnapshotAndUndoHundredDeepAfterWholeMapEdits(benchmark::State& state) {
  auto ed = MaximalEditor(MoveEverythingAndCompile);
  int i = 0;
  for (auto _ : state) {
    TakeSnapshot(*ed, "Move");
    state.PauseTiming();
    MoveEverythingAndCompile(ed->doc, i++);
    state.ResumeTiming();
    MenuUndo_Click(*ed);
    benchmark::DoNotOptimize(ed.get());
  }
}
BENCHMARK(BM_SnapshotAndUndoHundredDeepAfterWholeMapEdits)->Iterations(200);

// Memory held by a hundred steps: after the edits (all undo steps) and after undoing them all
// (all redo steps), in megabytes.
void Memory(benchmark::State& state, const Edit& edit) {
  double afterEdits = 0, afterUndos = 0;
  for (auto _ : state) {
    auto ed = MaximalEditor(edit);
    afterEdits = double(ed->undo.snapshots.Bytes() + ed->undo.redoStates.Bytes());
    for (int i = 0; i < kUndoSlots; ++i) MenuUndo_Click(*ed);
    afterUndos = double(ed->undo.snapshots.Bytes() + ed->undo.redoStates.Bytes());
  }
  state.counters["MB_after_100_edits"] = afterEdits / 1e6;
  state.counters["MB_after_100_undos"] = afterUndos / 1e6;
}
void BM_MemoryHundredSmallEdits(benchmark::State& s) { Memory(s, MoveOneSpawn); }
void BM_MemoryHundredWholeMapMoves(benchmark::State& s) { Memory(s, MoveEverythingAndCompile); }
void BM_MemoryHundredWholeMapReorders(benchmark::State& s) { Memory(s, ReorderEverythingAndCompile); }
BENCHMARK(BM_MemoryHundredSmallEdits)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MemoryHundredWholeMapMoves)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MemoryHundredWholeMapReorders)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace quorvel

BENCHMARK_MAIN();
