#include "document/save_normalise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "fixtures/map_builder.h"

namespace quorvel {
namespace {

TEST(VectorAngleTest, QuadrantsAndZeroComponents) {
  EXPECT_NEAR(VectorAngle(-1, -1), -3 * std::numbers::pi / 4, 1e-6);
  EXPECT_NEAR(VectorAngle(-1, 1), 3 * std::numbers::pi / 4, 1e-6);
  EXPECT_NEAR(VectorAngle(0, 5), std::numbers::pi / 2, 1e-6);
  EXPECT_NEAR(VectorAngle(-3, 0), std::numbers::pi, 1e-6);
  EXPECT_NEAR(VectorAngle(1, 0), 0, 1e-6);
}

TEST(Winding, ClockwiseTrianglesStayAndOthersSwapCorners) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 0, 0, 10, 0, 0, 10);                        // in order
  fixtures::AddTriangle(doc, 0, 0, 0, 10, 10, 0, {1, 2, 3, 200});        // reversed
  doc.polygons[1].corner[0].colour = {1, 2, 3, 11};
  doc.polygons[1].corner[1].colour = {4, 5, 6, 22};
  doc.polygons[1].corner[1].z = 5;
  doc.polygons[1].corner[0].tu = 0.25f;
  doc.polygons[1].corner[1].tu = 0.75f;
  EXPECT_TRUE(OrientationInOrder(doc, 0));
  EXPECT_FALSE(OrientationInOrder(doc, 1));
  KorjaaSuunnat(doc);
  const auto& a = doc.polygons[0].corner;
  EXPECT_EQ(a[0].x, 0);
  EXPECT_EQ(a[1].x, 10);
  const auto& b = doc.polygons[1].corner;
  EXPECT_EQ(b[0].x, 0);
  EXPECT_EQ(b[0].y, 10);
  EXPECT_EQ(b[1].x, 0);
  EXPECT_EQ(b[1].y, 0);
  EXPECT_EQ(b[2].x, 10);
  EXPECT_FLOAT_EQ(b[0].tv, 10.0f / 120);
  EXPECT_EQ(b[0].tu, 0.75f);  // texture coordinates travel with the corner
  EXPECT_EQ(b[1].tu, 0.25f);
  EXPECT_EQ(b[0].colour.blue, 4);  // colours travel with the corner
  EXPECT_EQ(b[0].colour.alpha, 11);  // alpha, z and rhw stay with the slot
  EXPECT_EQ(b[1].colour.alpha, 22);
  EXPECT_EQ(b[1].z, 5);
  EXPECT_TRUE(OrientationInOrder(doc, 1));
}

TEST(Winding, TrianglesWithoutAreaOrWithNaNAreLeftAsTheyAre) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 0, 100, 64, 100, 128, 100);  // corners on one line
  fixtures::AddTriangle(doc, 64, 100, 0, 100, 128, 100);  // the same, other order
  fixtures::AddTriangle(doc, 5, 5, 5, 5, 5, 5);           // one point
  fixtures::AddTriangle(doc, std::nanf(""), 0, 10, 0, 0, 10);
  const MapDocument before = doc;
  for (int round = 0; round < 2; ++round) {
    KorjaaSuunnat(doc);
    for (int p = 0; p <= doc.polygonLast; ++p)
      for (int k = 0; k < 3; ++k) {
        const Vertex& v = doc.polygons[size_t(p)].corner[size_t(k)];
        const Vertex& w = before.polygons[size_t(p)].corner[size_t(k)];
        EXPECT_TRUE(v.x == w.x || (std::isnan(v.x) && std::isnan(w.x))) << p << "/" << k;
        EXPECT_EQ(v.y, w.y) << p << "/" << k;
      }
  }
}

TEST(Normals, SolidPolygonsGetUnitNormalsWithoutZeroComponents) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 0, 0, 10, 0, 0, 10);
  fixtures::AddTriangle(doc, 0, 0, 10, 0, 0, 10, {255, 255, 255, 255}, true);
  doc.polygonNormals[0].normal[0] = {0, 0.5f, 9};  // solid: one y non-zero
  for (int save = 0; save < 3; ++save) RecomputeNormals(doc);
  for (int k = 0; k < 3; ++k) {
    const Normal& n = doc.polygonNormals[0].normal[k];
    EXPECT_NEAR(std::hypot(n.x, n.y), 1.0, 1e-6);
    EXPECT_NE(n.x, 0);
    EXPECT_NE(n.y, 0);
    const Normal& p = doc.polygonNormals[1].normal[k];
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
  }
  EXPECT_EQ(doc.polygonNormals[0].normal[0].z, 9);  // z is never computed
  // Edge 0 runs from (0,0) to (10,0): dx = -10, dy = 0 -> (1e-14/len, 1)
  EXPECT_FLOAT_EQ(doc.polygonNormals[0].normal[0].y, 1.0f);
  Normal n = EdgeNormal(0, 0);
  EXPECT_NE(n.x, 0);
  EXPECT_NE(n.y, 0);
}

TEST(Spawns, CoordinateBytesMatchTheGame) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddSpawn(doc, 0, 0);
  fixtures::AddSpawn(doc, 0, 0);
  fixtures::AddSpawn(doc, 0, 0);
  doc.spawns[0].x = 256000;
  doc.spawns[0].y = -512;
  doc.spawns[1].x = -768;
  doc.spawns[1].y = 512;
  doc.spawns[2].x = 640;  // 2.5 -> 2
  doc.spawns[2].y = 2147483647;
  NormaliseSpawns(doc);
  EXPECT_EQ(doc.spawns[0].x, 256000);
  EXPECT_EQ(doc.spawns[0].y, -512);
  EXPECT_EQ(doc.spawns[0].signByte, 255);
  EXPECT_EQ(doc.spawns[1].x, -768);
  EXPECT_EQ(doc.spawns[1].y, 511);
  EXPECT_EQ(doc.spawns[1].signByte, 0);
  EXPECT_EQ(doc.spawns[2].x, 512);
  EXPECT_EQ(doc.spawns[2].y, 8388607 * 256);  // kept in range with its low byte 0, not wrapped
  EXPECT_EQ(doc.spawns[2].signByte, 0);
}

TEST(TailClear, RecordsAboveTheLastIndicesAreZeroedExceptAuthorBytes) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 0, 0, 10, 0, 0, 10);
  fixtures::AddTriangle(doc, 5, 5, 10, 0, 0, 10);
  fixtures::AddCollider(doc, 1, 1);
  fixtures::AddCollider(doc, 2, 2);
  doc.colliders[1].authorChar = 'x';
  doc.colliders[1].extra = {7, 8};
  doc.polygonLast = 0;
  doc.colliderLast = 0;
  doc.sectors[3].count = 4;
  NormaliseForSave(doc);
  EXPECT_EQ(doc.polygons[1].corner[0].x, 0);
  EXPECT_EQ(doc.colliders[1].active, 0);
  EXPECT_EQ(doc.colliders[1].x, 0);
  EXPECT_EQ(doc.colliders[1].authorChar, 'x');
  EXPECT_EQ(doc.colliders[1].extra[1], 8);
  EXPECT_EQ(doc.sectors[3].count, 4);
  EXPECT_EQ(doc.polygons[0].corner[0].x, 0);
  EXPECT_EQ(doc.colliders[0].x, 1);
}

TEST(Duplicates, OnlyCornerPairsZeroOneAndOneTwo) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 0, 0, 0, 0, 5, 5);   // 0 and 1 equal
  fixtures::AddTriangle(doc, 3, 3, 9, 9, 3, 3);   // 2 and 0 equal: not reported
  fixtures::AddTriangle(doc, 1, 0, 2, 2, 2, 2);   // 1 and 2 equal
  auto found = FindDuplicateVertices(doc);
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found[0], (VertexRef{0, 0}));
  EXPECT_EQ(found[1], (VertexRef{0, 1}));
  EXPECT_EQ(found[2], (VertexRef{2, 1}));
  EXPECT_EQ(found[3], (VertexRef{2, 2}));
}

TEST(CtfCheck, NamesAndSpawnOrder) {
  MapDocument doc = fixtures::NewMap();
  EXPECT_EQ(CheckCtfSpawns(doc, "/m/test.pmp"), SpawnWarning::None);  // no spawns
  fixtures::AddSpawn(doc, 0, 0, 1);
  fixtures::AddSpawn(doc, 0, 0, 2);
  EXPECT_EQ(CheckCtfSpawns(doc, "/m/ctf_test.pmp"), SpawnWarning::None);
  EXPECT_EQ(CheckCtfSpawns(doc, "C:\\maps\\CTF_x.pmp"), SpawnWarning::None);
  doc.spawns[0].type = 2;
  doc.spawns[1].type = 1;
  EXPECT_EQ(CheckCtfSpawns(doc, "/m/ctf_test.pmp"), SpawnWarning::CtfOrder);
  EXPECT_EQ(CheckCtfSpawns(doc, "/m/test.pmp"), SpawnWarning::NotCtfName);
  doc.spawnLast = 0;  // a single spawn on a CTF name is fine
  EXPECT_EQ(CheckCtfSpawns(doc, "/m/ctf_test.pmp"), SpawnWarning::None);
  doc.spawns[0].type = 0;
  EXPECT_EQ(CheckCtfSpawns(doc, "/m/test.pmp"), SpawnWarning::None);
  EXPECT_EQ(CheckCtfSpawns(doc, "/ctf_dir/test.pmp"), SpawnWarning::None);  // only the file name counts
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

TEST(Winding, AgreesWithTheAngleTestAndOneSaveSettlesEveryTriangle) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> pos(-500, 500);
  std::uniform_real_distribution<float> exponent(-40, 38);
  MapDocument doc = fixtures::NewMap();
  doc.polygonLast = 0;
  for (int i = 0; i < 200000; ++i) {
    auto& c = doc.polygons[0].corner;
    for (auto& v : c) {
      v.x = pos(rng);
      v.y = pos(rng);
    }
    const bool plain = i % 5 == 0 || i % 5 == 3;
    if (i % 5 == 1) c[2] = c[1];                              // coincident corners
    if (i % 5 == 2) c[2].x = c[0].x + (c[1].x - c[0].x) * 2,  // nearly collinear
                    c[2].y = c[0].y + (c[1].y - c[0].y) * 2;
    if (i % 5 == 3) c[1].x = c[0].x;                          // a vertical edge
    if (i % 5 == 4) {  // wildly different magnitudes
      for (auto& v : c) {
        v.x = std::copysign(std::pow(10.0f, exponent(rng)), v.x);
        v.y *= std::pow(10.0f, exponent(rng));
      }
    }
    if (plain) {
      ASSERT_EQ(OrientationInOrder(doc, 0), OrientationByAngles(doc.polygons[0])) << i;
    }
    KorjaaSuunnat(doc);
    ASSERT_TRUE(OrientationInOrder(doc, 0)) << i;  // a second save swaps nothing back
  }
}

}  // namespace
}  // namespace quorvel
