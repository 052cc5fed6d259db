#include "editing/create.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "document/numeric.h"
#include "editing/selection.h"
#include "editing_rig.h"
#include "view/geometry.h"

namespace quorvel {
namespace {

using testing_support::EditRig;
namespace fx = fixtures;

TEST(Create, ThreePressTriangleOnTheGrid) {
  EditRig r;
  Editor& e = r.e();
  r.Tool(1);
  r.Grid(10);
  e.ctl.CBverticevari.backColour = 0x203040;  // red 0x40, green 0x30, blue 0x20
  r.Click(3, 4);
  EXPECT_EQ(e.doc.polygonLast, 0);
  EXPECT_EQ(e.toolParam, 1);
  EXPECT_EQ(e.undo.undoLabels[static_cast<size_t>(e.undo.undoSlot)], "Polygon");
  r.Move(57, 2);  // the preview corner follows on the grid
  EXPECT_FLOAT_EQ(e.doc.polygons[0].corner[1].x, 60);
  r.Click(57, 2);
  r.Click(31, 48);
  EXPECT_EQ(e.toolParam, 0);
  EXPECT_EQ(r.Snapshots(), 1);
  const Polygon& p = e.doc.polygons[0];
  const float want[3][2] = {{0, 0}, {60, 0}, {30, 50}};
  for (int k = 0; k < 3; ++k) {
    const Vertex& v = p.corner[static_cast<size_t>(k)];
    EXPECT_FLOAT_EQ(v.x, want[k][0]);
    EXPECT_FLOAT_EQ(v.y, want[k][1]);
    EXPECT_FLOAT_EQ(v.tu, float(want[k][0] / 160.0));
    EXPECT_FLOAT_EQ(v.tv, float(want[k][1] / 120.0));
    EXPECT_EQ(v.colour, (Colour4{0x20, 0x30, 0x40, 255}));
    EXPECT_FLOAT_EQ(v.z, 1);
    EXPECT_FLOAT_EQ(v.rhw, 1);
    const Normal& n = e.doc.polygonNormals[0].normal[static_cast<size_t>(k)];
    EXPECT_TRUE(n.x != 0 && n.y != 0) << "solid edge " << k;
  }
  // Switching tools mid-triangle drops the unfinished one.
  r.Click(100, 100);
  EXPECT_EQ(e.doc.polygonLast, 1);
  r.Tool(0);
  EXPECT_EQ(e.doc.polygonLast, 0);
}

TEST(Create, JoiningAnExistingCornerWithSnappingOff) {
  EditRig r;
  Editor& e = r.e();
  fx::AddTriangle(e.doc, 10, 10, 50, 10, 10, 50);
  r.Tool(1);
  e.ctl.CBverticevari.backColour = 0x0000FF;
  r.Click(12, 11);  // within the pick box of corner 0
  const Polygon& p = e.doc.polygons[1];
  EXPECT_FLOAT_EQ(p.corner[0].x, 10);
  EXPECT_FLOAT_EQ(p.corner[0].y, 10);
  EXPECT_EQ(e.doc.polygons[0].corner[0].colour, (Colour4{0, 0, 255, 255}));
  r.Click(49, 12);  // the second corner joins corner 1
  EXPECT_FLOAT_EQ(p.corner[1].x, 50);
  EXPECT_FLOAT_EQ(p.corner[1].y, 10);
  r.Click(80, 80);  // the third lies exactly at the pointer
  EXPECT_FLOAT_EQ(p.corner[2].x, 80);
  EXPECT_FLOAT_EQ(p.corner[2].y, 80);
}

TEST(Create, ShiftPutsTheCornerOnA45DegreeLine) {
  const std::pair<float, float> pointers[] = {{40, 3}, {-2, -30}, {31, 29}, {-25, 22}};
  for (const auto& [px, py] : pointers) {
    EditRig r;
    Editor& e = r.e();
    r.Tool(1);
    r.Click(0, 0);
    r.Hold(kKeyShift);
    r.Click(px, py);
    const Vertex& c = e.doc.polygons[0].corner[1];
    const double len = std::hypot(px, py);
    EXPECT_NEAR(std::hypot(c.x, c.y), len, 1e-3);
    const double angle = std::atan2(c.y, c.x) / (kPi / 4);
    EXPECT_NEAR(angle, std::round(angle), 1e-5) << px << "," << py;
  }
}

TEST(Create, CapacityIsRefusedBeforeTheSnapshot) {
  struct Case {
    int tool;
    std::function<void(MapDocument&)> fill;
    const char* message;
  };
  const Case cases[] = {
      {1, [](MapDocument& d) { d.polygonLast = 399; }, "Max number of polygons reached."},
      {2, [](MapDocument& d) { d.spawnLast = 29; }, "Max number of spawns reached."},
      // The map holds 254 sceneries: the writer would drop a 255th.
      {3, [](MapDocument& d) { d.sceneryLast = 253; }, "Max number of sceneries reached."},
      {4, [](MapDocument& d) { d.colliderLast = 127; }, "Max number of colliders reached."},
      {5, [](MapDocument& d) { d.waypointLast = 499; }, "Max number of waypoints reached."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EditRig r;
    Editor& e = r.e();
    c.fill(e.doc);
    for (auto& s : e.doc.scenery) s.style = 1;
    r.Tool(c.tool);
    const MapDocument before = e.doc;
    r.Click(10, 10);
    ASSERT_EQ(r.host.messages.size(), 1u);
    EXPECT_EQ(r.host.messages[0].text, c.message);
    EXPECT_EQ(r.host.messages[0].title, "Problem");
    EXPECT_EQ(r.host.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(r.Snapshots(), 0);
    EXPECT_EQ(e.doc.polygonLast, before.polygonLast);
    EXPECT_EQ(e.doc.sceneryLast, before.sceneryLast);
  }
}

TEST(Create, SpawnColliderAndTheirPreviews) {
  EditRig r;
  Editor& e = r.e();
  r.Tool(2);
  e.toolParam = 1;
  r.Grid(10);
  r.Click(13.4f, 26);
  const Spawn& s = e.doc.spawns[0];
  EXPECT_EQ(s.x, 10 * 256);
  EXPECT_EQ(s.y, 30 * 256);
  EXPECT_EQ(s.active, 256);
  EXPECT_EQ(s.type, 1);
  EXPECT_EQ(e.undo.undoLabels[static_cast<size_t>(e.undo.undoSlot)], "Spwan");
  EXPECT_EQ(e.doc.spawns[1].x, ToInt32(13.4f * 256.0));  // preview at the exact pointer
  r.Move(44, 44);
  EXPECT_EQ(e.doc.spawns[1].x, 40 * 256);
  EXPECT_EQ(e.doc.spawns[1].active, 0);

  r.Tool(4);
  EXPECT_EQ(e.ctl.CBcollider.text, "12");
  r.Hold(kKeyCtrl);  // exact point although the grid is on
  r.Click(13, 17);
  r.Let(kKeyCtrl);
  EXPECT_FLOAT_EQ(e.doc.colliders[0].x, 13);
  EXPECT_FLOAT_EQ(e.doc.colliders[0].radius, 12);
  r.Click(13, 17);
  EXPECT_FLOAT_EQ(e.doc.colliders[1].x, 10);  // snapping again after Ctrl is released
}

TEST(Create, SceneryTakesTwoPressesAndLianaOne) {
  EditRig r;
  Editor& e = r.e();
  r.Tool(3);
  EXPECT_EQ(e.toolParam, 1);
  EXPECT_EQ(e.ctl.CBscenery.text, "Grass");
  EXPECT_EQ(e.ctl.CBscenery2.text, "100%");
  e.ctl.CBscenery2.text = "75%";
  r.Click(10, 20);
  const Scenery& s = e.doc.scenery[0];
  EXPECT_FLOAT_EQ(s.x, 10.5f);
  EXPECT_FLOAT_EQ(s.y, 20.5f);
  EXPECT_EQ(s.alpha, 191);
  EXPECT_EQ(s.width, 100);
  EXPECT_EQ(e.toolParam, -9999);
  r.Move(10.5f, -50);  // the new prop turns with the pointer
  EXPECT_NEAR(s.rotation, kPi / 2, 1e-6);
  r.Click(60, 20.5f);
  EXPECT_NEAR(s.rotation, 0, 1e-6);
  EXPECT_EQ(e.toolParam, 1);
  EXPECT_EQ(r.Snapshots(), 1);

  e.toolParam = 5;
  r.Click(0, 0);
  EXPECT_EQ(e.doc.sceneryLast, 1);
  EXPECT_FLOAT_EQ(e.doc.scenery[1].rotation, float(-kPi / 2));
  EXPECT_EQ(e.toolParam, 5);
}

TEST(Create, WaypointLinksChainsAndOddLinks) {
  EditRig r;
  Editor& e = r.e();
  r.Tool(5);
  r.Hold(kKeyCtrl);
  r.Click(0, 0);
  r.Click(50, 0);
  r.Click(100, 0);
  r.Let(kKeyCtrl);
  ASSERT_EQ(e.doc.waypointLast, 2);
  const Waypoint* w = e.doc.waypoints.data();
  EXPECT_EQ(w[0].connectionCount, 1);
  EXPECT_EQ(w[0].connections[0], 2);
  EXPECT_EQ(w[1].connections[0], 3);
  EXPECT_EQ(w[2].connectionCount, 0);
  EXPECT_EQ(w[2].id, 3);
  EXPECT_EQ(w[2].path, 1);

  r.Click(101, 3);  // on waypoint 3: a connection starts
  EXPECT_EQ(e.sel.connectFrom, 2);
  r.Click(300, 300);  // empty canvas drops it, creating nothing
  EXPECT_EQ(e.sel.connectFrom, -1);
  EXPECT_EQ(e.doc.waypointLast, 2);
  r.Click(100, 0);
  r.Click(2, -2);  // 3 -> 1
  EXPECT_EQ(w[2].connectionCount, 1);
  EXPECT_EQ(w[2].connections[0], 1);
  EXPECT_EQ(w[0].connectionCount, 1);
  r.Click(0, 0);
  EXPECT_EQ(e.sel.connectFrom, 0);
  r.Click(0, 0);  // to itself: refused, and the pending link is dropped
  EXPECT_EQ(w[0].connectionCount, 1);
  EXPECT_EQ(w[0].connections[1], 0);
  EXPECT_EQ(e.sel.connectFrom, -1);

  // Full, negative or dangling counts and links neither crash nor write past the list.
  e.doc.waypoints[1].connectionCount = 20;
  r.Click(50, 0);
  EXPECT_EQ(r.host.LastMessage(), "Selected waypoint have max number of connections.");
  e.doc.waypoints[1].connectionCount = -3;
  e.doc.waypoints[1].connections[0] = 480;
  r.Click(50, 0);
  r.Click(100, 0);
  EXPECT_EQ(e.doc.waypoints[1].connectionCount, 1);
  EXPECT_EQ(e.doc.waypoints[1].connections[0], 3);
  e.doc.waypoints[1].connections[0] = 480;
  e.RedrawCanvas();
}

}  // namespace
}  // namespace quorvel
