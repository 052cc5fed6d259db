#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

#include "../view/view_test_support.h"
#include "editing/tools.h"
#include "panels/object_properties.h"

namespace quorvel {
namespace {

struct Rig : testing_support::ViewRig {
  Editor& e = *ed;
  Controls& c = ed->ctl;
  SelectionState& s = ed->sel;
  // Appends entries to one selection list, keeping selLast in step.
  template <size_t N, class I>
  void Pick(std::array<I, N>& list, int16_t& last, std::vector<int> indices) {
    for (int i : indices) list[static_cast<size_t>(++last)] = static_cast<I>(i), ++s.selLast;
  }
  void PickCorners(std::vector<std::pair<int, int>> corners) {
    for (auto [p, k] : corners) {
      Pick(s.selVertexPolygon, s.selVertexLast, {p});
      s.selVertexCorner[static_cast<size_t>(s.selVertexLast)] = static_cast<uint8_t>(k);
    }
  }
};

TEST(RefreshPanels, MapInfoNameTextureAndCounts) {
  const char* cases[][3] = {
      {"", "banana.bmp", "Name: \nAuthor: \nTexture: banana.bmp"},
      {"a.pmp", "ab", "Name: \nAuthor: \nTexture: "},
      {"C:\\Maps\\ctf_Ash.pmp", "Grass", "Name: CTF_ASH\nAuthor: \nTexture: gra"},
      {"/home/u/dm_x.pmp", "Rock.BMPextra", "Name: DM_X\nAuthor: \nTexture: rock.bmp"},
      {"/maps/mökki_šœžÿßé÷.pmp", "\xC4\x8AK.BMP", "Name: MÖKKI_ŠŒŽŸßÉ÷\nAuthor: \nTexture: äšk.bmp"},
  };
  for (auto& [path, texture, expected] : cases) {
    Rig r;
    MapInfo& info = r.e.doc.info;
    info.fileName = path, info.textureName = PadTextureName(texture), info.authorName = "  Mika\t";
    info.backgroundTop = {0x10, 0x20, 0x30, 0};
    r.e.RefreshPanels();
    EXPECT_EQ(r.c.Lkartta1.caption, expected) << path;
    EXPECT_EQ(r.c.lAuthor.caption, "Mika");
    EXPECT_EQ(r.c.CBtausta1.backColour, 0x102030u);
    EXPECT_EQ(r.c.Lkartta2.caption, "0/400 Polygons\n0/30 Spawns\n0/255 Sceneries\n0/128 Colliders\n0/500 Waypoints");
  }
}

TEST(RefreshPanels, SelectionSummaryCountsAndPlurals) {
  struct Case { int vertices, spawns, sceneries, colliders, waypoints; const char *caption, *left, *right; };
  const Case cases[] = {
      {0, 0, 0, 0, 0, "Selected 0", "Nothing", ""},
      {0, 2, 2, 0, 0, "Selected 4", "2 Spawns\n", "2 Sceneries\n"},
      {3, 1, 1, 2, 2, "Selected 9", "3 Vertices\n1 Spawn\n2 Waypoints", "1 Scenery\n2 Colliders"},
      {1, 0, 0, 1, 1, "Selected 3", "1 Vertice\n1 Waypoint", "1 Collider"},
  };
  for (const Case& k : cases) {
    Rig r;
    for (int i = 0; i < k.vertices; ++i) r.PickCorners({{0, i}});
    for (int i = 0; i < k.spawns; ++i) r.Pick(r.s.selSpawn, r.s.selSpawnLast, {i});
    for (int i = 0; i < k.sceneries; ++i) r.Pick(r.s.selScenery, r.s.selSceneryLast, {i});
    for (int i = 0; i < k.colliders; ++i) r.Pick(r.s.selCollider, r.s.selColliderLast, {i});
    for (int i = 0; i < k.waypoints; ++i) r.Pick(r.s.selWaypoint, r.s.selWaypointLast, {i});
    r.e.RefreshPanels();
    EXPECT_EQ(r.c.Fvalinta.caption, k.caption);
    EXPECT_EQ(r.c.Lvalinta[0].caption, k.left) << k.caption;
    EXPECT_EQ(r.c.Lvalinta[1].caption, k.right) << k.caption;
  }
}

TEST(RefreshPanels, SpawnTypesAndLists) {
  struct Case { std::vector<uint8_t> types; const char *text, *tag; size_t items; };
  const Case cases[] = {
      {{}, "", "0", 0},
      {{1, 2}, "Many types", "1", 4},
      {{1, 1}, "CTF Red", "1", 4},  // in the list that ends in "Many types"
      {{2}, "CTF Blue", "2", 3},
      {{7}, "", "2", 3},  // a type without a name leaves the text as it was
  };
  for (const Case& k : cases) {
    Rig r;
    for (uint8_t t : k.types) r.Pick(r.s.selSpawn, r.s.selSpawnLast, {fixtures::AddSpawn(r.e.doc, 0, 0, t)});
    r.e.RefreshPanels();
    EXPECT_EQ(r.c.CBspawn.text, k.text) << k.text;
    EXPECT_EQ(r.c.CBspawn.tag, k.tag);
    EXPECT_EQ(r.c.CBspawn.items.size(), k.items);
    EXPECT_EQ(r.c.CBspawn.enabled, !k.types.empty());
  }
  // The spawn tool's list shows the type of the next spawn: the user's choice through refreshes,
  // Normal again once a tool switch (an Undo's or a Redo's) has reset it.
  Rig r;
  SelectTool(r.e, 2);
  r.e.RefreshPanels();
  EXPECT_EQ(r.c.CBspawn.text, "Normal");
  r.c.CBspawn.Select(2);
  CBspawn_Click(r.e);
  ASSERT_EQ(r.e.toolParam, 2);
  r.e.RefreshPanels();
  EXPECT_EQ(r.c.CBspawn.text, "CTF Blue");
  SelectTool(r.e, 2);
  r.e.RefreshPanels();
  EXPECT_EQ(r.c.CBspawn.text, "Normal");
  EXPECT_EQ(r.e.toolParam, 0);
}

TEST(RefreshPanels, VertexPassabilityColourAndEnabledButtons) {
  struct Case { int tool; std::vector<std::pair<int, int>> corners; int16_t passable; uint32_t face; bool lapiOn, connectOn, colourOn; };
  const Case cases[] = {
      {0, {}, 0, 0xC0C0C0, false, false, false},
      {0, {{0, 0}, {0, 1}, {1, 0}}, 2, 0xC0C0C0, true, true, true},  // one of three passable, colours differ
      {0, {{1, 0}, {1, 2}}, 1, 0xFF0000, true, true, true},
      {0, {{0, 2}}, 0, 0x0000FF, true, false, true},
      {1, {}, 0, 0x123456, false, false, true},  // the colour of new corners stays
      {4, {}, 0, 0xC0C0C0, false, false, false},
  };
  for (const Case& k : cases) {
    Rig r;
    fixtures::AddTriangle(r.e.doc, 0, 0, 10, 0, 0, 10, {0, 0, 255, 255});
    fixtures::AddTriangle(r.e.doc, 0, 0, 10, 0, 0, 10, {255, 0, 0, 255}, true);
    r.e.currentTool = static_cast<int16_t>(k.tool);
    r.c.CBverticevari.backColour = 0x123456;
    r.PickCorners(k.corners);
    r.e.RefreshPanels();
    EXPECT_EQ(r.c.CBverticeLapi.value, k.passable) << k.tool << " " << k.corners.size();
    EXPECT_EQ(r.c.CBverticevari.backColour, k.face);
    EXPECT_EQ(r.c.CBverticeLapi.enabled && r.c.CBtexPoista.enabled, k.lapiOn);
    EXPECT_EQ(r.c.CByhista.enabled && r.c.CBerota.enabled, k.connectOn);
    EXPECT_EQ(r.c.CBverticevari.enabled, k.colourOn);
  }
}

TEST(RefreshPanels, SceneryAndColliderTexts) {
  struct Case { std::vector<std::pair<uint8_t, uint8_t>> styleAlpha; std::vector<float> radii; const char *type, *visibility, *tag, *size; };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {
      {{}, {}, "", "", "0", ""},
      {{{2, 191}}, {16}, "Short Grass", "75%", "1", "16"},
      {{{2, 128}, {2, 64}}, {12.5f, 12.5f}, "Short Grass", "Many types", "2", "12.5"},
      {{{3, 64}, {4, 64}}, {12, 24}, "Many types", "25%", "2", ""},
      {{{0, 255}}, {nan, nan}, "", "100%", "1", ""},  // styles 0 and above 21 have no name
      {{{30, 255}, {30, 255}}, {}, "", "100%", "2", ""},
  };
  for (const Case& k : cases) {
    Rig r;
    for (auto [style, alpha] : k.styleAlpha) {
      int i = fixtures::AddScenery(r.e.doc, 0, 0, style);
      r.e.doc.scenery[static_cast<size_t>(i)].alpha = alpha;
      r.Pick(r.s.selScenery, r.s.selSceneryLast, {i});
    }
    for (float radius : k.radii) r.Pick(r.s.selCollider, r.s.selColliderLast, {fixtures::AddCollider(r.e.doc, 0, 0, radius)});
    r.e.RefreshPanels();
    EXPECT_EQ(r.c.CBscenery.text, k.type) << k.visibility;
    EXPECT_EQ(r.c.CBscenery2.text, k.visibility);
    EXPECT_EQ(r.c.CBscenery.tag + r.c.CBscenery2.tag, std::string(2, k.tag[0]));
    EXPECT_EQ(r.c.CBcollider.text, k.size);
    EXPECT_EQ(r.c.CBcollider.enabled, !k.radii.empty());
  }
  // The scenery tool offers the last scenery's visibility and waits while one is being turned.
  Rig r;
  r.e.doc.scenery[static_cast<size_t>(fixtures::AddScenery(r.e.doc, 0, 0, 2))].alpha = 128;
  SelectTool(r.e, 3);
  r.e.RefreshPanels();
  EXPECT_EQ(r.c.CBscenery2.tag + r.c.CBscenery2.text, "350%");
  EXPECT_TRUE(r.c.CBscenery.enabled);
  r.e.toolParam = -9999;
  r.e.RefreshPanels();
  EXPECT_FALSE(r.c.CBscenery.enabled || r.c.CBscenery2.enabled);
}

TEST(RefreshPanels, WaypointFlagsAndPaths) {
  struct Case { std::vector<int> paths; std::vector<int16_t> flags; bool path1, path2; };
  const Case cases[] = {
      {{}, {0, 0, 0, 0, 0}, false, false},
      {{2}, {1, 0, 1, 0, 0}, false, true},
      {{1, 1}, {2, 0, 1, 0, 0}, true, false},  // flag 0 set on the first only
      {{1, 2}, {2, 0, 1, 0, 0}, false, false},
      {{5}, {1, 0, 1, 0, 0}, false, false},  // a path without a button
  };
  for (const Case& k : cases) {
    Rig r;
    for (int p : k.paths) {
      int i = fixtures::AddWaypoint(r.e.doc, 0, 0, p);
      r.e.doc.waypoints[static_cast<size_t>(i)].flags = {uint8_t(i == 0), 0, 1, 0, 0, 0, 0, 0};
      r.Pick(r.s.selWaypoint, r.s.selWaypointLast, {i});
    }
    r.e.RefreshPanels();
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(r.c.CBbotValinta[i].value, k.flags[i]) << k.paths.size() << " flag " << i;
    EXPECT_EQ(r.c.OBbotKumpi[1].value, k.path1);
    EXPECT_EQ(r.c.OBbotKumpi[2].value, k.path2);
    EXPECT_EQ(r.c.CBbotValinta[4].enabled, !k.paths.empty());
  }
}

TEST(RefreshPanels, PathDisplayFollowsTheWaypointTool) {
  Rig r;
  r.e.pathFilter = 2;
  r.e.RefreshPanels();  // none on: "Both" is turned on and sets the filter
  EXPECT_TRUE(r.c.OBbotNayta[0].value);
  EXPECT_EQ(r.e.pathFilter, 0);
  SelectTool(r.e, 5);  // path 1 for new waypoints
  r.c.OBbotNayta[0].value = false;
  r.c.OBbotNayta[2].value = true;
  r.e.RefreshPanels();
  EXPECT_TRUE(r.c.OBbotNayta[0].value && r.c.OBbotNayta[1].enabled);
  EXPECT_FALSE(r.c.OBbotNayta[2].value || r.c.OBbotNayta[2].enabled);
  r.e.view.showFlags[4] = 0;
  r.e.RefreshPanels();
  for (const OptionButton& b : r.c.OBbotNayta) EXPECT_FALSE(b.enabled);
}

TEST(RefreshPanels, CaptionsPasteFocusAndBusyFlag) {
  for (int tool = 0; tool <= 5; ++tool) {
    Rig r;
    r.c.Pala.foreColour = 0x333333;
    r.e.currentTool = static_cast<int16_t>(tool);
    r.e.clip.clipLast = static_cast<int16_t>(tool == 0 ? 0 : -1);
    r.e.RefreshPanels();
    const Frame* frames[] = {&r.c.Fvertice, &r.c.Fspawn, &r.c.Fscenery, &r.c.Fcollider, &r.c.Fbot};
    for (int f = 0; f < 5; ++f) EXPECT_EQ(frames[f]->foreColour, f + 1 == tool ? 0x0000FFu : 0x333333u) << tool;
    EXPECT_EQ(r.c.MenuPaste.enabled, tool == 0);
    EXPECT_EQ(r.host.focusCalls, 1);
    EXPECT_FALSE(r.e.panelRefreshBusy);
  }
  Editor bare;  // no host to take the focus
  bare.RefreshPanels();
  EXPECT_FALSE(bare.panelRefreshBusy);
}

TEST(RefreshPanels, UnchangedSelectionRebuildsNoList) {
  for (int tool : {0, 2, 3}) {
    Rig r;
    SelectTool(r.e, tool);
    for (int i = 0; i < 2; ++i) {
      r.Pick(r.s.selSpawn, r.s.selSpawnLast, {fixtures::AddSpawn(r.e.doc, 0, 0)});
      r.Pick(r.s.selScenery, r.s.selSceneryLast, {fixtures::AddScenery(r.e.doc, 0, 0)});
    }
    r.e.RefreshPanels();
    // A rebuilt list would lose its marker item; boxes marked "0" hold no list to keep.
    std::vector<ComboBox*> loaded;
    for (ComboBox* box : {&r.c.CBspawn, &r.c.CBscenery, &r.c.CBscenery2})
      if (box->tag != "0") loaded.push_back(box), box->AddItem("marker");
    ASSERT_FALSE(loaded.empty());
    r.e.RefreshPanels();
    for (ComboBox* box : loaded) EXPECT_EQ(box->items.back(), "marker") << tool << " " << box->tag;
  }
}

TEST(RefreshPanels, SelectionEntriesBeyondTheArraysAreSkipped) {
  Rig r;
  fixtures::AddCollider(r.e.doc, 0, 0, 16);
  r.PickCorners({{30000, 0}, {0, 9}, {-4, 1}});
  r.Pick(r.s.selSpawn, r.s.selSpawnLast, {200, 201});
  r.Pick(r.s.selCollider, r.s.selColliderLast, {0, 250});
  r.Pick(r.s.selWaypoint, r.s.selWaypointLast, {32000});
  r.s.selSceneryLast = 4000;  // a list length no array holds
  r.e.RefreshPanels();
  EXPECT_EQ(r.c.CBverticeLapi.value, 2);
  EXPECT_EQ(r.c.CBspawn.text, "Many types");
  EXPECT_EQ(r.c.CBcollider.text, "16");
  EXPECT_EQ(r.c.CBbotValinta[0].value, 0);
  EXPECT_EQ(r.c.CBscenery.tag, "2");
}

}  // namespace
}  // namespace quorvel
