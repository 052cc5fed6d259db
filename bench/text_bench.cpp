// The text tool writing a 19-letter author name with the letters the build ships: 19 letter files
// read and appended, and the selection moved four times per letter.
#include <benchmark/benchmark.h>

#include <memory>

#include "document/editor.h"
#include "editing/text_tool.h"

namespace {

using namespace quorvel;

void BM_PlaceAuthorName(benchmark::State& state) {
  auto ed = std::make_unique<Editor>();
  ed->appFolder = QUORVEL_BUILT_APP_FOLDER;
  const std::string name = "Quorvel Map By Zarn";
  for (auto _ : state) {
    ed->doc.polygonLast = -1;
    PlaceText(*ed, name);
    benchmark::DoNotOptimize(ed->doc.polygonLast);
  }
  state.counters["polygons"] = ed->doc.polygonLast + 1;
}
BENCHMARK(BM_PlaceAuthorName)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
