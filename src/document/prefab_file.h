#pragma once
// The .pre prefab file: polygons with their normals, scenery and colliders of a map, in absolute
// world coordinates, behind a small header.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/map_document.h"

namespace quorvel {

inline constexpr size_t kPrefabHeaderSize = 29;
inline constexpr size_t kPrefabAuthorLength = 20;
inline constexpr size_t kPrefabPolygonSize = 120;  // Polygon + EdgeNormals

// Writes polygons 0..polygonLast, scenery 0..sceneryLast, colliders 0..colliderLast. The author is
// padded with blanks to 20 characters, or cut to 20 when longer so the header keeps its size.
void EncodePrefab(const MapDocument& doc, std::vector<uint8_t>& out);

struct PrefabContents {
  std::string version;  // the first three characters
  int16_t polygonLast = -1, sceneryLast = -1, colliderLast = -1;
  std::vector<Polygon> polygons;
  std::vector<EdgeNormals> normals;
  std::vector<Scenery> scenery;
  std::vector<Collider> colliders;
  bool truncated = false;  // the file ended before every record the header announces
};

// Reads a prefab. Records are read as far as the bytes go; negative or impossible counts give no
// records of that kind. A short file is reported through `truncated`.
PrefabContents DecodePrefab(std::span<const uint8_t> bytes);

}  // namespace quorvel
