// Reading and writing a maximal map and an undo snapshot, against a plain copy of a map's bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "document/editor.h"
#include "document/map_file.h"
#include "document/map_write.h"
#include "document/save_normalise.h"
#include "document/undo.h"
#include "fixtures/map_builder.h"

namespace quorvel {
namespace {

std::unique_ptr<Editor> MaximalEditor() {
  auto ed = std::make_unique<Editor>();
  ed->doc = fixtures::SpreadMap();  // every array full, 20 links per waypoint
  return ed;
}

void BM_PlainCopy(benchmark::State& state) {
  std::vector<uint8_t> from(kMapFileSize, 7), to(kMapFileSize);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), kMapFileSize);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlainCopy);

void BM_ReadMap(benchmark::State& state) {
  auto ed = MaximalEditor();
  std::vector<uint8_t> bytes;
  EncodeMap(ed->doc, nullptr, bytes);
  auto doc = std::make_unique<MapDocument>();
  for (auto _ : state) {
    DecodeMap(bytes, *doc, nullptr);
    benchmark::DoNotOptimize(doc.get());
  }
}
BENCHMARK(BM_ReadMap);

void BM_UserSaveToBuffer(benchmark::State& state) {
  auto ed = MaximalEditor();
  std::vector<uint8_t> bytes;
  for (auto _ : state) {
    WriteMapBytes(*ed, false, bytes);  // normalisation included
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_UserSaveToBuffer);

void BM_SnapshotAndRestore(benchmark::State& state) {
  auto ed = MaximalEditor();
  for (auto _ : state) {
    TakeSnapshot(*ed, "Move");
    RestoreSnapshot(*ed, ed->undo.undoSlot);
    benchmark::DoNotOptimize(ed.get());
  }
}
BENCHMARK(BM_SnapshotAndRestore);

void BM_EncodeOnly(benchmark::State& state) {
  auto ed = MaximalEditor();
  std::vector<uint8_t> bytes;
  for (auto _ : state) {
    EncodeMap(ed->doc, nullptr, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_EncodeOnly);

void BM_NormaliseOnly(benchmark::State& state) {
  auto ed = MaximalEditor();
  for (auto _ : state) {
    NormaliseForSave(ed->doc);
    benchmark::DoNotOptimize(ed.get());
  }
}
BENCHMARK(BM_NormaliseOnly);

}  // namespace
}  // namespace quorvel

BENCHMARK_MAIN();
