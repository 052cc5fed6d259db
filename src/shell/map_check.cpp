#include "shell/map_check.h"

#include <cmath>
#include <memory>

#include "document/numeric.h"
#include "document/save_normalise.h"

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

namespace {

std::string Num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

bool Finite(std::initializer_list<float> values) {
  for (float v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

}  // namespace

std::vector<std::string> CheckMap(const MapDocument& doc, const std::string& path, const DecodeReport* report) {
  std::vector<std::string> found;
  auto add = [&](const std::string& line) { found.push_back(line); };

  if (report && report->countClamped)
    add("polygon count " + std::to_string(report->countInFile) + " in the file is outside 0..400");
  if (report && report->waypointClamped) add("a waypoint lies beyond +-" + std::to_string(kMaxWaypointFileCoordinate));
  if (doc.sceneryLast > kSceneryLastKept)
    add("scenery: " + std::to_string(doc.sceneryLast + 1) + " objects, a save keeps " +
        std::to_string(kSceneryLastKept + 1));

  // The save's checks run on what the save writes: corners put in order first.
  {
    auto saved = std::make_unique<MapDocument>(doc);
    NormaliseForSave(*saved);
    const std::vector<VertexRef> same = FindDuplicateVertices(*saved);
    for (size_t i = 0; i + 1 < same.size(); i += 2) {
      const Vertex& v = saved->polygons[same[i].polygon].corner[same[i].corner];
      add("polygon " + std::to_string(same[i].polygon) + ": corners " + std::to_string(same[i].corner) + " and " +
          std::to_string(same[i + 1].corner) + " at the same position (" + Num(v.x) + ", " + Num(v.y) + ")");
    }
    switch (CheckCtfSpawns(*saved, path)) {
      case SpawnWarning::NotCtfName:
        add("spawn 0 is a team spawn but the file name does not start with ctf_");
        break;
      case SpawnWarning::CtfOrder:
        add("spawn order: a ctf_ map needs the red flag (spawn 0) and the blue flag (spawn 1) first");
        break;
      case SpawnWarning::None:
        break;
    }
  }

  for (int p = 0; p <= doc.polygonLast; ++p) {
    bool finite = true;
    for (const Vertex& v : doc.polygons[p].corner) finite = finite && Finite({v.x, v.y, v.z, v.rhw, v.tu, v.tv});
    for (const Normal& n : doc.polygonNormals[p].normal) finite = finite && Finite({n.x, n.y, n.z});
    if (!finite) add("polygon " + std::to_string(p) + ": a number that is not finite");
  }
  for (int i = 0; i <= doc.spawnLast; ++i)
    if (doc.spawns[i].type > 2) add("spawn " + std::to_string(i) + ": type " + std::to_string(doc.spawns[i].type) + " is not 0, 1 or 2");
  for (int i = 0; i <= doc.sceneryLast; ++i) {
    const Scenery& s = doc.scenery[i];
    if (!Finite({s.x, s.y, s.rotation, s.scaleX, s.scaleY})) add("scenery " + std::to_string(i) + ": a number that is not finite");
    if (s.style < 1 || s.style > 21) add("scenery " + std::to_string(i) + ": style " + std::to_string(s.style) + " is not 1..21");
  }
  for (int i = 0; i <= doc.colliderLast; ++i) {
    const Collider& c = doc.colliders[i];
    if (!Finite({c.x, c.y, c.radius})) add("collider " + std::to_string(i) + ": a number that is not finite");
    else if (c.radius < 0) add("collider " + std::to_string(i) + ": negative radius " + Num(c.radius));
  }
  for (int i = 0; i <= doc.waypointLast; ++i) {
    const Waypoint& w = doc.waypoints[i];
    const std::string name = "waypoint " + std::to_string(i);
    if (w.path != 1 && w.path != 2) add(name + ": path " + std::to_string(w.path) + " is not 1 or 2");
    if (w.connectionCount < 0 || w.connectionCount > kMaxConnections) {
      add(name + ": " + std::to_string(w.connectionCount) + " links, at most " + std::to_string(kMaxConnections));
      continue;
    }
    for (int k = 0; k < w.connectionCount; ++k) {
      const int32_t to = w.connections[k];
      if (to < 1 || to > doc.waypointLast + 1) add(name + ": link to " + std::to_string(to) + ", which is not a waypoint");
      else if (to == i + 1) add(name + ": links to itself");
    }
  }
  for (int s = 0; s < kSectorCount; ++s) {
    const Sector& sector = doc.sectors[s];
    if (sector.count < 0 || sector.count > kSectorEntries) {
      add("sector " + std::to_string(s) + ": " + std::to_string(sector.count) + " entries, at most " +
          std::to_string(kSectorEntries));
      continue;
    }
    for (int k = 0; k < sector.count; ++k)
      if (sector.entry[k] < 1 || sector.entry[k] > doc.polygonLast + 1) {
        add("sector " + std::to_string(s) + ": entry " + std::to_string(sector.entry[k]) + " is not a polygon");
        break;
      }
  }
  return found;
}

}  // namespace quorvel
