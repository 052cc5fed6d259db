// The lists of the Add tools tell the truth: after Undo, Redo, New and Open the spawn type, the
// scenery style, the collider size and the waypoint path they show are what the next object gets.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "document/numeric.h"
#include "editing/pointer.h"
#include "editing/redo_command.h"
#include "editing/tools.h"
#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "panels/object_properties.h"
#include "app/lifecycle.h"

namespace quorvel {
namespace {

struct Kind {
  const char* name;
  int tool;
  // The user's choice in the panel, of something other than what the tool starts with.
  std::function<void(Editor&)> choose;
  // What the panel says the next object gets; -1 while it says nothing (an empty, disabled list).
  std::function<double(const Editor&)> claim;
  // What the object made last got.
  std::function<double(const Editor&)> got;
  int clicks = 1;  // a scenery takes a second click for its rotation
};

int ItemIndex(const ComboBox& box, const std::string& text) {
  for (size_t i = 0; i < box.items.size(); ++i)
    if (box.items[i] == text) return static_cast<int>(i);
  return -1;
}

const Kind kKinds[] = {
    {"spawn type", 2,
     [](Editor& e) {
       e.RefreshPanels();
       e.ctl.CBspawn.Select(ItemIndex(e.ctl.CBspawn, "CTF Red"));
       CBspawn_Click(e);
     },
     [](const Editor& e) {
       const ComboBox& b = e.ctl.CBspawn;
       if (!b.enabled || b.text.empty()) return -1.0;
       return b.text == "CTF Red" ? 1.0 : b.text == "CTF Blue" ? 2.0 : 0.0;
     },
     [](const Editor& e) { return double(e.doc.spawns[size_t(e.doc.spawnLast)].type); }},
    {"scenery style", 3,
     [](Editor& e) {
       e.ctl.CBscenery.Select(ItemIndex(e.ctl.CBscenery, "Barrel"));
       CBscenery_Click(e);
     },
     [](const Editor& e) {
       for (int i = 1; i <= 21; ++i)
         if (e.ctl.CBscenery.enabled && e.ctl.CBscenery.text == sceneryNames[size_t(i)]) return double(i);
       return -1.0;
     },
     [](const Editor& e) { return double(e.doc.scenery[size_t(e.doc.sceneryLast)].style); }, 2},
    {"collider size", 4,
     [](Editor& e) {
       e.ctl.CBcollider.text = "20.4";
       CBcollider_Click(e);
     },
     [](const Editor& e) {
       const auto v = ReadLeadingNumber(e.ctl.CBcollider.text);
       return e.ctl.CBcollider.enabled && v ? *v : -1.0;
     },
     [](const Editor& e) { return double(e.doc.colliders[size_t(e.doc.colliderLast)].radius); }},
    {"waypoint path", 5, [](Editor& e) { OBbotKumpi_Click(e, 2); },
     [](const Editor& e) {
       return e.ctl.OBbotKumpi[1].value ? 1.0 : e.ctl.OBbotKumpi[2].value ? 2.0 : -1.0;
     },
     [](const Editor& e) { return double(e.doc.waypoints[size_t(e.doc.waypointLast)].path); }},
};

class ToolListsTest : public fixtures::ShellTest {
 protected:
  float x_ = -200;
  // Places one object of the active tool, far from the others, as the user's clicks do.
  void Place(const Kind& k) {
    const float sx = x_ + 317, sy = 262;
    for (int c = 0; c < k.clicks; ++c) {
      const float at = sx + float(c) * 30;
      Form_MouseMove(*ed, 0, 0, at, sy);
      Form_MouseDown(*ed, kLeftButton, 0, at, sy);
      Form_MouseUp(*ed, kLeftButton, 0, at, sy);
    }
    x_ += 60;
  }
};

TEST_F(ToolListsTest, ShowWhatTheNextObjectGetsAfterUndoRedoNewAndOpen) {
  // A map whose last collider has a radius that is no whole number, and whose last waypoint is on
  // path 2: the tools take their start from these.
  MapDocument file = fixtures::NewMap();
  fixtures::AddSpawn(file, 0, 0, 2);
  fixtures::AddScenery(file, 0, 0, 3);
  fixtures::AddCollider(file, 0, 0, 20.5f);
  fixtures::AddWaypoint(file, 0, 0, 2);
  const std::string path = WriteMapFile("start.pmp", file);
  const std::pair<const char*, std::function<void(Editor&)>> actions[] = {
      {"Undo", [](Editor& e) { MenuUndo_Click(e); }},
      {"Redo", [](Editor& e) { MenuUndo_Click(e); MenuRedo_Click(e); }},
      {"New", [](Editor& e) { MenuNew_Click(e); }},
      {"Open", [&](Editor& e) { OpenByPath(e, path); }},
  };
  Start();
  for (const Kind& k : kKinds) {
    for (const auto& [action, run] : actions) {
      SCOPED_TRACE(std::string(k.name) + " after " + action);
      MenuNew_Click(*ed);
      x_ = -300;
      SelectTool(*ed, k.tool);
      Place(k);
      k.choose(*ed);
      Place(k);
      run(*ed);
      if (ed->currentTool != k.tool) SelectTool(*ed, k.tool);
      // Twice: what the list says now, and again after the object it promised.
      int claims = 0;
      for (int round = 0; round < 2; ++round) {
        const double said = k.claim(*ed);
        Place(k);
        if (said < 0) continue;
        ++claims;
        EXPECT_EQ(k.got(*ed), said) << "round " << round;
      }
      EXPECT_GT(claims, 0);
    }
  }
}


// The preview under the pointer takes a choice in the panel at once, and the type the tool was reset
// to by an Undo, so the canvas never shows the old size or colour until the pointer moves.
TEST_F(ToolListsTest, ThePreviewTakesTheChoiceAtOnce) {
  Start();
  for (const Kind& k : kKinds) {
    if (k.tool == 5) continue;  // a waypoint has no preview
    SCOPED_TRACE(k.name);
    MenuNew_Click(*ed);
    x_ = -300;
    SelectTool(*ed, k.tool);
    Place(k);
    Form_MouseMove(*ed, 0, 0, 500, 400);
    const auto preview = [&] {
      const MapDocument& d = ed->doc;
      if (k.tool == 2) return double(d.spawns[size_t(d.spawnLast + 1)].type);
      if (k.tool == 3) return double(d.scenery[size_t(d.sceneryLast + 1)].style);
      return double(d.colliders[size_t(d.colliderLast + 1)].radius);
    };
    const double before = preview();
    k.choose(*ed);  // the pointer is over the panel now: no motion on the canvas
    EXPECT_NE(preview(), before);
    EXPECT_EQ(preview(), k.claim(*ed));
    Place(k);
    MenuUndo_Click(*ed);
    EXPECT_EQ(preview(), k.claim(*ed));
  }
}

}  // namespace
}  // namespace quorvel
