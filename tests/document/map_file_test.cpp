#include "document/map_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "document/numeric.h"
#include "fixtures/map_builder.h"

namespace quorvel {
namespace {

using fixtures::ReadF32;
using fixtures::ReadI16;
using fixtures::ReadI32;

std::vector<uint8_t> Encode(const MapDocument& doc, const UndoExtension* ext = nullptr) {
  std::vector<uint8_t> out;
  EncodeMap(doc, ext, out);
  return out;
}

TEST(MapFileLayout, EveryFieldAtItsOffset) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 1, 2, 3, 4, 5, 6, {10, 20, 30, 255});
  doc.polygonNormals[0].normal[2].z = 7.5f;
  fixtures::AddSpawn(doc, 3, -2, 2);
  fixtures::AddScenery(doc, 11, 12, 17, 0.25f);
  fixtures::AddWaypoint(doc, 100, -50, 2);
  fixtures::Link(doc, 0, 0);
  fixtures::AddCollider(doc, 21, 22, 33);
  doc.info.extraByte1 = 0xA1;
  doc.info.extraByte2 = 0xA2;
  doc.info.extraByte4 = 0xA4;
  doc.info.extraByte5 = 0xA5;
  doc.info.extraBlock[0] = 0xB0;
  doc.info.extraBlock[32] = 0xB1;
  doc.info.saveStamp = 777;
  doc.info.backgroundTop = {1, 2, 3, 4};
  doc.info.backgroundBottom = {5, 6, 7, 8};
  doc.sectors[0].entry[0] = 1;
  doc.sectors[0].count = 1;
  doc.sectors[960].count = 200;
  doc.colliders[0].authorChar = 'N';

  auto b = Encode(doc);
  ASSERT_EQ(b.size(), kMapFileSize);
  // Polygon 0, corner 0: x y z rhw, colour b g r a, tu tv.
  EXPECT_EQ(ReadF32(b, 0), 1.0f);
  EXPECT_EQ(ReadF32(b, 4), 2.0f);
  EXPECT_EQ(ReadF32(b, 8), 1.0f);
  EXPECT_EQ(ReadF32(b, 12), 1.0f);
  EXPECT_EQ(b[16], 10);
  EXPECT_EQ(b[17], 20);
  EXPECT_EQ(b[18], 30);
  EXPECT_EQ(b[19], 255);
  EXPECT_FLOAT_EQ(ReadF32(b, 20), 1.0f / 160);
  EXPECT_FLOAT_EQ(ReadF32(b, 24), 2.0f / 120);
  EXPECT_EQ(ReadF32(b, 28), 3.0f);   // corner 1 x
  EXPECT_EQ(ReadF32(b, 56), 5.0f);   // corner 2 x
  EXPECT_EQ(ReadF32(b, 33600 + 32), 7.5f);  // normal 2 z of polygon 0
  EXPECT_EQ(ReadI16(b, 48000), 1);
  EXPECT_EQ(b[48002], 0xA1);
  EXPECT_EQ(b[48003], 0xA2);
  EXPECT_EQ(b[48004], 10);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[48005]), 26), PadTextureName("banana.bmp"));
  EXPECT_EQ(ReadI32(b, 48031), 256);          // spawn 0 active
  EXPECT_EQ(ReadI32(b, 48031 + 4), 3 * 256);  // x
  EXPECT_EQ(ReadI32(b, 48031 + 8), -2 * 256);
  EXPECT_EQ(b[48031 + 13], 2);  // type
  EXPECT_EQ(b[48511], 0xB0);
  EXPECT_EQ(b[48543], 0xB1);
  EXPECT_EQ(ReadI16(b, 48544), 1);        // sector 0 entry 0
  EXPECT_EQ(ReadI16(b, 48544 + 400), 1);  // sector 0 count
  EXPECT_EQ(ReadI16(b, 48544 + 960 * 402 + 400), 200);
  EXPECT_EQ(b[434866], 0xA4);
  EXPECT_EQ(b[434867], 0xA5);
  EXPECT_EQ(ReadI32(b, 434868), 30);
  EXPECT_EQ(b[434872], 1);
  EXPECT_EQ(b[434875], 4);
  EXPECT_EQ(b[434876], 5);
  EXPECT_EQ(b[434879], 8);
  EXPECT_EQ(b[434880], 1);   // scenery active
  EXPECT_EQ(b[434881], 17);  // style
  EXPECT_EQ(ReadI32(b, 434880 + 4), 10);  // width of a barrel
  EXPECT_EQ(ReadF32(b, 434880 + 12), 11.0f);
  EXPECT_EQ(ReadF32(b, 434880 + 20), 0.25f);  // rotation
  EXPECT_EQ(b[434880 + 32], 255);             // alpha
  EXPECT_EQ(ReadI32(b, 444060), 777);
  EXPECT_EQ(ReadI32(b, 444064), 1);       // waypoint active
  EXPECT_EQ(ReadI32(b, 444064 + 4), 1);   // id
  EXPECT_EQ(ReadI32(b, 444064 + 8), 100);  // plain world units in the file
  EXPECT_EQ(ReadI32(b, 444064 + 12), -50);
  EXPECT_EQ(ReadI32(b, 444064 + 24), 2);   // path
  EXPECT_EQ(ReadI32(b, 444064 + 28), 1);   // connectionCount
  EXPECT_EQ(ReadI32(b, 444064 + 32), 1);   // connection 0
  EXPECT_EQ(b[500064], 1);                 // collider active
  EXPECT_EQ(b[500064 + 3], 'N');
  EXPECT_EQ(ReadF32(b, 500064 + 4), 21.0f);
  EXPECT_EQ(ReadF32(b, 500064 + 12), 33.0f);
}

TEST(MapFileLayout, UndoExtensionIsPackedAfterTheMap) {
  MapDocument doc = fixtures::NewMap();
  UndoExtension ext;
  SelectionState& s = ext.selection;
  s.leftDragActive = -1;
  s.movingSelection = -1;
  s.selRect = {1, 2, 3, 4};
  s.selLast = 7;
  s.selVertexCorner[0] = 2;
  s.selVertexPolygon[1199] = 399;
  s.selVertexLast = 3;
  s.selSpawn[29] = 29;
  s.selSpawnLast = 0;
  s.selScenery[254] = 254;
  s.selSceneryLast = 1;
  s.rotatingScenery = -1;
  s.sizingScenery = -1;
  s.selWaypoint[499] = 499;
  s.selWaypointLast = 2;
  s.connectFrom = 5;
  s.pointerWorldX = -30;
  s.pointerWorldY = 40;
  s.selCollider[127] = 127;
  s.selColliderLast = 0;
  s.moveSnapshotTaken = -1;
  ext.currentTool = 4;
  auto b = Encode(doc, &ext);
  ASSERT_EQ(b.size(), kUndoFileSize);
  EXPECT_EQ(ReadI16(b, 502112), -1);
  EXPECT_EQ(ReadI16(b, 502114), -1);
  EXPECT_EQ(ReadF32(b, 502116), 1.0f);
  EXPECT_EQ(ReadF32(b, 502128), 4.0f);
  EXPECT_EQ(ReadI16(b, 502132), 7);
  EXPECT_EQ(b[502134], 2);
  EXPECT_EQ(ReadI16(b, 503334 + 2 * 1199), 399);
  EXPECT_EQ(ReadI16(b, 505734), 3);
  EXPECT_EQ(b[505736 + 29], 29);
  EXPECT_EQ(ReadI16(b, 505766), 0);
  EXPECT_EQ(b[505768 + 254], 254);
  EXPECT_EQ(ReadI16(b, 506023), 1);  // right after the 255 bytes: no filler
  EXPECT_EQ(ReadI16(b, 506025), -1);
  EXPECT_EQ(ReadI16(b, 506027), -1);
  EXPECT_EQ(ReadI16(b, 506029 + 2 * 499), 499);
  EXPECT_EQ(ReadI16(b, 507029), 2);
  EXPECT_EQ(ReadI16(b, 507031), 5);
  EXPECT_EQ(ReadI16(b, 507033), -30);
  EXPECT_EQ(ReadI16(b, 507035), 40);
  EXPECT_EQ(b[507037 + 127], 127);
  EXPECT_EQ(ReadI16(b, 507165), 0);
  EXPECT_EQ(ReadI16(b, 507167), -1);
  EXPECT_EQ(ReadI16(b, 507169), 4);

  MapDocument back = fixtures::NewMap();
  UndoExtension read;
  DecodeMap(b, back, &read);
  EXPECT_EQ(read.currentTool, 4);
  EXPECT_EQ(read.selection.selVertexPolygon[1199], 399);
  EXPECT_EQ(read.selection.pointerWorldX, -30);
  EXPECT_EQ(read.selection.selSceneryLast, 1);
  EXPECT_EQ(read.selection.selRect.bottom, 4.0f);
}

TEST(MapFileRoundTrip, AMaximalMapReadsBackIdentical) {
  MapDocument doc = fixtures::SpreadMap();
  for (int i = 0; i <= doc.waypointLast; ++i) {  // whole world units, as a file gives them
    doc.waypoints[i].x = doc.waypoints[i].x / 256 * 256;
    doc.waypoints[i].y = doc.waypoints[i].y / 256 * 256;
  }
  doc.info.authorName.clear();
  auto bytes = Encode(doc);
  MapDocument back;
  back.Clear(false);
  DecodeReport report = DecodeMap(bytes, back, nullptr);
  EXPECT_TRUE(report.complete);
  EXPECT_FALSE(report.countClamped);
  EXPECT_EQ(back.polygonLast, 399);
  EXPECT_EQ(back.spawnLast, 29);
  EXPECT_EQ(back.sceneryLast, 254);
  EXPECT_EQ(back.waypointLast, 499);
  EXPECT_EQ(back.colliderLast, 127);
  EXPECT_EQ(Encode(back), bytes);
}

TEST(MapFileRead, LastIndicesStopAtTheFirstUnusedRecord) {
  MapDocument doc = fixtures::NewMap();
  for (int i = 0; i < 6; ++i) fixtures::AddSpawn(doc, float(i), 0);
  doc.spawns[3].active = 0;  // a gap
  doc.spawns[1].active = 5;  // any non-zero value is used
  fixtures::AddScenery(doc, 0, 0);
  fixtures::AddScenery(doc, 0, 0);
  doc.scenery[1].active = 2;  // only 1 counts for scenery
  auto bytes = Encode(doc);
  MapDocument back;
  DecodeMap(bytes, back, nullptr);
  EXPECT_EQ(back.spawnLast, 2);
  EXPECT_EQ(back.sceneryLast, 0);
  EXPECT_EQ(back.colliderLast, -1);
}

TEST(MapFileRead, WaypointsAreScaledAndRoundedHalfToEven) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddWaypoint(doc, 0, 0);
  fixtures::AddWaypoint(doc, 0, 0);
  doc.waypoints[0].x = 25754;     // 100.6 world units
  doc.waypoints[0].y = 640;       // 2.5 -> 2
  doc.waypoints[1].x = 896;       // 3.5 -> 4
  doc.waypoints[1].y = -640;      // -2.5 -> -2
  auto bytes = Encode(doc);
  EXPECT_EQ(ReadI32(bytes, 444064 + 8), 101);
  EXPECT_EQ(ReadI32(bytes, 444064 + 12), 2);
  EXPECT_EQ(ReadI32(bytes, 444064 + 112 + 8), 4);
  EXPECT_EQ(ReadI32(bytes, 444064 + 112 + 12), -2);
  MapDocument back;
  DecodeMap(bytes, back, nullptr);
  EXPECT_EQ(back.waypoints[0].x, 25856);
  EXPECT_EQ(back.waypoints[1].y, -512);
}

TEST(MapFileRead, AuthorComesFromTheCollidersAndIsCutAt21Characters) {
  MapDocument doc = fixtures::NewMap();
  const std::string name19 = "abcdefghijklmnopqrs";
  for (size_t i = 0; i < name19.size(); ++i) doc.colliders[i].authorChar = uint8_t(name19[i]);
  MapDocument back;
  DecodeMap(Encode(doc), back, nullptr);
  EXPECT_EQ(back.info.authorName, name19);

  for (int i = 0; i < 30; ++i) doc.colliders[i].authorChar = uint8_t('A' + i % 26);
  DecodeMap(Encode(doc), back, nullptr);
  EXPECT_EQ(back.info.authorName, "ABCDEFGHIJKLMNOPQRSTU");

  doc.colliders[0].authorChar = 0xE9;  // é in the single-byte code page
  doc.colliders[1].authorChar = 0;
  DecodeMap(Encode(doc), back, nullptr);
  EXPECT_EQ(back.info.authorName, "\xC3\xA9");
}

TEST(MapFileBadInput, PolygonCountOutsideTheArrayIsClamped) {
  MapDocument doc = fixtures::NewMap();
  auto bytes = Encode(doc);
  for (int16_t count : {int16_t(32767), int16_t(401), int16_t(-1), int16_t(-32768)}) {
    std::memcpy(&bytes[48000], &count, 2);
    MapDocument back;
    DecodeReport r = DecodeMap(bytes, back, nullptr);
    EXPECT_TRUE(r.countClamped) << count;
    EXPECT_EQ(r.countInFile, count);
    EXPECT_GE(back.polygonLast, -1);
    EXPECT_LE(back.polygonLast, 399);
    EXPECT_EQ(Encode(back).size(), kMapFileSize);  // writing it back indexes nothing out of range
  }
  int16_t count = 400;
  std::memcpy(&bytes[48000], &count, 2);
  MapDocument back;
  EXPECT_FALSE(DecodeMap(bytes, back, nullptr).countClamped);
  EXPECT_EQ(back.polygonLast, 399);
  // A file that ends inside the count (opened with Shift) has no polygons, not its low byte's worth.
  count = 0x0105;
  std::memcpy(&bytes[48000], &count, 2);
  for (const size_t size : {size_t{48001}, size_t{48002}}) {
    MapDocument cut;
    DecodeMap(std::span<const uint8_t>(bytes.data(), size), cut, nullptr);
    EXPECT_EQ(cut.polygonLast, size == 48001 ? -1 : 260) << size;
  }
}

TEST(MapFileBadInput, HugeWaypointCoordinatesDoNotOverflow) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddWaypoint(doc, 0, 0);
  auto bytes = Encode(doc);
  int32_t big = 2000000000, small = -2147483647 - 1;
  std::memcpy(&bytes[444064 + 8], &big, 4);
  std::memcpy(&bytes[444064 + 12], &small, 4);
  MapDocument back;
  DecodeReport r = DecodeMap(bytes, back, nullptr);
  EXPECT_TRUE(r.waypointClamped);
  EXPECT_EQ(back.waypoints[0].x, 8388607 * 256);
  EXPECT_EQ(back.waypoints[0].y, -8388607 * 256);
  EXPECT_EQ(ReadI32(Encode(back), 444064 + 8), 8388607);
}

TEST(MapFileBadInput, TruncatedAndEmptyBuffersReadAsFarAsTheyGo) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 1, 1, 2, 2, 3, 1);
  auto bytes = Encode(doc);
  for (size_t cut : {size_t(0), size_t(1), size_t(40), size_t(48001), size_t(300000), kMapFileSize - 1}) {
    std::vector<uint8_t> part(bytes.begin(), bytes.begin() + long(cut));
    MapDocument back = fixtures::NewMap();
    DecodeReport r = DecodeMap(part, back, nullptr);
    EXPECT_FALSE(r.complete) << cut;
    EXPECT_GE(back.polygonLast, -1);
    EXPECT_LE(back.polygonLast, 399);
    if (cut > 84) {
      EXPECT_EQ(back.polygons[0].corner[0].x, 1.0f);
    }
  }
}

TEST(MapFileBadInput, RandomBytesNeverIndexOutOfRange) {
  std::mt19937 rng(2026);
  for (int round = 0; round < 20; ++round) {
    std::vector<uint8_t> bytes(round % 2 ? kMapFileSize : kUndoFileSize);
    for (auto& b : bytes) b = uint8_t(rng());
    MapDocument back;
    UndoExtension ext;
    DecodeMap(bytes, back, round % 2 ? nullptr : &ext);
    EXPECT_LE(back.polygonLast, 399);
    EXPECT_LE(back.spawnLast, 29);
    EXPECT_LE(back.sceneryLast, 254);
    EXPECT_LE(back.waypointLast, 499);
    EXPECT_LE(back.colliderLast, 127);
    EXPECT_LE(ext.selection.selVertexLast, 1199);
    EXPECT_LE(ext.selection.selWaypointLast, 499);
    EXPECT_LE(Utf8Length(back.info.authorName), 21u);
    std::vector<uint8_t> again;
    EncodeMap(back, nullptr, again);
    EXPECT_EQ(again.size(), kMapFileSize);
  }
}

}  // namespace
}  // namespace quorvel
