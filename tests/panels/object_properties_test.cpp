#include "panels/object_properties.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "../editing/editing_rig.h"
#include "document/panel_lists.h"

namespace quorvel {
namespace {

constexpr const char* kLimit = "Size is out of the limit.";

struct Rig : testing_support::EditRig {
  Editor& d = e();
  Controls& c = e().ctl;
  // Appends indices to one selection list, keeping selLast in step.
  template <size_t N, class I>
  void Pick(std::array<I, N>& list, int16_t& last, std::vector<int> indices) {
    for (int i : indices) list[size_t(++last)] = I(i), ++d.sel.selLast;
  }
  void TwoSceneries(uint8_t alpha0, uint8_t alpha1) {
    for (uint8_t a : {alpha0, alpha1}) d.doc.scenery[size_t(fixtures::AddScenery(d.doc, 0, 0, 3))].alpha = a;
    Pick(d.sel.selScenery, d.sel.selSceneryLast, {0, 1});
  }
  std::string Label() { return d.undo.undoLabels[size_t(d.undo.undoSlot)]; }
};

TEST(ObjectProperties, VisibilityTypedWithEnter) {
  struct Case { const char* typed; const char* shown; uint8_t alpha; bool refused; };
  const Case cases[] = {
      {"50", "50%", 128, false}, {"33", "33%", 84, false}, {" 25%", "25%", 64, false},
      {"101", "100%", 200, true}, {"-1", "100%", 200, true}, {"abc", "100%", 200, true}, {"1e999", "100%", 200, true},
  };
  for (const Case& k : cases) {
    Rig r;
    r.TwoSceneries(200, 200);
    r.c.CBscenery2.text = k.typed;
    CBscenery2_KeyDown(r.d, kEnterKey);
    EXPECT_EQ(r.c.CBscenery2.text, k.shown) << k.typed;
    for (int s : {0, 1}) EXPECT_EQ(r.d.doc.scenery[size_t(s)].alpha, k.alpha) << k.typed;
    EXPECT_EQ(r.Snapshots(), k.refused ? 0 : 1) << k.typed;
    EXPECT_EQ(r.host.LastMessage(), k.refused ? kLimit : "") << k.typed;
    EXPECT_FALSE(r.d.panelRefreshBusy);
  }
}

TEST(ObjectProperties, ColliderSizeTypedWithEnter) {
  struct Case { const char* typed; MsgResult answer; float radius; const char* shown; size_t boxes; const char* last; };
  const Case cases[] = {
      {"20", MsgResult::Ok, 20, "20", 1, "You have select a custom size."},
      {"20", MsgResult::Cancel, 12, "12", 1, "You have select a custom size."},
      {"16", MsgResult::Ok, 16, "16", 0, ""},
      {"1", MsgResult::Ok, 12, "12", 1, kLimit},
      {"abc", MsgResult::Ok, 12, "12", 1, kLimit},
      {"1e40", MsgResult::Ok, 12, "12", 1, kLimit},
  };
  for (const Case& k : cases) {
    Rig r;
    for (int i = 0; i < 2; ++i) r.Pick(r.d.sel.selCollider, r.d.sel.selColliderLast, {fixtures::AddCollider(r.d.doc, 0, 0, 12)});
    r.c.CBcollider.text = k.typed;
    r.host.messageAnswers = {k.answer};
    CBcollider_KeyPress(r.d, kEnterKey);
    for (int i : {0, 1}) EXPECT_EQ(r.d.doc.colliders[size_t(i)].radius, k.radius) << k.typed;
    EXPECT_EQ(r.c.CBcollider.text, k.shown) << k.typed;
    ASSERT_EQ(r.host.messages.size(), k.boxes) << k.typed;
    if (k.boxes) {
      EXPECT_EQ(r.host.messages[0].text.substr(0, std::string(k.last).size()), k.last);
    }
    EXPECT_EQ(r.Snapshots(), k.radius == 12 ? 0 : 1) << k.typed;
  }
  Rig r;  // the Add collider tool keeps a typed size for new colliders
  r.Tool(4);
  r.c.CBcollider.text = "24.6";
  CBcollider_KeyPress(r.d, kEnterKey);
  EXPECT_EQ(r.d.toolParam, 25);
  EXPECT_EQ(r.host.messages.at(0).title, "Warning");
}

TEST(ObjectProperties, ManyTypesLeavesTheListBeforeItOpensAndIsNeverStored) {
  Rig r;
  r.Pick(r.d.sel.selSpawn, r.d.sel.selSpawnLast, {fixtures::AddSpawn(r.d.doc, 0, 0, 1), fixtures::AddSpawn(r.d.doc, 0, 0, 2)});
  r.TwoSceneries(128, 64);
  r.d.doc.scenery[1].style = 4;
  r.d.RefreshPanels();
  ASSERT_EQ(r.c.CBspawn.text, kManyTypes);
  ASSERT_EQ(r.c.CBscenery.items.size(), 22u);
  // Chosen without the list opening (keys on a closed box): nothing changes.
  for (auto click : {CBspawn_Click, CBscenery_Click, CBscenery2_Click}) click(r.d);
  EXPECT_EQ(r.d.doc.spawns[0].type, 1);
  EXPECT_EQ(r.d.doc.scenery[1].alpha, 64);
  EXPECT_EQ(r.Snapshots(), 0);

  CBspawn_DropDown(r.d);
  CBscenery_DropDown(r.d);
  CBscenery2_DropDown(r.d);
  EXPECT_EQ(r.c.CBspawn.items, (std::vector<std::string>{"Normal", "CTF Red", "CTF Blue"}));
  EXPECT_EQ(r.c.CBspawn.tag, "0");
  EXPECT_EQ(r.c.CBscenery.items.size(), 21u);
  EXPECT_EQ(r.c.CBscenery.tag, "1");
  EXPECT_EQ(r.c.CBscenery2.items, (std::vector<std::string>{"100%", "75%", "50%", "25%"}));
  EXPECT_EQ(r.c.CBscenery2.text, "100%");
  // Opening the list is no choice: a common visibility stays shown.
  r.d.doc.scenery[1].alpha = 128;
  r.d.RefreshPanels();
  CBscenery2_DropDown(r.d);
  EXPECT_EQ(r.c.CBscenery2.text, "50%");
  EXPECT_EQ(r.c.CBscenery2.tag, "1");
}

TEST(ObjectProperties, TypesForTheSelectionOrTheNextObject) {
  Rig r;
  for (int i = 0; i < 3; ++i) r.Pick(r.d.sel.selSpawn, r.d.sel.selSpawnLast, {fixtures::AddSpawn(r.d.doc, 0, 0)});
  r.c.CBspawn.text = "CTF Blue";
  CBspawn_Click(r.d);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(r.d.doc.spawns[size_t(i)].type, 2);
  EXPECT_EQ(r.Snapshots(), 1);
  EXPECT_EQ(r.Label(), "Type");

  r.TwoSceneries(255, 255);
  for (const char* text : {"Bogus", "Big Crate"}) {
    r.c.CBscenery.text = text;
    CBscenery_Click(r.d);
  }
  EXPECT_EQ(r.d.doc.scenery[0].style, 21);
  EXPECT_EQ(r.Snapshots(), 2);  // the name of no style took none

  r.Tool(2);
  r.c.CBspawn.text = "CTF Red";
  CBspawn_Click(r.d);
  EXPECT_EQ(r.d.toolParam, 1);
  r.Tool(3);
  r.c.CBscenery.text = "Bogus";
  CBscenery_Click(r.d);
  EXPECT_EQ(r.d.toolParam, 21);  // still the last scenery's style
  EXPECT_EQ(r.Snapshots(), 2);
}

TEST(ObjectProperties, NothingSelectedIsRefused) {
  struct Case { std::function<void(Editor&)> handler; const char* text; };
  const Case cases[] = {
      {CBspawn_Click, "You need select at least 1 spawnpoint."},
      {CBscenery_Click, "You need select at least 1 scenery."},
      {CBscenery2_Click, "You need select at least 1 scenery."},
      {CBcollider_Click, "You need select at least 1 collider."},
      {[](Editor& e) { CBbotValinta_Click(e, 2); }, "You need select at least 1 waypoint."},
      {[](Editor& e) { OBbotKumpi_Click(e, 2); }, "You need select at least 1 waypoint."},
  };
  for (const Case& k : cases) {
    Rig r;
    r.c.CBcollider.text = "16";
    k.handler(r.d);
    ASSERT_EQ(r.host.messages.size(), 1u) << k.text;
    EXPECT_EQ(r.host.messages[0].text, k.text);
    EXPECT_EQ(r.host.messages[0].title, "Problem");
    EXPECT_EQ(r.host.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(r.Snapshots(), 0) << k.text;
    EXPECT_FALSE(r.d.panelRefreshBusy) << k.text;
  }
}

TEST(ObjectProperties, WaypointFlagsAndPathsOnSeveralWaypoints) {
  Rig r;
  for (int i = 0; i < 3; ++i) r.Pick(r.d.sel.selWaypoint, r.d.sel.selWaypointLast, {fixtures::AddWaypoint(r.d.doc, 0, 0, 1)});
  fixtures::AddWaypoint(r.d.doc, 50, 0, 1);  // not selected
  r.c.CBbotValinta[4].value = 1;
  CBbotValinta_Click(r.d, 4);
  r.c.CBbotValinta[1].value = 2;  // grey: a mixed state, no value
  CBbotValinta_Click(r.d, 1);
  OBbotKumpi_Click(r.d, 2);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(r.d.doc.waypoints[size_t(i)].flags[4], 1);
    EXPECT_EQ(r.d.doc.waypoints[size_t(i)].path, 2);
  }
  EXPECT_EQ(r.d.doc.waypoints[3].flags[4], 0);
  EXPECT_EQ(r.d.doc.waypoints[3].path, 1);
  EXPECT_EQ(r.Snapshots(), 2);
  EXPECT_EQ(r.Label(), "Path");
  EXPECT_TRUE(r.c.OBbotKumpi[2].value);

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
