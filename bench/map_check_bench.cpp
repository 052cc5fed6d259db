// The map check on a maximal map: 400 polygons, 500 waypoints with 20 links each and every other
// array full, with its grid compiled so the whole staleness comparison runs; and the same map with
// every sector naming polygons that are gone, where the check stops at the missing entries.
#include <benchmark/benchmark.h>

#include <memory>

#include "fixtures/map_builder.h"
#include "shell/compile.h"
#include "shell/map_checker.h"

namespace quorvel {
namespace {

std::unique_ptr<MapDocument> MaximalMap() {
  auto d = std::make_unique<MapDocument>(fixtures::SpreadMap());
  fixtures::Compile(*d);
  return d;
}

void BM_CheckMaximalMap(benchmark::State& state) {
  const auto d = MaximalMap();
  size_t problems = 0;
  for (auto _ : state) {
    const std::vector<Problem> found = CheckMapProblems(*d, "ctf_big.pmp");
    problems = found.size();
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["problems"] = double(problems);
}

// What every save adds: the table compared with the polygons, and Compile's size worked out.
void BM_SectorGridStaleMaximal(benchmark::State& state) {
  const auto d = MaximalMap();
  for (auto _ : state) benchmark::DoNotOptimize(SectorGridStale(*d));
}

void BM_SectorGridStaleAfterDeletingEverything(benchmark::State& state) {
  auto d = MaximalMap();
  d->polygonLast = -1;
  for (auto _ : state) benchmark::DoNotOptimize(SectorGridStale(*d));
}

BENCHMARK(BM_CheckMaximalMap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SectorGridStaleMaximal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SectorGridStaleAfterDeletingEverything)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel

BENCHMARK_MAIN();
