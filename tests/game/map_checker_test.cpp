#include "game/map_checker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>

#include "document/file_io.h"
#include "editing/arrange.h"
#include "editing/selection.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "game/compile.h"
#include "app/lifecycle.h"
#include "game/map_check.h"

namespace quorvel {
namespace {

using T = ObjectRef::Type;
using K = ProblemKind;

// A small sound level, centred and compiled: one wall, a spawn, a scenery and a collider beside it,
// a cycle of three waypoints on path 1 and a pair linked both ways on path 2.
std::unique_ptr<MapDocument> SoundMap() {
  auto d = std::make_unique<MapDocument>(fixtures::NewMap());
  fixtures::AddTriangle(*d, -300, -300, 300, -300, -300, 300);
  fixtures::AddSpawn(*d, 200, 200);
  fixtures::AddScenery(*d, 100, 100, 3);
  fixtures::AddCollider(*d, 150, 150);
  for (float x : {50.f, 100.f, 150.f}) fixtures::AddWaypoint(*d, x, 150, 1);
  fixtures::Link(*d, 0, 1);
  fixtures::Link(*d, 1, 2);
  fixtures::Link(*d, 2, 0);
  fixtures::AddWaypoint(*d, 50, 250, 2);
  fixtures::AddWaypoint(*d, 100, 250, 2);
  fixtures::Link(*d, 3, 4);
  fixtures::Link(*d, 4, 3);
  fixtures::Compile(*d);  // sector size 20: the grid reaches 310 units out
  return d;
}

struct Expected {
  K kind;
  std::string text;
  std::vector<ObjectRef> objects;
};

ObjectRef V(int p, int c) { return {T::Vertex, p, c}; }
ObjectRef W(int i) { return {T::Waypoint, i, 0}; }
ObjectRef S(int i) { return {T::Spawn, i, 0}; }

// Each small map gives exactly its problems, with their objects; the sound map gives none.
TEST(MapChecker, EachSmallMapGivesExactlyItsProblems) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* name;
    const char* path;
    std::function<void(MapDocument&)> make;
    std::vector<Expected> problems;
  };
  const std::vector<Case> cases = {
      {"coincident corners (passable, so the grid stays right)", "a.pmp",
       [](MapDocument& d) { fixtures::AddTriangle(d, 0, 0, 0, 0, 10, 10, {}, true); },
       {{K::Corners, "polygon 1: corners 0 and 1 at the same position (0, 0)", {V(1, 0), V(1, 1)}}}},
      {"corners 1 and 2 alike", "a.pmp",
       [](MapDocument& d) { fixtures::AddTriangle(d, 0, 0, 10, 10, 10, 10, {}, true); },
       {{K::Corners, "polygon 1: corners 1 and 2 at the same position (10, 10)", {V(1, 1), V(1, 2)}}}},
      {"corners 2 and 0 alike: no save warning, but no area", "a.pmp",
       [](MapDocument& d) { fixtures::AddTriangle(d, 0, 0, 10, 10, 0, 0, {}, true); },
       {{K::FlatTriangle, "polygon 1: (nearly) no area, its corners lie on one line", {V(1, 0), V(1, 1), V(1, 2)}}}},
      {"a sliver", "a.pmp", [](MapDocument& d) { fixtures::AddTriangle(d, 0, 0, 100, 0, 50, 0.2f, {}, true); },
       {{K::FlatTriangle, "polygon 1: (nearly) no area, its corners lie on one line", {V(1, 0), V(1, 1), V(1, 2)}}}},
      {"team spawn first without a ctf_ name", "a.pmp", [](MapDocument& d) { d.spawns[0].type = 1; },
       {{K::CtfSpawns, "spawn 0 is a team spawn but the file name does not start with ctf_", {S(0)}}}},
      {"ctf_ flags in the wrong order and no red one", "dir/CTF_a.pmp",
       [](MapDocument& d) { fixtures::AddSpawn(d, 210, 210, 2); },
       {{K::CtfSpawns, "spawn order: a ctf_ map needs the red flag (spawn 0) and the blue flag (spawn 1) first",
         {S(0), S(1)}},
        {K::CtfSpawns, "ctf_ map without a red flag spawn", {}}}},
      {"ctf_ map with one plain spawn: no order warning, but no flags", "ctf_a.pmp", [](MapDocument&) {},
       {{K::CtfSpawns, "ctf_ map without a red and a blue flag spawn", {}}}},
      {"on the grid's last unit", "a.pmp", [](MapDocument& d) { fixtures::AddSpawn(d, 310, -310); }, {}},
      {"beyond the sector grid", "a.pmp", [](MapDocument& d) { fixtures::AddCollider(d, 0, -311); },
       {{K::Outside, "collider 1 lies outside the sector grid (+-310)", {{T::Collider, 1, 0}}}}},
      {"one corner of a passable polygon off the grid", "a.pmp",
       [](MapDocument& d) { fixtures::AddTriangle(d, 0, 0, 10, 0, 0, 400, {}, true); },
       {{K::Outside, "polygon 1: corner 2 lies outside the sector grid (+-310)", {V(1, 2)}}}},
      {"two corners off the grid", "a.pmp",
       [](MapDocument& d) { fixtures::AddTriangle(d, 400, 0, 500, 0, 0, 10, {}, true); },
       {{K::Outside, "polygon 1: corners 0 and 1 lie outside the sector grid (+-310)", {V(1, 0), V(1, 1)}}}},
      {"a whole polygon off the grid", "a.pmp",
       [](MapDocument& d) { fixtures::AddTriangle(d, 400, 400, 500, 400, 400, 500, {}, true); },
       {{K::Outside, "polygon 1: corners 0-2 lie outside the sector grid (+-310)", {V(1, 0), V(1, 1), V(1, 2)}}}},
      {"a spawn inside the wall", "a.pmp", [](MapDocument& d) { fixtures::AddSpawn(d, -200, -200); },
       {{K::SpawnInWall, "spawn 1 lies inside solid polygon 0", {S(1), V(0, 0), V(0, 1), V(0, 2)}}}},
      {"a new wall Compile has not seen", "a.pmp",
       [](MapDocument& d) { fixtures::AddTriangle(d, 0, 0, 20, 0, 0, 20); },
       {{K::SectorGrid, "the sector grid is out of date: use Compile (F9) before playing", {V(1, 0), V(1, 1), V(1, 2)}}}},
      {"a table of another size that holds the map as it lies", "a.pmp",
       [](MapDocument& d) {
         d.info.sectorSize = 40;
         SectorsAsTheyLie(d, 40, d.sectors);
       },
       {}},
      {"a wall made passable after Compile", "a.pmp", [](MapDocument& d) { d.polygonNormals[0] = EdgeNormals{}; },
       {{K::SectorGrid, "the sector grid is out of date: use Compile (F9) before playing", {V(0, 0), V(0, 1), V(0, 2)}}}},
      {"a table without a sector size", "a.pmp", [](MapDocument& d) { d.info.sectorSize = 0; },
       {{K::SectorGrid, "the sector grid is out of date: use Compile (F9) before playing", {V(0, 0), V(0, 1), V(0, 2)}}}},
      {"every polygon deleted", "a.pmp", [](MapDocument& d) { d.polygonLast = -1; },
       {{K::SectorGrid, "the sector grid names 1 polygon that no longer exists: use Compile (F9) before playing", {}}}},
      {"a sector count out of range", "a.pmp", [](MapDocument& d) { d.sectors[9].count = -1; },
       {{K::SectorGrid, "sector grid: sector 9 holds a count outside 0..200", {}}}},
      {"too many links", "a.pmp", [](MapDocument& d) { d.waypoints[0].connectionCount = 21; },
       {{K::WaypointLinks, "waypoint 0 (path 1): 21 links, at most 20", {W(0)}},
        {K::WaypointLinks, "waypoint 0 (path 1): link to 0, which is not a waypoint", {W(0)}}}},
      {"a waypoint on no path", "a.pmp",
       [](MapDocument& d) { d.waypoints[size_t(fixtures::AddWaypoint(d, 60, 160))].path = 3; },
       {{K::WaypointLinks, "waypoint 5: path 3 is not 1 or 2", {W(5)}}}},
      {"numbers that are not finite", "a.pmp",
       [nan, inf](MapDocument& d) {
         d.polygons[0].corner[2].tu = nan;
         d.scenery[0].rotation = inf;
         d.colliders[0].radius = nan;
       },
       {{K::FileValues, "polygon 0: a number that is not finite", {V(0, 0), V(0, 1), V(0, 2)}},
        {K::FileValues, "scenery 0: a number that is not finite", {{T::Scenery, 0, 0}}},
        {K::FileValues, "collider 0: a number that is not finite", {{T::Collider, 0, 0}}}}},
      {"values out of range", "a.pmp",
       [](MapDocument& d) {
         d.spawns[0].type = 7;
         d.scenery[0].style = 22;
         d.colliders[0].radius = -3;
       },
       {{K::FileValues, "spawn 0: type 7 is not 0, 1 or 2", {S(0)}},
        {K::FileValues, "scenery 0: style 22 is not 1..21", {{T::Scenery, 0, 0}}},
        {K::FileValues, "collider 0: negative radius -3", {{T::Collider, 0, 0}}},
        {K::CtfSpawns, "spawn 0 is a team spawn but the file name does not start with ctf_", {S(0)}}}},
  };
  EXPECT_TRUE(CheckMapProblems(*SoundMap(), "a.pmp").empty());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto d = SoundMap();
    c.make(*d);
    const std::vector<Problem> found = CheckMapProblems(*d, c.path);
    std::string lines;
    for (const Problem& p : found) lines += p.text + "\n";
    ASSERT_EQ(found.size(), c.problems.size()) << lines;
    for (size_t i = 0; i < found.size(); ++i) {
      EXPECT_EQ(found[i].kind, c.problems[i].kind) << found[i].text;
      EXPECT_EQ(found[i].text, c.problems[i].text);
      EXPECT_EQ(found[i].objects, c.problems[i].objects) << found[i].text;
    }
  }
  DecodeReport report;
  report.countClamped = true;
  report.countInFile = 512;
  const std::vector<Problem> clamped = CheckMapProblems(*SoundMap(), "a.pmp", &report);
  ASSERT_EQ(clamped.size(), 1u);
  EXPECT_EQ(clamped[0].text, "polygon count 512 in the file is outside 0..400");
}

// The maps a user gets with the editor are sound.
TEST(MapChecker, TheSampleMapsHaveNoProblems) {
  int maps = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(QUORVEL_SOURCE_DIR) + "/maps")) {
    if (entry.path().extension() != ".pmp") continue;
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(ReadWholeFile(entry.path().string(), bytes, error)) << error;
    auto d = std::make_unique<MapDocument>();
    const DecodeReport report = DecodeMap(bytes, *d, nullptr);
    for (const Problem& p : CheckMapProblems(*d, entry.path().string(), &report))
      ADD_FAILURE() << entry.path() << ": " << p.text;
    ++maps;
  }
  EXPECT_GE(maps, 2);
}

// Whatever a file holds, the checker reads nothing outside the arrays and names only objects
// that exist.
TEST(MapChecker, HostileNumbersOnlyNameObjectsThatExist) {
  const float big = 1e38f, inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
  auto d = std::make_unique<MapDocument>(fixtures::SpreadMap());
  d->polygons[0].corner[0].x = big;
  d->polygons[1].corner[1].y = -inf;
  d->polygons[2].corner[2].x = nan;
  d->spawns[0].x = INT32_MIN;
  d->waypoints[0].connectionCount = INT32_MAX;
  d->waypoints[1].connections[0] = INT32_MIN;
  d->waypoints[2].connections[0] = 501;
  d->waypoints[3].x = INT32_MAX;
  d->waypoints[4].path = -1;
  d->sectors[0].count = INT16_MIN;
  d->sectors[1].count = 200;
  d->sectors[1].entry.fill(INT16_MIN);
  d->info.sectorSize = INT32_MAX;
  // Last indices below -1 name nothing; the sectors still do.
  d->polygonLast = d->spawnLast = d->sceneryLast = d->colliderLast = d->waypointLast = -7;
  std::vector<std::string> texts;
  for (const Problem& p : CheckMapProblems(*d, "a.pmp")) texts.push_back(p.text);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "sector grid: sector 0 holds a count outside 0..200",
                       "the sector grid names 1 polygon that no longer exists: use Compile (F9) before playing"}));
  // Last indices beyond the arrays are read as the arrays' ends.
  d->polygonLast = d->spawnLast = d->sceneryLast = d->colliderLast = d->waypointLast = 32767;
  const std::vector<Problem> found = CheckMapProblems(*d, "a.pmp");
  EXPECT_GE(found.size(), 5u);
  const int capacity[] = {kMaxPolygons, kMaxSpawns, kMaxScenery, kMaxColliders, kMaxWaypoints};
  for (const Problem& p : found)
    for (const ObjectRef& o : p.objects) {
      EXPECT_GE(o.index, 0) << p.text;
      EXPECT_LT(o.index, capacity[static_cast<int>(o.type)]) << p.text;
      EXPECT_LE(o.corner, 2) << p.text;
    }
}

class SaveNote : public fixtures::ShellTest {};

// Select all, Delete and Save leaves a grid naming polygons that are gone: the status line says
// so and no message box is added; after Compile the save says nothing of the grid.
TEST_F(SaveNote, ASaveThatWritesAStaleGridSaysSoOnTheStatusLine) {
  WriteFile("game/Zarnok.exe", {1});
  Start();
  const std::string path = WriteMapFile("level.pmp", *SoundMap());
  OpenByPath(*ed, path);
  ed->statusNote.clear();
  MenuSave_Click(*ed);
  EXPECT_NE(ed->statusNote, kStaleGridNote);

  SelectInRect(*ed, -1000, -1000, 1000, 1000, false, kSelectAll);
  MenuDelete_Click(*ed);
  const size_t messages = host.messages.size();
  MenuSave_Click(*ed);
  EXPECT_EQ(ed->statusNote, kStaleGridNote);
  EXPECT_EQ(ed->statusNote, "Saved; the sector grid is out of date: use Compile (F9) before playing.");
  EXPECT_EQ(host.messages.size(), messages);

  MenuRunCompile_Click(*ed);
  ed->statusNote.clear();
  MenuSave_Click(*ed);
  EXPECT_NE(ed->statusNote, kStaleGridNote);
}

}  // namespace
}  // namespace quorvel
