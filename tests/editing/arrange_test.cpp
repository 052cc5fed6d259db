#include "editing/arrange.h"

#include <gtest/gtest.h>

#include "document/map_write.h"
#include "document/undo.h"
#include "edit_commands_support.h"
#include "editing/clipboard.h"
#include "editing_rig.h"
#include "view/geometry.h"

namespace quorvel {
namespace {

using testing_support::EditRig;
using testing_support::kNothingSelected;
using testing_support::NewestLabel;
using testing_support::SameBytes;
using testing_support::SelectBox;
using testing_support::SelectEverything;
namespace fx = fixtures;

// One of every kind, on whole units but for a spawn at an odd fixed-point x, with the collider a
// 512th of a unit off so that the mirror axis x 256 ends in an exact half (23040.5).
void Populate(MapDocument& d) {
  fx::AddTriangle(d, 0, 0, 40, 0, 0, 40, Colour4{1, 2, 3, 255});
  fx::AddTriangle(d, 40, 0, 80, 40, 40, 40, Colour4{4, 5, 6, 255});
  const int sp = fx::AddSpawn(d, 20, 10, 1);
  d.spawns[static_cast<size_t>(sp)].x = 3457;  // 13.50390625 units
  const int w = fx::AddWaypoint(d, 30, 20);
  d.waypoints[static_cast<size_t>(w)].flags = {1, 0, 0, 1, 1, 0, 0, 0};
  const int w2 = fx::AddWaypoint(d, 10, 30, 2);
  d.waypoints[static_cast<size_t>(w2)].flags = {0, 1, 0, 0, 0, 0, 0, 0};
  fx::AddScenery(d, 50.5f, 10.5f, 3, 0.0f);
  const int s2 = fx::AddScenery(d, 60.5f, 20.5f, 7, static_cast<float>(kPi / 2));
  d.scenery[static_cast<size_t>(s2)].scaleX = 2;
  d.scenery[static_cast<size_t>(s2)].scaleY = 0.5f;
  fx::AddCollider(d, 90.001953125f, 30, 12);
}

// The records of Populate as they stand, after a first snapshot has left its marks (waypoints on
// whole units, the author in the colliders' byte 3).
struct Records {
  Polygon p0, p1;
  Spawn sp;
  Waypoint w0, w1;
  Scenery s0, s1;
  Collider c;
  explicit Records(const MapDocument& d)
      : p0(d.polygons[0]),
        p1(d.polygons[1]),
        sp(d.spawns[0]),
        w0(d.waypoints[0]),
        w1(d.waypoints[1]),
        s0(d.scenery[0]),
        s1(d.scenery[1]),
        c(d.colliders[0]) {}
  void ExpectSame(const MapDocument& d) const {
    EXPECT_TRUE(SameBytes(d.polygons[0], p0));
    EXPECT_TRUE(SameBytes(d.polygons[1], p1));
    EXPECT_TRUE(SameBytes(d.spawns[0], sp));
    EXPECT_TRUE(SameBytes(d.waypoints[0], w0));
    EXPECT_TRUE(SameBytes(d.waypoints[1], w1));
    EXPECT_TRUE(SameBytes(d.scenery[0], s0));
    EXPECT_TRUE(SameBytes(d.scenery[1], s1));
    EXPECT_TRUE(SameBytes(d.colliders[0], c));
  }
};

TEST(Mirror, OnceReflectsAboutTheFrameAndTwiceRestoresEverything) {
  EditRig r;
  Editor& e = r.e();
  Populate(e.doc);
  r.Tool(0);
  SelectEverything(e);
  TakeSnapshot(e, "Marks");
  const SelRect frame = e.sel.selRect;
  const Records before(e.doc);
  const float twoC = frame.left + frame.right;  // -5 + 95.001953125
  ASSERT_EQ(double(twoC) * 256, 23040.5);

  MenuMirror_Click(e);
  EXPECT_EQ(NewestLabel(e), "Mirror");
  const MapDocument& d = e.doc;
  EXPECT_FLOAT_EQ(d.polygons[0].corner[1].x, twoC - 40);
  EXPECT_EQ(d.polygons[0].corner[1].y, 0);
  EXPECT_FLOAT_EQ(d.polygons[0].corner[1].tu, twoC / 160 - 0.25f);
  EXPECT_FLOAT_EQ(d.polygons[0].corner[0].tu, twoC / 160);  // reflected also from 0
  // The axis x 256, 23040.5, is held to 23040 for every position: rounding each reflected
  // position (19583.5 to 19584) would not come back to 3457.
  EXPECT_EQ(d.spawns[0].x, 23040 - 3457);
  EXPECT_EQ(d.waypoints[1].x, 23040 - 10 * 256);
  EXPECT_EQ(d.waypoints[0].flags, (std::array<uint8_t, 8>{0, 1, 0, 1, 1, 0, 0, 0}));
  EXPECT_EQ(d.waypoints[1].flags, (std::array<uint8_t, 8>{1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(d.waypoints[0].y, before.w0.y);
  EXPECT_FLOAT_EQ(d.scenery[0].x, twoC - 50.5f);
  EXPECT_FLOAT_EQ(d.scenery[0].rotation, static_cast<float>(kPi));
  EXPECT_EQ(d.scenery[0].scaleY, -1);
  EXPECT_EQ(d.scenery[0].scaleX, 1);
  EXPECT_FLOAT_EQ(d.scenery[1].rotation, static_cast<float>(kPi / 2));
  EXPECT_EQ(d.scenery[1].scaleY, -0.5f);
  EXPECT_FLOAT_EQ(d.colliders[0].x, twoC - 90.001953125f);
  // The selection and its frame stay.
  EXPECT_EQ(e.sel.selRect.left, frame.left);
  EXPECT_EQ(e.sel.selRect.right, frame.right);
  EXPECT_EQ(e.sel.selLast, 11);

  MenuMirror_Click(e);
  before.ExpectSame(e.doc);
  EXPECT_EQ(r.Snapshots(), 3);
}

TEST(Flip, TwiceRestoresEverythingAndKeepsTheWaypointFlags) {
  EditRig r;
  Editor& e = r.e();
  Populate(e.doc);
  r.Tool(0);
  SelectEverything(e);
  TakeSnapshot(e, "Marks");
  const Records before(e.doc);
  const float twoC = e.sel.selRect.top + e.sel.selRect.bottom;
  MenuFlip_Click(e);
  EXPECT_EQ(NewestLabel(e), "Flip");
  const MapDocument& d = e.doc;
  EXPECT_FLOAT_EQ(d.polygons[0].corner[2].y, twoC - 40);
  EXPECT_FLOAT_EQ(d.polygons[0].corner[2].tv, twoC / 120 - 40.0f / 120);
  EXPECT_EQ(d.polygons[0].corner[2].x, 0);
  EXPECT_EQ(d.waypoints[0].flags, before.w0.flags);
  EXPECT_EQ(d.waypoints[0].x, before.w0.x);
  EXPECT_EQ(d.scenery[1].scaleX, -2);
  EXPECT_EQ(d.scenery[1].scaleY, 0.5f);
  EXPECT_FLOAT_EQ(d.scenery[1].y, twoC - 20.5f);
  MenuFlip_Click(e);
  before.ExpectSame(e.doc);
}

TEST(Mirror, WaypointsStayOnWholeUnitsAndComeBackThroughTheSnapshots) {
  EditRig r;
  Editor& e = r.e();
  fx::AddWaypoint(e.doc, 3, 0);
  fx::AddWaypoint(e.doc, 10, 7);
  fx::AddCollider(e.doc, 10.3f, 0);  // the frame runs from -2 to 15.3: 2c = 13.3
  r.Tool(0);
  SelectEverything(e);
  const Waypoint w0 = e.doc.waypoints[0], w1 = e.doc.waypoints[1];
  MenuMirror_Click(e);
  EXPECT_EQ(e.doc.waypoints[0].x, 10 * 256);  // 13 - 3 on the whole-unit axis
  EXPECT_EQ(e.doc.waypoints[1].x, 3 * 256);
  EXPECT_EQ(e.doc.waypoints[1].y, 7 * 256);
  MenuMirror_Click(e);  // its snapshot finds them on whole units and leaves them there
  EXPECT_TRUE(SameBytes(e.doc.waypoints[0], w0));
  EXPECT_TRUE(SameBytes(e.doc.waypoints[1], w1));
}

TEST(Mirror, NothingSelectedTellsAndTakesNoSnapshot) {
  for (auto command : {MenuMirror_Click, MenuFlip_Click}) {
    EditRig r;
    Editor& e = r.e();
    Populate(e.doc);
    r.Tool(0);
    command(e);
    EXPECT_EQ(r.Snapshots(), 0);
    ASSERT_EQ(r.host.messages.size(), 1u);
    EXPECT_EQ(r.host.messages[0].text, kNothingSelected);
    EXPECT_EQ(r.host.messages[0].title, "Problem");
    EXPECT_EQ(r.host.messages[0].icon, MsgIcon::Information);
  }
}

// Eight polygons and eight sceneries, each telling its original index by a colour or a style.
void Numbered(MapDocument& d) {
  for (int i = 0; i < 8; ++i) {
    const float x = 10.0f * float(i);
    fx::AddTriangle(d, x, 0, x + 5 + float(i), 0, x, 5, Colour4{uint8_t(i), 0, 0, 255});
    fx::AddScenery(d, x, 50, static_cast<uint8_t>(1 + i));
  }
}

void SelectPolygonsAndSceneries(Editor& e, std::initializer_list<int> which) {
  for (int p : which) {
    for (int k = 0; k < 3; ++k) AppendSelectedVertex(e, p, k);
    e.sel.selScenery[static_cast<size_t>(++e.sel.selSceneryLast)] = static_cast<uint8_t>(p);
    ++e.sel.selLast;
  }
  FrameSelection(e);
}

void ExpectOrder(const Editor& e, const std::vector<int>& order, const MapDocument& before) {
  for (size_t i = 0; i < order.size(); ++i) {
    const size_t was = static_cast<size_t>(order[i]);
    EXPECT_EQ(e.doc.polygons[i].corner[0].colour.blue, order[i]) << "polygon " << i;
    EXPECT_TRUE(SameBytes(e.doc.polygonNormals[i], before.polygonNormals[was])) << "normals " << i;
    EXPECT_EQ(e.doc.scenery[i].style, 1 + order[i]) << "scenery " << i;
  }
}

TEST(Arrange, FrontKeepsTheOrderOfTheMovedAndBackPutsTheHighestFirst) {
  struct Case {
    void (*command)(Editor&);
    const char* label;
    std::vector<int> order;
  };
  const Case cases[] = {{MenuFront_Click, "Bring", {0, 1, 3, 4, 6, 7, 2, 5}},
                        {MenuBack_Click, "Send", {5, 2, 0, 1, 3, 4, 6, 7}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EditRig r;
    Editor& e = r.e();
    Numbered(e.doc);
    const MapDocument before = e.doc;
    r.Tool(0);
    SelectPolygonsAndSceneries(e, {2, 5});
    c.command(e);
    EXPECT_EQ(NewestLabel(e), c.label);
    ExpectOrder(e, c.order, before);
    EXPECT_EQ(e.sel.selLast, -1);
    EXPECT_EQ(e.doc.polygonLast, 7);
    EXPECT_EQ(e.doc.sceneryLast, 7);
  }
}

TEST(Arrange, NothingSelectedMovesNothingButTakesTheSnapshot) {
  EditRig r;
  Editor& e = r.e();
  Numbered(e.doc);
  const MapDocument before = e.doc;
  r.Tool(0);
  MenuFront_Click(e);
  MenuBack_Click(e);
  EXPECT_EQ(r.Snapshots(), 2);
  ExpectOrder(e, {0, 1, 2, 3, 4, 5, 6, 7}, before);
  EXPECT_TRUE(r.host.messages.empty());
}

TEST(EditCommands, CopyPasteMirrorFlipAndDeleteOfThePastedSetLeaveTheSavedMapAsItWas) {
  EditRig r;
  Editor& e = r.e();
  e.doc = fx::SpreadMap({150, 12, 100, 60, 200, 20}, 450);
  r.Tool(0);
  std::vector<uint8_t> before, after;
  WriteMapBytes(e, false, before);

  SelectBox(e, -460, -460, 0, 460);
  ASSERT_GE(e.sel.selVertexLast, 0);
  ASSERT_GE(e.sel.selSpawnLast, 0);
  ASSERT_GE(e.sel.selSceneryLast, 0);
  ASSERT_GE(e.sel.selWaypointLast, 0);
  ASSERT_GE(e.sel.selColliderLast, 0);
  MenuCopy_Click(e);
  MenuPaste_Click(e);
  ASSERT_GT(e.doc.polygonLast, 149);
  ASSERT_GT(e.doc.waypointLast, 199);
  MenuMirror_Click(e);
  MenuFlip_Click(e);
  MenuDelete_Click(e);
  EXPECT_TRUE(r.host.messages.empty());
  EXPECT_EQ(e.doc.polygonLast, 149);
  EXPECT_EQ(e.doc.waypointLast, 199);

  WriteMapBytes(e, false, after);
  ASSERT_EQ(after.size(), before.size());
  size_t firstDiff = 0;
  while (firstDiff < before.size() && before[firstDiff] == after[firstDiff]) ++firstDiff;
  EXPECT_EQ(firstDiff, before.size()) << "first differing byte";
}

}  // namespace
}  // namespace quorvel
