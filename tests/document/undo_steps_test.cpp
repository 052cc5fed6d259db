// A hundred undo steps on a maximal map: every step gives back its state exactly, Redo brings each
// back again, the steps stay inside the memory budget, and past the budget the oldest go first.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "document/map_file.h"
#include "document/redo.h"
#include "document/undo.h"
#include "editing/redo_command.h"
#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "fixtures/scripted_host.h"
#include "game/compile.h"
#include "app/lifecycle.h"

namespace quorvel {
namespace {


void Recompile(MapDocument& d) { fixtures::Compile(d); }

// Edits of a maximal map, from the smallest to ones that touch every record and the sector grid.
struct EditKind {
  const char* name;
  std::function<void(MapDocument&, int)> edit;
};

const EditKind kEdits[] = {
    {"one spawn moves", [](MapDocument& d, int i) { d.spawns[i % 30].x += 256; }},
    {"everything moves, then Compile",
     [](MapDocument& d, int i) {
       const float dx = 0.5f + float(i % 7);
       for (Polygon& p : d.polygons)
         for (Vertex& v : p.corner) v.x += dx;
       for (Scenery& s : d.scenery) s.y -= dx;
       for (Waypoint& w : d.waypoints) w.x += 256 * (i % 3 + 1);
       for (Collider& c : d.colliders) c.x += dx;
       Recompile(d);
     }},
    {"the first polygon and waypoint go last, then Compile",
     [](MapDocument& d, int) {
       std::rotate(d.polygons.begin(), d.polygons.begin() + 1, d.polygons.end());
       std::rotate(d.polygonNormals.begin(), d.polygonNormals.begin() + 1, d.polygonNormals.end());
       std::rotate(d.waypoints.begin(), d.waypoints.begin() + 1, d.waypoints.end());
       for (Waypoint& w : d.waypoints)
         for (int32_t& c : w.connections) c = c > 0 ? c - 1 : 499;
       Recompile(d);
     }},
};

class UndoSteps : public ::testing::Test {
 protected:
  void SetUp() override {
    ed->host = &host;
    MenuNew_Click(*ed);
    ed->doc = fixtures::SpreadMap({}, 150);
    Recompile(ed->doc);
  }
  fixtures::ScriptedHost host;
  std::unique_ptr<Editor> ed = std::make_unique<Editor>();
};

TEST_F(UndoSteps, AHundredStepsOnAMaximalMapComeBackWithinTwentyMegabytes) {
  for (const EditKind& kind : kEdits) {
    SCOPED_TRACE(kind.name);
    SetUp();
    std::vector<std::vector<uint8_t>> before, after;  // each step's state before and after its edit
    for (int i = 0; i < 101; ++i) {
      TakeSnapshot(*ed, "Move");
      before.push_back(fixtures::UndoStateOf(*ed));
      kind.edit(ed->doc, i);
      after.push_back(fixtures::UndoStateOf(*ed));
    }
    EXPECT_EQ(ed->undo.undoTop, 99);
    const size_t undoBytes = ed->undo.snapshots.Bytes();
    EXPECT_LT(undoBytes, kUndoMemoryBudget);
    RecordProperty(std::string("undo bytes, ") + kind.name, std::to_string(undoBytes));

    for (int k = 100; k >= 1; --k) {
      MenuUndo_Click(*ed);
      ASSERT_EQ(fixtures::UndoStateOf(*ed), before[size_t(k)]) << "undo of step " << k;
    }
    EXPECT_FALSE(ed->ctl.MenuUndo.enabled);
    EXPECT_EQ(ed->undo.redoLabels.size(), 100u);
    EXPECT_LT(ed->undo.snapshots.Bytes() + ed->undo.redoStates.Bytes(), kUndoMemoryBudget);
    for (int k = 1; k <= 100; ++k) {
      MenuRedo_Click(*ed);
      ASSERT_EQ(fixtures::UndoStateOf(*ed), after[size_t(k)]) << "redo of step " << k;
    }
    EXPECT_FALSE(ed->ctl.MenuRedo.enabled);
    EXPECT_EQ(ed->undo.undoTop, 99);
  }
}

TEST_F(UndoSteps, PastTheBudgetTheOldestStepsGoFirst) {
  ed->undo.memoryBudget = 3'000'000;
  std::vector<std::vector<uint8_t>> before;
  for (int i = 0; i < 60; ++i) {
    TakeSnapshot(*ed, i % 2 ? "Move" : "Bring");
    before.push_back(fixtures::UndoStateOf(*ed));
    kEdits[2].edit(ed->doc, i);
    ASSERT_LE(ed->undo.snapshots.Bytes(), ed->undo.memoryBudget) << "step " << i;
  }
  const int kept = ed->undo.undoTop + 1;
  EXPECT_GT(kept, 1);
  EXPECT_LT(kept, 60);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Move");
  for (int k = 59; k >= 60 - kept; --k) {
    ASSERT_TRUE(ed->ctl.MenuUndo.enabled);
    MenuUndo_Click(*ed);
    ASSERT_EQ(fixtures::UndoStateOf(*ed), before[size_t(k)]) << "undo of step " << k;
  }
  EXPECT_FALSE(ed->ctl.MenuUndo.enabled);
}

TEST_F(UndoSteps, NewOpenAndSaveAsLetGoOfTheSteps) {
  const std::vector<std::function<void()>> commands = {
      [&] { MenuNew_Click(*ed); },
      [&] {
        ed->undo.undoTop = -1;  // as Open leaves it
        RefreshUndoMenu(*ed);
        ClearRedo(*ed);
      },
  };
  for (const auto& command : commands) {
    for (int i = 0; i < 5; ++i) {
      TakeSnapshot(*ed, "Move");
      kEdits[1].edit(ed->doc, i);
    }
    MenuUndo_Click(*ed);
    command();
    EXPECT_EQ(ed->undo.snapshots.Size(), 0u);
    EXPECT_TRUE(ed->undo.redoStates.Empty());
    // Nothing but the buffers kept for reuse.
    EXPECT_LT(ed->undo.snapshots.Bytes() + ed->undo.redoStates.Bytes(), 3 * kUndoFileSize + 1000);
    TakeSnapshot(*ed, "Spwan");
    EXPECT_EQ(ed->undo.snapshots.Size(), 1u);
    EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Spwan");
  }
}

}  // namespace
}  // namespace quorvel
