// What every core call now costs the window on a maximal map: the map encoded as a save would
// write it, compared with the saved one, and kept for a crash. Beside it, the plain encoding the
// window made before, and the comparison alone.
#include <benchmark/benchmark.h>

#include <memory>

#include "document/editor.h"
#include "document/map_file.h"
#include "document/map_write.h"
#include "document/unsaved.h"
#include "fixtures/map_builder.h"
#include "app/recovery.h"

namespace quorvel {
namespace {

std::unique_ptr<Editor> SavedMaximalEditor() {
  auto ed = std::make_unique<Editor>();
  ed->doc = fixtures::SpreadMap();  // every array full, 20 links per waypoint
  MarkUnchanged(*ed);
  ed->doc.spawns[3].x += 256;  // one unsaved change: the whole map is compared
  return ed;
}

void BM_EncodeUntouched(benchmark::State& state) {
  auto ed = SavedMaximalEditor();
  std::vector<uint8_t> bytes;
  for (auto _ : state) {
    EncodeMapUntouched(ed->doc, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_EncodeUntouched);

void BM_CompareWithSaved(benchmark::State& state) {
  auto ed = SavedMaximalEditor();
  std::vector<uint8_t> form;
  EncodeSaveForm(ed->doc, form);
  MarkSaved(*ed, form);  // equal: the comparison runs to the end
  for (auto _ : state) benchmark::DoNotOptimize(NoteSaveForm(*ed, form));
}
BENCHMARK(BM_CompareWithSaved);

void BM_EncodeSaveForm(benchmark::State& state) {
  auto ed = SavedMaximalEditor();
  std::vector<uint8_t> form;
  for (auto _ : state) {
    EncodeSaveForm(ed->doc, form);
    benchmark::DoNotOptimize(form.data());
  }
}
BENCHMARK(BM_EncodeSaveForm);

// The whole per-call work: encode, compare, keep.
void BM_UpdateRecovery(benchmark::State& state) {
  auto ed = SavedMaximalEditor();
  for (auto _ : state) {
    UpdateRecovery(*ed);
    benchmark::DoNotOptimize(RecoveryBytes().data());
  }
}
BENCHMARK(BM_UpdateRecovery);

}  // namespace
}  // namespace quorvel

BENCHMARK_MAIN();
