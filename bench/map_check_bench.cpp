// The map check on a maximal map: 400 polygons, 500 waypoints with 20 links each and every other
// array full (links on their own path, or half of them onto the other one), with its grid compiled so the whole staleness comparison runs; and the same map with
// every sector naming polygons that are gone, where the check stops at the missing entries.
#include <benchmark/benchmark.h>

#include <memory>

#include "fixtures/map_builder.h"
#include "game/compile.h"
#include "game/map_checker.h"

namespace quorvel {
namespace {

// Every array full, 20 links a waypoint; `ownPath` keeps every link on the waypoint's own path
// (as a map maker links), otherwise about half lead onto the other path and each gives a line.
std::unique_ptr<MapDocument> MaximalMap(bool ownPath = true) {
  auto d = std::make_unique<MapDocument>(fixtures::SpreadMap());
  if (ownPath)
    for (int i = 0; i <= d->waypointLast; ++i)
      for (int c = 0; c < d->waypoints[size_t(i)].connectionCount; ++c) {
        int32_t& to = d->waypoints[size_t(i)].connections[size_t(c)];
        if ((to - 1) % 2 != i % 2) to = to % (d->waypointLast + 1) + 1;
      }
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

void BM_CheckMaximalMapLinkedAcrossPaths(benchmark::State& state) {
  const auto d = MaximalMap(false);
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
BENCHMARK(BM_CheckMaximalMapLinkedAcrossPaths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SectorGridStaleMaximal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SectorGridStaleAfterDeletingEverything)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel

BENCHMARK_MAIN();
