#include "document/map_document.h"

#include <gtest/gtest.h>

#include "fixtures/map_builder.h"

namespace quorvel {
namespace {

TEST(MapDocumentClear, WholeClearKeepsOnlyTheColliderCarryBytes) {
  MapDocument doc = fixtures::SpreadMap({10, 3, 3, 3, 3, 2});
  doc.colliders[5].extra = {1, 2};
  doc.colliders[5].authorChar = 'z';
  doc.sectors[100].count = 9;
  doc.Clear(false);
  EXPECT_EQ(doc.polygonLast, 9);  // last indices are never changed by a clear
  EXPECT_EQ(doc.polygons[0].corner[1].x, 0);
  EXPECT_EQ(doc.polygonNormals[0].normal[0].y, 0);
  EXPECT_EQ(doc.spawns[0].active, 0);
  EXPECT_EQ(doc.waypoints[0].connectionCount, 0);
  EXPECT_EQ(doc.sectors[100].count, 0);
  EXPECT_EQ(doc.colliders[0].active, 0);
  EXPECT_EQ(doc.colliders[0].radius, 0);
  EXPECT_EQ(doc.colliders[5].extra[1], 2);
  EXPECT_EQ(doc.colliders[5].authorChar, 'z');
}

TEST(MapDocumentClear, TailClearLeavesUsedRecordsAndSectors) {
  MapDocument doc = fixtures::SpreadMap({10, 3, 3, 3, 3, 2});
  for (int i = 3; i < 6; ++i) doc.waypoints[i] = doc.waypoints[0];  // clipboard copies
  doc.sectors[7].count = 2;
  doc.Clear(true);
  EXPECT_EQ(doc.waypoints[3].active, 0);
  EXPECT_EQ(doc.waypoints[2].active, 1);
  EXPECT_NE(doc.polygons[9].corner[0].x, 0);
  EXPECT_EQ(doc.sectors[7].count, 2);
  MapDocument empty = fixtures::NewMap();
  empty.polygons[0].corner[0].x = 3;  // above a last index of -1
  empty.Clear(true);
  EXPECT_EQ(empty.polygons[0].corner[0].x, 0);
}

TEST(MapDocumentTables, PaddingAndStyles) {
  EXPECT_EQ(PadTextureName("banana.bmp"), std::string("banana.bmp") + std::string(16, '\0'));
  EXPECT_EQ(PadTextureName(std::string(30, 'x')).size(), 26u);
  EXPECT_STREQ(sceneryNames[0], "");
  EXPECT_STREQ(sceneryNames[5], "Liana");
  EXPECT_STREQ(sceneryNames[21], "Big Crate");
  EXPECT_EQ(StyleSize(2).width, 200);
  EXPECT_EQ(StyleSize(15).height, 35);
  EXPECT_EQ(StyleSize(0).width, 0);
  EXPECT_EQ(StyleSize(22).width, 0);  // a style byte from a file outside the table
  EXPECT_EQ(StyleSize(255).height, 0);
}

}  // namespace
}  // namespace quorvel
