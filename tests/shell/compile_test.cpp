#include "shell/compile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

#include "fixtures/map_builder.h"
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
  fixtures::AddSpawn(d, 650, 75);  // 50 units beyond the polygons' box
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
  EXPECT_EQ(d.spawns[1].x, 650 * 256);  // outside the box: stays
  EXPECT_EQ(d.waypoints[0].x, -130 * 256);  // the path the view hides moves too
  EXPECT_EQ(ed->pathFilter, 1);
  EXPECT_EQ(ed->view.showFlags[2], 1);
  EXPECT_EQ(d.info.sectorSize, 30);
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

// The quick answers (table read in step with the filing, size without the table) agree with
// building the tables, on random maps with crowded sectors, hostile corners and altered tables.
TEST(CompileQuickAnswers, AgreeWithTheBuiltTables) {
  constexpr float kHostile[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                -3.4e38f, 1e38f, 25000.f};
  std::mt19937 rng(7);
  auto grid = std::make_unique<SectorGrid>();
  auto built = std::make_unique<SectorGrid>();
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
      fixtures::AddTriangle(*d, c[0], c[1], c[2], c[3], c[4], c[5]);
    }
    CompiledGrid(*d, *grid);
    EXPECT_EQ(CompiledSectorSizeNow(*d), grid->sectorSize);
    const int32_t size = rng() % 4 == 0 ? int32_t(rng() % 50) - 5 : grid->sectorSize;
    SectorsAsTheyLie(*d, size, d->sectors);
    switch (rng() % 4) {  // an altered table: one entry, one count, or a polygon moved after it was filed
      case 0: d->sectors[rng() % kSectorCount].entry[0] ^= 1; break;
      case 1: d->sectors[rng() % kSectorCount].count += 1; break;
      case 2: if (polygons > 0) d->polygons[0].corner[0].x += 900; break;
      default: break;
    }
    SectorsAsTheyLie(*d, size, built->sectors);
    bool same = true;
    for (int s = 0; s < kSectorCount; ++s) {
      const Sector &a = d->sectors[size_t(s)], &b = built->sectors[size_t(s)];
      same = same && a.count == b.count && std::equal(a.entry.begin(), a.entry.begin() + b.count, b.entry.begin());
    }
    EXPECT_EQ(SectorsMatchAsTheyLie(*d, size), same);
  }
}

}  // namespace
}  // namespace quorvel
