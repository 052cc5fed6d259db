#include "view/layout.h"

#include <gtest/gtest.h>

#include "view_test_support.h"

namespace quorvel {
namespace {

using testing_support::ViewRig;

TEST(Layout, ThousandBySevenHundred) {
  ViewRig r;
  Editor& e = r.e();
  e.view.clientWidth = 1000;
  e.view.clientHeight = 700;
  Form_Resize(e);
  const Controls& c = e.ctl;
  EXPECT_EQ(c.Ppalkki.left, 815);
  EXPECT_EQ(c.Ppalkki.top, -2);
  EXPECT_EQ(c.Ppalkki.height, 702);
  EXPECT_EQ(c.Ppalkki.width, 185);
  EXPECT_EQ(c.Pala.top, 647);
  EXPECT_EQ(c.Pala.left, -2);
  EXPECT_EQ(c.Pala.width, 819);
  EXPECT_EQ(c.Pala.height, 53);
  EXPECT_EQ(c.Pyla.width, 1000);
  EXPECT_EQ(c.Pyla.height, 41);
  EXPECT_EQ(c.Fmaski[0].left, 800);
  EXPECT_EQ(c.Fmaski[0].top, 649);
  EXPECT_EQ(c.Fmaski[0].height, 49);
  EXPECT_EQ(c.Fmaski[1].left, 800);
  EXPECT_EQ(c.Fmaski[1].top, 0);
  EXPECT_EQ(c.Fmaski[1].height, 38);
  EXPECT_EQ(r.canvas.Count(fixtures::Op::Clear), 1u);  // every resize redraws
}

TEST(Layout, MinimumOuterSize) {
  Controls c;
  EXPECT_EQ(MinimumOuterTwips(c).width, 12495);
  EXPECT_EQ(MinimumOuterTwips(c).height, 9420);
  EXPECT_EQ(MinimumOuterPixels(c).width, 833);
  EXPECT_EQ(MinimumOuterPixels(c).height, 628);
}

TEST(Layout, HoldsMinimumWindowSize) {
  ViewRig r;
  Editor& e = r.e();
  r.host.placement.width = 9000;
  r.host.placement.height = 12000;
  Form_Resize(e);
  ASSERT_EQ(r.host.windowCalls.size(), 1u);
  EXPECT_EQ(r.host.windowCalls[0], "width 12495");
  r.host.windowCalls.clear();
  r.host.placement.height = 9419;
  Form_Resize(e);
  ASSERT_EQ(r.host.windowCalls.size(), 1u);
  EXPECT_EQ(r.host.windowCalls[0], "height 9420");
  r.host.windowCalls.clear();
  Form_Resize(e);  // at the minimum: nothing to correct
  EXPECT_TRUE(r.host.windowCalls.empty());
}

TEST(Layout, MinimisedWindowGivesNoNegativeSizes) {
  ViewRig r;
  Editor& e = r.e();
  e.view.clientWidth = 1000;
  e.view.clientHeight = 700;
  Form_Resize(e);
  e.view.clientWidth = 0;
  e.view.clientHeight = 0;
  Form_Resize(e);
  const Controls& c = e.ctl;
  for (const Frame* f : {&c.Pyla, &c.Pala, &c.Ppalkki, &c.Fmaski[0], &c.Fmaski[1]}) {
    EXPECT_GE(f->width, 0);
    EXPECT_GE(f->height, 0);
  }
  EXPECT_EQ(c.Pala.width, 819);  // the refused width is skipped, the rest still runs
  EXPECT_EQ(c.Pala.top, -53);
  EXPECT_EQ(c.Ppalkki.left, -185);
  EXPECT_EQ(c.Ppalkki.height, 2);
  EXPECT_EQ(c.Pyla.width, 0);
  // Restoring lays the bars out again.
  e.view.clientWidth = 1000;
  e.view.clientHeight = 700;
  Form_Resize(e);
  EXPECT_EQ(c.Pala.width, 819);
  EXPECT_EQ(c.Pala.top, 647);
}

TEST(Layout, FourKWindowAndNoHost) {
  ViewRig r;
  Editor& e = r.e();
  e.host = nullptr;  // the render tool lays out without a window
  e.view.clientWidth = 3840;
  e.view.clientHeight = 2160;
  e.ctl.CBgrid.Select(5);
  e.ctl.CBfixed.value = 1;
  e.view.zoom = 4;
  e.view.gridSize = 5;
  Form_Resize(e);
  EXPECT_EQ(e.ctl.Ppalkki.left, 3655);
  EXPECT_EQ(e.ctl.Pala.width, 3659);
  EXPECT_EQ(e.ctl.Pala.top, 2107);
  EXPECT_EQ(r.canvas.Count(fixtures::Op::Line), 2u * (3840 / 20 + 1));
}

}  // namespace
}  // namespace quorvel
