// The Qt canvas and the canvas widget, headless: pixels of a redraw, the bars' geometry, and the
// bottom bar's widgets driving the core.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QTest>
#include <memory>

#include "document/editor.h"
#include "fixtures/map_builder.h"
#include "fixtures/scripted_host.h"
#include "fixtures/window_input.h"
#include "qt/caption_frame.h"
#include "qt/canvas_widget.h"
#include "qt/qt_canvas.h"
#include "view/view.h"

namespace quorvel {
namespace {

QRgb At(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }
QRgb Rgb24(int r, int g, int b) { return static_cast<QRgb>((r << 16) | (g << 8) | b); }

// True when the colour appears within d pixels of (x, y).
bool Near(const QImage& img, int x, int y, QRgb colour, int d = 1) {
  for (int yy = y - d; yy <= y + d; ++yy)
    for (int xx = x - d; xx <= x + d; ++xx)
      if (img.valid(xx, yy) && At(img, xx, yy) == colour) return true;
  return false;
}

struct CanvasRig {
  std::unique_ptr<Editor> ed = std::make_unique<Editor>();
  QtCanvas canvas;
  CanvasRig(int w = 819, int h = 577) {
    ed->doc = fixtures::NewMap();
    ed->firstActivation = false;
    ed->canvas = &canvas;
    ed->view.clientWidth = w;
    ed->view.clientHeight = h;
    canvas.Resize(w, h);
  }
};

TEST(QtCanvasRender, BackgroundEdgesSpawnsAndLabels) {
  CanvasRig r;
  MapDocument& d = r.ed->doc;
  fixtures::AddTriangle(d, 0, 0, 100, 0, 0, 100, {10, 200, 30, 255});  // blue, green, red bytes
  fixtures::AddSpawn(d, -100, -100, 0);
  fixtures::AddWaypoint(d, 200, -150, 1);
  r.ed->RedrawCanvas();
  const QImage& img = r.canvas.Image();
  ASSERT_EQ(img.width(), 819);
  ASSERT_EQ(img.height(), 577);
  EXPECT_EQ(At(img, 3, 3), Rgb24(64, 64, 64));
  EXPECT_EQ(At(img, 810, 570), Rgb24(64, 64, 64));
  // The top edge runs along screen y 262.5 from x 316.5 to 416.5.
  EXPECT_TRUE(Near(img, 360, 262, Rgb24(30, 200, 10)));
  // Spawn (-100, -100): centre (216.5, 162.5), radius 10.
  EXPECT_TRUE(Near(img, 226, 162, Rgb24(0, 128, 128)));
  EXPECT_TRUE(Near(img, 216, 152, Rgb24(0, 128, 128)));
  EXPECT_FALSE(Near(img, 216, 162, Rgb24(0, 128, 128), 3));  // an outline, not a disc
  // The waypoint's label "1" and box in path-1 blue.
  int blue = 0;
  for (int y = 100; y < 125; ++y)
    for (int x = 505; x < 530; ++x) blue += At(img, x, y) == Rgb24(0, 0, 255);
  EXPECT_GT(blue, 30);
}

TEST(QtCanvasRender, DottedPassableEdgeLightsEveryThirdPixel) {
  CanvasRig r;
  fixtures::AddTriangle(r.ed->doc, -200, 0, 200, 0, 0, 150, {255, 255, 255, 255}, true);
  r.ed->RedrawCanvas();
  const QImage& img = r.canvas.Image();
  int on = 0;
  for (int x = 120; x < 510; ++x) on += At(img, x, 262) == Rgb24(255, 255, 255);
  EXPECT_NEAR(on, 390 / 3, 2);
}

TEST(QtCanvasRender, ClipsLinesFarOutsideAndDegenerateInput) {
  QtCanvas c;
  c.Resize(50, 40);
  c.SetPersistent(true);
  c.Clear({0, 0, 0});
  c.SetLineColour({255, 0, 0});
  c.Line(-1e9f, 20, 1e9f, 20);  // a far-away horizontal line costs only its visible part
  c.Line(25, -3e7f, 25, 3e7f);
  c.Line(std::nanf(""), 0, 5, 5);
  c.Line(0, 0, INFINITY, 5);
  c.Circle(25, 20, 32767, {0, 255, 0});
  c.Circle(1e30f, 0, 5, {0, 255, 0});
  c.Circle(10, 10, -1, {0, 255, 0});
  c.SetTextPosition(-1e30f, 5);
  c.Text("123");
  c.SetPersistent(false);
  const QImage& img = c.Image();
  for (int x = 0; x < 50; ++x) EXPECT_EQ(At(img, x, 20), Rgb24(255, 0, 0)) << x;
  for (int y = 0; y < 40; ++y) EXPECT_EQ(At(img, 25, y), Rgb24(255, 0, 0)) << y;
  // A zero-size canvas (a minimised window) draws nothing and does not fail.
  c.Resize(0, 0);
  c.SetPersistent(true);
  c.Clear({1, 2, 3});
  c.Line(0, 0, 10, 10);
  c.Circle(0, 0, 3, {});
  c.Text("x");
  c.SetPersistent(false);
  EXPECT_EQ(c.Width(), 0);
}

TEST(QtCanvasRender, FarEndsDrawTheirVisiblePartOnly) {
  const QSize sizes[] = {{1, 1}, {50, 40}, {819, 577}, {1920, 1080}};
  const float far[] = {1e9f, 6e18f, 1e30f, 1e38f, 3.4e38f};
  for (const QSize size : sizes) {
    for (const float m : far) {
      SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << " " << m);
      QtCanvas c;
      c.Resize(size.width(), size.height());
      c.SetPersistent(true);
      c.Clear({0, 0, 0});
      c.SetLineColour({255, 0, 0});
      const float cx = float(size.width() / 2), cy = float(size.height() / 2);
      c.Line(cx, cy, cx + m, cy);      // from the middle to far right
      c.Line(-m, -m, m, m);            // both ends far, through the corner
      c.Line(cx, -m, cx + 1, m);       // nearly vertical through the middle column
      c.Line(-m, 1e38f, m, -1e38f);    // far on every side
      for (int style = kSolid; style <= kDashDot; ++style) {
        c.SetLineStyle(style);
        c.Line(-m, cy, m, cy);
      }
      c.SetLineStyle(kSolid);
      c.Line(-INFINITY, cy, INFINITY, cy);
      c.Line(cx, std::nanf(""), cx, cy);
      c.SetPersistent(false);
      const QImage& img = c.Image();
      for (int x = int(cx); x < size.width(); ++x) ASSERT_EQ(At(img, x, int(cy)), Rgb24(255, 0, 0)) << x;
      EXPECT_TRUE(Near(img, 0, 0, Rgb24(255, 0, 0)));
      EXPECT_TRUE(Near(img, int(cx), size.height() - 1, Rgb24(255, 0, 0)));
    }
  }
}

// At a pixel ratio of 2 the core still draws in logical pixels: each logical pixel's lower right
// device pixel is what the ordinary canvas shows there, dashes keep their logical length, and the
// labels are rendered at the full resolution rather than doubled.
TEST(QtCanvasRender, DoubleDensityKeepsLogicalArithmeticAndDrawsAtFullResolution) {
  QtCanvas normal, dense;
  dense.SetScale(2.0);
  EXPECT_EQ(dense.Scale(), 2);
  for (QtCanvas* c : {&normal, &dense}) {
    c->Resize(120, 60);
    c->SetPersistent(true);
    c->Clear({0, 0, 0});
    c->SetLineColour({255, 255, 255});
    c->SetLineStyle(kSolid);
    c->Line(5, 5, 100, 5);
    c->Line(60, 10, 60, 30);
    c->SetLineStyle(kDot);
    c->Line(5, 40, 110, 40);
    c->SetLineStyle(kDash);
    c->Line(110, 5, 110, 55);
    c->SetLineStyle(kSolid);
    c->SetTextPosition(20, 44);
    c->Text("Waypoint 12");
  }
  ASSERT_EQ(dense.Image().size(), QSize(240, 120));
  EXPECT_EQ(dense.Image().devicePixelRatio(), 2.0);
  EXPECT_EQ(dense.TextWidth("Waypoint 12"), normal.TextWidth("Waypoint 12"));
  EXPECT_EQ(dense.TextHeight("W"), normal.TextHeight("W"));
  int lit = 0, notDoubled = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x) {
      const bool text = y >= 44;
      if (!text) {
        EXPECT_EQ(At(dense.Image(), 2 * x + 1, 2 * y + 1), At(normal.Image(), x, y)) << x << "," << y;
        continue;
      }
      const QRgb a = At(dense.Image(), 2 * x, 2 * y), b = At(dense.Image(), 2 * x + 1, 2 * y),
                 c = At(dense.Image(), 2 * x, 2 * y + 1), d = At(dense.Image(), 2 * x + 1, 2 * y + 1);
      lit += (a != 0) + (b != 0) + (c != 0) + (d != 0);
      notDoubled += !(a == b && b == c && c == d);
    }
  EXPECT_GT(lit, 40);
  EXPECT_GT(notDoubled, 10);
}

TEST(QtCanvasRender, TemporaryDrawingIsDroppedByNextRedraw) {
  CanvasRig r;
  r.ed->RedrawCanvas();
  int changes = 0;
  r.canvas.onChanged = [&] { ++changes; };
  r.canvas.SetLineColour({255, 255, 0});
  r.canvas.Line(10, 10, 100, 10);
  EXPECT_EQ(At(r.canvas.Image(), 50, 10), Rgb24(255, 255, 0));
  EXPECT_EQ(changes, 1);
  r.ed->RedrawCanvas();
  EXPECT_EQ(At(r.canvas.Image(), 50, 10), Rgb24(64, 64, 64));
  EXPECT_EQ(changes, 2);
}

TEST(QtCanvasRender, TextMetricsArePositive) {
  QtCanvas c;
  EXPECT_GT(c.TextWidth("1"), 2);
  EXPECT_GT(c.TextWidth("22"), c.TextWidth("2"));
  EXPECT_GE(c.TextHeight("1"), 8);
}

// A host whose focus parking reaches the widget, as the main window's host will.
class WidgetHost : public fixtures::ScriptedHost {
 public:
  CanvasWidget* widget = nullptr;
  void FocusBottomBar() override {
    ScriptedHost::FocusBottomBar();
    if (widget) widget->FocusBottomBar();
  }
};

struct WidgetRig {
  std::unique_ptr<Editor> ed = std::make_unique<Editor>();
  WidgetHost host;
  std::unique_ptr<CanvasWidget> w;
  int hooks = 0;
  WidgetRig() {
    ed->doc = fixtures::NewMap();
    ed->host = &host;
    ed->firstActivation = false;
    w = std::make_unique<CanvasWidget>(*ed);
    host.widget = w.get();
    w->afterCoreCall = [this] { ++hooks; };
    w->resize(1000, 700);
    w->show();
    QApplication::processEvents();
  }
};

// A mouse event at a point of `target`, sent through its window as the system sends it.
void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::NoButton) {
  QWindow* win = target->window()->windowHandle();
  const QPoint at = fixtures::PointInWindow(target, pos);
  if (type == QEvent::MouseButtonPress)
    QTest::mousePress(win, button, Qt::NoModifier, at);
  else if (type == QEvent::MouseButtonRelease)
    QTest::mouseRelease(win, button, Qt::NoModifier, at);
  else
    QTest::mouseMove(win, at);
}

// A press and release on a bar.
void ClickOn(QWidget* target, QPoint pos, Qt::MouseButton button) {
  SendMouse(target, QEvent::MouseButtonPress, pos, button);
  SendMouse(target, QEvent::MouseButtonRelease, pos, button);
}

TEST(CanvasWidgetLayout, BarsFollowTheClientArea) {
  WidgetRig r;
  ASSERT_EQ(r.ed->view.clientWidth, 1000);
  ASSERT_EQ(r.ed->view.clientHeight, 700);
  EXPECT_EQ(r.w->Ppalkki()->geometry(), QRect(815, -2, 185, 702));
  EXPECT_EQ(r.w->Pala()->geometry(), QRect(-2, 647, 819, 53));
  EXPECT_EQ(r.w->Pyla()->geometry(), QRect(-2, -2, 1000, 41));
  EXPECT_EQ(r.w->Fmaski(0)->geometry(), QRect(800, 649, 25, 49));
  EXPECT_EQ(r.w->Fmaski(1)->geometry(), QRect(800, 0, 25, 38));
  EXPECT_EQ(r.w->Fmaski(0)->title(), QString("Maski"));
  EXPECT_EQ(r.w->Fnayta()->Caption(), QString("Show"));
  EXPECT_EQ(r.w->CBnayta(5)->text(), QString("Bot waypoints"));
  EXPECT_EQ(r.w->CBfixed()->text(), QString("Fixed grid"));
  EXPECT_GE(r.hooks, 1);
  const QImage shot = r.w->grab().toImage();
  EXPECT_EQ(At(shot, 400, 300), Rgb24(64, 64, 64));  // canvas between the bars
  EXPECT_NE(At(shot, 400, 670), Rgb24(64, 64, 64));  // the bottom bar covers it
  // A minimised window's empty client area, then a 4K one.
  r.w->resize(0, 0);
  QApplication::processEvents();
  EXPECT_GE(r.w->Pala()->width(), 0);
  r.w->resize(3840, 2160);
  QApplication::processEvents();
  EXPECT_EQ(r.w->Ppalkki()->geometry(), QRect(3655, -2, 185, 2162));
  EXPECT_EQ(r.w->canvas().Width(), 3840);
}

TEST(CanvasWidgetControls, ZoomGridAndShowDriveTheCore) {
  WidgetRig r;
  ASSERT_EQ(r.w->CBzoom()->count(), 5);
  EXPECT_EQ(r.w->CBzoom()->currentText(), QString("100%"));
  EXPECT_EQ(r.w->CBgrid()->currentText(), QString("Off"));
  const int before = r.hooks;
  ASSERT_TRUE(fixtures::ChooseFromList(r.w->CBzoom(), "25%"));
  EXPECT_FLOAT_EQ(r.ed->view.zoom, 0.25f);
  EXPECT_EQ(r.ed->ctl.CBzoom.listIndex, 4);
  EXPECT_GT(r.hooks, before);

  // "5" at 25% steps up to "25" through the density rule, and the widget follows the model.
  ASSERT_TRUE(fixtures::ChooseFromList(r.w->CBgrid(), "5"));
  EXPECT_EQ(r.ed->view.gridSize, 25);
  EXPECT_EQ(r.w->CBgrid()->currentText(), QString("25"));
  EXPECT_EQ(r.host.focusCalls, 3);

  fixtures::ClickThroughWindow(r.w->CBnayta(6));
  EXPECT_EQ(r.ed->view.showFlags[5], 1);
  EXPECT_EQ(r.w->CBnayta(6)->checkState(), Qt::Checked);
  fixtures::ClickThroughWindow(r.w->CBnayta(6));
  EXPECT_EQ(r.ed->view.showFlags[5], 0);
  EXPECT_EQ(r.w->CBnayta(6)->checkState(), Qt::Unchecked);

  r.ed->ctl.CBnayta[1].value = 2;  // grey from code shows as partial
  r.w->SyncFromModel();
  EXPECT_EQ(r.w->CBnayta(1)->checkState(), Qt::PartiallyChecked);
  fixtures::ClickThroughWindow(r.w->CBnayta(1));  // a user's click on grey ticks it
  EXPECT_EQ(r.ed->ctl.CBnayta[1].value, 1);

  fixtures::ClickThroughWindow(r.w->CBfixed());
  EXPECT_EQ(r.ed->ctl.CBfixed.value, 1);
  EXPECT_EQ(r.w->CBfixed()->checkState(), Qt::Checked);
}

TEST(CanvasWidgetMouse, RightDragPansAndBarPressParksFocus) {
  WidgetRig r;
  SendMouse(r.w.get(), QEvent::MouseMove, {300, 300});
  SendMouse(r.w.get(), QEvent::MouseButtonPress, {300, 300}, Qt::RightButton);
  EXPECT_EQ(r.ed->rightButtonDown, -1);
  SendMouse(r.w.get(), QEvent::MouseMove, {340, 290});
  EXPECT_FLOAT_EQ(r.ed->view.viewX, -40);
  EXPECT_FLOAT_EQ(r.ed->view.viewY, 10);
  SendMouse(r.w.get(), QEvent::MouseButtonRelease, {340, 290}, Qt::RightButton);
  EXPECT_EQ(r.ed->rightButtonDown, 0);

  // Presses on a bar stay on the bar: they park the focus and never reach the canvas.
  const int focus = r.host.focusCalls;
  ClickOn(r.w->Pyla(), {100, 10}, Qt::RightButton);
  EXPECT_EQ(r.host.focusCalls, focus + 1);
  EXPECT_EQ(r.ed->rightButtonDown, 0);
  ClickOn(r.w->Ppalkki(), {2, 300}, Qt::LeftButton);  // beside the frames
  ClickOn(r.w->Pala(), {600, 30}, Qt::LeftButton);
  EXPECT_EQ(r.host.focusCalls, focus + 3);
  EXPECT_TRUE(r.w->Pala()->hasFocus() || !r.w->isActiveWindow());
  ClickOn(r.w->Fmaski(0), {5, 5}, Qt::RightButton);
  EXPECT_EQ(r.ed->rightButtonDown, 0);
}

}  // namespace
}  // namespace quorvel
