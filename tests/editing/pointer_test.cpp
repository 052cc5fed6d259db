#include "editing/pointer.h"

#include <gtest/gtest.h>

#include "../view/view_test_support.h"

namespace quorvel {
namespace {

using fixtures::Op;
using testing_support::ViewRig;

TEST(Pointer, RightButtonPressAndReleaseOnly) {
  ViewRig r;
  Editor& e = r.e();
  Form_MouseDown(e, kLeftButton, 0, 10, 10);
  Form_MouseDown(e, kMiddleButton, 0, 10, 10);
  EXPECT_EQ(e.rightButtonDown, 0);
  Form_MouseDown(e, kRightButton, 0, 10, 10);
  EXPECT_EQ(e.rightButtonDown, -1);
  Form_MouseUp(e, kLeftButton, 0, 10, 10);
  EXPECT_EQ(e.rightButtonDown, -1);
  Form_MouseUp(e, kRightButton, 0, 10, 10);
  EXPECT_EQ(e.rightButtonDown, 0);
}

TEST(Pointer, RightDragPansTheMapWithThePointer) {
  ViewRig r;
  Editor& e = r.e();
  e.view.zoom = 4;
  Form_MouseMove(e, 0, 0, 100, 100);
  EXPECT_TRUE(r.canvas.ops.empty());  // a plain move only remembers the position
  Form_MouseDown(e, kRightButton, 0, 100, 100);
  Form_MouseMove(e, kRightButton, 0, 108, 100);
  EXPECT_FLOAT_EQ(e.view.viewX, -2);
  EXPECT_FLOAT_EQ(e.view.viewY, 0);
  EXPECT_FLOAT_EQ(e.view.lastPointerX, 108);
  EXPECT_EQ(r.canvas.Count(Op::Clear), 1u);
  Form_MouseMove(e, kRightButton, 0, 108, 80);
  EXPECT_FLOAT_EQ(e.view.viewY, 5);
  Form_MouseUp(e, kRightButton, 0, 108, 80);
  Form_MouseMove(e, 0, 0, 0, 0);
  EXPECT_FLOAT_EQ(e.view.viewX, -2);
  EXPECT_FLOAT_EQ(e.view.lastPointerX, 0);
}

TEST(Pointer, UnmovedPointerUsesLastPosition) {
  ViewRig r;
  Editor& e = r.e();
  Form_MouseMove(e, 0, 0, 33, 44);
  Form_MouseMove(e, 0, 0, -9999, -9999);
  EXPECT_FLOAT_EQ(e.view.lastPointerX, 33);
  EXPECT_FLOAT_EQ(e.view.lastPointerY, 44);
  // Only the pair means "not moved": one coordinate at -9999 is a real position.
  Form_MouseMove(e, 0, 0, -9999, 5);
  EXPECT_FLOAT_EQ(e.view.lastPointerX, -9999);
}

}  // namespace
}  // namespace quorvel
