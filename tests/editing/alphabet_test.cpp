// The letter prefabs the build ships beside the program.
#include <gtest/gtest.h>

#include <cmath>

#include "alphabet/glyphs.h"
#include "document/file_io.h"
#include "document/prefab_file.h"
#include "document/save_normalise.h"

namespace quorvel {
namespace {

TEST(Alphabet, EveryLetterIsAPrefabOfThinSolidTrianglesInItsBox) {
  std::string shipped;
  for (const alphabet::Glyph& g : alphabet::kGlyphs) shipped += g.code;
  for (char c : std::string("abcdefghijklmnopqrstuvwxyz0123456789")) EXPECT_NE(shipped.find(c), std::string::npos) << c;

  for (const alphabet::Glyph& g : alphabet::kGlyphs) {
    SCOPED_TRACE(std::string(1, g.code));
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(ReadWholeFile(std::string(QUORVEL_BUILT_APP_FOLDER) + "/Alphabet/" +
                                  std::to_string(static_cast<unsigned char>(g.code)) + ".pre",
                              bytes, error));
    const PrefabContents pre = DecodePrefab(bytes);
    EXPECT_EQ(pre.version, "1.0");
    ASSERT_FALSE(pre.polygons.empty());
    EXPECT_EQ(bytes.size(), kPrefabHeaderSize + kPrefabPolygonSize * pre.polygons.size());  // polygons only

    MapDocument doc;
    doc.polygonLast = 0;
    for (size_t p = 0; p < pre.polygons.size(); ++p) {
      const auto& c = doc.polygons[0].corner = pre.polygons[p].corner;
      const double cross = (double(c[1].x) - c[0].x) * (double(c[2].y) - c[0].y) -
                           (double(c[1].y) - c[0].y) * (double(c[2].x) - c[0].x);
      EXPECT_GT(cross, 1.0) << p;                  // a proper triangle...
      EXPECT_TRUE(OrientationInOrder(doc, 0)) << p;  // ...that a save keeps as it is
      for (int k = 0; k < 3; ++k) {
        const Vertex& v = c[k];
        EXPECT_TRUE(v.x >= 0 && v.x <= alphabet::GlyphBoxWidth(g) && v.y >= 0 && v.y <= alphabet::kGlyphHeight) << p;
        EXPECT_TRUE(v.colour == (Colour4{255, 255, 255, 255}) && v.z == 1 && v.rhw == 1) << p;
        EXPECT_TRUE(v.tu == float(v.x / 160.0) && v.tv == float(v.y / 120.0)) << p;
        const Vertex& next = c[(k + 1) % 3];
        const Normal solid = EdgeNormal(float(double(v.x) - next.x), float(double(v.y) - next.y));
        EXPECT_TRUE(pre.normals[p].normal[k].x == solid.x && pre.normals[p].normal[k].y == solid.y) << p;
      }
    }
  }
}

}  // namespace
}  // namespace quorvel
