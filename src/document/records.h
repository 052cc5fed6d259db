#pragma once
// The map's records, laid out byte for byte as in the map file (little-endian, no padding).
#include <array>
#include <cstdint>

namespace quorvel {

inline constexpr int kMaxPolygons = 400;
inline constexpr int kMaxSpawns = 30;
inline constexpr int kMaxScenery = 255;
// A written map holds at most 254 sceneries: the writer drops the 255th record's object.
inline constexpr int kSceneryLastKept = kMaxScenery - 2;
inline constexpr int kMaxWaypoints = 500;
inline constexpr int kMaxColliders = 128;
inline constexpr int kSectorCount = 961;  // 31 x 31
inline constexpr int kSectorEntries = 200;
inline constexpr int kMaxConnections = 20;

// Four bytes in file order: blue, green, red, alpha.
struct Colour4 {
  uint8_t blue = 0, green = 0, red = 0, alpha = 0;
  bool operator==(const Colour4&) const = default;
};

// Packed 0x00BBGGRR colour (dialogs, button faces) of a record colour; alpha is dropped.
inline uint32_t PackedColour(const Colour4& c) {
  return uint32_t(c.red) | uint32_t(c.green) << 8 | uint32_t(c.blue) << 16;
}
// A record colour from a packed one.
inline Colour4 UnpackedColour(uint32_t packed, uint8_t alpha) {
  return Colour4{uint8_t(packed >> 16), uint8_t(packed >> 8), uint8_t(packed), alpha};
}

struct Vertex {
  float x = 0, y = 0, z = 0, rhw = 0;
  Colour4 colour;
  float tu = 0, tv = 0;
};

struct Polygon {
  std::array<Vertex, 3> corner;
};

struct Normal {
  float x = 0, y = 0, z = 0;
};

struct EdgeNormals {
  std::array<Normal, 3> normal;  // normal k belongs to the edge from corner k to corner (k + 1) mod 3
};

struct Spawn {
  int32_t active = 0;  // 256 when created; any non-zero value counts as used
  int32_t x = 0;       // world x * 256
  int32_t y = 0;       // world y * 256
  uint8_t signByte = 0;
  uint8_t type = 0;  // 0 Normal, 1 CTF Red, 2 CTF Blue
  std::array<uint8_t, 2> extra{};
};

struct Scenery {
  uint8_t active = 0;
  uint8_t style = 0;  // 1..21
  std::array<uint8_t, 2> pad{};
  int32_t width = 0, height = 0;
  float x = 0, y = 0;
  float rotation = 0;
  float scaleX = 0, scaleY = 0;
  uint8_t alpha = 0;
  std::array<uint8_t, 3> pad2{};
};

struct Collider {
  uint8_t active = 0;
  std::array<uint8_t, 2> extra{};  // carried unchanged
  uint8_t authorChar = 0;          // one character of the map author in records 0..20
  float x = 0, y = 0;
  float radius = 0;
};

// Puts the collider object `from` into record `to`. Byte 3 carries a character of the author name
// by record position, so it stays with the record, not with the object.
inline void CopyColliderObject(Collider& to, const Collider& from) {
  const uint8_t authorChar = to.authorChar;
  to = from;
  to.authorChar = authorChar;
}

struct Waypoint {
  int32_t active = 0;
  int32_t id = 0;  // 1-based own number
  int32_t x = 0, y = 0;  // world * 256 in memory, plain world units in the file
  std::array<uint8_t, 8> flags{};
  int32_t path = 0;
  int32_t connectionCount = 0;
  std::array<int32_t, kMaxConnections> connections{};
};

struct Sector {
  std::array<int16_t, kSectorEntries> entry{};
  int16_t count = 0;
};

static_assert(sizeof(Colour4) == 4);
static_assert(sizeof(Vertex) == 28);
static_assert(sizeof(Polygon) == 84);
static_assert(sizeof(EdgeNormals) == 36);
static_assert(sizeof(Spawn) == 16);
static_assert(sizeof(Scenery) == 36);
static_assert(sizeof(Collider) == 16);
static_assert(sizeof(Waypoint) == 112);
static_assert(sizeof(Sector) == 402);

}  // namespace quorvel
