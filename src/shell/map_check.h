#pragma once
// What quorvel-tool reports about a map without opening a window: a summary against the limits and
// every problem a save would warn about or a player would meet, one line each.
#include <string>
#include <vector>

#include "document/map_document.h"
#include "document/map_file.h"

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

// The save's two checks (on what the save would write), then capacity, links, numbers that are not
// finite and values outside their range. `path` names the file, as the spawn order check needs.
std::vector<std::string> CheckMap(const MapDocument& doc, const std::string& path, const DecodeReport* report = nullptr);

}  // namespace quorvel
