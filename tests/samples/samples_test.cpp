#include "samples/samples.h"
#include "samples/sample_textures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/map_file.h"
#include "document/prefab_file.h"
#include "document/save_normalise.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "app/lifecycle.h"
#include "game/map_checker.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

class SampleMaps : public fixtures::ShellTest {};

// Each map in maps/ is exactly what the generator writes, opens without a word, is a real level,
// and a user's save of it writes the same bytes without any warning.
TEST_F(SampleMaps, AreTheGeneratorsOwnAndSurviveASaveUnchanged) {
  WriteFile("game/Zarnok.exe", {1});  // no start-up warning
  Start();
  const auto maps = samples::SampleMaps();
  ASSERT_EQ(maps.size(), 2u);
  for (const samples::NamedMap& m : maps) {
    SCOPED_TRACE(m.fileName);
    const std::string committed = std::string(QUORVEL_SOURCE_DIR) + "/maps/" + m.fileName;
    const std::vector<uint8_t> bytes = ReadFile(committed);
    ASSERT_EQ(bytes, samples::SampleMapBytes(*m.doc)) << "run: cmake --build build --target sample_maps";

    const std::string path = WriteFile(m.fileName, bytes);
    OpenByPath(*ed, path);
    ASSERT_TRUE(host.messages.empty());
    const MapDocument& d = ed->doc;
    for (const Problem& p : CheckMapProblems(d, path)) ADD_FAILURE() << p.text;
    EXPECT_TRUE(FindDuplicateVertices(d).empty());
    EXPECT_GE(d.polygonLast, 30);
    EXPECT_GE(d.spawnLast, 7);
    EXPECT_GE(d.sceneryLast, 15);
    EXPECT_GE(d.colliderLast, 2);
    EXPECT_GT(d.info.sectorSize, 0);  // compiled
    int onPath[3] = {0, 0, 0};
    for (int i = 0; i <= d.waypointLast; ++i) {
      ++onPath[d.waypoints[i].path == 2 ? 2 : 1];
      EXPECT_GT(d.waypoints[i].connectionCount, 0) << "waypoint " << i;
    }
    EXPECT_GE(onPath[1], 5);
    EXPECT_GE(onPath[2], 5);

    host.randoms = {0.0};  // the stamp the generator writes
    ASSERT_TRUE(WriteMap(*ed, path));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ReadFile(path), bytes);
  }
  EXPECT_EQ(maps[1].fileName.substr(0, 4), "ctf_");
  EXPECT_EQ(maps[1].doc->spawns[0].type, 1);
  EXPECT_EQ(maps[1].doc->spawns[1].type, 2);
}

// The build's "Prefab" folder beside quorvel holds every prefab, whole and in save order.
TEST(SamplePrefabs, AreBesideTheBuiltEditorAndWhole) {
  const auto prefabs = samples::SamplePrefabs();
  EXPECT_GE(prefabs.size(), 4u);
  for (const samples::NamedMap& p : prefabs) {
    SCOPED_TRACE(p.fileName);
    const fs::path path = fs::path(QUORVEL_BUILT_APP_FOLDER) / "Prefab" / p.fileName;
    ASSERT_TRUE(fs::is_regular_file(path));
    std::vector<uint8_t> expected;
    EncodePrefab(*p.doc, expected);
    EXPECT_EQ(fs::file_size(path), expected.size());
    const PrefabContents pre = DecodePrefab(expected);
    EXPECT_FALSE(pre.truncated);
    EXPECT_TRUE(pre.polygonLast >= 0 || pre.sceneryLast >= 0);
    MapDocument again = *p.doc;
    NormaliseForSave(again);
    EXPECT_TRUE(FindDuplicateVertices(again).empty());
    std::vector<uint8_t> resaved;
    EncodePrefab(again, resaved);
    EXPECT_EQ(resaved, expected);
  }
}

// Each sample map names a texture kept beside it in maps/, exactly as the generator draws it: an
// 8-bit grey BMP that repeats without a seam (its opposite edges differ no more than neighbours).
TEST(SampleTextures, LieBesideTheMapsThatNameThem) {
  const auto textures = samples::SampleTextures();
  const auto maps = samples::SampleMaps();
  ASSERT_EQ(textures.size(), maps.size());
  for (size_t i = 0; i < maps.size(); ++i) {
    SCOPED_TRACE(textures[i].fileName);
    const std::string& field = maps[i].doc->info.textureName;
    EXPECT_EQ(field.substr(0, field.find('\0')), textures[i].fileName);
    std::ifstream in(std::string(QUORVEL_SOURCE_DIR) + "/maps/" + textures[i].fileName, std::ios::binary);
    const std::vector<uint8_t> committed((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(committed, textures[i].bytes) << "run: cmake --build build --target sample_maps";
    const std::vector<uint8_t>& b = textures[i].bytes;
    ASSERT_GT(b.size(), 1078u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(fixtures::ReadI32(b, 2), int32_t(b.size()));
    EXPECT_EQ(fixtures::ReadI32(b, 18), samples::kSampleTextureSide);
    EXPECT_EQ(fixtures::ReadI16(b, 28), 8);
    const int side = samples::kSampleTextureSide;
    const auto grey = [&](int x, int y) { return int(b[size_t(1078 + (side - 1 - y) * side + x)]); };
    long seam = 0, inner = 0;
    for (int k = 0; k < side; ++k) {
      seam += std::abs(grey(0, k) - grey(side - 1, k)) + std::abs(grey(k, 0) - grey(k, side - 1));
      inner += std::abs(grey(side / 2, k) - grey(side / 2 - 1, k)) + std::abs(grey(k, side / 2) - grey(k, side / 2 - 1));
    }
    EXPECT_LE(seam, inner * 2) << "seam " << seam << ", inside " << inner;
  }
}

}  // namespace
}  // namespace quorvel
