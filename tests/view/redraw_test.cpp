#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "view/redraw.h"
#include "view/view.h"
#include "view_test_support.h"

namespace quorvel {
namespace {

using fixtures::DrawOp;
using fixtures::Op;
using testing_support::ViewRig;

constexpr Rgb kLight{100, 100, 100}, kDark{75, 75, 75};

bool IsGrey(const DrawOp& d) { return d.colour == kLight || d.colour == kDark; }
std::vector<DrawOp> GridLines(const fixtures::RecordingCanvas& c) {
  std::vector<DrawOp> out;
  for (const DrawOp& d : c.Of(Op::Line))
    if (IsGrey(d)) out.push_back(d);
  return out;
}

TEST(RedrawFrame, NothingBeforeFirstActivation) {
  ViewRig r;
  r.e().firstActivation = true;
  r.e().RedrawCanvas();
  EXPECT_TRUE(r.canvas.ops.empty());
}

TEST(RedrawFrame, ClearsPersistentlyThenTurnsPersistenceOff) {
  ViewRig r;
  fixtures::AddSpawn(r.e().doc, 0, 0);
  r.e().RedrawCanvas();
  ASSERT_GE(r.canvas.ops.size(), 3u);
  EXPECT_EQ(r.canvas.ops.front().op, Op::Persistent);
  EXPECT_TRUE(r.canvas.ops.front().persistent);
  EXPECT_EQ(r.canvas.ops[1].op, Op::Clear);
  EXPECT_EQ(r.canvas.ops[1].colour, (Rgb{64, 64, 64}));
  EXPECT_EQ(r.canvas.ops.back().op, Op::Persistent);
  EXPECT_FALSE(r.canvas.ops.back().persistent);
  for (const DrawOp& d : r.canvas.Of(Op::Circle)) EXPECT_TRUE(d.persistent);
  EXPECT_EQ(r.canvas.lineWidth, 1);
}

TEST(GridDensity, StepsCoarserUntilRuleHoldsAtHalfZoom) {
  ViewRig r;
  Editor& e = r.e();
  e.view.zoom = 0.5f;
  e.ctl.CBgrid.Select(5);  // "5"
  CBgrid_Click(e);
  EXPECT_EQ(e.ctl.CBgrid.listIndex, 3);  // "5" -> "10" -> "25"
  EXPECT_EQ(e.ctl.CBgrid.text, "25");
  EXPECT_EQ(e.view.gridSize, 25);
  EXPECT_EQ(r.host.focusCalls, 3);
  // The grid that ends up drawn is at 25 units: 25 * 0.5 = 12.5 pixels apart.
  std::vector<float> xs;
  for (const DrawOp& d : GridLines(r.canvas))
    if (d.x1 == d.x2) xs.push_back(d.x1);
  ASSERT_GE(xs.size(), 3u);
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  EXPECT_NEAR(xs[1] - xs[0], 12.5f, 1e-3);
}

TEST(GridDensity, StopsAtTenAtZoomOne) {
  ViewRig r;
  Editor& e = r.e();
  e.ctl.CBgrid.Select(5);
  CBgrid_Click(e);
  EXPECT_EQ(e.ctl.CBgrid.listIndex, 4);
  EXPECT_EQ(e.view.gridSize, 10);
  EXPECT_FALSE(GridLines(r.canvas).empty());
}

TEST(GridDensity, SuppressedListHandlerLeavesCanvasCleared) {
  ViewRig r;
  Editor& e = r.e();
  e.ctl.CBgrid.Select(5);
  e.view.gridSize = 5;
  e.panelRefreshBusy = true;
  fixtures::AddSpawn(e.doc, 0, 0);
  e.RedrawCanvas();
  EXPECT_EQ(e.ctl.CBgrid.listIndex, 4);  // the list moved, the size did not
  EXPECT_EQ(e.view.gridSize, 5);
  EXPECT_EQ(r.canvas.Count(Op::Circle), 0u);
  EXPECT_FALSE(r.canvas.ops.back().persistent);
}

TEST(GridDensity, SizeOutOfStepWithCoarsestListEntryDrawsNoGridAndNoLoop) {
  ViewRig r;
  Editor& e = r.e();
  e.view.gridSize = 3;  // not from the list, and the list is already at "Off"
  e.view.zoom = 0.25f;
  fixtures::AddSpawn(e.doc, 0, 0);
  e.RedrawCanvas();
  EXPECT_EQ(e.ctl.CBgrid.listIndex, 0);
  EXPECT_TRUE(GridLines(r.canvas).empty());
  EXPECT_EQ(r.canvas.Count(Op::Circle), 1u);  // the rest of the map is still drawn
}

TEST(WorldGrid, LinesOnMultiplesWithLightEvenMultiples) {
  ViewRig r;
  Editor& e = r.e();
  e.ctl.CBgrid.Select(2);  // 50
  CBgrid_Click(e);
  int columns = 0, rows = 0;
  for (const DrawOp& d : GridLines(r.canvas)) {
    if (d.x1 == d.x2) {
      const double wx = LaskeRuutu2X(e, d.x1) + 0.5;  // undo the half pixel
      EXPECT_NEAR(std::fmod(std::fabs(wx), 50.0), 0.0, 1e-3);
      EXPECT_EQ(d.colour, std::fmod(std::fabs(wx), 100.0) < 1 ? kLight : kDark) << wx;
      ++columns;
    } else {
      const double wy = LaskeRuutu2Y(e, d.y1) - 0.5;
      EXPECT_NEAR(std::fmod(std::fabs(wy), 50.0), 0.0, 1e-3);
      EXPECT_EQ(d.colour, std::fmod(std::fabs(wy), 100.0) < 1 ? kLight : kDark) << wy;
      ++rows;
    }
  }
  // Columns run from -300 to 350 (150 pixels short of the right edge); rows from -300 to 300, of
  // which -300 lies above the canvas and is culled.
  EXPECT_EQ(columns, 14);
  EXPECT_EQ(rows, 12);
}

TEST(FixedGrid, ScreenLinesFromTopLeftAlternating) {
  ViewRig r;
  Editor& e = r.e();
  e.ctl.CBfixed.value = 1;
  e.view.viewX = 1234;  // panning does not move a fixed grid
  e.view.zoom = 2;
  e.ctl.CBgrid.Select(2);  // 50 -> every 100 pixels
  CBgrid_Click(e);
  const auto lines = GridLines(r.canvas);
  // i = 0, 100, ..., 800 (M = W = 819): two lines each.
  ASSERT_EQ(lines.size(), 18u);
  for (size_t k = 0; k < lines.size(); k += 2) {
    const float i = static_cast<float>(k / 2 * 100);
    EXPECT_EQ(lines[k].colour, (k / 2) % 2 == 0 ? kLight : kDark);
    EXPECT_EQ(lines[k].y1, i);
    EXPECT_EQ(lines[k].x2, 819.0f);
    EXPECT_EQ(lines[k + 1].x1, i);
    EXPECT_EQ(lines[k + 1].y2, 577.0f);
  }
}

TEST(FixedGrid, TallWindowUsesHeightAndHugeWindowTerminates) {
  ViewRig r;
  Editor& e = r.e();
  e.ctl.CBfixed.value = 1;
  e.view.clientWidth = 300;
  e.view.clientHeight = 900;
  e.ctl.CBgrid.Select(1);  // 100
  CBgrid_Click(e);
  EXPECT_EQ(GridLines(r.canvas).size(), 20u);  // 0 .. 900
  // A client area wider than 16 bits: M clamps to 32767 and the counter cannot overflow.
  e.view.clientWidth = 70000;
  r.canvas.Reset();
  e.RedrawCanvas();
  EXPECT_EQ(GridLines(r.canvas).size(), 2u * (32767 / 100 + 1));
}

TEST(WorldGrid, FarPannedViewDrawsOnlyWhatFitsSixteenBits) {
  ViewRig r;
  Editor& e = r.e();
  e.view.zoom = 0.25f;
  e.ctl.CBgrid.Select(3);  // 25
  CBgrid_Click(e);
  // Far beyond the 16-bit range in both directions: no grid, no overflow, the redraw ends.
  e.view.viewX = 1e6f;
  e.view.viewY = -1e6f;
  r.canvas.Reset();
  e.RedrawCanvas();
  EXPECT_TRUE(GridLines(r.canvas).empty());
  EXPECT_FALSE(r.canvas.ops.back().persistent);

  // Near the edge: the columns stop at the last multiple of 25 that fits, 32750.
  e.view.viewX = 32000;
  e.view.viewY = 0;
  r.canvas.Reset();
  e.RedrawCanvas();
  float maxColumn = -1e9f;
  int rows = 0;
  for (const DrawOp& d : GridLines(r.canvas)) {
    if (d.x1 == d.x2) {
      maxColumn = std::max(maxColumn, d.x1);
    } else {
      ++rows;
    }
  }
  EXPECT_FLOAT_EQ(maxColumn, LaskeRuutuX(e, 32750));
  EXPECT_GT(rows, 0);
  EXPECT_LT(maxColumn, 819 - 150);
}

TEST(Polygons, EdgesInFirstVertexColourDottedWhereNormalIsZero) {
  ViewRig r;
  Editor& e = r.e();
  const int p = fixtures::AddTriangle(e.doc, 0, 0, 100, 0, 0, 100, {10, 20, 30, 255});
  e.doc.polygons[static_cast<size_t>(p)].corner[1].colour = {40, 50, 60, 0};
  e.doc.polygonNormals[static_cast<size_t>(p)].normal[1] = {0, 0, 5};  // z does not matter
  e.RedrawCanvas();
  const auto lines = r.canvas.Of(Op::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].colour, (Rgb{30, 20, 10}));
  EXPECT_EQ(lines[0].style, kSolid);
  EXPECT_EQ(lines[1].colour, (Rgb{60, 50, 40}));
  EXPECT_EQ(lines[1].style, kDot);
  EXPECT_EQ(lines[2].style, kSolid);
  EXPECT_FLOAT_EQ(lines[0].x1, 316.5f);
  EXPECT_FLOAT_EQ(lines[0].x2, 416.5f);
  // Passable triangle: all three dotted.
  fixtures::AddTriangle(e.doc, 0, 0, 50, 0, 0, 50, {1, 1, 1, 255}, true);
  r.canvas.Reset();
  e.RedrawCanvas();
  const auto all = r.canvas.Of(Op::Line);
  ASSERT_EQ(all.size(), 6u);
  for (size_t k = 3; k < 6; ++k) EXPECT_EQ(all[k].style, kDot);
}

TEST(Polygons, LastIndexBeyondArrayIsBounded) {
  ViewRig r;
  Editor& e = r.e();
  e.doc.polygonLast = 1000;  // a count field from a file is not checked
  e.RedrawCanvas();
  EXPECT_EQ(r.canvas.Count(Op::Line), 1200u);  // 400 triangles
}

TEST(Polygons, CornerBeingPlacedMarker) {
  ViewRig r;
  Editor& e = r.e();
  e.currentTool = 1;
  e.doc.polygons[0].corner[0].x = 20;  // the record above the last index holds the preview
  e.RedrawCanvas();
  auto red = r.canvas.CirclesIn({255, 0, 0});
  ASSERT_EQ(red.size(), 1u);
  EXPECT_FLOAT_EQ(red[0].x1, LaskeRuutuX(e, 20));
  EXPECT_EQ(red[0].radius, 2);
  // Two corners placed: the marker sits at corner toolParam of the last polygon.
  fixtures::AddTriangle(e.doc, 0, 0, 30, 40, 50, 60);
  e.toolParam = 2;
  r.canvas.Reset();
  e.RedrawCanvas();
  red = r.canvas.CirclesIn({255, 0, 0});
  ASSERT_EQ(red.size(), 1u);
  EXPECT_FLOAT_EQ(red[0].x1, LaskeRuutuX(e, 50));
  // A tool parameter outside the corners reads nothing.
  e.toolParam = 7;
  r.canvas.Reset();
  e.RedrawCanvas();
  EXPECT_TRUE(r.canvas.CirclesIn({255, 0, 0}).empty());
  // Hidden polygon layer: no marker either.
  e.toolParam = 0;
  e.view.showFlags[0] = 0;
  r.canvas.Reset();
  e.RedrawCanvas();
  EXPECT_TRUE(r.canvas.CirclesIn({255, 0, 0}).empty());
}

TEST(Spawns, DoubleCircleOnFirstFlagSpawnOfEachTeamOnly) {
  ViewRig r;
  Editor& e = r.e();
  fixtures::AddSpawn(e.doc, 0, 0, 0);
  fixtures::AddSpawn(e.doc, 10, 0, 1);
  fixtures::AddSpawn(e.doc, 20, 0, 1);
  fixtures::AddSpawn(e.doc, 30, 0, 2);
  fixtures::AddSpawn(e.doc, 40, 0, 7);  // unknown type: nothing
  e.RedrawCanvas();
  const auto circles = r.canvas.Of(Op::Circle);
  ASSERT_EQ(circles.size(), 6u);
  EXPECT_EQ(circles[0].colour, (Rgb{0, 128, 128}));
  EXPECT_EQ(circles[1].radius, 10);
  EXPECT_EQ(circles[2].radius, 5);
  EXPECT_EQ(circles[2].colour, (Rgb{128, 0, 0}));
  EXPECT_FLOAT_EQ(circles[2].x1, LaskeRuutuX(e, 10));
  EXPECT_EQ(circles[3].radius, 10);  // second red spawn: single circle
  EXPECT_EQ(circles[4].radius, 10);
  EXPECT_EQ(circles[5].radius, 5);
  EXPECT_EQ(circles[5].colour, (Rgb{0, 0, 128}));
}

TEST(Spawns, SpawnBeingPlacedExtendsRange) {
  ViewRig r;
  Editor& e = r.e();
  e.currentTool = 2;
  e.RedrawCanvas();
  EXPECT_EQ(r.canvas.Count(Op::Circle), 1u);  // record 0, the preview
  for (int i = 0; i < 30; ++i) fixtures::AddSpawn(e.doc, 0, 0);
  r.canvas.Reset();
  e.RedrawCanvas();
  EXPECT_EQ(r.canvas.Count(Op::Circle), 30u);  // full array: no preview past it
}

TEST(Scenery, RotatedOutlineAndBadStyles) {
  ViewRig r;
  Editor& e = r.e();
  fixtures::AddScenery(e.doc, 100, 50, 1, 0);  // Grass: 100 x 10
  e.RedrawCanvas();
  const auto lines = r.canvas.LinesIn({128, 0, 128});
  ASSERT_EQ(lines.size(), 4u);
  const float px = LaskeRuutuX(e, 99.5f), py = LaskeRuutuY(e, 49.5f);
  EXPECT_FLOAT_EQ(lines[0].x1, px);
  EXPECT_NEAR(lines[0].x2, px + 100, 1e-3);  // P to P + A
  EXPECT_NEAR(lines[1].y2, py + 10, 1e-3);   // P to P + B
  EXPECT_NEAR(lines[3].x2, px + 100, 1e-3);
  EXPECT_NEAR(lines[3].y2, py + 10, 1e-3);
  ASSERT_EQ(r.canvas.CirclesIn({128, 0, 128}).size(), 1u);

  // Style bytes outside the table draw the marker and a point, and read nothing out of range.
  for (uint8_t style : {uint8_t(0), uint8_t(22), uint8_t(255)}) {
    e.doc.scenery[0].style = style;
    r.canvas.Reset();
    e.RedrawCanvas();
    const auto pts = r.canvas.LinesIn({128, 0, 128});
    ASSERT_EQ(pts.size(), 4u);
    for (const DrawOp& d : pts) {
      EXPECT_FLOAT_EQ(d.x1, d.x2);
      EXPECT_FLOAT_EQ(d.y1, d.y2);
    }
  }
}

TEST(Scenery, QuarterTurnSwapsAxes) {
  ViewRig r;
  Editor& e = r.e();
  fixtures::AddScenery(e.doc, 0, 0, 1, static_cast<float>(M_PI / 2));
  e.RedrawCanvas();
  const auto lines = r.canvas.LinesIn({128, 0, 128});
  ASSERT_EQ(lines.size(), 4u);
  // A = (L1 cos r, -L1 sin r) = (0, -100): up the screen; B = (L2 sin r, L2 cos r) = (10, 0).
  EXPECT_NEAR(lines[0].y2 - lines[0].y1, -100, 1e-3);
  EXPECT_NEAR(lines[1].x2 - lines[1].x1, 10, 1e-3);
}

TEST(Colliders, RadiusIsHalfTimesZoomRounded) {
  ViewRig r;
  Editor& e = r.e();
  fixtures::AddCollider(e.doc, 0, 0, 25);
  fixtures::AddCollider(e.doc, 0, 0, 1e9f);  // clamps to 16 bits
  fixtures::AddCollider(e.doc, 0, 0, -8);    // negative: nothing
  e.view.zoom = 2;
  e.RedrawCanvas();
  const auto circles = r.canvas.CirclesIn({128, 128, 0});
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_EQ(circles[0].radius, 25);
  EXPECT_EQ(circles[1].radius, 32767);
  e.view.zoom = 1;
  r.canvas.Reset();
  e.RedrawCanvas();
  EXPECT_EQ(r.canvas.CirclesIn({128, 128, 0})[0].radius, 12);  // 12.5 -> 12, halves to even
}

}  // namespace
}  // namespace quorvel
