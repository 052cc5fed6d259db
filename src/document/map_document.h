#pragma once
// The one map the editor holds: fixed-capacity dense arrays with signed 16-bit last indices.
#include <array>
#include <cstdint>
#include <string>

#include "document/records.h"

namespace quorvel {

inline constexpr int kTextureNameLength = 26;

struct MapInfo {
  std::string textureName;  // exactly 26 single-byte (Windows-1252) characters, NUL-padded
  std::string authorName;   // UTF-8; stored in the colliders' byte 3 when saved
  int32_t sectorSize = 0;
  Colour4 backgroundTop;
  Colour4 backgroundBottom;
  int32_t saveStamp = 0;
  uint8_t extraByte1 = 0, extraByte2 = 0, extraByte3 = 0;
  std::array<uint8_t, 33> extraBlock{};
  uint8_t extraByte4 = 0, extraByte5 = 0;
  std::string fileName;  // full path of the open map; empty when never saved or loaded
};

struct MapDocument {
  std::array<Polygon, kMaxPolygons> polygons{};
  std::array<EdgeNormals, kMaxPolygons> polygonNormals{};
  std::array<Spawn, kMaxSpawns> spawns{};
  std::array<Scenery, kMaxScenery> scenery{};
  std::array<Waypoint, kMaxWaypoints> waypoints{};
  std::array<Collider, kMaxColliders> colliders{};
  std::array<Sector, kSectorCount> sectors{};

  int16_t polygonLast = -1;
  int16_t spawnLast = -1;
  int16_t sceneryLast = -1;
  int16_t waypointLast = -1;
  int16_t colliderLast = -1;

  MapInfo info;

  // tailOnly false: zero every record (colliders keep bytes 1..3) and every sector.
  // tailOnly true: zero only the records above each last index; sectors stay.
  // Last indices are never changed.
  void Clear(bool tailOnly);
  // The map File New makes: everything cleared, no objects, "banana.bmp", author "New",
  // sector size 30, white backgrounds.
  void MakeNew();
};

// The name followed by NULs up to 26 characters; a longer name is cut to 26 so the field never
// grows (callers only pass "banana.bmp" or a name read from a file, which is 26 bytes already).
std::string PadTextureName(const std::string& name);

// Scenery style tables, 22 entries (index 0 empty).
struct SceneryStyleSize {
  int32_t width = 0, height = 0;
};
extern const std::array<const char*, 22> sceneryNames;
extern const std::array<SceneryStyleSize, 22> sceneryStyleSizes;
// Width and height of a style, {0, 0} for a style outside 1..21 (a file may hold any byte).
SceneryStyleSize StyleSize(int style);

}  // namespace quorvel
