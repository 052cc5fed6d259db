#include "shell/map_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

#include "fixtures/map_builder.h"

namespace quorvel {
namespace {

std::unique_ptr<MapDocument> SoundMap() {
  auto d = std::make_unique<MapDocument>(fixtures::NewMap());
  fixtures::AddTriangle(*d, 0, 0, 100, 0, 0, 100);
  fixtures::AddSpawn(*d, 10, 10);
  fixtures::AddScenery(*d, 5, 5, 3);
  fixtures::AddCollider(*d, 20, 20);
  fixtures::AddWaypoint(*d, 0, 0, 1);
  fixtures::AddWaypoint(*d, 50, 0, 2);
  fixtures::Link(*d, 0, 1);
  return d;
}

// Each fault alone gives exactly its one line; the map without it gives none.
TEST(MapCheck, OneLinePerFault) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* path;
    std::function<void(MapDocument&)> fault;
    const char* line;
  };
  const Case cases[] = {
      {"a.pmp", [](MapDocument& d) { d.polygons[0].corner[1] = d.polygons[0].corner[0]; },
       "polygon 0: corners 0 and 1 at the same position (0, 0)"},
      {"a.pmp", [](MapDocument& d) { d.spawns[0].type = 1; },
       "spawn 0 is a team spawn but the file name does not start with ctf_"},
      {"dir/CTF_a.pmp", [](MapDocument& d) { fixtures::AddSpawn(d, 0, 0, 2); },
       "spawn order: a ctf_ map needs the red flag (spawn 0) and the blue flag (spawn 1) first"},
      {"a.pmp", [nan](MapDocument& d) { d.polygons[0].corner[2].tu = nan; }, "polygon 0: a number that is not finite"},
      {"a.pmp", [inf](MapDocument& d) { d.polygonNormals[0].normal[1].y = -inf; }, "polygon 0: a number that is not finite"},
      {"a.pmp", [](MapDocument& d) { fixtures::AddSpawn(d, 0, 0, 7); }, "spawn 1: type 7 is not 0, 1 or 2"},
      {"a.pmp", [inf](MapDocument& d) { d.scenery[0].rotation = inf; }, "scenery 0: a number that is not finite"},
      {"a.pmp", [](MapDocument& d) { d.scenery[0].style = 22; }, "scenery 0: style 22 is not 1..21"},
      {"a.pmp", [](MapDocument& d) { d.sceneryLast = 254; for (auto& s : d.scenery) s = d.scenery[0]; },
       "scenery: 255 objects, a save keeps 254"},
      {"a.pmp", [nan](MapDocument& d) { d.colliders[0].radius = nan; }, "collider 0: a number that is not finite"},
      {"a.pmp", [](MapDocument& d) { d.colliders[0].radius = -3; }, "collider 0: negative radius -3"},
      {"a.pmp", [](MapDocument& d) { d.waypoints[1].path = 3; }, "waypoint 1: path 3 is not 1 or 2"},
      {"a.pmp", [](MapDocument& d) { d.waypoints[0].connections[0] = 3; }, "waypoint 0: link to 3, which is not a waypoint"},
      {"a.pmp", [](MapDocument& d) { d.waypoints[0].connections[0] = 1; }, "waypoint 0: links to itself"},
      {"a.pmp", [](MapDocument& d) { d.waypoints[0].connectionCount = 21; }, "waypoint 0: 21 links, at most 20"},
      {"a.pmp", [](MapDocument& d) { d.sectors[5].count = 1; d.sectors[5].entry[0] = 2; },
       "sector 5: entry 2 is not a polygon"},
      {"a.pmp", [](MapDocument& d) { d.sectors[9].count = -1; }, "sector 9: -1 entries, at most 200"},
  };
  EXPECT_TRUE(CheckMap(*SoundMap(), "a.pmp").empty());
  for (const Case& c : cases) {
    auto d = SoundMap();
    c.fault(*d);
    EXPECT_EQ(CheckMap(*d, c.path), std::vector<std::string>{c.line}) << c.line;
  }
  DecodeReport report;
  report.countClamped = true;
  report.countInFile = 512;
  EXPECT_EQ(CheckMap(*SoundMap(), "a.pmp", &report), std::vector<std::string>{"polygon count 512 in the file is outside 0..400"});
}

TEST(MapCheck, SummaryCountsAgainstTheLimits) {
  auto d = SoundMap();
  d->info.authorName = "Zoë";
  const MapSummary s = SummariseMap(*d);
  EXPECT_EQ(s.author, "Zoë");
  EXPECT_EQ(s.texture, "banana.bmp");
  EXPECT_EQ(s.sectorSize, 30);
  ASSERT_EQ(s.counts.size(), 5u);
  const int expected[][2] = {{1, 400}, {1, 30}, {1, 254}, {1, 128}, {2, 500}};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(s.counts[i].count, expected[i][0]) << s.counts[i].what;
    EXPECT_EQ(s.counts[i].limit, expected[i][1]) << s.counts[i].what;
  }
}

}  // namespace
}  // namespace quorvel
