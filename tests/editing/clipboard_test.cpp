#include "editing/clipboard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "document/map_write.h"
#include "document/undo.h"
#include "edit_commands_support.h"
#include "editing/select_all.h"
#include "editing/undo_command.h"
#include "editing_rig.h"

namespace quorvel {
namespace {

using testing_support::EditRig;
using testing_support::ExpectSelectionNamesObjects;
using testing_support::Links;
using testing_support::SameBytes;
using testing_support::SelectBox;
using testing_support::SelectEverything;
namespace fx = fixtures;

constexpr const char* kPartialPaste = "Some of copied objects couldnt be pasted";

// Byte 3 of a collider record carries the author name by position (every snapshot writes it), so
// a copied collider is the same object with that byte left to its record.
bool SameCollider(Collider a, const Collider& b) {
  a.authorChar = b.authorChar;
  return SameBytes(a, b);
}

Colour4 Shade(int i) {
  return Colour4{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 255};
}

// A pasted polygon is the copied one moved by one offset (the centring of step 8): every other
// byte is the same, and the texture follows the move like any move.
void ExpectMovedCopy(const Polygon& pasted, const EdgeNormals& pastedNormals, const Polygon& original,
                     const EdgeNormals& originalNormals) {
  const float dx = pasted.corner[0].x - original.corner[0].x;
  const float dy = pasted.corner[0].y - original.corner[0].y;
  for (size_t k = 0; k < 3; ++k) {
    Vertex moved = original.corner[k];
    moved.x += dx;
    moved.y += dy;
    moved.tu = static_cast<float>(moved.tu + dx / 160.0);
    moved.tv = static_cast<float>(moved.tv + dy / 120.0);
    EXPECT_TRUE(SameBytes(pasted.corner[k], moved)) << "corner " << k;
  }
  EXPECT_TRUE(SameBytes(pastedNormals, originalNormals));
}

TEST(Clipboard, CopyOfFivePolygonsOnA398PolygonMapKeepsTwoAndPasteTellsOfTheRest) {
  EditRig r;
  Editor& e = r.e();
  for (int i = 0; i < 398; ++i) {
    const float x = 1000.0f + 30.0f * static_cast<float>(i % 20),
                y = 1000.0f + 30.0f * static_cast<float>(i / 20);
    fx::AddTriangle(e.doc, x, y, x + 10 + float(i % 3), y, x, y + 10, Shade(i));
  }
  r.Tool(0);
  for (int p = 0; p < 5; ++p)
    for (int k = 0; k < 3; ++k) AppendSelectedVertex(e, p, k);
  FrameSelection(e);
  MenuCopy_Click(e);
  EXPECT_EQ(e.clip.clipPolygonLast, 1);
  EXPECT_EQ(e.clip.clipLast, 1);
  EXPECT_TRUE(e.clip.clipOverflow);
  EXPECT_TRUE(SameBytes(e.doc.polygons[399], e.doc.polygons[0]));
  EXPECT_TRUE(SameBytes(e.doc.polygons[398], e.doc.polygons[1]));
  EXPECT_TRUE(e.ctl.MenuPaste.enabled);
  const Polygon first = e.doc.polygons[0], second = e.doc.polygons[1];
  const EdgeNormals firstNormals = e.doc.polygonNormals[0], secondNormals = e.doc.polygonNormals[1];

  MenuPaste_Click(e);
  // Copy 0 went from slot 399 to 398 and copy 1 from slot 398 to 399: each is still its own.
  EXPECT_EQ(e.doc.polygonLast, 399);
  ExpectMovedCopy(e.doc.polygons[398], e.doc.polygonNormals[398], first, firstNormals);
  ExpectMovedCopy(e.doc.polygons[399], e.doc.polygonNormals[399], second, secondNormals);
  ASSERT_EQ(r.host.messages.size(), 1u);
  EXPECT_EQ(r.host.messages[0].text, kPartialPaste);
  EXPECT_EQ(r.host.messages[0].title, "Problem");
  EXPECT_EQ(r.host.messages[0].icon, MsgIcon::Critical);
  // The pasted corners are selected, in order; the full array leaves nothing to copy again.
  ASSERT_EQ(e.sel.selVertexLast, 5);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(e.sel.selVertexPolygon[static_cast<size_t>(i)], 398 + i / 3);
    EXPECT_EQ(e.sel.selVertexCorner[static_cast<size_t>(i)], i % 3);
  }
  EXPECT_EQ(e.clip.clipLast, -1);
  EXPECT_TRUE(e.ctl.MenuPaste.enabled);  // the copy kept nothing, and the next Paste says so
  ExpectSelectionNamesObjects(e);
}

TEST(Clipboard, CopyPastePasteDuplicatesThePastedSet) {
  EditRig r;
  Editor& e = r.e();
  fx::AddTriangle(e.doc, 100, 100, 140, 100, 100, 130, Shade(1));
  fx::AddTriangle(e.doc, 150, 100, 190, 100, 150, 130, Shade(2));
  fx::AddCollider(e.doc, 120, 120, 16);
  r.Tool(0);
  SelectEverything(e);
  MenuCopy_Click(e);
  const int snapshotsBefore = r.Snapshots();
  MenuPaste_Click(e);
  EXPECT_EQ(r.Snapshots(), snapshotsBefore + 2);  // "Paste", then the centring's "Move"
  EXPECT_EQ(e.undo.undoLabels[static_cast<size_t>(e.undo.undoSlot)], "Move");
  ASSERT_EQ(e.doc.polygonLast, 3);
  ASSERT_EQ(e.doc.colliderLast, 1);
  // The clipboard now holds the pasted set where it was pasted.
  EXPECT_EQ(e.clip.clipLast, 2);
  EXPECT_TRUE(SameBytes(e.doc.polygons[399], e.doc.polygons[2]));
  EXPECT_TRUE(SameBytes(e.doc.polygons[398], e.doc.polygons[3]));
  EXPECT_TRUE(SameCollider(e.doc.colliders[127], e.doc.colliders[1]));
  const Polygon pasted2 = e.doc.polygons[2], pasted3 = e.doc.polygons[3];
  const Collider pastedCollider = e.doc.colliders[1];
  // Moving the pasted set afterwards does not change what the clipboard holds.
  e.doc.polygons[2].corner[0].x += 1000;

  MenuPaste_Click(e);
  ASSERT_EQ(e.doc.polygonLast, 5);
  ASSERT_EQ(e.doc.colliderLast, 2);
  // Centred again from the pasted set's place: no move, so the bytes are the pasted set's.
  EXPECT_TRUE(SameBytes(e.doc.polygons[4], pasted2));
  EXPECT_TRUE(SameBytes(e.doc.polygons[5], pasted3));
  EXPECT_TRUE(SameCollider(e.doc.colliders[2], pastedCollider));
  EXPECT_TRUE(r.host.messages.empty());
  ExpectSelectionNamesObjects(e);
}

TEST(Clipboard, PastedWaypointsLinkAmongThemselvesAndStillToTheOutside) {
  EditRig r;
  Editor& e = r.e();
  fx::AddWaypoint(e.doc, 10, 10);    // A
  fx::AddWaypoint(e.doc, 30, 10);    // B
  fx::AddWaypoint(e.doc, 500, 500);  // C, not copied
  fx::Link(e.doc, 0, 1);
  fx::Link(e.doc, 0, 2);
  fx::Link(e.doc, 1, 0);
  fx::Link(e.doc, 1, 2);
  fx::Link(e.doc, 1, 1);  // to itself
  e.doc.waypoints[1].flags = {1, 0, 1, 0, 1, 0, 0, 0};
  const Waypoint a = e.doc.waypoints[0], b = e.doc.waypoints[1], c = e.doc.waypoints[2];
  r.Tool(0);
  SelectBox(e, 0, 0, 40, 20);
  ASSERT_EQ(e.sel.selWaypointLast, 1);
  MenuCopy_Click(e);
  EXPECT_EQ(e.clip.clipWaypointLast, 1);
  MenuPaste_Click(e);

  ASSERT_EQ(e.doc.waypointLast, 4);
  const Waypoint& a2 = e.doc.waypoints[3];
  const Waypoint& b2 = e.doc.waypoints[4];
  EXPECT_EQ(a2.id, 4);
  EXPECT_EQ(b2.id, 5);
  EXPECT_EQ(Links(a2), (std::vector<int32_t>{5, 3}));
  EXPECT_EQ(Links(b2), (std::vector<int32_t>{4, 3, 5}));
  EXPECT_EQ(b2.flags, b.flags);
  EXPECT_EQ(b2.path, b.path);
  EXPECT_EQ(b2.x - a2.x, b.x - a.x);  // moved together by the centring
  // The originals are untouched.
  EXPECT_TRUE(SameBytes(e.doc.waypoints[0], a));
  EXPECT_TRUE(SameBytes(e.doc.waypoints[1], b));
  EXPECT_TRUE(SameBytes(e.doc.waypoints[2], c));
  EXPECT_EQ(e.sel.selWaypointLast, 1);
  EXPECT_EQ(e.sel.selWaypoint[0], 3);
  EXPECT_EQ(e.sel.selWaypoint[1], 4);

  // A second Paste numbers its set after the first and links it to itself.
  MenuPaste_Click(e);
  ASSERT_EQ(e.doc.waypointLast, 6);
  EXPECT_EQ(Links(e.doc.waypoints[5]), (std::vector<int32_t>{7, 3}));
  EXPECT_EQ(Links(e.doc.waypoints[6]), (std::vector<int32_t>{6, 3, 7}));
}

TEST(Clipboard, WaypointsPastedIntoTheirOwnSlotsStayExactCopies) {
  EditRig r;
  Editor& e = r.e();
  for (int i = 0; i < 497; ++i) fx::AddWaypoint(e.doc, 2000.0f + float(i), 2000.0f);
  // Three to copy, far from the rest, linked in a ring and to waypoint 0.
  for (int i = 0; i < 3; ++i) {
    Waypoint& w = e.doc.waypoints[static_cast<size_t>(10 + i)];
    w.x = (20 * i) * 256;
    w.y = 0;
    w.flags[0] = static_cast<uint8_t>(i);
    w.path = 1 + i % 2;
  }
  fx::Link(e.doc, 10, 11);
  fx::Link(e.doc, 11, 12);
  fx::Link(e.doc, 12, 10);
  fx::Link(e.doc, 12, 0);
  r.Tool(0);
  SelectBox(e, -5, -5, 45, 5);
  ASSERT_EQ(e.sel.selWaypointLast, 2);
  MenuCopy_Click(e);
  EXPECT_FALSE(e.clip.clipOverflow);
  MenuPaste_Click(e);  // copies in slots 499, 498, 497 go to 497, 498, 499

  ASSERT_EQ(e.doc.waypointLast, 499);
  for (int i = 0; i < 3; ++i) {
    const Waypoint& w = e.doc.waypoints[static_cast<size_t>(497 + i)];
    EXPECT_EQ(w.id, 498 + i);
    EXPECT_EQ(w.flags[0], i) << i;
    EXPECT_EQ(w.path, 1 + i % 2) << i;
  }
  EXPECT_EQ(Links(e.doc.waypoints[497]), (std::vector<int32_t>{499}));
  EXPECT_EQ(Links(e.doc.waypoints[498]), (std::vector<int32_t>{500}));
  EXPECT_EQ(Links(e.doc.waypoints[499]), (std::vector<int32_t>{498, 1}));
  EXPECT_EQ(e.doc.waypoints[498].x - e.doc.waypoints[497].x, 20 * 256);
  EXPECT_TRUE(r.host.messages.empty());
  ExpectSelectionNamesObjects(e);
}

TEST(Clipboard, SpawnsSceneryAndCollidersPastedIntoTheirOwnSlotsStayExactCopies) {
  EditRig r;
  Editor& e = r.e();
  for (int i = 0; i < 26; ++i) fx::AddSpawn(e.doc, 3000, 3000);
  for (int i = 0; i < 250; ++i) fx::AddScenery(e.doc, 3000, 3000);
  for (int i = 0; i < 124; ++i) fx::AddCollider(e.doc, 3000, 3000);
  for (int i = 0; i < 2; ++i) {
    const float x = 10.0f * float(i);
    const int sp = fx::AddSpawn(e.doc, x, 0, static_cast<uint8_t>(i + 1));
    e.doc.spawns[static_cast<size_t>(sp)].extra = {uint8_t(7 + i), 9};
    const int sc = fx::AddScenery(e.doc, x, 0, static_cast<uint8_t>(3 + i), 0.25f * float(i + 1));
    e.doc.scenery[static_cast<size_t>(sc)].alpha = static_cast<uint8_t>(64 * (i + 1));
    fx::AddCollider(e.doc, x, 0, 10.0f + float(i));
  }
  // spawnLast 27, sceneryLast 251, colliderLast 125: each copy lands in the other's slot.
  r.Tool(0);
  SelectBox(e, -5, -5, 15, 5);
  MenuCopy_Click(e);
  EXPECT_EQ(e.clip.clipSpawnLast, 1);
  EXPECT_EQ(e.clip.clipSceneryLast, 1);
  EXPECT_EQ(e.clip.clipColliderLast, 1);
  EXPECT_FALSE(e.clip.clipOverflow);
  const Spawn s0 = e.doc.spawns[26], s1 = e.doc.spawns[27];
  const Scenery c0 = e.doc.scenery[250], c1 = e.doc.scenery[251];
  const Collider k0 = e.doc.colliders[124], k1 = e.doc.colliders[125];
  MenuPaste_Click(e);
  ASSERT_EQ(e.doc.spawnLast, 29);
  ASSERT_EQ(e.doc.sceneryLast, 253);
  ASSERT_EQ(e.doc.colliderLast, 127);
  const int32_t dx = e.doc.spawns[28].x - s0.x;
  for (int i = 0; i < 2; ++i) {
    const Spawn& want = i == 0 ? s0 : s1;
    const Spawn& got = e.doc.spawns[static_cast<size_t>(28 + i)];
    EXPECT_EQ(got.type, want.type);
    EXPECT_EQ(got.extra, want.extra);
    EXPECT_EQ(got.x - want.x, dx);
    const Scenery& wantS = i == 0 ? c0 : c1;
    const Scenery& gotS = e.doc.scenery[static_cast<size_t>(252 + i)];
    EXPECT_EQ(gotS.style, wantS.style);
    EXPECT_EQ(gotS.alpha, wantS.alpha);
    EXPECT_EQ(gotS.rotation, wantS.rotation);
    const Collider& wantC = i == 0 ? k0 : k1;
    EXPECT_EQ(e.doc.colliders[static_cast<size_t>(126 + i)].radius, wantC.radius);
  }
  EXPECT_EQ(e.doc.scenery[253].x - e.doc.scenery[252].x, 10.0f);
  EXPECT_TRUE(r.host.messages.empty());
  ExpectSelectionNamesObjects(e);
}

TEST(Clipboard, PasteNeverMakesA255thScenery) {
  EditRig r;
  Editor& e = r.e();
  // 250 sceneries; the last five near the origin with styles 1 to 5.
  for (int i = 0; i < 245; ++i) fx::AddScenery(e.doc, 3000, 3000);
  for (int i = 0; i < 5; ++i) fx::AddScenery(e.doc, 10.0f * float(i), 0, static_cast<uint8_t>(1 + i));
  r.Tool(0);
  SelectBox(e, -5, -5, 45, 5);
  ASSERT_EQ(e.sel.selSceneryLast, 4);
  MenuCopy_Click(e);
  // 254 sceneries at most: room for four (250..253) after the 250.
  EXPECT_EQ(e.clip.clipSceneryLast, 3);
  EXPECT_EQ(e.sel.selSceneryLast, 3);
  EXPECT_EQ(e.sel.selLast, 3);
  EXPECT_TRUE(e.clip.clipOverflow);
  MenuPaste_Click(e);
  EXPECT_EQ(e.doc.sceneryLast, kSceneryLastKept);
  EXPECT_EQ(r.host.LastMessage(), kPartialPaste);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(e.doc.scenery[static_cast<size_t>(250 + i)].style, 1 + i);
  // A snapshot (the writer keeps 254) loses nothing and the selection stays on objects.
  TakeSnapshot(e, "Check");
  EXPECT_EQ(e.doc.sceneryLast, kSceneryLastKept);
  ExpectSelectionNamesObjects(e);
  EXPECT_EQ(e.clip.clipLast, -1);  // nothing more fits
  // The copy that kept nothing still speaks at Paste, once, and takes no step to undo.
  EXPECT_TRUE(e.ctl.MenuPaste.enabled);
  const size_t told = r.host.messages.size();
  const int steps = e.undo.undoTop;
  MenuPaste_Click(e);
  EXPECT_EQ(r.host.messages.size(), told + 1);
  EXPECT_EQ(r.host.LastMessage(), kPartialPaste);
  EXPECT_EQ(e.undo.undoTop, steps);
  EXPECT_EQ(e.doc.sceneryLast, kSceneryLastKept);
  EXPECT_FALSE(e.ctl.MenuPaste.enabled);
  MenuPaste_Click(e);
  EXPECT_EQ(r.host.messages.size(), told + 1);
}

TEST(Clipboard, CopyCutsTheSpawnSelectionToTheRoomLeft) {
  EditRig r;
  Editor& e = r.e();
  for (int i = 0; i < 27; ++i) fx::AddSpawn(e.doc, 10.0f * float(i), 0, static_cast<uint8_t>(i % 3));
  r.Tool(0);
  SelectBox(e, -5, -5, 45, 5);  // spawns 0..4
  ASSERT_EQ(e.sel.selSpawnLast, 4);
  MenuCopy_Click(e);
  EXPECT_EQ(e.sel.selSpawnLast, 2);
  EXPECT_EQ(e.sel.selLast, 2);
  EXPECT_EQ(e.clip.clipSpawnLast, 2);
  EXPECT_TRUE(e.clip.clipOverflow);
  for (int k = 0; k < 3; ++k)
    EXPECT_TRUE(SameBytes(e.doc.spawns[static_cast<size_t>(29 - k)], e.doc.spawns[static_cast<size_t>(k)]));
  MenuPaste_Click(e);
  EXPECT_EQ(e.doc.spawnLast, 29);
  EXPECT_EQ(r.host.LastMessage(), kPartialPaste);
}

TEST(Clipboard, PasteDoesNothingAfterASaveAToolSwitchOrAnUndo) {
  struct Case {
    const char* name;
    void (*empty)(EditRig&);
  };
  const Case cases[] = {
      {"save",
       [](EditRig& r) {
         std::vector<uint8_t> bytes;
         WriteMapBytes(r.e(), false, bytes);
       }},
      {"tool switch",
       [](EditRig& r) {
         r.Tool(2);
         r.Tool(0);
       }},
      {"undo",
       [](EditRig& r) {
         TakeSnapshot(r.e(), "Move");
         MenuUndo_Click(r.e());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditRig r;
    Editor& e = r.e();
    fx::AddTriangle(e.doc, 0, 0, 10, 0, 0, 10);
    r.Tool(0);
    SelectEverything(e);
    MenuCopy_Click(e);
    ASSERT_EQ(e.clip.clipLast, 0);
    c.empty(r);
    EXPECT_EQ(e.clip.clipLast, -1);
    r.Tool(0);
    SelectEverything(e);
    const int snapshots = r.Snapshots();
    const int16_t polygons = e.doc.polygonLast;
    MenuPaste_Click(e);
    EXPECT_EQ(r.Snapshots(), snapshots);
    EXPECT_EQ(e.doc.polygonLast, polygons);
  }
}

TEST(Clipboard, CopyAndPasteActOnlyInTheEditTool) {
  EditRig r;
  Editor& e = r.e();
  fx::AddTriangle(e.doc, 0, 0, 10, 0, 0, 10);
  r.Tool(1);
  r.Move(0, 0);  // the polygon tool selects the corner under the pointer
  ASSERT_EQ(e.sel.selVertexLast, 0);
  MenuCopy_Click(e);
  EXPECT_EQ(e.clip.clipLast, -1);
  EXPECT_FALSE(e.ctl.MenuCopy.enabled);
}

TEST(Clipboard, UndoAfterPasteLeavesTheCopiesOutOfTheMap) {
  EditRig r;
  Editor& e = r.e();
  for (int i = 0; i < 15; ++i) fx::AddSpawn(e.doc, 10.0f * float(i), 0);
  r.Tool(0);
  SelectEverything(e);
  MenuCopy_Click(e);
  EXPECT_EQ(e.clip.clipSpawnLast, 14);
  MenuPaste_Click(e);
  EXPECT_EQ(e.doc.spawnLast, 29);
  MenuUndo_Click(e);  // the centring's "Move"
  MenuUndo_Click(e);  // "Paste"
  EXPECT_EQ(e.doc.spawnLast, 14);
  EXPECT_EQ(e.clip.clipLast, -1);
}

// Paste centres the pasted set in the view: a set wider than the float range must not turn the
// finite coordinates it moves into infinities; a scenery that is not a number stays out of it.
TEST(Clipboard, PasteOfASetWiderThanTheFloatRangeKeepsFiniteCoordinatesFinite) {
  EditRig r;
  Editor& e = r.e();
  fx::AddTriangle(e.doc, 0, -2.5e38f, 10, 2.5e38f, 0, 10);
  fx::AddScenery(e.doc, 5, std::numeric_limits<float>::quiet_NaN(), 3);
  fx::AddScenery(e.doc, 5, 2.5e38f, 3);
  fx::AddCollider(e.doc, 5, -2.5e38f, 10);
  r.Tool(0);
  MenuSelectAll_Click(e);
  MenuCopy_Click(e);
  MenuPaste_Click(e);
  const MapDocument& d = e.doc;
  ASSERT_EQ(d.polygonLast, 1);
  ASSERT_EQ(d.sceneryLast, 2);
  for (const Vertex& v : d.polygons[1].corner)
    EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.tu) && std::isfinite(v.tv))
        << v.x << ", " << v.y << ", " << v.tu << ", " << v.tv;
  EXPECT_EQ(d.scenery[2].y, std::numeric_limits<float>::max());  // past the range, it stops at its edge
  EXPECT_TRUE(std::isfinite(d.colliders[1].y));
  EXPECT_TRUE(std::isnan(d.scenery[0].y));
}

}  // namespace
}  // namespace quorvel
