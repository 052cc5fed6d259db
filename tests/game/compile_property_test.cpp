// Right after Compile, after Compile + Save, and after a second Compile, a map never shows a grid or
// bounds problem: random maps of every span from 15 to 2,000 units lying anywhere, with objects
// above and beside the polygons, the widths that once failed, and the sample maps.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

#include "document/file_io.h"
#include "document/map_file.h"
#include "document/map_write.h"
#include "fixtures/map_builder.h"
#include "game/compile.h"
#include "game/map_checker.h"

namespace quorvel {
namespace {

std::string GridOrBoundsProblems(const MapDocument& d) {
  std::string found;
  for (const Problem& p : CheckMapProblems(d, "a.pmp"))
    if (p.kind == ProblemKind::Outside || p.kind == ProblemKind::SectorGrid) found += p.text + "\n";
  return found;
}

MapDocument RandomMap(std::mt19937& rng) {
  auto real = [&](double a, double b) { return float(std::uniform_real_distribution<double>(a, b)(rng)); };
  MapDocument d = fixtures::NewMap();
  const float span = real(15, 2000), aspect = real(0.05, 1);
  const float x0 = real(-6000, 6000), y0 = real(-6000, 6000);
  const bool tall = rng() % 2 == 0;
  const float w = tall ? span * aspect : span, h = tall ? span : span * aspect;
  const int polygons = 1 + int(rng() % 40);
  for (int p = 0; p < polygons; ++p) {
    float c[6];
    for (int k = 0; k < 6; k += 2) {
      c[k] = x0 + real(0, w);
      c[k + 1] = y0 + real(0, h);
    }
    if (p == 0) {  // one polygon spans the map, so the span is what was drawn
      c[0] = x0, c[1] = y0, c[2] = x0 + w, c[3] = y0 + h;
    }
    fixtures::AddTriangle(d, c[0], c[1], c[2], c[3], c[4], c[5], {}, rng() % 4 == 0);
  }
  // Objects a little above, below and beside the polygons, as flags over the highest platform.
  auto near = [&](float from, float size) { return from + real(-0.2 * size - 60, 1.2 * size + 60); };
  for (int i = int(rng() % 8); i > 0; --i) fixtures::AddSpawn(d, near(x0, w), near(y0, h), uint8_t(rng() % 3));
  for (int i = int(rng() % 8); i > 0; --i) fixtures::AddScenery(d, near(x0, w), near(y0, h), 3);
  for (int i = int(rng() % 4); i > 0; --i) fixtures::AddCollider(d, near(x0, w), near(y0, h));
  for (int i = int(rng() % 8); i > 0; --i) fixtures::AddWaypoint(d, near(x0, w), near(y0, h), 1 + int(rng() % 2));
  return d;
}

TEST(CompileProperty, NoGridOrBoundsProblemAfterCompileSaveAndASecondCompile) {
  auto ed = std::make_unique<Editor>();
  auto read = std::make_unique<MapDocument>();
  std::vector<uint8_t> bytes;
  auto check = [&](const std::string& name) {
    SCOPED_TRACE(name);
    MenuRunCompile_Click(*ed);
    ASSERT_GT(ed->doc.info.sectorSize, 0);
    ASSERT_EQ(GridOrBoundsProblems(ed->doc), "");
    WriteMapBytes(*ed, false, bytes);  // the user's save, with its corrections
    ASSERT_EQ(GridOrBoundsProblems(ed->doc), "");
    DecodeMap(bytes, *read, nullptr);
    ASSERT_EQ(GridOrBoundsProblems(*read), "");
    ASSERT_FALSE(SectorGridStale(*read));
    MenuRunCompile_Click(*ed);  // recentres by up to half a unit
    ASSERT_EQ(GridOrBoundsProblems(ed->doc), "");
  };
  // One triangle of these widths once gave objects off the map or a stale grid after Compile.
  for (float width : {901.f, 931.f, 451.f, 915.f, 1005.f, 15.f, 14.f, 464.f, 466.f}) {
    ed->doc = fixtures::NewMap();
    fixtures::AddTriangle(ed->doc, 37.25f, -12.5f, 37.25f + width, -12.5f, 37.25f, 30);
    check("width " + std::to_string(width));
  }
  int samples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(QUORVEL_SOURCE_DIR) + "/maps")) {
    if (entry.path().extension() != ".pmp") continue;  // the textures lie beside the maps
    std::string error;
    ASSERT_TRUE(ReadWholeFile(entry.path().string(), bytes, error)) << error;
    DecodeMap(bytes, ed->doc, nullptr);
    check(entry.path().filename().string());
    ++samples;
  }
  EXPECT_GE(samples, 2);
  std::mt19937 rng(2026);
  for (int m = 0; m < 1000; ++m) {
    ed->doc = RandomMap(rng);
    check("random map " + std::to_string(m));
  }
}

}  // namespace
}  // namespace quorvel
