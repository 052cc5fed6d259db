#pragma once
// What quorvel-tool info reports about a map without opening a window: a summary against the
// limits. The problems a map holds are the checker's (game/map_checker).
#include <string>
#include <vector>

#include "document/map_document.h"

namespace quorvel {

struct MapSummary {
  std::string author, texture;  // UTF-8; the texture without its NUL padding
  int32_t sectorSize = 0;
  struct Count {
    const char* what;
    int count, limit;
  };
  std::vector<Count> counts;  // polygons, spawns, scenery, colliders, waypoints, in that order
};
MapSummary SummariseMap(const MapDocument& doc);

}  // namespace quorvel
