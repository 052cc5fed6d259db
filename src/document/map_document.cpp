#include "document/map_document.h"

namespace quorvel {

namespace {
template <typename T, size_t N>
void ZeroAbove(std::array<T, N>& a, int last) {
  for (size_t i = static_cast<size_t>(last + 1 < 0 ? 0 : last + 1); i < N; ++i) a[i] = T{};
}

void ZeroCollider(Collider& c) {
  // Bytes 1..3 are carried: they hold unknown data and the author's characters.
  c.active = 0;
  c.x = c.y = c.radius = 0;
}
}  // namespace

void MapDocument::Clear(bool tailOnly) {
  if (!tailOnly) {
    polygons.fill({});
    polygonNormals.fill({});
    spawns.fill({});
    scenery.fill({});
    waypoints.fill({});
    for (auto& c : colliders) ZeroCollider(c);
    sectors.fill({});
    return;
  }
  ZeroAbove(polygons, polygonLast);
  ZeroAbove(polygonNormals, polygonLast);
  ZeroAbove(spawns, spawnLast);
  ZeroAbove(scenery, sceneryLast);
  ZeroAbove(waypoints, waypointLast);
  for (int i = colliderLast + 1 < 0 ? 0 : colliderLast + 1; i < kMaxColliders; ++i) ZeroCollider(colliders[i]);
}

void MapDocument::MakeNew() {
  Clear(false);
  polygonLast = spawnLast = sceneryLast = waypointLast = colliderLast = -1;
  info = MapInfo{};  // the carried bytes of the previous map are zero in a new one
  info.authorName = "New";
  info.textureName = PadTextureName("banana.bmp");
  info.extraByte3 = 10;
  info.sectorSize = 30;
  info.backgroundTop = info.backgroundBottom = Colour4{255, 255, 255, 255};
}

std::string PadTextureName(const std::string& name) {
  std::string out = name.substr(0, kTextureNameLength);
  out.resize(kTextureNameLength, '\0');
  return out;
}

const std::array<const char*, 22> sceneryNames = {
    "",
    "Grass",
    "Short Grass",
    "Long Grass",
    "Dark Grass",
    "Liana",
    "Green Ceiling Stuff",
    "Fence Thingy",
    "Metal Rubble",
    "More Metal Dirt",
    "Brown Metal Dirt",
    "Wooden Board",
    "Grey Board",
    "Thin Grey Board",
    "Earth",
    "Lots of Lianas",
    "Stone",
    "Barrel",
    "Garbish",
    "Small Crate",
    "Sandbags",
    "Big Crate",
};

const std::array<SceneryStyleSize, 22> sceneryStyleSizes = {{
    {0, 0},   {100, 10}, {200, 5}, {50, 25}, {100, 10}, {50, 11}, {25, 25}, {100, 10},
    {50, 11}, {50, 11},  {50, 11}, {50, 11}, {50, 11},  {50, 6},  {35, 11}, {40, 35},
    {40, 12}, {10, 10},  {10, 10}, {6, 5},   {15, 4},   {10, 10},
}};

SceneryStyleSize StyleSize(int style) {
  if (style < 1 || style > 21) return {};
  return sceneryStyleSizes[static_cast<size_t>(style)];
}

}  // namespace quorvel
