#include "samples/samples.h"

#include <cmath>
#include <utility>

#include "document/editor.h"
#include "document/map_write.h"
#include "document/save_normalise.h"
#include "game/compile.h"

namespace quorvel::samples {
namespace {

struct Point {
  float x, y;
};

// Record colours are blue, green, red, alpha.
constexpr Colour4 Rgb(uint8_t r, uint8_t g, uint8_t b) { return Colour4{b, g, r, 255}; }

constexpr Colour4 kGrassTop = Rgb(96, 148, 64), kEarth = Rgb(112, 84, 56), kDeepEarth = Rgb(64, 48, 36);
constexpr Colour4 kStoneLight = Rgb(168, 168, 160), kStoneDark = Rgb(104, 104, 100);
constexpr Colour4 kWoodLight = Rgb(176, 128, 72), kWoodDark = Rgb(120, 84, 44);
constexpr Colour4 kRed = Rgb(180, 60, 52), kBlue = Rgb(56, 84, 176);
constexpr Colour4 kFarHills = Rgb(132, 156, 176), kFarHillsFoot = Rgb(150, 170, 186);

// Corners the way the polygon tool makes them: z and rhw 1, texture coordinates x / 160 and y / 120.
Vertex Corner(Point p, Colour4 colour) {
  Vertex v;
  v.x = p.x;
  v.y = p.y;
  v.z = v.rhw = 1;
  v.colour = colour;
  v.tu = p.x / 160;
  v.tv = p.y / 120;
  return v;
}

// One triangle in the order a save keeps; solid ones get their edge normals from the save's own rule.
void Triangle(MapDocument& doc, Point a, Colour4 ca, Point b, Colour4 cb, Point c, Colour4 cc, bool solid = true) {
  const double cross = (double(b.x) - a.x) * (double(c.y) - a.y) - (double(b.y) - a.y) * (double(c.x) - a.x);
  if (cross < 0) {
    std::swap(b, c);
    std::swap(cb, cc);
  }
  const int p = ++doc.polygonLast;
  doc.polygons[p].corner = {Corner(a, ca), Corner(b, cb), Corner(c, cc)};
  if (solid) MakeSolid(doc, p);
}

// A four-cornered block (top left, top right, bottom right, bottom left), lighter along its top.
void Quad(MapDocument& doc, Point tl, Point tr, Point br, Point bl, Colour4 top, Colour4 bottom, bool solid = true) {
  Triangle(doc, tl, top, tr, top, br, bottom, solid);
  Triangle(doc, tl, top, br, bottom, bl, bottom, solid);
}

void Platform(MapDocument& doc, float left, float right, float y, Colour4 top, Colour4 bottom, float thickness = 18) {
  Quad(doc, {left, y}, {right, y}, {right - 6, y + thickness}, {left + 6, y + thickness}, top, bottom);
}

// Ground under a line of surface points, down to `floor`, grass on top.
void Ground(MapDocument& doc, const std::vector<Point>& surface, float floor) {
  for (size_t i = 1; i < surface.size(); ++i) {
    const Point a = surface[i - 1], b = surface[i];
    Quad(doc, a, b, {b.x, b.y + 24}, {a.x, a.y + 24}, kGrassTop, kEarth);
    Quad(doc, {a.x, a.y + 24}, {b.x, b.y + 24}, {b.x, floor}, {a.x, floor}, kEarth, kDeepEarth);
  }
}

// Far hills behind everything: passable, so players run through them.
void Backdrop(MapDocument& doc, float left, float right, float foot) {
  const float step = (right - left) / 6;
  for (int i = 0; i < 6; ++i) {
    const float x = left + step * float(i);
    Triangle(doc, {x, foot}, kFarHillsFoot, {x + step / 2, foot - 220 - float(i % 3) * 60}, kFarHills,
             {x + step, foot}, kFarHillsFoot, false);
  }
}

void Spawn(MapDocument& doc, float x, float y, uint8_t type) {
  const int i = ++doc.spawnLast;
  doc.spawns[i].active = 256;
  doc.spawns[i].x = int32_t(x * 256);
  doc.spawns[i].y = int32_t(y * 256);
  doc.spawns[i].type = type;
}

enum Style : uint8_t { kGrass = 1, kLongGrass = 3, kFence = 7, kStone = 15, kBarrel = 16, kSmallCrate = 18,
                       kSandbags = 19, kBigCrate = 20 };

void Scenery(MapDocument& doc, float x, float y, uint8_t style, float rotation = 0, float scale = 1) {
  const int i = ++doc.sceneryLast;
  auto& s = doc.scenery[i];
  s.active = 1;
  s.style = style;
  s.width = StyleSize(style).width;
  s.height = StyleSize(style).height;
  s.x = x;
  s.y = y;
  s.rotation = rotation;
  s.scaleX = s.scaleY = scale;
  s.alpha = 255;
}

// Grass tufts along the ground line, turned with the slope, standing on it.
void GrassAlong(MapDocument& doc, const std::vector<Point>& surface) {
  for (size_t i = 1; i < surface.size(); ++i) {
    const Point a = surface[i - 1], b = surface[i];
    const float angle = std::atan2(b.y - a.y, b.x - a.x);
    for (int k = 0; k < 2; ++k) {
      const float t = 0.25f + 0.5f * float(k);
      Scenery(doc, a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t - 4, k == 0 ? kGrass : kLongGrass, angle);
    }
  }
}

void Collider(MapDocument& doc, float x, float y, float radius) {
  const int i = ++doc.colliderLast;
  doc.colliders[i].active = 1;
  doc.colliders[i].x = x;
  doc.colliders[i].y = y;
  doc.colliders[i].radius = radius;
}

// A route of waypoints on one path, each linked both ways to the next; returns their indices.
std::vector<int> Route(MapDocument& doc, const std::vector<Point>& points, int path) {
  std::vector<int> ids;
  for (const Point p : points) {
    const int i = ++doc.waypointLast;
    Waypoint& w = doc.waypoints[i];
    w.active = 1;
    w.id = i + 1;
    w.x = int32_t(std::lround(p.x)) * 256;
    w.y = int32_t(std::lround(p.y)) * 256;
    w.path = path;
    ids.push_back(i);
  }
  return ids;
}

void Link(MapDocument& doc, int a, int b) {
  for (auto [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
    Waypoint& w = doc.waypoints[from];
    w.connections[w.connectionCount++] = to + 1;
  }
}

void Chain(MapDocument& doc, const std::vector<int>& route) {
  for (size_t i = 1; i < route.size(); ++i) Link(doc, route[i - 1], route[i]);
}

// A level painted with one of the sample textures (samples/sample_textures), kept beside it.
std::unique_ptr<MapDocument> NewLevel(Colour4 skyTop, Colour4 skyBottom, const char* texture) {
  auto doc = std::make_unique<MapDocument>();
  doc->MakeNew();
  doc->info.authorName = "Quorvel";
  doc->info.textureName = PadTextureName(texture);
  doc->info.backgroundTop = skyTop;
  doc->info.backgroundBottom = skyBottom;
  return doc;
}

// A quarry: a dipping floor between two cliffs, platforms on three levels, eight spawns.
std::unique_ptr<MapDocument> Quarry() {
  auto level = NewLevel(Rgb(72, 112, 168), Rgb(200, 184, 150), "quarry_rock.bmp");
  MapDocument& doc = *level;
  Backdrop(doc, -900, 900, 160);
  const std::vector<Point> surface = {{-900, 120}, {-600, 150}, {-300, 200}, {0, 220},
                                      {300, 200},  {600, 150},  {900, 120}};
  Ground(doc, surface, 420);
  Quad(doc, {-1020, -520}, {-900, -520}, {-900, 420}, {-1020, 420}, kStoneLight, kStoneDark);  // cliffs
  Quad(doc, {900, -520}, {1020, -520}, {1020, 420}, {900, 420}, kStoneLight, kStoneDark);
  Platform(doc, -700, -420, -20, kWoodLight, kWoodDark);
  Platform(doc, 420, 700, -20, kWoodLight, kWoodDark);
  Platform(doc, -160, 160, -170, kStoneLight, kStoneDark);
  Platform(doc, -880, -700, -260, kStoneLight, kStoneDark);
  Platform(doc, 700, 880, -260, kStoneLight, kStoneDark);

  for (const Point p : std::vector<Point>{{-800, 100}, {800, 100}, {-560, -40}, {560, -40},
                                          {0, -190},   {-790, -280}, {790, -280}, {0, 200}})
    Spawn(doc, p.x, p.y, 0);

  GrassAlong(doc, surface);
  Scenery(doc, -250, 170, kBigCrate);
  Scenery(doc, 250, 170, kBigCrate);
  Scenery(doc, -230, 150, kSmallCrate, 0.2f);
  Scenery(doc, 0, -185, kSandbags);
  Scenery(doc, -650, -32, kBarrel);
  Scenery(doc, 650, -32, kBarrel);
  Scenery(doc, -560, -30, kFence);
  Scenery(doc, 560, -30, kFence);
  Scenery(doc, 380, 180, kStone, 0.1f, 1.5f);
  // The crates are round to the players too.
  Collider(doc, -250, 175, 22);
  Collider(doc, 250, 175, 22);
  Collider(doc, 380, 185, 14);

  // Path 1 runs along the floor and up to the side platforms; path 2 keeps to the high ground.
  const auto floor = Route(doc, {{-820, 90}, {-600, 120}, {-300, 170}, {0, 190}, {300, 170}, {600, 120}, {820, 90}}, 1);
  const auto sides = Route(doc, {{-560, -50}, {560, -50}}, 1);
  Chain(doc, floor);
  Link(doc, floor[1], sides[0]);
  Link(doc, floor[5], sides[1]);
  const auto high = Route(doc, {{-790, -290}, {-560, -50}, {-120, -200}, {0, -200}, {120, -200}, {560, -50}, {790, -290}}, 2);
  Chain(doc, high);
  return level;
}

// Two bases on raised ends, a bridge over a central pit; the red flag first, then the blue one.
std::unique_ptr<MapDocument> Twin() {
  auto level = NewLevel(Rgb(40, 56, 96), Rgb(180, 140, 120), "twin_blocks.bmp");
  MapDocument& doc = *level;
  Backdrop(doc, -1300, 1300, 140);
  const std::vector<Point> surface = {{-1300, 0},  {-950, 0},  {-800, 80},  {-500, 120}, {-250, 260},
                                      {250, 260},  {500, 120}, {800, 80},   {950, 0},    {1300, 0}};
  Ground(doc, surface, 460);
  Quad(doc, {-1420, -600}, {-1300, -600}, {-1300, 460}, {-1420, 460}, kStoneLight, kStoneDark);
  Quad(doc, {1300, -600}, {1420, -600}, {1420, 460}, {1300, 460}, kStoneLight, kStoneDark);
  Platform(doc, -300, 300, 40, kWoodLight, kWoodDark, 22);  // the bridge
  Platform(doc, -1250, -1000, -180, kRed, kStoneDark);       // base roofs in team colours
  Platform(doc, 1000, 1250, -180, kBlue, kStoneDark);
  Platform(doc, -700, -450, -120, kStoneLight, kStoneDark);
  Platform(doc, 450, 700, -120, kStoneLight, kStoneDark);
  Platform(doc, -120, 120, -260, kStoneLight, kStoneDark);

  Spawn(doc, -1150, -20, 1);  // red flag
  Spawn(doc, 1150, -20, 2);   // blue flag
  for (const float x : {-1250.0f, -1050.0f, -900.0f}) Spawn(doc, x, -30, 1);
  for (const float x : {1250.0f, 1050.0f, 900.0f}) Spawn(doc, x, -30, 2);

  GrassAlong(doc, surface);
  Scenery(doc, -1000, -12, kSandbags);
  Scenery(doc, 1000, -12, kSandbags);
  Scenery(doc, -1220, -200, kFence);
  Scenery(doc, 1220, -200, kFence);
  Scenery(doc, -150, 240, kBarrel);
  Scenery(doc, 150, 240, kBarrel);
  Scenery(doc, 0, 235, kBigCrate, 0.15f);
  Scenery(doc, -580, -135, kSmallCrate);
  Scenery(doc, 580, -135, kSmallCrate);
  Collider(doc, 0, 238, 22);
  Collider(doc, -150, 244, 12);
  Collider(doc, 150, 244, 12);

  // Path 1 crosses over the bridge, path 2 through the pit; both join the bases.
  const auto upper = Route(doc, {{-1150, -30}, {-900, -10}, {-580, -140}, {-250, 20}, {0, 20}, {250, 20},
                                 {580, -140}, {900, -10}, {1150, -30}}, 1);
  Chain(doc, upper);
  const auto roof = Route(doc, {{0, -280}}, 1);
  Link(doc, upper[4], roof[0]);
  const auto lower = Route(doc, {{-1150, -30}, {-800, 60}, {-500, 100}, {-250, 240}, {0, 240}, {250, 240},
                                 {500, 100}, {800, 60}, {1150, -30}}, 2);
  Chain(doc, lower);
  return level;
}

std::unique_ptr<MapDocument> NewPrefab() {
  auto doc = std::make_unique<MapDocument>();
  doc->MakeNew();
  doc->info.authorName = "Quorvel";
  return doc;
}

}  // namespace

std::vector<NamedMap> SampleMaps() {
  std::vector<NamedMap> maps;
  maps.push_back({"dm_quarry.pmp", Quarry()});
  maps.push_back({"ctf_twin.pmp", Twin()});
  // The Run menu's Compile, as a map maker does before handing a level out.
  for (NamedMap& m : maps) {
    auto ed = std::make_unique<Editor>();
    ed->doc = std::move(*m.doc);
    MenuRunCompile_Click(*ed);
    *m.doc = std::move(ed->doc);
  }
  return maps;
}

std::vector<uint8_t> SampleMapBytes(const MapDocument& doc) {
  auto ed = std::make_unique<Editor>();
  ed->doc = doc;
  std::vector<uint8_t> bytes;
  WriteMapBytes(*ed, false, bytes);
  return bytes;
}

std::vector<NamedMap> SamplePrefabs() {
  std::vector<NamedMap> prefabs;
  auto add = [&](const char* name) -> MapDocument& {
    prefabs.push_back({name, NewPrefab()});
    return *prefabs.back().doc;
  };
  Platform(add("platform_wood.pre"), -150, 150, 0, kWoodLight, kWoodDark);
  Platform(add("platform_stone.pre"), -100, 100, 0, kStoneLight, kStoneDark, 24);
  Triangle(add("ramp.pre"), {-150, 0}, kGrassTop, {150, -120}, kGrassTop, {150, 0}, kEarth);
  {
    MapDocument& bridge = add("bridge.pre");
    Platform(bridge, -300, 300, 0, kWoodLight, kWoodDark, 22);
    Quad(bridge, {-300, 22}, {-270, 22}, {-270, 200}, {-300, 200}, kStoneLight, kStoneDark);
    Quad(bridge, {270, 22}, {300, 22}, {300, 200}, {270, 200}, kStoneLight, kStoneDark);
    Scenery(bridge, -200, -8, kFence);
    Scenery(bridge, 200, -8, kFence);
  }
  {
    MapDocument& crates = add("crate_stack.pre");
    Scenery(crates, -22, 0, kBigCrate);
    Scenery(crates, 22, 0, kBigCrate);
    Scenery(crates, 0, -34, kSmallCrate, 0.1f);
    Collider(crates, -22, 4, 22);
    Collider(crates, 22, 4, 22);
  }
  {
    MapDocument& bunker = add("sandbag_bunker.pre");
    Quad(bunker, {-120, 0}, {120, 0}, {110, 30}, {-110, 30}, kStoneLight, kStoneDark);
    Scenery(bunker, -80, -8, kSandbags);
    Scenery(bunker, 80, -8, kSandbags);
    Scenery(bunker, 0, -10, kBarrel);
  }
  // What the save would make of them, so an imported prefab never changes on the next save.
  for (NamedMap& p : prefabs) NormaliseForSave(*p.doc);
  return prefabs;
}

}  // namespace quorvel::samples
