#include "panels/object_properties.h"

#include <gtest/gtest.h>

#include <vector>

#include "../editing/editing_rig.h"
#include "document/panel_lists.h"

namespace quorvel {
namespace {

constexpr const char* kLimit = "Size is out of the limit.";

struct Rig : testing_support::EditRig {
  Editor& d = e();
  Controls& c = e().ctl;
  template <size_t N, class I>
  void Pick(std::array<I, N>& list, int16_t& last, std::vector<int> indices) {
    for (int i : indices) list[size_t(++last)] = I(i), ++d.sel.selLast;
  }
};

TEST(ObjectProperties, VisibilityTypedWithEnter) {
  struct Case { const char* typed; const char* shown; uint8_t alpha; };
  const Case cases[] = {{"50", "50%", 128}, {"33", "33%", 84},     {"101", "100%", 200},
                        {"-1", "100%", 200}, {"abc", "100%", 200}, {"1e999", "100%", 200}};
  for (const Case& k : cases) {
    Rig r;
    for (int i = 0; i < 2; ++i) r.d.doc.scenery[size_t(fixtures::AddScenery(r.d.doc, 0, 0))].alpha = 200;
    r.Pick(r.d.sel.selScenery, r.d.sel.selSceneryLast, {0, 1});
    r.c.CBscenery2.text = k.typed;
    CBscenery2_KeyDown(r.d, kEnterKey);
    EXPECT_EQ(r.c.CBscenery2.text, k.shown) << k.typed;
    for (int s : {0, 1}) EXPECT_EQ(r.d.doc.scenery[size_t(s)].alpha, k.alpha) << k.typed;
    EXPECT_EQ(r.Snapshots(), k.alpha == 200 ? 0 : 1) << k.typed;
    EXPECT_EQ(r.host.LastMessage(), k.alpha == 200 ? kLimit : "") << k.typed;
  }
}

TEST(ObjectProperties, ColliderSizeTypedWithEnter) {
  struct Case { const char* typed; MsgResult answer; float radius; const char* shown; const char* box; };
  const std::string custom = "You have select a custom size.\nThis will work but the official MapMaker will not "
                             "show custom sized colliders.\nDo you still want continue?";
  const Case cases[] = {{"20", MsgResult::Ok, 20, "20", custom.c_str()}, {"20", MsgResult::Cancel, 12, "12", custom.c_str()},
                        {"16", MsgResult::Ok, 16, "16", ""},              {"1", MsgResult::Ok, 12, "12", kLimit},
                        {"abc", MsgResult::Ok, 12, "12", kLimit},         {"1e40", MsgResult::Ok, 12, "12", kLimit},
                        {"999", MsgResult::Ok, 999, "999", custom.c_str()}, {"1000", MsgResult::Ok, 12, "12", kLimit}};
  for (const Case& k : cases) {
    Rig r;
    for (int i = 0; i < 2; ++i) r.Pick(r.d.sel.selCollider, r.d.sel.selColliderLast, {fixtures::AddCollider(r.d.doc, 0, 0, 12)});
    r.c.CBcollider.text = k.typed;
    r.host.messageAnswers = {k.answer};
    CBcollider_KeyPress(r.d, kEnterKey);
    for (int i : {0, 1}) EXPECT_EQ(r.d.doc.colliders[size_t(i)].radius, k.radius) << k.typed;
    EXPECT_EQ(r.c.CBcollider.text, k.shown) << k.typed;
    EXPECT_EQ(r.host.LastMessage(), k.box) << k.typed;
    EXPECT_EQ(r.Snapshots(), k.radius == 12 ? 0 : 1) << k.typed;
  }
}

TEST(ObjectProperties, ManyTypesLeavesTheListBeforeItOpensAndNoNameIsStored) {
  Rig r;
  r.Pick(r.d.sel.selSpawn, r.d.sel.selSpawnLast, {fixtures::AddSpawn(r.d.doc, 0, 0, 1), fixtures::AddSpawn(r.d.doc, 0, 0, 2)});
  r.Pick(r.d.sel.selScenery, r.d.sel.selSceneryLast, {fixtures::AddScenery(r.d.doc, 0, 0, 3), fixtures::AddScenery(r.d.doc, 0, 0, 4)});
  r.d.doc.scenery[1].alpha = 64;
  r.d.RefreshPanels();
  ASSERT_EQ(r.c.CBspawn.text, kManyTypes);
  // Chosen without the list opening (keys on a closed box), or a text naming no style: nothing changes.
  for (auto click : {CBspawn_Click, CBscenery_Click, CBscenery2_Click}) click(r.d);
  r.c.CBscenery.text = "Bogus";
  CBscenery_Click(r.d);
  EXPECT_EQ(r.d.doc.spawns[0].type, 1);
  EXPECT_EQ(r.d.doc.scenery[0].style, 3);
  EXPECT_EQ(r.d.doc.scenery[1].alpha, 64);
  EXPECT_EQ(r.Snapshots(), 0);

  CBspawn_DropDown(r.d);
  CBscenery_DropDown(r.d);
  CBscenery2_DropDown(r.d);
  EXPECT_EQ(r.c.CBspawn.items, (std::vector<std::string>{"Normal", "CTF Red", "CTF Blue"}));
  EXPECT_EQ(r.c.CBspawn.tag, "0");
  EXPECT_EQ(r.c.CBscenery.items.size(), 21u);
  EXPECT_EQ(r.c.CBscenery2.items, (std::vector<std::string>{"100%", "75%", "50%", "25%"}));
  EXPECT_EQ(r.c.CBscenery2.text, "100%");
}

TEST(ObjectProperties, WaypointFlagsAndPathsOnSeveralWaypoints) {
  Rig r;
  OBbotKumpi_Click(r.d, 2);
  EXPECT_EQ(r.host.LastMessage(), "You need select at least 1 waypoint.");
  for (int i = 0; i < 3; ++i) r.Pick(r.d.sel.selWaypoint, r.d.sel.selWaypointLast, {fixtures::AddWaypoint(r.d.doc, 0, 0, 1)});
  fixtures::AddWaypoint(r.d.doc, 50, 0, 1);  // not selected
  r.c.CBbotValinta[4].value = 1;
  CBbotValinta_Click(r.d, 4);
  r.c.CBbotValinta[1].value = 2;  // grey: a mixed state, no value
  CBbotValinta_Click(r.d, 1);
  OBbotKumpi_Click(r.d, 2);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(r.d.doc.waypoints[size_t(i)].flags[4], i < 3 ? 1 : 0);
    EXPECT_EQ(r.d.doc.waypoints[size_t(i)].path, i < 3 ? 2 : 1);
  }
  EXPECT_EQ(r.Snapshots(), 2);

  // Adding path-2 waypoints while the canvas shows only path 1 shows both again.
  r.Tool(5);
  r.c.OBbotNayta = {{{"Both"}, {"Path 1", true}, {"Path 2"}}};
  r.d.pathFilter = 1;
  OBbotKumpi_Click(r.d, 2);
  EXPECT_EQ(r.d.toolParam, 2);
  EXPECT_TRUE(r.c.OBbotNayta[0].value);
  EXPECT_EQ(r.d.pathFilter, 0);
  EXPECT_EQ(r.Snapshots(), 2);
}

}  // namespace
}  // namespace quorvel
