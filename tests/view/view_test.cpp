#include "view/view.h"

#include <gtest/gtest.h>

#include "view/redraw.h"
#include "view_test_support.h"

namespace quorvel {
namespace {

using fixtures::Op;
using testing_support::ViewRig;

TEST(ViewConversions, FirstClientSizeMapsOriginToCentreOfUncoveredArea) {
  ViewRig r;
  Editor& e = r.e();
  EXPECT_FLOAT_EQ(LaskeRuutuX(e, 0), 316.5f);
  EXPECT_FLOAT_EQ(LaskeRuutuY(e, 0), 262.5f);
  EXPECT_FLOAT_EQ(LaskeRuutu2X(e, 316.5f), -0.5f);
  EXPECT_FLOAT_EQ(LaskeRuutu2Y(e, 262.5f), 0.5f);
}

TEST(ViewConversions, RoundTripCarriesHalfPixelOffsetAtEveryZoom) {
  ViewRig r;
  Editor& e = r.e();
  e.view.viewX = 123.25f;
  e.view.viewY = -40.5f;
  for (float z : {4.0f, 2.0f, 1.0f, 0.5f, 0.25f}) {
    e.view.zoom = z;
    for (float x : {0.0f, 17.0f, -300.0f}) {
      EXPECT_NEAR(LaskeRuutu2X(e, LaskeRuutuX(e, x)), x - 0.5f / z, 1e-3) << z;
      EXPECT_NEAR(LaskeRuutu2Y(e, LaskeRuutuY(e, x)), x + 0.5f / z, 1e-3) << z;
    }
  }
}

TEST(ViewConversions, FollowClientSizeAndBarSizes) {
  ViewRig r;
  Editor& e = r.e();
  e.view.clientWidth = 1000;
  e.view.clientHeight = 700;
  e.view.zoom = 2;
  e.view.viewX = 10;
  e.view.viewY = 20;
  // (x - viewX) * zoom + W/2 - PW/2 - 0.5 and (y - viewY) * zoom + H/2 - PH/2 + 0.5
  EXPECT_FLOAT_EQ(LaskeRuutuX(e, 15), 10 + 500 - 92.5f - 0.5f);
  EXPECT_FLOAT_EQ(LaskeRuutuY(e, 15), -10 + 350 - 26.5f + 0.5f);
  EXPECT_FLOAT_EQ(LaskeRuutu2X(e, 407.5f + 10), 15);
}

TEST(ZoomHandler, SetsZoomFromItemDataAndKeepsViewCentre) {
  ViewRig r;
  Editor& e = r.e();
  e.view.viewX = 55;
  e.view.viewY = -7;
  const float centreBefore = LaskeRuutuX(e, 55);
  const float zooms[] = {4, 2, 1, 0.5f, 0.25f};
  for (int i = 0; i < 5; ++i) {
    e.ctl.CBzoom.Select(i);
    r.canvas.Reset();
    CBzoom_Click(e);
    EXPECT_FLOAT_EQ(e.view.zoom, zooms[i]);
    EXPECT_EQ(r.canvas.Count(Op::Clear), 1u);  // redrawn
  }
  EXPECT_FLOAT_EQ(e.view.viewX, 55);
  EXPECT_FLOAT_EQ(e.view.viewY, -7);
  EXPECT_FLOAT_EQ(LaskeRuutuX(e, 55), centreBefore);
}

TEST(ZoomHandler, ReplaysLastPointerSoPanDragsSeeNewScale) {
  ViewRig r;
  Editor& e = r.e();
  e.view.lastPointerX = 40;
  e.view.lastPointerY = 30;
  e.rightButtonDown = -1;
  e.ctl.CBzoom.Select(0);
  CBzoom_Click(e);
  // The (-9999, -9999) move is the last position again: no pan, pointer unchanged.
  EXPECT_FLOAT_EQ(e.view.lastPointerX, 40);
  EXPECT_FLOAT_EQ(e.view.lastPointerY, 30);
  EXPECT_FLOAT_EQ(e.view.viewX, 0);
}

TEST(BottomBarHandlers, DoNothingWhilePanelsRefresh) {
  ViewRig r;
  Editor& e = r.e();
  e.panelRefreshBusy = true;
  e.ctl.CBzoom.Select(4);
  CBzoom_Click(e);
  e.ctl.CBgrid.Select(3);
  CBgrid_Click(e);
  e.ctl.CBnayta[6].value = 1;
  CBnayta_Click(e, 6);
  EXPECT_FLOAT_EQ(e.view.zoom, 1);
  EXPECT_EQ(e.view.gridSize, 0);
  EXPECT_EQ(e.view.showFlags[5], 0);
  EXPECT_TRUE(r.canvas.ops.empty());
  EXPECT_EQ(r.host.focusCalls, 0);
}

TEST(BottomBarHandlers, GridReadsLeadingNumberAndParksFocus) {
  ViewRig r;
  Editor& e = r.e();
  e.view.zoom = 4;
  const int16_t sizes[] = {0, 100, 50, 25, 10, 5};
  for (int i = 0; i < 6; ++i) {
    e.ctl.CBgrid.Select(i);
    CBgrid_Click(e);
    EXPECT_EQ(e.view.gridSize, sizes[i]) << e.ctl.CBgrid.items[static_cast<size_t>(i)];
  }
  EXPECT_EQ(r.host.focusCalls, 6);
  // "Off" gives no grid at all.
  e.ctl.CBgrid.Select(0);
  r.canvas.Reset();
  CBgrid_Click(e);
  EXPECT_EQ(r.canvas.Count(Op::Line), 0u);
}

TEST(BottomBarHandlers, FixedGridParksFocusAndRedraws) {
  ViewRig r;
  Editor& e = r.e();
  CBfixed_Click(e);
  EXPECT_EQ(r.host.focusCalls, 1);
  EXPECT_EQ(r.canvas.Count(Op::Clear), 1u);
  // Without a host (the render tool) parking focus is a no-op.
  e.host = nullptr;
  CBfixed_Click(e);
  EXPECT_EQ(r.canvas.Count(Op::Clear), 2u);
}

TEST(ShowHandler, AllSetsEveryLayerIncludingAdvanced) {
  ViewRig r;
  Editor& e = r.e();
  e.ctl.CBnayta[0].value = 1;
  CBnayta_Click(e, 0);
  for (int k = 0; k <= 5; ++k) EXPECT_EQ(e.view.showFlags[static_cast<size_t>(k)], 1) << k;
  EXPECT_EQ(e.view.showFlags[6], 0);

  e.ctl.CBnayta[0].value = 2;  // grey "All" hides everything: only 1 draws
  fixtures::AddSpawn(e.doc, 0, 0);
  fixtures::AddTriangle(e.doc, 0, 0, 10, 0, 0, 10);
  r.canvas.Reset();
  CBnayta_Click(e, 0);
  for (int k = 0; k <= 5; ++k) EXPECT_EQ(e.view.showFlags[static_cast<size_t>(k)], 2);
  EXPECT_EQ(r.canvas.Count(Op::Line), 0u);
  EXPECT_EQ(r.canvas.Count(Op::Circle), 0u);
}

TEST(ShowHandler, SingleBoxSetsItsLayerAndIgnoresBadIndex) {
  ViewRig r;
  Editor& e = r.e();
  e.ctl.CBnayta[6].value = 1;
  CBnayta_Click(e, 6);
  EXPECT_EQ(e.view.showFlags[5], 1);
  e.ctl.CBnayta[2].value = 0;
  CBnayta_Click(e, 2);
  EXPECT_EQ(e.view.showFlags[1], 0);
  const auto before = e.view.showFlags;
  CBnayta_Click(e, 7);
  CBnayta_Click(e, -1);
  EXPECT_EQ(e.view.showFlags, before);
}

}  // namespace
}  // namespace quorvel
