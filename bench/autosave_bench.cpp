// The window thread's share of the background recovery file per change: taking a free buffer and
// handing the encoded map to the worker (the encoding itself is the unsaved-changes check, measured
// in unsaved_bench). The worker runs meanwhile; with no folder named it writes nothing, so the
// disk does not enter the figures.
#include <benchmark/benchmark.h>

#include <cstring>

#include "document/map_file.h"
#include "app/autosave.h"

namespace quorvel {
namespace {

void BM_AutosaveHandOff(benchmark::State& state) {
  BeginAutosave("", "");
  const std::string name = "/home/user/maps/ctf_test.pmp";
  for (auto _ : state) {
    std::vector<uint8_t>& out = AutosaveScratch();
    if (out.size() != kMapFileSize) out.assign(kMapFileSize, 0);
    out[0] ^= 1;  // the encoding would go here
    AutosavePublish(name);
    benchmark::DoNotOptimize(PublishedMap());
  }
  StopAutosave();
}
BENCHMARK(BM_AutosaveHandOff);

// An unchanged map after a change: the files are asked to go.
void BM_AutosaveHandOffAndClean(benchmark::State& state) {
  BeginAutosave("", "");
  for (auto _ : state) {
    std::vector<uint8_t>& out = AutosaveScratch();
    if (out.size() != kMapFileSize) out.assign(kMapFileSize, 0);
    AutosavePublish("");
    AutosaveClean();
  }
  StopAutosave();
}
BENCHMARK(BM_AutosaveHandOffAndClean);

}  // namespace
}  // namespace quorvel

BENCHMARK_MAIN();
