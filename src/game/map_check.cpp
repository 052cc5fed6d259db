#include "game/map_check.h"

#include "document/numeric.h"

namespace quorvel {

MapSummary SummariseMap(const MapDocument& doc) {
  MapSummary s;
  s.author = doc.info.authorName;
  s.texture = Cp1252ToUtf8(doc.info.textureName.substr(0, doc.info.textureName.find('\0')));
  s.sectorSize = doc.info.sectorSize;
  s.counts = {{"polygons", doc.polygonLast + 1, kMaxPolygons},
              {"spawns", doc.spawnLast + 1, kMaxSpawns},
              {"scenery", doc.sceneryLast + 1, kSceneryLastKept + 1},
              {"colliders", doc.colliderLast + 1, kMaxColliders},
              {"waypoints", doc.waypointLast + 1, kMaxWaypoints}};
  return s;
}

}  // namespace quorvel
