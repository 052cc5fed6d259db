#include <gtest/gtest.h>

#include "document/undo.h"
#include "edit_commands_support.h"
#include "editing/arrange.h"
#include "editing/clipboard.h"
#include "editing_rig.h"

namespace quorvel {
namespace {

using testing_support::EditRig;
using testing_support::ExpectSelectionNamesObjects;
using testing_support::ExpectUnusedLinksZero;
using testing_support::kNothingSelected;
using testing_support::Links;
using testing_support::NewestLabel;
namespace fx = fixtures;

// Waypoint i at (100 i, 0).
void Waypoints(MapDocument& d, int n) {
  for (int i = 0; i < n; ++i) fx::AddWaypoint(d, 100.0f * float(i), 0);
}

void SelectWaypoints(Editor& e, std::initializer_list<int> which) {
  for (int w : which) {
    e.sel.selWaypoint[static_cast<size_t>(++e.sel.selWaypointLast)] = static_cast<int16_t>(w);
    ++e.sel.selLast;
  }
  FrameSelection(e);
}

TEST(Delete, TheMiddleOfAChain) {
  EditRig r;
  Editor& e = r.e();
  Waypoints(e.doc, 3);
  fx::Link(e.doc, 0, 1);
  fx::Link(e.doc, 1, 2);
  const Waypoint third = e.doc.waypoints[2];
  r.Tool(0);
  SelectWaypoints(e, {1});
  MenuDelete_Click(e);
  EXPECT_EQ(NewestLabel(e), "Delete");
  ASSERT_EQ(e.doc.waypointLast, 1);
  EXPECT_EQ(e.doc.waypoints[0].id, 1);
  EXPECT_EQ(e.doc.waypoints[1].id, 2);
  EXPECT_EQ(e.doc.waypoints[0].connectionCount, 0);
  ExpectUnusedLinksZero(e.doc.waypoints[0]);
  EXPECT_EQ(e.doc.waypoints[1].x, third.x);
  EXPECT_EQ(Links(e.doc.waypoints[1]), Links(third));
  const Waypoint& freed = e.doc.waypoints[2];
  EXPECT_EQ(freed.active, 0);
  EXPECT_EQ(freed.id, 0);
  EXPECT_EQ(freed.path, 0);
  EXPECT_EQ(freed.x, 0);
  EXPECT_EQ(freed.y, 0);
  EXPECT_EQ(e.sel.selLast, -1);
  EXPECT_GE(r.host.focusCalls, 1);  // the keyboard focus goes to the bottom bar
}

TEST(Delete, WaypointsKeepEveryRemainingLinkAndLoseEveryLinkToTheDeleted) {
  EditRig r;
  Editor& e = r.e();
  Waypoints(e.doc, 6);
  fx::Link(e.doc, 0, 1);
  fx::Link(e.doc, 0, 3);
  fx::Link(e.doc, 0, 1);  // repeated
  fx::Link(e.doc, 0, 5);
  fx::Link(e.doc, 2, 5);
  fx::Link(e.doc, 2, 2);  // to itself
  fx::Link(e.doc, 4, 1);
  fx::Link(e.doc, 5, 4);
  fx::Link(e.doc, 5, 3);
  fx::Link(e.doc, 5, 0);
  fx::Link(e.doc, 5, 3);
  r.Tool(0);
  SelectWaypoints(e, {3, 1});  // listed out of order
  MenuDelete_Click(e);
  // Old 0, 2, 4, 5 are now 0, 1, 2, 3 with ids 1..4.
  ASSERT_EQ(e.doc.waypointLast, 3);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(e.doc.waypoints[static_cast<size_t>(i)].id, i + 1);
  EXPECT_EQ(e.doc.waypoints[1].x, 200 * 256);
  EXPECT_EQ(Links(e.doc.waypoints[0]), (std::vector<int32_t>{4}));
  EXPECT_EQ(Links(e.doc.waypoints[1]), (std::vector<int32_t>{4, 2}));
  EXPECT_EQ(Links(e.doc.waypoints[2]), (std::vector<int32_t>{}));
  EXPECT_EQ(Links(e.doc.waypoints[3]), (std::vector<int32_t>{3, 1}));
  for (int i = 0; i < 4; ++i) ExpectUnusedLinksZero(e.doc.waypoints[static_cast<size_t>(i)]);
  for (int i = 4; i < 6; ++i) EXPECT_EQ(e.doc.waypoints[static_cast<size_t>(i)].active, 0);
}

TEST(Delete, ACornerDeletesItsWholeTriangleOnceAndTheOtherKindsFollow) {
  EditRig r;
  Editor& e = r.e();
  for (int i = 0; i < 4; ++i) {
    const float x = 100.0f * float(i);
    fx::AddTriangle(e.doc, x, 0, x + 20, 0, x, 20, Colour4{uint8_t(i), 0, 0, 255});
    fx::AddSpawn(e.doc, x, 50, static_cast<uint8_t>(i % 3));
    fx::AddScenery(e.doc, x, 60, static_cast<uint8_t>(1 + i));
    fx::AddCollider(e.doc, x, 70, 10.0f + float(i));
  }
  e.doc.info.authorName = "Abcdefgh";  // written into the colliders' byte 3 by the snapshot
  r.Tool(0);
  // One corner of triangle 1, all corners of triangle 2; spawn 0, scenery 3, collider 1.
  AppendSelectedVertex(e, 1, 2);
  for (int k = 0; k < 3; ++k) AppendSelectedVertex(e, 2, k);
  e.sel.selSpawn[0] = 0;
  e.sel.selSpawnLast = 0;
  e.sel.selScenery[0] = 3;
  e.sel.selSceneryLast = 0;
  e.sel.selCollider[0] = 1;
  e.sel.selColliderLast = 0;
  e.sel.selLast = 6;
  FrameSelection(e);
  MenuDelete_Click(e);
  const MapDocument& d = e.doc;
  ASSERT_EQ(d.polygonLast, 1);
  EXPECT_EQ(d.polygons[0].corner[0].colour.blue, 0);
  EXPECT_EQ(d.polygons[1].corner[0].colour.blue, 3);
  for (const Vertex& v : d.polygons[2].corner) EXPECT_EQ(v.colour.alpha, 0);
  ASSERT_EQ(d.spawnLast, 2);
  EXPECT_EQ(d.spawns[0].x, 100 * 256);
  EXPECT_EQ(d.spawns[3].active, 0);
  EXPECT_EQ(d.spawns[3].x, 0);
  EXPECT_EQ(d.spawns[3].type, 0);
  ASSERT_EQ(d.sceneryLast, 2);
  EXPECT_EQ(d.scenery[2].style, 3);
  EXPECT_EQ(d.scenery[3].active, 0);
  EXPECT_EQ(d.scenery[3].style, 0);
  ASSERT_EQ(d.colliderLast, 2);
  EXPECT_EQ(d.colliders[1].radius, 12);
  EXPECT_EQ(d.colliders[2].radius, 13);
  EXPECT_EQ(d.colliders[3].active, 0);
  EXPECT_EQ(d.colliders[3].radius, 0);
  // The author's byte belongs to the record, not to the collider.
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(d.colliders[i].authorChar, "Abcd"[i]);
  EXPECT_EQ(e.sel.selLast, -1);
}

TEST(Delete, NothingSelectedInTheEditToolTellsAfterItsSnapshot) {
  EditRig r;
  Editor& e = r.e();
  Waypoints(e.doc, 2);
  r.Tool(0);
  MenuDelete_Click(e);
  EXPECT_EQ(r.Snapshots(), 1);
  EXPECT_EQ(r.host.LastMessage(), kNothingSelected);
  EXPECT_EQ(r.host.messages.back().icon, MsgIcon::Information);
  EXPECT_EQ(r.host.focusCalls, 0);
  EXPECT_EQ(e.doc.waypointLast, 1);
}

TEST(Delete, PolygonToolStepsBackACornerThenTheTriangleThenTheLastPolygon) {
  EditRig r;
  Editor& e = r.e();
  fx::AddTriangle(e.doc, 200, 200, 240, 200, 200, 240);
  r.Tool(1);
  r.Click(0, 0);
  r.Click(40, 0);
  r.Move(20, 30);  // corner 2 follows the pointer
  ASSERT_EQ(e.toolParam, 2);
  ASSERT_EQ(e.doc.polygonLast, 1);
  MenuDelete_Click(e);
  EXPECT_EQ(e.toolParam, 1);
  EXPECT_EQ(e.doc.polygonLast, 1);
  const Polygon& p = e.doc.polygons[1];
  EXPECT_FLOAT_EQ(p.corner[1].x, 20);
  EXPECT_FLOAT_EQ(p.corner[1].y, 30);
  EXPECT_EQ(p.corner[1].tu, 0);
  EXPECT_EQ(p.corner[1].tv, 0);
  EXPECT_FLOAT_EQ(p.corner[2].x, 0);
  EXPECT_FLOAT_EQ(p.corner[2].y, 0);
  // The next press places corner 1 again.
  r.Click(0, 40);
  EXPECT_EQ(e.toolParam, 2);
  EXPECT_FLOAT_EQ(p.corner[1].y, 40);
  MenuDelete_Click(e);
  MenuDelete_Click(e);
  EXPECT_EQ(e.toolParam, 0);
  EXPECT_EQ(e.doc.polygonLast, 0);
  // With no triangle in progress the last polygon goes, its corners made transparent.
  r.Move(220, 210);  // within the pick box of nothing
  MenuDelete_Click(e);
  EXPECT_EQ(e.doc.polygonLast, -1);
  for (const Vertex& v : e.doc.polygons[0].corner) EXPECT_EQ(v.colour.alpha, 0);
  MenuDelete_Click(e);  // nothing left: only the snapshot
  EXPECT_EQ(e.doc.polygonLast, -1);
  EXPECT_EQ(NewestLabel(e), "Delete");
  EXPECT_EQ(e.currentTool, 1);
}

TEST(Delete, PolygonToolDropsTheCornerUnderThePointerWithItsPolygon) {
  EditRig r;
  Editor& e = r.e();
  fx::AddTriangle(e.doc, 0, 0, 40, 0, 0, 40);
  r.Tool(1);
  r.Move(40, 0);  // the corner under the pointer is selected
  ASSERT_EQ(e.sel.selVertexLast, 0);
  MenuDelete_Click(e);
  EXPECT_EQ(e.doc.polygonLast, -1);
  EXPECT_EQ(e.sel.selLast, -1);
  ExpectSelectionNamesObjects(e);
}

TEST(Delete, SpawnAndColliderToolsRemoveTheLastObjectWithNothingSelected) {
  EditRig r;
  Editor& e = r.e();
  fx::AddSpawn(e.doc, 10, 10, 1);
  fx::AddSpawn(e.doc, 20, 20, 2);
  fx::AddCollider(e.doc, 10, 10, 8);
  fx::AddCollider(e.doc, 20, 20, 9);
  r.Tool(2);
  MenuDelete_Click(e);
  EXPECT_EQ(e.doc.spawnLast, 0);
  EXPECT_EQ(e.doc.spawns[1].active, 0);
  EXPECT_EQ(e.doc.spawns[1].type, 0);
  EXPECT_EQ(e.doc.spawns[0].type, 1);
  r.Tool(4);
  MenuDelete_Click(e);
  EXPECT_EQ(e.doc.colliderLast, 0);
  EXPECT_EQ(e.doc.colliders[1].radius, 0);
  EXPECT_TRUE(r.host.messages.empty());
}

TEST(Delete, SceneryToolEndsARotationAndLeavesAStyleForTheNextPress) {
  EditRig r;
  Editor& e = r.e();
  fx::AddScenery(e.doc, 0, 0, 4);
  r.Tool(3);
  ASSERT_EQ(e.toolParam, 4);
  e.ctl.CBscenery.text = sceneryNames[9];  // the user chose another style
  e.toolParam = 9;
  r.Click(100, 100);
  ASSERT_EQ(e.toolParam, -9999);
  ASSERT_EQ(e.doc.sceneryLast, 1);
  MenuDelete_Click(e);
  EXPECT_EQ(e.doc.sceneryLast, 0);
  EXPECT_EQ(e.toolParam, 9);
  EXPECT_TRUE(e.ctl.CBscenery.enabled);
  EXPECT_EQ(e.doc.scenery[1].active, 0);
  EXPECT_EQ(e.doc.scenery[1].scaleX, 0);
  // The type box showing no style: the last remaining scenery's.
  e.ctl.CBscenery.text = "";
  r.Click(100, 100);
  MenuDelete_Click(e);
  EXPECT_EQ(e.toolParam, 4);
  // The next press places a scenery of that style.
  r.Click(50, 50);
  EXPECT_EQ(e.doc.scenery[1].style, 4);
  EXPECT_EQ(e.doc.scenery[1].width, 100);
}

TEST(Delete, WaypointToolDropsAPendingLinkThenDeletesTheWaypointUnderThePointer) {
  EditRig r;
  Editor& e = r.e();
  Waypoints(e.doc, 3);
  fx::Link(e.doc, 2, 1);
  r.Tool(5);
  r.Click(100, 0);  // starts a link from waypoint 1
  ASSERT_EQ(e.sel.connectFrom, 1);
  const int snapshots = r.Snapshots();
  MenuDelete_Click(e);
  EXPECT_EQ(e.sel.connectFrom, -1);
  EXPECT_EQ(e.doc.waypointLast, 2);
  EXPECT_EQ(r.Snapshots(), snapshots + 1);

  r.Move(101, 2);  // over waypoint 1
  ASSERT_EQ(e.sel.selWaypointLast, 0);
  MenuDelete_Click(e);
  EXPECT_EQ(r.Snapshots(), snapshots + 3);  // its own "Delete" and the Edit tool's
  ASSERT_EQ(e.doc.waypointLast, 1);
  EXPECT_EQ(e.doc.waypoints[1].x, 200 * 256);
  EXPECT_EQ(e.doc.waypoints[1].connectionCount, 0);
  EXPECT_EQ(e.currentTool, 5);
  EXPECT_EQ(r.host.pointer, PointerShape::Cross);

  r.Move(500, 500);  // over nothing: the last waypoint goes
  MenuDelete_Click(e);
  ASSERT_EQ(e.doc.waypointLast, 0);
  EXPECT_EQ(e.doc.waypoints[0].x, 0);
}

TEST(Delete, TheClipboardsWaypointLinksFollowTheRenumbering) {
  EditRig r;
  Editor& e = r.e();
  Waypoints(e.doc, 5);  // at x = 0, 100, 200, 300, 400
  fx::Link(e.doc, 2, 3);
  fx::Link(e.doc, 3, 2);
  fx::Link(e.doc, 2, 4);
  fx::Link(e.doc, 3, 1);
  r.Tool(0);
  // Cut: copy 2 and 3, then delete 1, 2 and 3; paste brings 2 and 3 back.
  SelectWaypoints(e, {2, 3});
  MenuCopy_Click(e);
  ASSERT_EQ(e.clip.clipWaypointLast, 1);
  SelectWaypoints(e, {1});
  ClearSelection(e);
  SelectWaypoints(e, {1, 2, 3});
  MenuDelete_Click(e);
  ASSERT_EQ(e.doc.waypointLast, 1);  // old 0 and old 4
  EXPECT_EQ(e.clip.clipLast, 1);
  MenuPaste_Click(e);
  ASSERT_EQ(e.doc.waypointLast, 3);
  // Old 2 and 3 are now 2 and 3 (ids 3 and 4): linked to each other, old 2 to old 4 (id 2), and
  // old 3's link to the deleted 1 is gone.
  EXPECT_EQ(Links(e.doc.waypoints[2]), (std::vector<int32_t>{4, 2}));
  EXPECT_EQ(Links(e.doc.waypoints[3]), (std::vector<int32_t>{3}));
  EXPECT_EQ(e.doc.waypoints[2].id, 3);
  EXPECT_EQ(e.doc.waypoints[3].id, 4);
}

TEST(Delete, CopyThenDeleteBeforeTheCopiesKeepsTheirOutsideLinksRight) {
  EditRig r;
  Editor& e = r.e();
  Waypoints(e.doc, 4);
  fx::Link(e.doc, 2, 3);
  fx::Link(e.doc, 2, 0);
  r.Tool(0);
  SelectWaypoints(e, {2});
  MenuCopy_Click(e);
  ClearSelection(e);
  SelectWaypoints(e, {0});
  MenuDelete_Click(e);  // old 3 is now index 2, id 3; the link to old 0 is gone
  MenuPaste_Click(e);
  ASSERT_EQ(e.doc.waypointLast, 3);
  EXPECT_EQ(Links(e.doc.waypoints[3]), (std::vector<int32_t>{3}));
}

}  // namespace
}  // namespace quorvel
