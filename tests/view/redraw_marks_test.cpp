#include <gtest/gtest.h>

#include <cmath>

#include "view/redraw.h"
#include "view/view.h"
#include "view_test_support.h"

namespace quorvel {
namespace {

using fixtures::DrawOp;
using fixtures::Op;
using testing_support::ViewRig;

TEST(Waypoints, LabelBoxAndLinksWithFlagColours) {
  ViewRig r;
  Editor& e = r.e();
  fixtures::AddWaypoint(e.doc, 0, 0, 1);
  fixtures::AddWaypoint(e.doc, 200, 0, 2);
  fixtures::AddWaypoint(e.doc, 0, 200, 1);
  e.doc.waypoints[1].flags[0] = 1;
  e.doc.waypoints[1].flags[3] = 1;  // the last flag set wins
  fixtures::Link(e.doc, 0, 1);
  fixtures::Link(e.doc, 0, 2);
  fixtures::Link(e.doc, 0, 1);
  e.RedrawCanvas();
  const auto texts = r.canvas.Of(Op::Text);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "1");
  EXPECT_EQ(texts[1].text, "2");
  EXPECT_EQ(texts[0].colour, (Rgb{0, 0, 255}));
  EXPECT_EQ(texts[1].colour, (Rgb{0, 0, 128}));
  EXPECT_FLOAT_EQ(texts[0].x1, 316.5f - 3 - 1);  // centred on the plain text, minus one
  EXPECT_FLOAT_EQ(texts[0].y1, 262.5f - 6);
  const auto boxes = r.canvas.Of(Op::Rect);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_FLOAT_EQ(boxes[0].x1, 316.5f - 7);
  EXPECT_FLOAT_EQ(boxes[0].y2, 262.5f + 7);
  EXPECT_EQ(boxes[0].style, kSolid);

  const auto cyan = r.canvas.LinesIn({0, 255, 255});
  ASSERT_EQ(cyan.size(), 6u);  // two links to waypoint 1, three strokes each
  for (const DrawOp& d : cyan) EXPECT_EQ(d.style, kDot);
  const auto black = r.canvas.LinesIn({0, 0, 0});
  ASSERT_EQ(black.size(), 3u);
  // Connection j starts j units lower: the main line is drawn last of its three strokes.
  EXPECT_FLOAT_EQ(cyan[2].y1, 262.5f);
  EXPECT_FLOAT_EQ(black[2].y1, 263.5f);
  EXPECT_FLOAT_EQ(cyan[5].y1, 264.5f);
}

TEST(Waypoints, ConnectionCountAboveTwentyIsCutInDocument) {
  ViewRig r;
  Editor& e = r.e();
  fixtures::AddWaypoint(e.doc, 0, 0);
  fixtures::AddWaypoint(e.doc, 300, 0);
  for (int k = 0; k < 20; ++k) fixtures::Link(e.doc, 0, 1);
  e.doc.waypoints[0].connectionCount = 25;
  e.RedrawCanvas();
  EXPECT_EQ(e.doc.waypoints[0].connectionCount, 20);
  EXPECT_EQ(r.canvas.LinesIn({0, 0, 0}).size(), 60u);
  r.canvas.Reset();
  e.RedrawCanvas();
  EXPECT_EQ(e.doc.waypoints[0].connectionCount, 20);
  EXPECT_EQ(r.canvas.LinesIn({0, 0, 0}).size(), 60u);
}

TEST(Waypoints, NegativeCountAndLinksOutsideTheArrayDrawNothing) {
  ViewRig r;
  Editor& e = r.e();
  fixtures::AddWaypoint(e.doc, 0, 0);
  fixtures::AddWaypoint(e.doc, 300, 0);
  e.doc.waypoints[0].connectionCount = -3;
  Waypoint& w = e.doc.waypoints[1];
  w.connectionCount = 6;
  // 3 names the record past the last waypoint: drawn, like the link to 1; the others name nothing.
  w.connections = {0, -1, 3, 501, 2147483647, 1};
  e.RedrawCanvas();
  EXPECT_EQ(e.doc.waypoints[0].connectionCount, -3);
  EXPECT_EQ(r.canvas.LinesIn({0, 0, 0}).size(), 6u);
}

TEST(Waypoints, PathFilterAndConnectionInProgress) {
  ViewRig r;
  Editor& e = r.e();
  fixtures::AddWaypoint(e.doc, 0, 0, 1);
  fixtures::AddWaypoint(e.doc, 100, 0, 2);
  e.pathFilter = 2;
  e.sel.connectFrom = 1;
  e.sel.pointerWorldX = 100;
  e.sel.pointerWorldY = 80;
  e.RedrawCanvas();
  ASSERT_EQ(r.canvas.Count(Op::Text), 1u);
  EXPECT_EQ(r.canvas.Of(Op::Text)[0].text, "2");
  const auto magenta = r.canvas.LinesIn({255, 0, 255});
  ASSERT_EQ(magenta.size(), 3u);
  EXPECT_FLOAT_EQ(magenta[2].y2, LaskeRuutuY(e, 80));
  EXPECT_EQ(magenta[2].style, kDot);
}

TEST(Selection, MarksFrameAndSceneryHandles) {
  ViewRig r;
  Editor& e = r.e();
  fixtures::AddTriangle(e.doc, 0, 0, 10, 0, 0, 10);
  fixtures::AddScenery(e.doc, 50, 50, 1);
  fixtures::AddCollider(e.doc, -20, -20);
  SelectionState& s = e.sel;
  s.selVertexLast = 0;
  s.selVertexPolygon[0] = 0;
  s.selVertexCorner[0] = 1;
  s.selSceneryLast = 0;
  s.selScenery[0] = 0;
  s.selColliderLast = 0;
  s.selCollider[0] = 0;
  s.selLast = 2;
  s.selRect = {-5, 155, -5, 65};
  e.RedrawCanvas();
  const auto red = r.canvas.CirclesIn({255, 0, 0});
  ASSERT_EQ(red.size(), 3u);
  EXPECT_FLOAT_EQ(red[0].x1, LaskeRuutuX(e, 10));
  EXPECT_FLOAT_EQ(red[1].x1, LaskeRuutuX(e, 49.5f));
  EXPECT_FLOAT_EQ(red[2].y1, LaskeRuutuY(e, -20));
  const auto frame = r.canvas.LinesIn({128, 128, 128}, Op::Rect);
  ASSERT_EQ(frame.size(), 1u);
  EXPECT_EQ(frame[0].style, kDot);
  EXPECT_FLOAT_EQ(frame[0].x2, LaskeRuutuX(e, 155));
  const auto rotate = r.canvas.LinesIn({255, 255, 0}, Op::Rect);
  const auto size = r.canvas.LinesIn({0, 255, 0}, Op::Rect);
  ASSERT_EQ(rotate.size(), 1u);
  ASSERT_EQ(size.size(), 1u);
  EXPECT_FLOAT_EQ(rotate[0].x1, LaskeRuutuX(e, 150 - 3));
  EXPECT_FLOAT_EQ(size[0].y2, LaskeRuutuY(e, 60 + 3));
  EXPECT_EQ(size[0].style, kDot);  // left over from the frame
  // A Liana has no rotate handle.
  e.doc.scenery[0].style = 5;
  r.canvas.Reset();
  e.RedrawCanvas();
  EXPECT_TRUE(r.canvas.LinesIn({255, 255, 0}, Op::Rect).empty());
}

TEST(Selection, WaypointToolRedrawsSelectedLabelAndBoxInRed) {
  ViewRig r;
  Editor& e = r.e();
  fixtures::AddWaypoint(e.doc, 0, 0);
  e.sel.selWaypointLast = 0;
  e.currentTool = 5;
  e.RedrawCanvas();
  EXPECT_EQ(r.canvas.LinesIn({255, 0, 0}, Op::Rect).size(), 1u);
  EXPECT_EQ(r.canvas.LinesIn({255, 0, 0}, Op::Text).size(), 1u);
  EXPECT_TRUE(r.canvas.CirclesIn({255, 0, 0}).empty());
  e.currentTool = 0;
  r.canvas.Reset();
  e.RedrawCanvas();
  EXPECT_EQ(r.canvas.CirclesIn({255, 0, 0}).size(), 1u);
}

TEST(Selection, CorruptListsReadNothingOutside) {
  ViewRig r;
  Editor& e = r.e();
  SelectionState& s = e.sel;
  s.selVertexLast = 30000;
  s.selVertexPolygon.fill(9999);
  s.selVertexCorner.fill(7);
  s.selSpawnLast = 200;
  s.selSpawn.fill(200);
  s.selSceneryLast = 0;
  s.selScenery.fill(255);
  s.selWaypointLast = 900;
  s.selWaypoint.fill(-4);
  s.selColliderLast = 500;
  s.selCollider.fill(250);
  e.RedrawCanvas();
  EXPECT_TRUE(r.canvas.CirclesIn({255, 0, 0}).empty());
}

TEST(Advanced, BorderViewFrameAndTextureDots) {
  ViewRig r;
  Editor& e = r.e();
  e.view.clientWidth = 1600;
  e.view.clientHeight = 1200;
  e.view.showFlags[5] = 1;
  fixtures::AddTriangle(e.doc, 160, 120, 320, 120, 0, 240);  // corner 2 has tu 0: no dot
  e.RedrawCanvas();
  const auto white = r.canvas.LinesIn({255, 255, 255});
  ASSERT_EQ(white.size(), 7u);  // three edges and the four border sides
  const float left = LaskeRuutuX(e, -450), right = LaskeRuutuX(e, 450);
  const float top = LaskeRuutuY(e, -450), bottom = LaskeRuutuY(e, 450);
  EXPECT_FLOAT_EQ(white[3].x1, left);
  EXPECT_FLOAT_EQ(white[3].x2, left);
  EXPECT_FLOAT_EQ(white[3].y2, bottom);
  EXPECT_FLOAT_EQ(white[4].y1, top);
  EXPECT_FLOAT_EQ(white[4].x2, right);
  EXPECT_FLOAT_EQ(white[5].x1, right);
  EXPECT_FLOAT_EQ(white[6].y1, bottom);
  const auto frame = r.canvas.LinesIn({0, 0, 128}, Op::Rect);
  ASSERT_EQ(frame.size(), 1u);
  EXPECT_EQ(frame[0].style, kDashDot);
  EXPECT_FLOAT_EQ(frame[0].x1, 800 - 320 - 92.5f - 3);
  EXPECT_FLOAT_EQ(frame[0].y1, 600 - 240 - 26.5f + 20.5f - 3);
  EXPECT_FLOAT_EQ(frame[0].x2, 800 + 320 - 92.5f);
  EXPECT_FLOAT_EQ(frame[0].y2, 600 + 240 - 26.5f + 20.5f);
  const auto dots = r.canvas.CirclesIn({0, 255, 0});
  ASSERT_EQ(dots.size(), 2u);
  EXPECT_EQ(dots[0].radius, 1);
  EXPECT_FLOAT_EQ(dots[1].x1, LaskeRuutuX(e, 320));
  // Separate colours for the two halves of the border.
  e.doc.info.backgroundTop = {1, 2, 3, 0};
  e.doc.info.backgroundBottom = {4, 5, 6, 0};
  r.canvas.Reset();
  e.RedrawCanvas();
  EXPECT_EQ(r.canvas.LinesIn({3, 2, 1}).size(), 2u);
  EXPECT_EQ(r.canvas.LinesIn({6, 5, 4}).size(), 2u);
}

TEST(Primitives, MarkerCulledByItsRadius) {
  ViewRig r;
  Editor& e = r.e();
  // Screen x -5 is world x -321.5 at the first client size and zoom 1.
  DrawMarker(e, -321.5f, 0, 10, {1, 2, 3});
  DrawMarker(e, -321.5f, 0, 2, {1, 2, 3});
  DrawMarker(e, 0, 0, -3, {1, 2, 3});
  ASSERT_EQ(r.canvas.Count(Op::Circle), 1u);
  EXPECT_EQ(r.canvas.ops[0].radius, 10);
  EXPECT_FLOAT_EQ(r.canvas.ops[0].x1, -5);
  r.canvas.Reset();
  DrawMarker(e, 0, 577 - 262.5f + 3, 4, {});  // 3 px below the bottom edge
  DrawMarker(e, 819 - 316.5f + 3, 0, 3, {});  // exactly radius beyond the right edge: culled
  EXPECT_EQ(r.canvas.Count(Op::Circle), 1u);
}

TEST(Primitives, WorldLineCulledWhenBothEndsBeyondOneEdge) {
  ViewRig r;
  Editor& e = r.e();
  auto wx = [](float sx) { return sx - 316.5f; };
  auto wy = [](float sy) { return sy - 262.5f; };
  DrawWorldLine(e, wx(-10), wy(100), wx(-5), wy(200), false);
  EXPECT_EQ(r.canvas.ops.size(), 0u);
  DrawWorldLine(e, wx(-10), wy(100), wx(50), wy(100), false);
  ASSERT_EQ(r.canvas.Count(Op::Line), 1u);
  EXPECT_FLOAT_EQ(r.canvas.ops[0].x1, -10);
  r.canvas.Reset();
  DrawWorldLine(e, wx(0), wy(10), wx(0), wy(20), false);       // both on x = 0: culled (<= 0)
  DrawWorldLine(e, wx(819), wy(10), wx(900), wy(20), false);   // both >= W
  DrawWorldLine(e, wx(10), wy(-1), wx(20), wy(0), true);       // both sy <= 0
  DrawWorldLine(e, wx(10), wy(577), wx(20), wy(600), true);    // both >= H
  EXPECT_TRUE(r.canvas.ops.empty());
  DrawWorldLine(e, wx(-100), wy(-100), wx(900), wy(700), true);  // crosses: drawn as a box
  ASSERT_EQ(r.canvas.Count(Op::Rect), 1u);
}

TEST(Route, ArrowHeadAtMiddleDrawnBeforeLine) {
  ViewRig r;
  Editor& e = r.e();
  PiirraReitti(e, 0, 0, 100, 0);
  const auto lines = r.canvas.Of(Op::Line);
  ASSERT_EQ(lines.size(), 3u);
  const float ox = 316.5f, oy = 262.5f;
  EXPECT_FLOAT_EQ(lines[0].x1, ox + 50);
  EXPECT_FLOAT_EQ(lines[0].y1, oy);
  EXPECT_NEAR(lines[0].x2, ox + 42.3516f, 1e-3);
  EXPECT_NEAR(lines[0].y2, oy + 6.4422f, 1e-3);
  EXPECT_NEAR(lines[1].x2, ox + 42.3516f, 1e-3);
  EXPECT_NEAR(lines[1].y2, oy - 6.4422f, 1e-3);
  EXPECT_FLOAT_EQ(lines[2].x1, ox);
  EXPECT_FLOAT_EQ(lines[2].x2, ox + 100);
  EXPECT_FLOAT_EQ(lines[2].y2, oy);
}

TEST(Route, DegenerateLinkDrawsZeroLineAndHead) {
  ViewRig r;
  Editor& e = r.e();
  PiirraReitti(e, 5, 5, 5, 5);
  const auto lines = r.canvas.Of(Op::Line);
  ASSERT_EQ(lines.size(), 3u);
  for (const DrawOp& d : lines) {
    EXPECT_TRUE(std::isfinite(d.x2) && std::isfinite(d.y2));
    EXPECT_FLOAT_EQ(d.x1, LaskeRuutuX(e, 5));
  }
  EXPECT_FLOAT_EQ(lines[2].x2, lines[2].x1);
  EXPECT_NEAR(std::hypot(lines[0].x2 - lines[0].x1, lines[0].y2 - lines[0].y1), 10, 1e-3);
}

}  // namespace
}  // namespace quorvel
