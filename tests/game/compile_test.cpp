#include "game/compile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

#include "fixtures/map_builder.h"
#include "document/numeric.h"
#include "editing/move.h"
#include "editing/selection.h"
#include "fixtures/shell_fixture.h"

namespace quorvel {
namespace {

class Compile : public fixtures::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
    host.messages.clear();
  }
  const Sector& At(int cx, int cy) const { return ed->doc.sectors[size_t(cx * 31 + cy)]; }
  // The sectors that list polygon index p, as (cx, cy) bounds; -1s when none does.
  std::array<int, 4> SectorsOf(int p) const {
    std::array<int, 4> b{99, 99, -1, -1};
    for (int cx = 0; cx < 31; ++cx)
      for (int cy = 0; cy < 31; ++cy)
        for (int k = 0; k < At(cx, cy).count; ++k)
          if (At(cx, cy).entry[size_t(k)] == p + 1) b = {std::min(b[0], cx), std::min(b[1], cy), std::max(b[2], cx), std::max(b[3], cy)};
    return b[2] < 0 ? std::array<int, 4>{-1, -1, -1, -1} : b;
  }
  int Filled() const {
    int n = 0;
    for (const Sector& s : ed->doc.sectors) n += s.count;
    return n;
  }
};

TEST_F(Compile, CentresTheMapAndFillsTheSectorsOfSolidPolygons) {
  MapDocument& d = ed->doc;
  fixtures::AddTriangle(d, -300, 0, 600, 0, 600, 150);
  fixtures::AddTriangle(d, 0, 0, 10, 0, 0, 10, {255, 255, 255, 255}, true);  // passable
  fixtures::AddSpawn(d, 100, 100);
  fixtures::AddSpawn(d, 610, 75);  // 10 units beyond the polygons' box: it moves all the same
  fixtures::AddWaypoint(d, 20, 20, 2);
  d.sectors[5].count = 3;  // an old table is thrown away
  ed->pathFilter = 1;
  ed->view.showFlags[2] = 0;
  MenuRunCompile_Click(*ed);

  EXPECT_EQ(d.polygons[0].corner[0].x, -450);
  EXPECT_EQ(d.polygons[0].corner[0].y, -75);
  EXPECT_EQ(d.polygons[0].corner[2].x, 450);
  EXPECT_EQ(d.spawns[0].x, -50 * 256);
  EXPECT_EQ(d.spawns[0].y, 25 * 256);
  EXPECT_EQ(d.spawns[1].x, 460 * 256);
  EXPECT_EQ(d.waypoints[0].x, -130 * 256);  // the path the view hides moves too
  EXPECT_EQ(ed->pathFilter, 1);
  EXPECT_EQ(ed->view.showFlags[2], 1);
  EXPECT_EQ(d.info.sectorSize, 30);  // the grid reaches 465 units out, past the spawn
  // x -450..450 gives columns 0..30; y -75..75 gives rows 12.5 -> 12 and 17.5 -> 18.
  EXPECT_EQ(SectorsOf(0), (std::array<int, 4>{0, 12, 30, 18}));
  EXPECT_EQ(Filled(), 31 * 7);
  EXPECT_EQ(SectorsOf(1), (std::array<int, 4>{-1, -1, -1, -1}));
  EXPECT_EQ(ed->currentTool, 0);
  EXPECT_EQ(ed->sel.selLast, -1);
  // The move is the one undo step; Compile shows nothing.
  EXPECT_EQ(ed->undo.undoTop, 0);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Move");
  EXPECT_TRUE(host.messages.empty());
}

// Flags and a spawn above the highest platform, sceneries, colliders and waypoints beside the
// ground: every object moves by the one vector, so the map keeps its layout, and the grid grows
// to hold what lies beyond the polygons. A drag just before stays an undo step of its own.
TEST_F(Compile, MovesEveryObjectByTheSameVector) {
  MapDocument& d = ed->doc;
  fixtures::AddTriangle(d, 1000, 1000, 1600, 1000, 1000, 1100);  // ground
  fixtures::AddTriangle(d, 1100, 900, 1200, 900, 1100, 910);     // highest platform
  fixtures::AddSpawn(d, 1150, 700, 1);
  fixtures::AddSpawn(d, 1180, 700, 2);
  fixtures::AddSpawn(d, 1700, 1050);
  fixtures::AddScenery(d, 900, 1000, 3);
  fixtures::AddCollider(d, 1650, 1050);
  fixtures::AddWaypoint(d, 1140, 880, 1);
  fixtures::AddWaypoint(d, 1800, 1000, 2);
  ed->pathFilter = 2;
  ed->view.showFlags[1] = 0;
  SelectInRect(*ed, 1690, 1040, 1710, 1060, false, kSelectAll);
  MoveSelection(*ed, 0, 0, false);  // the user's own "Move" step
  const MapDocument before = d;
  MenuRunCompile_Click(*ed);
  // The polygons' box is 1000..1600 by 900..1100: the vector is (-1300, -1000).
  const double dx = -1300, dy = -1000;
  for (int p = 0; p <= 1; ++p)
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(d.polygons[p].corner[k].x, before.polygons[p].corner[k].x + dx);
      EXPECT_EQ(d.polygons[p].corner[k].y, before.polygons[p].corner[k].y + dy);
    }
  for (int i = 0; i <= 2; ++i) {
    EXPECT_EQ(d.spawns[i].x, before.spawns[i].x + dx * 256) << "spawn " << i;
    EXPECT_EQ(d.spawns[i].y, before.spawns[i].y + dy * 256) << "spawn " << i;
  }
  EXPECT_EQ(d.scenery[0].x, before.scenery[0].x + dx);
  EXPECT_EQ(d.colliders[0].y, before.colliders[0].y + dy);
  for (int i = 0; i <= 1; ++i) {
    EXPECT_EQ(d.waypoints[i].x, before.waypoints[i].x + dx * 256) << "waypoint " << i;
    EXPECT_EQ(d.waypoints[i].y, before.waypoints[i].y + dy * 256) << "waypoint " << i;
  }
  // The waypoint 500 units right of the origin needs more than a thirtieth of the span (20).
  EXPECT_EQ(d.info.sectorSize, 33);
  for (int i = 0; i <= 1; ++i) EXPECT_TRUE(OnSectorGrid(d.waypoints[i].x / 256.0, d.info.sectorSize));
  EXPECT_EQ(ed->undo.undoTop, 1);  // Compile's move did not join the drag's step
  EXPECT_TRUE(SectorGridHoldsMap(d));
}

TEST_F(Compile, AMapWithoutPolygonsKeepsItsObjectsAndGetsMinus667) {
  fixtures::AddSpawn(ed->doc, 100, 100);
  MenuRunCompile_Click(*ed);
  EXPECT_EQ(ed->doc.info.sectorSize, -667);
  EXPECT_EQ(Filled(), 0);
  EXPECT_EQ(ed->doc.spawns[0].x, 100 * 256);
}

// Small maps: the size never drops below 1 and grows where rounding would put a corner off the
// grid, so every polygon lands inside it; a map of 450 units and more keeps a thirtieth.
TEST_F(Compile, SmallAndOddMapsStayOnTheGrid) {
  struct Case {
    float side;
    int32_t size;
    std::array<int, 4> sectors;
  };
  for (const Case& c : {Case{10, 1, {10, 10, 20, 20}}, Case{44, 2, {4, 4, 26, 26}}, Case{0.2f, 1, {15, 15, 15, 15}},
                        Case{460, 15, {0, 0, 30, 30}}}) {
    SCOPED_TRACE(c.side);
    ed->doc.polygonLast = -1;
    fixtures::AddTriangle(ed->doc, 1000, 1000, 1000 + c.side, 1000, 1000, 1000 + c.side);
    MenuRunCompile_Click(*ed);
    EXPECT_EQ(ed->doc.info.sectorSize, c.size);
    EXPECT_EQ(SectorsOf(0), c.sectors);
  }
  EXPECT_EQ(CompiledSectorSize(900, 450), 30);
  EXPECT_EQ(CompiledSectorSize(0, 0), 1);
  EXPECT_EQ(CompiledSectorSize(1e30, 5e29), std::numeric_limits<int32_t>::max());
}

TEST_F(Compile, FullSectorsNaNCornersAndFarMaps) {
  MapDocument& d = ed->doc;
  for (int i = 0; i < 250; ++i) fixtures::AddTriangle(d, 0, 0, 10, 0, 0, 10);
  MenuRunCompile_Click(*ed);
  EXPECT_EQ(At(15, 15).count, 200);
  EXPECT_EQ(At(15, 15).entry[199], 200);
  EXPECT_TRUE(SectorGridHoldsMap(d));  // a full sector has no room for the other 50

  d.polygonLast = -1;
  fixtures::AddTriangle(d, 20000, 20000, 20600, 20000, 20000, 20600);
  fixtures::AddTriangle(d, std::nanf(""), 0, 20000, 20000, std::numeric_limits<float>::infinity(), 1);
  MenuRunCompile_Click(*ed);
  EXPECT_EQ(d.polygons[0].corner[0].x, -300);
  EXPECT_EQ(d.polygons[0].corner[1].x, 300);
  EXPECT_EQ(d.polygons[1].corner[1].x, -300);  // its finite corner moved with the map
  EXPECT_EQ(d.info.sectorSize, 20);
  EXPECT_EQ(SectorsOf(0), (std::array<int, 4>{0, 0, 30, 30}));
  EXPECT_EQ(SectorsOf(1), (std::array<int, 4>{-1, -1, -1, -1}));
}

// Coordinates at the ends of what a file holds: the move neither overflows nor makes a finite
// value infinite, and the sector size stays a positive 32-bit number.
TEST_F(Compile, ExtremeCoordinatesNeitherOverflowNorTurnInfinite) {
  MapDocument& d = ed->doc;
  const float big = std::numeric_limits<float>::max(), inf = std::numeric_limits<float>::infinity();
  fixtures::AddTriangle(d, -big, -big, big, -big, big, big);
  fixtures::AddTriangle(d, big, big, big, big - 1e32f, big - 1e32f, big);
  fixtures::AddSpawn(d, 0, 0);
  d.spawns[0].x = INT32_MAX;
  d.spawns[0].y = INT32_MIN;
  fixtures::AddScenery(d, std::nanf(""), inf);
  fixtures::AddCollider(d, -inf, big);
  fixtures::AddWaypoint(d, 0, 0, 1);
  d.waypoints[0].x = INT32_MIN;
  MenuRunCompile_Click(*ed);
  EXPECT_EQ(d.spawns[0].x, INT32_MAX);
  EXPECT_EQ(d.spawns[0].y, INT32_MIN);
  EXPECT_TRUE(std::isnan(d.scenery[0].x));
  EXPECT_EQ(d.scenery[0].y, inf);
  EXPECT_EQ(d.colliders[0].x, -inf);
  for (int p = 0; p <= 1; ++p)
    for (const Vertex& v : d.polygons[p].corner) EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y));
  EXPECT_EQ(d.info.sectorSize, std::numeric_limits<int32_t>::max());

  d.polygonLast = -1;
  fixtures::AddTriangle(d, 10, 10, 20, 10, 10, 20);  // a span of 10: a thirtieth rounds to 0
  d.spawnLast = d.sceneryLast = d.colliderLast = d.waypointLast = -1;
  MenuRunCompile_Click(*ed);
  EXPECT_EQ(d.info.sectorSize, 1);
}

// The quick answer (the table read against the filing, no second table built) agrees with a
// plain reading of the rule on random maps with crowded sectors, hostile corners, passable
// polygons and altered tables.
TEST(SectorGridHoldsMap, AgreesWithThePlainRule) {
  constexpr float kHostile[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                -3.4e38f, 1e38f, 25000.f};
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    auto d = std::make_unique<MapDocument>(fixtures::NewMap());
    const int polygons = int(rng() % 260);
    const float spread = float(1 + rng() % 3000);
    for (int p = 0; p < polygons; ++p) {
      std::array<float, 6> c;
      for (float& v : c) v = float(int(rng() % 2001) - 1000) / 1000.f * spread;
      if (rng() % 40 == 0) c[rng() % 6] = kHostile[rng() % 5];
      if (p % 3 == 0) c = {0, 0, 5, 0, 0, 5};  // many on one spot fill a sector past 200
      fixtures::AddTriangle(*d, c[0], c[1], c[2], c[3], c[4], c[5], {}, rng() % 7 == 0);
    }
    const int32_t size = rng() % 4 == 0 ? int32_t(rng() % 50) - 5 : int32_t(1 + spread / 30);
    d->info.sectorSize = size;
    SectorsAsTheyLie(*d, size, d->sectors);
    switch (rng() % 5) {  // an altered table: one entry, one count, a polygon moved or made passable
      case 0: d->sectors[rng() % kSectorCount].entry[0] ^= 1; break;
      case 1: d->sectors[rng() % kSectorCount].count += 1; break;
      case 2: if (polygons > 0) d->polygons[0].corner[0].x += 900; break;
      case 3: if (polygons > 1) d->polygonNormals[1] = EdgeNormals{}; break;
      default: break;
    }
    // The rule read plainly: every entry an existing solid polygon; every solid polygon with
    // finite corners in every sector of its box, unless that sector is full.
    bool holds = true;
    for (const Sector& s : d->sectors)
      for (int e = 0; e < std::clamp<int>(s.count, 0, 200); ++e)
        holds = holds && s.entry[size_t(e)] >= 1 && s.entry[size_t(e)] <= polygons &&
                IsSolidPolygon(d->polygonNormals[size_t(s.entry[size_t(e)] - 1)]);
    for (int p = 0; p < polygons; ++p) {
      const auto& c = d->polygons[size_t(p)].corner;
      bool finite = true;
      for (const Vertex& v : c) finite = finite && std::isfinite(v.x) && std::isfinite(v.y);
      if (!finite || !IsSolidPolygon(d->polygonNormals[size_t(p)])) continue;
      if (size <= 0) {
        holds = false;
        continue;
      }
      auto cell = [&](float a, float b, float e, bool low) {
        const double v = RoundHalfEven(low ? std::min({a, b, e}) : std::max({a, b, e}));
        return std::clamp(int(std::clamp(SectorCell(v, size), -1.0, 31.0)), 0, 30);
      };
      for (int cx = cell(c[0].x, c[1].x, c[2].x, true); cx <= cell(c[0].x, c[1].x, c[2].x, false); ++cx)
        for (int cy = cell(c[0].y, c[1].y, c[2].y, true); cy <= cell(c[0].y, c[1].y, c[2].y, false); ++cy) {
          const Sector& s = d->sectors[size_t(cx * 31 + cy)];
          const int n = std::clamp<int>(s.count, 0, 200);
          holds = holds && (s.count >= 200 || std::find(s.entry.begin(), s.entry.begin() + n, p + 1) != s.entry.begin() + n);
        }
    }
    std::vector<int> concerned;
    EXPECT_EQ(SectorGridHoldsMap(*d), holds);
    EXPECT_EQ(SectorGridHoldsMap(*d, &concerned), holds);
    if (!concerned.empty()) { EXPECT_FALSE(holds); }
  }
}

}  // namespace
}  // namespace quorvel
