#include "editing/selection.h"

#include <gtest/gtest.h>

#include <cmath>

#include "document/numeric.h"
#include "editing/edit_tool.h"
#include "editing/move.h"
#include "editing/undo_command.h"
#include "editing_rig.h"
#include "view/geometry.h"
#include "view/view.h"

namespace quorvel {
namespace {

using testing_support::EditRig;
namespace fx = fixtures;

int CountsSum(const SelectionState& s) {
  return (s.selVertexLast + 1) + (s.selSpawnLast + 1) + (s.selSceneryLast + 1) + (s.selColliderLast + 1) +
         (s.selWaypointLast + 1);
}

// One of every kind around (0, 0), two waypoints on different paths.
void Populate(MapDocument& d) {
  fx::AddTriangle(d, 0, 0, 20, 0, 0, 20);
  fx::AddSpawn(d, 5, 5);
  fx::AddScenery(d, 10.5f, 10.5f);
  fx::AddCollider(d, 8, 2);
  fx::AddWaypoint(d, 3, 3, 1);
  fx::AddWaypoint(d, 4, 4, 2);
}

TEST(Selection, SelectInRectByKindModeAndFilter) {
  struct Case {
    const char* name;
    int mode;
    int hideLayer;  // showFlags entry cleared, -1 none
    int16_t pathFilter;
    bool reversed;
    int vertices, spawns, scenery, colliders, waypoints;
  };
  const Case cases[] = {
      {"everything", kSelectAll, -1, 0, false, 3, 1, 1, 1, 2},
      {"band drawn backwards", kSelectAll, -1, 0, true, 3, 1, 1, 1, 2},
      {"polygons hidden", kSelectAll, 0, 0, false, 0, 1, 1, 1, 2},
      {"colliders hidden", kSelectAll, 3, 0, false, 3, 1, 1, 0, 2},
      {"path 2 only", kSelectAll, -1, 2, false, 3, 1, 1, 1, 1},
      {"first vertex", kSelectFirstVertex, -1, 0, false, 1, 0, 0, 0, 0},
      {"first waypoint", kSelectFirstWaypoint, -1, 0, false, 0, 0, 0, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditRig r;
    Editor& e = r.e();
    Populate(e.doc);
    if (c.hideLayer >= 0) e.view.showFlags[static_cast<size_t>(c.hideLayer)] = 0;
    e.pathFilter = c.pathFilter;
    if (c.reversed) {
      SelectInRect(e, 20, 20, 0, 0, false, c.mode);
    } else {
      SelectInRect(e, 0, 0, 20, 20, false, c.mode);
    }
    const SelectionState& s = e.sel;
    EXPECT_EQ(s.selVertexLast + 1, c.vertices);
    EXPECT_EQ(s.selSpawnLast + 1, c.spawns);
    EXPECT_EQ(s.selSceneryLast + 1, c.scenery);
    EXPECT_EQ(s.selColliderLast + 1, c.colliders);
    EXPECT_EQ(s.selWaypointLast + 1, c.waypoints);
    EXPECT_EQ(s.selLast, CountsSum(s) - 1);
    if (c.pathFilter == 2) {
      EXPECT_EQ(s.selWaypoint[0], 1);
    }
  }
}

TEST(Selection, EmptyBandKeepsItsRectOnlyWhileDragging) {
  EditRig r;
  Editor& e = r.e();
  r.Tool(0);
  fx::AddSpawn(e.doc, 100, 100);
  r.Press(-50, -50);
  r.Move(-40, -40, kLeftButton);
  EXPECT_EQ(e.sel.selLast, -1);
  EXPECT_FLOAT_EQ(e.sel.selRect.right, -40);  // still drawn while the button is down
  r.Release(-40, -40);
  EXPECT_EQ(e.sel.selRect.left, kUnset);
  EXPECT_EQ(e.sel.selRect.bottom, kUnset);
}

TEST(Selection, ClickOnSharedCornerSelectsEveryPolygonMeetingThere) {
  EditRig r;
  Editor& e = r.e();
  for (int k = 0; k < 3; ++k) fx::AddTriangle(e.doc, 0, 0, 50, float(k * 10), 40, 40 + float(k));
  r.Tool(0);
  r.Click(2, 1);
  EXPECT_EQ(e.sel.selLast, 2);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(e.sel.selVertexCorner[static_cast<size_t>(k)], 0);
  // A second click outside the frame only deselects.
  r.Click(300, 300);
  EXPECT_EQ(e.sel.selLast, -1);
  EXPECT_EQ(e.sel.selRect.left, kUnset);
}

TEST(Selection, PickSearchReachPerZoom) {
  // Largest growth on each side of the click, by zoom.
  const std::pair<int, float> cases[] = {{0, 2}, {1, 5}, {2, 14}, {3, 27}, {4, 35}};
  for (const auto& [zoomIndex, reach] : cases) {
    SCOPED_TRACE(zoomIndex);
    for (const float off : {reach, reach + 1}) {
      EditRig r;
      Editor& e = r.e();
      e.ctl.CBzoom.Select(zoomIndex);
      CBzoom_Click(e);
      fx::AddSpawn(e.doc, off, 0);
      r.Tool(0);
      r.Click(0, 0);
      EXPECT_EQ(e.sel.selSpawnLast, off == reach ? 0 : -1) << off;
    }
  }
}

TEST(Selection, SnapToGridWorldFixedAndFarAway) {
  EditRig r;
  Editor& e = r.e();
  e.view.gridSize = 10;
  float x, y;
  SnapToGrid(e, r.Sx(14), r.Sy(-26), x, y);
  EXPECT_FLOAT_EQ(x, 10);
  EXPECT_FLOAT_EQ(y, -30);
  // Fixed grid: steps of g x zoom pixels from the canvas corner.
  e.ctl.CBfixed.value = 1;
  e.view.zoom = 2;
  SnapToGrid(e, 47, 33, x, y);
  EXPECT_FLOAT_EQ(x, LaskeRuutu2X(e, 40));
  EXPECT_FLOAT_EQ(y, LaskeRuutu2Y(e, 40));
  // Panned far beyond 16 bits the point still lands on the grid under the pointer.
  e.ctl.CBfixed.value = 0;
  e.view.zoom = 1;
  e.view.viewX = 1e6f;
  e.view.viewY = -5e7f;
  SnapToGrid(e, r.Sx(1e6f + 3), r.Sy(-5e7f - 4), x, y);
  EXPECT_FLOAT_EQ(x, 1e6f);
  EXPECT_FLOAT_EQ(y, -5e7f);
}

TEST(Selection, SnapAngleAndHandles) {
  const double q = kPi / 4;
  EXPECT_FLOAT_EQ(SnapAngle(0.3f), 0);
  EXPECT_FLOAT_EQ(SnapAngle(0.5f), float(q));
  EXPECT_FLOAT_EQ(SnapAngle(-0.5f), float(-q));
  EXPECT_FLOAT_EQ(SnapAngle(float(3 * kPi / 2 - 0.1)), float(6 * q));
  EXPECT_FLOAT_EQ(SnapAngle(float(kPi / 8 + 1e-6)), float(q));

  EditRig r;
  Editor& e = r.e();
  const int s = fx::AddScenery(e.doc, 0, 0, 1);  // Grass, 100 x 10
  EXPECT_TRUE(HandleHit(e, 0, s, 100, 0));
  EXPECT_TRUE(HandleHit(e, 1, s, 100, 10));
  EXPECT_FALSE(HandleHit(e, 1, s, 103, 10));  // the box is open
  e.doc.scenery[static_cast<size_t>(s)].style = 0;  // no size: both handles on the position
  EXPECT_TRUE(HandleHit(e, 1, s, 0, 0));
  e.doc.scenery[static_cast<size_t>(s)].rotation = std::nanf("");
  EXPECT_FALSE(HandleHit(e, 0, s, 0, 0));
}

TEST(Selection, SelectAppendedAndFrame) {
  EditRig r;
  Editor& e = r.e();
  fx::AddTriangle(e.doc, 0, 0, 1, 0, 0, 1);
  fx::AddTriangle(e.doc, 10, 20, 30, 20, 10, 40);
  fx::AddScenery(e.doc, 50, 60);
  fx::AddSpawn(e.doc, 500, 500);
  SelectAppended(e, 0, -1, -1);
  EXPECT_EQ(e.sel.selVertexLast, 2);
  EXPECT_EQ(e.sel.selLast, 3);
  EXPECT_EQ(e.sel.selSpawnLast, -1);
  EXPECT_FLOAT_EQ(e.sel.selRect.left, 5);
  EXPECT_FLOAT_EQ(e.sel.selRect.right, 55);
  EXPECT_FLOAT_EQ(e.sel.selRect.top, 15);
  EXPECT_FLOAT_EQ(e.sel.selRect.bottom, 65);
}

TEST(Drag, MoveWithAndWithoutTextureCorrectionUndoesInOneStep) {
  for (const bool noCorrection : {false, true}) {
    SCOPED_TRACE(noCorrection);
    EditRig r;
    Editor& e = r.e();
    fx::AddTriangle(e.doc, 0, 0, 40, 0, 0, 40);
    fx::AddTriangle(e.doc, 50, 0, 90, 0, 50, 40);
    e.doc.polygons[0].corner[1].tu = 0;  // an untextured corner keeps its coordinates
    const MapDocument before = e.doc;
    e.ctl.CBtexEiKorjaus.value = noCorrection ? 1 : 0;
    r.Tool(0);
    r.Drag(-10, -10, 100, 50);  // band over both
    ASSERT_EQ(e.sel.selLast, 5);
    r.Drag(20, 10, 50, 10);  // first drag: +30
    r.Drag(50, 10, 60, 12);  // second drag joins the same snapshot
    EXPECT_EQ(r.Snapshots(), 1);
    EXPECT_EQ(e.undo.undoLabels[static_cast<size_t>(e.undo.undoSlot)], "Move");
    const Vertex& moved = e.doc.polygons[1].corner[2];
    const Vertex& was = before.polygons[1].corner[2];
    EXPECT_FLOAT_EQ(moved.x, was.x + 40);
    EXPECT_FLOAT_EQ(moved.y, was.y + 2);
    EXPECT_FLOAT_EQ(moved.tu, noCorrection ? was.tu : float(float(was.tu + 30 / 160.0) + 10 / 160.0));
    EXPECT_FLOAT_EQ(e.doc.polygons[0].corner[1].tu, 0);
    EXPECT_FLOAT_EQ(e.doc.polygons[0].corner[1].tv, before.polygons[0].corner[1].tv);
    MenuUndo_Click(e);
    EXPECT_FLOAT_EQ(e.doc.polygons[1].corner[2].x, was.x);
    EXPECT_FLOAT_EQ(e.doc.polygons[1].corner[2].tu, was.tu);
  }
}

TEST(Drag, RotateAndSizeASceneryByItsHandles) {
  EditRig r;
  Editor& e = r.e();
  r.Tool(0);
  const int s = fx::AddScenery(e.doc, 0, 0, 1);  // Grass, 100 x 10
  Scenery& sc = e.doc.scenery[static_cast<size_t>(s)];
  r.Click(0, 0);
  ASSERT_EQ(e.sel.selSceneryLast, 0);
  // Size handle at (100, 10) dragged to (+50, +20), then to (+50, -20).
  r.Drag(100, 10, 50, 20);
  EXPECT_FLOAT_EQ(sc.scaleX, 0.5f);
  EXPECT_FLOAT_EQ(sc.scaleY, 2.0f);
  EXPECT_EQ(e.undo.undoLabels[static_cast<size_t>(e.undo.undoSlot)], "Size");
  r.Drag(50, 20, 50, -20);
  EXPECT_FLOAT_EQ(sc.scaleY, -2.0f);
  // A mirrored prop: its rotate handle stays under the pointer.
  sc.scaleX = -1;
  sc.scaleY = 1;
  r.Drag(-100, 0, 0, -70);
  EXPECT_EQ(e.undo.undoLabels[static_cast<size_t>(e.undo.undoSlot)], "Rotate");
  EXPECT_NEAR(sc.rotation, kPi / 2 + kPi, 1e-6);
  EXPECT_TRUE(HandleHit(e, 0, s, 0, -100));  // the handle points at the pointer, a width away
  // Shift snaps the turn to 45 degrees.
  sc.scaleX = 1;
  sc.rotation = 0;
  r.Hold(kKeyShift);
  r.Drag(100, 0, 60, -50);
  EXPECT_NEAR(sc.rotation, kPi / 4, 1e-6);
  r.Let(kKeyShift);
  // A style without a size cannot be sized: nothing stored, certainly no NaN.
  sc.style = 0;
  sc.rotation = 0;
  e.sel.sizingScenery = -1;
  e.sel.leftDragActive = -1;
  r.Move(30, 30, kLeftButton);
  EXPECT_FLOAT_EQ(sc.scaleX, 1);
  EXPECT_FLOAT_EQ(sc.scaleY, 1);
}

TEST(Drag, HoverShapes) {
  EditRig r;
  Editor& e = r.e();
  r.Tool(0);
  fx::AddScenery(e.doc, 0.5f, 0.5f, 1);
  r.Click(0, 0);
  const std::pair<std::pair<float, float>, PointerShape> cases[] = {
      {{20, 2}, PointerShape::SizeAll},
      {{300, 300}, PointerShape::Default},
      {{100.5f, 0.5f}, PointerShape::Cross},
      {{100.5f, 10.5f}, PointerShape::SizeNWSE},
  };
  e.sel.selRect = SelRect{-10, 110, -10, 20};
  for (const auto& [at, shape] : cases) {
    r.Move(at.first, at.second);
    EXPECT_EQ(r.host.pointer, shape) << at.first << "," << at.second;
  }
}

TEST(Keys, NudgesWithTheirFourStepsOnlyInEditWithASelection) {
  EditRig r;
  Editor& e = r.e();
  fx::AddCollider(e.doc, 0, 0);
  fx::AddCollider(e.doc, 5, 0);
  fx::AddSpawn(e.doc, 2, 2);
  r.Tool(0);
  r.Drag(-10, -10, 10, 10);
  ASSERT_EQ(e.sel.selLast, 2);
  const std::pair<std::vector<int>, float> cases[] = {
      {{}, 1.0f}, {{kKeyShift}, 0.1f}, {{kKeyCtrl}, 10.0f}, {{kKeyShift, kKeyCtrl}, 50.0f}};
  float x = 0;
  for (const auto& [mods, step] : cases) {
    for (int k : mods) r.Hold(k);
    EXPECT_TRUE(Form_KeyDown(e, kKeyRight));
    for (int k : mods) r.Let(k);
    x = float(x + step);
    EXPECT_FLOAT_EQ(e.doc.colliders[0].x, x);
  }
  EXPECT_EQ(e.doc.spawns[0].x, ToInt32((2 + 61.1) * 256));
  EXPECT_TRUE(Form_KeyDown(e, kKeyUp));
  EXPECT_FLOAT_EQ(e.doc.colliders[1].y, -1);
  EXPECT_EQ(r.Snapshots(), 1);
  r.Tool(2);
  EXPECT_FALSE(Form_KeyDown(e, kKeyLeft));  // passed on
  r.Tool(0);
  EXPECT_FALSE(Form_KeyDown(e, kKeyLeft));  // nothing selected
}

TEST(Keys, KeypadAndWheelStepTheZoom) {
  EditRig r;
  Editor& e = r.e();
  auto zoomAfter = [&](std::initializer_list<int32_t> deltas) {
    for (int32_t d : deltas) WheelInput(e, d);
    return e.view.zoom;
  };
  EXPECT_FLOAT_EQ(zoomAfter({120}), 2);
  EXPECT_FLOAT_EQ(zoomAfter({-120}), 1);
  EXPECT_FLOAT_EQ(zoomAfter({240}), 1);
  EXPECT_FLOAT_EQ(zoomAfter({-15, -15, -15, -15, -15, -15, -15}), 1);  // seven eighths of a notch
  EXPECT_FLOAT_EQ(zoomAfter({-15}), 0.5f);
  EXPECT_FLOAT_EQ(zoomAfter({15, 15, 15, 15, 15, 15, 15, 15}), 1);
  Form_KeyDown(e, kKeyPadMinus);
  Form_KeyDown(e, kKeyPadMinus);
  Form_KeyDown(e, kKeyPadMinus);
  EXPECT_FLOAT_EQ(e.view.zoom, 0.25f);  // stops at "25%"
  for (int i = 0; i < 6; ++i) Form_KeyDown(e, kKeyPadPlus);
  EXPECT_FLOAT_EQ(e.view.zoom, 4);
  EXPECT_EQ(e.ctl.CBzoom.text, "400%");
}

}  // namespace
}  // namespace quorvel
