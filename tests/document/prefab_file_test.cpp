#include "document/prefab_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "fixtures/map_builder.h"

namespace quorvel {
namespace {

using fixtures::ReadF32;
using fixtures::ReadI16;

TEST(PrefabFile, EmptyMapGivesTheBareHeader) {
  MapDocument doc = fixtures::NewMap();
  std::vector<uint8_t> b;
  EncodePrefab(doc, b);
  ASSERT_EQ(b.size(), 29u);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 3), "1.0");
  EXPECT_EQ(ReadI16(b, 3), -1);
  EXPECT_EQ(ReadI16(b, 5), -1);
  EXPECT_EQ(ReadI16(b, 7), -1);
  EXPECT_EQ(std::string(b.begin() + 9, b.end()), "New                 ");
  PrefabContents c = DecodePrefab(b);
  EXPECT_EQ(c.version, "1.0");
  EXPECT_TRUE(c.polygons.empty());
  EXPECT_TRUE(c.scenery.empty());
  EXPECT_TRUE(c.colliders.empty());
  EXPECT_FALSE(c.truncated);
}

TEST(PrefabFile, RecordsFollowTheHeaderInOrder) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 1, 2, 3, 4, 5, 6);
  fixtures::AddTriangle(doc, 7, 8, 9, 10, 11, 12);
  fixtures::AddScenery(doc, 40, 41, 3);
  fixtures::AddCollider(doc, 50, 51, 9);
  doc.colliders[0].authorChar = 'Q';
  fixtures::AddSpawn(doc, 1, 1);      // spawns and waypoints never travel
  fixtures::AddWaypoint(doc, 1, 1);
  std::vector<uint8_t> b;
  EncodePrefab(doc, b);
  ASSERT_EQ(b.size(), 29u + 2 * 120 + 36 + 16);
  EXPECT_EQ(ReadI16(b, 3), 1);
  EXPECT_EQ(ReadI16(b, 5), 0);
  EXPECT_EQ(ReadI16(b, 7), 0);
  EXPECT_EQ(ReadF32(b, 29), 1.0f);            // polygon 0 corner 0 x
  EXPECT_EQ(ReadF32(b, 29 + 84 + 4), doc.polygonNormals[0].normal[0].y);
  EXPECT_EQ(ReadF32(b, 29 + 120), 7.0f);      // polygon 1
  EXPECT_EQ(b[29 + 240 + 1], 3);              // scenery style
  EXPECT_EQ(ReadF32(b, 29 + 240 + 12), 40.0f);
  EXPECT_EQ(b[29 + 240 + 36 + 3], 'Q');       // the author byte travels with its collider
  EXPECT_EQ(ReadF32(b, 29 + 240 + 36 + 12), 9.0f);

  PrefabContents c = DecodePrefab(b);
  ASSERT_EQ(c.polygons.size(), 2u);
  EXPECT_EQ(c.polygons[1].corner[2].y, 12.0f);
  EXPECT_EQ(c.normals[0].normal[0].y, doc.polygonNormals[0].normal[0].y);
  ASSERT_EQ(c.scenery.size(), 1u);
  EXPECT_EQ(c.scenery[0].x, 40.0f);
  ASSERT_EQ(c.colliders.size(), 1u);
  EXPECT_EQ(c.colliders[0].radius, 9.0f);
}

TEST(PrefabFile, LongAuthorIsCutSoTheHeaderKeepsItsSize) {
  MapDocument doc = fixtures::NewMap();
  doc.info.authorName = "An author name that is much longer than twenty";
  std::vector<uint8_t> b;
  EncodePrefab(doc, b);
  ASSERT_EQ(b.size(), 29u);
  EXPECT_EQ(std::string(b.begin() + 9, b.end()), "An author name that ");
}

TEST(PrefabFile, CountsBeyondTheBytesAreNotTrusted) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 1, 2, 3, 4, 5, 6);
  std::vector<uint8_t> b;
  EncodePrefab(doc, b);
  int16_t huge = 32767;
  std::memcpy(&b[3], &huge, 2);
  std::memcpy(&b[5], &huge, 2);
  PrefabContents c = DecodePrefab(b);
  EXPECT_TRUE(c.truncated);
  EXPECT_EQ(c.polygons.size(), 1u);
  EXPECT_TRUE(c.scenery.empty());

  // A file that ends inside its polygons has no sceneries or colliders: their bytes would lie
  // after every announced polygon.
  MapDocument three = fixtures::NewMap();
  fixtures::AddTriangle(three, 1, 2, 3, 4, 5, 6);
  fixtures::AddScenery(three, 7, 8);
  fixtures::AddCollider(three, 9, 10);
  std::vector<uint8_t> shortFile;
  EncodePrefab(three, shortFile);
  const int16_t lasts[3] = {4, 2, 1};  // 5 polygons, 3 sceneries, 2 colliders announced
  std::memcpy(&shortFile[3], lasts, sizeof lasts);
  for (const size_t size : {size_t{89}, size_t{29 + 120 + 36}}) {
    shortFile.resize(size);
    const PrefabContents cut = DecodePrefab(shortFile);
    EXPECT_TRUE(cut.truncated);
    EXPECT_EQ(cut.polygons.size(), size > 149 ? 1u : 0u);
    EXPECT_TRUE(cut.scenery.empty()) << size;
    EXPECT_TRUE(cut.colliders.empty()) << size;
  }

  PrefabContents empty = DecodePrefab({});
  EXPECT_NE(empty.version, "1.0");
  EXPECT_TRUE(empty.truncated);
  EXPECT_TRUE(empty.polygons.empty());

  int16_t negative = -300;
  std::memcpy(&b[3], &negative, 2);
  EXPECT_TRUE(DecodePrefab(b).polygons.empty());
}

}  // namespace
}  // namespace quorvel
