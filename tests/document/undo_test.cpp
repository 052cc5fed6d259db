#include "document/undo.h"

#include <gtest/gtest.h>

#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"

namespace quorvel {
namespace {

class UndoTest : public fixtures::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
    host.messages.clear();
  }
  // One edit: a snapshot, then a collider at x = n.
  void Edit(int n, const std::string& label = "Collider") {
    TakeSnapshot(*ed, label);
    fixtures::AddCollider(ed->doc, float(n), 0);
  }
};

TEST_F(UndoTest, HundredDeepRingDropsTheOldest) {
  for (int n = 1; n <= 102; ++n) Edit(n);
  EXPECT_EQ(ed->undo.undoTop, 99);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Collider");
  for (int k = 102; k >= 3; --k) {
    ASSERT_TRUE(ed->ctl.MenuUndo.enabled);
    MenuUndo_Click(*ed);
    EXPECT_EQ(ed->doc.colliderLast, k - 2) << "undo back to before edit " << k;
    if (ed->doc.colliderLast >= 0) { EXPECT_EQ(ed->doc.colliders[ed->doc.colliderLast].x, float(k - 1)); }
  }
  EXPECT_FALSE(ed->ctl.MenuUndo.enabled);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo");
  MenuUndo_Click(*ed);  // nothing left
  EXPECT_EQ(ed->doc.colliderLast, 1);
}

TEST_F(UndoTest, MenuNamesTheNextOlderSnapshot) {
  TakeSnapshot(*ed, "Polygon");
  TakeSnapshot(*ed, "Spwan");
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Spwan");
  MenuUndo_Click(*ed);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Polygon");
  EXPECT_TRUE(ed->ctl.MenuUndo.enabled);
  MenuUndo_Click(*ed);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo");
  EXPECT_FALSE(ed->ctl.MenuUndo.enabled);
}

TEST_F(UndoTest, HelpCannotBeUndone) {
  Edit(1);
  TakeSnapshot(*ed, "Help");
  fixtures::AddCollider(ed->doc, 99, 0);
  MenuUndo_Click(*ed);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Are you crazy?\nYou can't undo Online Help.. duh.");
  EXPECT_EQ(host.messages[0].title, "User problem");
  EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(ed->doc.colliderLast, 1);  // map unchanged
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Collider");
}

TEST_F(UndoTest, RestoresSelectionAndTool) {
  fixtures::AddSpawn(ed->doc, 10, 10);
  ed->currentTool = 0;
  ed->sel.selSpawnLast = 0;
  ed->sel.selSpawn[0] = 0;
  ed->sel.selLast = 0;
  ed->sel.selRect = {5, 15, 5, 15};
  TakeSnapshot(*ed, "Move");
  ed->sel.selLast = ed->sel.selSpawnLast = -1;
  ed->sel.selRect = SelRect{};
  ed->doc.spawns[0].x = 0;
  MenuUndo_Click(*ed);
  EXPECT_EQ(ed->currentTool, 0);
  EXPECT_TRUE(ed->ctl.OBvalinta[0].value);
  EXPECT_EQ(ed->sel.selSpawnLast, 0);
  EXPECT_EQ(ed->sel.selRect.right, 15);
  EXPECT_EQ(ed->doc.spawns[0].x, 2560);
  EXPECT_EQ(ed->sel.moveSnapshotTaken, 0);
}

TEST_F(UndoTest, ClipboardCopiesNeverBecomeObjects) {
  for (int i = 0; i < 15; ++i) fixtures::AddSpawn(ed->doc, float(i), 0);
  for (int i = 15; i < 30; ++i) ed->doc.spawns[i] = ed->doc.spawns[i - 15];  // the copied spawns
  for (int i = 0; i < 3; ++i) fixtures::AddWaypoint(ed->doc, 1, 1);
  for (int i = 3; i < 6; ++i) ed->doc.waypoints[i] = ed->doc.waypoints[i - 3];
  ed->clip.clipLast = 17;
  TakeSnapshot(*ed, "Paste");
  ed->doc.spawnLast = 29;
  ed->doc.waypointLast = 5;
  MenuUndo_Click(*ed);
  EXPECT_EQ(ed->doc.spawnLast, 14);
  EXPECT_EQ(ed->doc.waypointLast, 2);
  EXPECT_EQ(ed->doc.waypoints[2].x, 256);
  EXPECT_EQ(ed->clip.clipLast, -1);
}

TEST_F(UndoTest, SnapshotLeavesTheWritersMarksButNoSaveNormalisation) {
  fixtures::AddWaypoint(ed->doc, 0, 0);
  ed->doc.waypoints[0].x = 25754;
  ed->doc.info.authorName = "  ";
  fixtures::AddTriangle(ed->doc, 0, 0, 0, 10, 10, 0);  // reversed: a save would swap corners
  for (int i = 0; i < 255; ++i) fixtures::AddScenery(ed->doc, 0, 0);
  ed->doc.polygonLast = 0;
  fixtures::AddSpawn(ed->doc, 0, 0);
  ed->doc.spawns[0].x = 300;
  host.randoms = {0.9999};
  TakeSnapshot(*ed, "Size");
  EXPECT_EQ(ed->doc.waypoints[0].x, 25856);
  EXPECT_EQ(ed->doc.info.authorName, "Unknow");
  EXPECT_EQ(ed->doc.colliders[0].authorChar, 'U');
  EXPECT_EQ(ed->doc.sceneryLast, 253);
  EXPECT_EQ(ed->doc.info.saveStamp, 1000);
  EXPECT_EQ(ed->doc.polygons[0].corner[1].y, 10);  // no winding fix
  EXPECT_EQ(ed->doc.spawns[0].x, 300);               // no spawn normalisation
  EXPECT_EQ(ed->undo.undoFiles[ed->undo.undoSlot], host.tempPath + "QuorvelUndo1.tmp");
}

}  // namespace
}  // namespace quorvel
