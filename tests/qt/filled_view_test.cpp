// The filled view through the Qt canvas, against colours worked out here from the corners and the
// sky alone.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "document/editor.h"
#include "fixtures/map_builder.h"
#include "qt/qt_canvas.h"
#include "view/filled_view.h"
#include "view/layout.h"
#include "view/view.h"

namespace quorvel {
namespace {

struct Colour {
  double r, g, b;
};

struct FilledRig {
  std::unique_ptr<Editor> ed = std::make_unique<Editor>();
  QtCanvas canvas;
  explicit FilledRig(double pixelRatio = 1) {
    ed->doc = fixtures::NewMap();
    ed->firstActivation = false;
    canvas.SetScale(pixelRatio);
    canvas.Resize(819, 577);
    ed->canvas = &canvas;
    ed->view.filled = true;
  }
  const QImage& Draw() {
    Form_Resize(*ed);
    return canvas.Image();
  }
};

Colour4 Bgra(int r, int g, int b, int a = 255) {
  return {uint8_t(b), uint8_t(g), uint8_t(r), uint8_t(a)};
}

// The sky at a row: the top colour above the top bar's edge (y 39), the bottom one below the bottom
// bar's (y 524), blended in between.
Colour Sky(int row, Colour top, Colour bottom) {
  const double t = std::clamp((row - 39.0) / (524.0 - 39.0), 0.0, 1.0);
  return {top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t, top.b + (bottom.b - top.b) * t};
}

void ExpectPixel(const QImage& img, int x, int y, Colour want) {
  const QRgb p = img.pixel(x, y);
  EXPECT_NEAR(qRed(p), want.r, 1.01) << "at " << x << ", " << y;
  EXPECT_NEAR(qGreen(p), want.g, 1.01) << "at " << x << ", " << y;
  EXPECT_NEAR(qBlue(p), want.b, 1.01) << "at " << x << ", " << y;
}

TEST(FilledView, BlendsCornerColoursOverTheSkyPixelForPixel) {
  FilledRig r;
  MapDocument& d = r.ed->doc;
  d.info.backgroundTop = Bgra(0, 0, 200);
  d.info.backgroundBottom = Bgra(200, 100, 0);
  const Colour top{0, 0, 200}, bottom{200, 100, 0};
  // A solid triangle, red, green and blue at its corners.
  const std::array<std::array<float, 2>, 3> world{{{-200, -150}, {200, -150}, {0, 150}}};
  const std::array<Colour, 3> cols{{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}};
  fixtures::AddTriangle(d, world[0][0], world[0][1], world[1][0], world[1][1], world[2][0], world[2][1]);
  for (int k = 0; k < 3; ++k) d.polygons[0].corner[k].colour = Bgra(int(cols[k].r), int(cols[k].g), int(cols[k].b));
  // A passable white one beside it, see-through.
  fixtures::AddTriangle(d, 240, -100, 300, -100, 270, 0, Bgra(255, 255, 255), true);
  const QImage& img = r.Draw();

  // Screen corners; a pixel's centre lies on whole screen coordinates.
  std::array<double, 3> sx, sy;
  for (int k = 0; k < 3; ++k) {
    sx[k] = LaskeRuutuX(*r.ed, world[k][0]);
    sy[k] = LaskeRuutuY(*r.ed, world[k][1]);
  }
  const auto area = [](double ax, double ay, double bx, double by, double cx, double cy) {
    return (bx - ax) * (cy - ay) - (cx - ax) * (by - ay);
  };
  const double whole = area(sx[0], sy[0], sx[1], sy[1], sx[2], sy[2]);
  const auto expected = [&](int x, int y) {
    const double l0 = area(x, y, sx[1], sy[1], sx[2], sy[2]) / whole;
    const double l1 = area(sx[0], sy[0], x, y, sx[2], sy[2]) / whole;
    const double l2 = 1 - l0 - l1;
    return Colour{l0 * cols[0].r + l1 * cols[1].r + l2 * cols[2].r, l0 * cols[0].g + l1 * cols[1].g + l2 * cols[2].g,
                  l0 * cols[0].b + l1 * cols[1].b + l2 * cols[2].b};
  };
  const double cx = (sx[0] + sx[1] + sx[2]) / 3, cy = (sy[0] + sy[1] + sy[2]) / 3;
  // Three pixels just inside the corners, and the centre.
  for (int k = 0; k < 3; ++k) {
    const int x = int(std::lround(sx[k] + (cx - sx[k]) * 0.03)), y = int(std::lround(sy[k] + (cy - sy[k]) * 0.03));
    SCOPED_TRACE(k);
    ExpectPixel(img, x, y, expected(x, y));
  }
  ExpectPixel(img, int(std::lround(cx)), int(std::lround(cy)), expected(int(std::lround(cx)), int(std::lround(cy))));

  // The sky where no polygon is, at three heights.
  for (int y : {10, 200, 560}) ExpectPixel(img, 20, y, Sky(y, top, bottom));

  // The passable triangle lets 105 of 255 of the sky through.
  const int px = int(std::lround(LaskeRuutuX(*r.ed, 270))), py = int(std::lround(LaskeRuutuY(*r.ed, -70)));
  const Colour sky = Sky(py, top, bottom);
  const double a = kPassableOpacity / 255.0;
  ExpectPixel(img, px, py, {255 * a + sky.r * (1 - a), 255 * a + sky.g * (1 - a), 255 * a + sky.b * (1 - a)});

  // The wireframe again: the outline, not the fill.
  r.ed->view.filled = false;
  const QImage& wire = r.Draw();
  EXPECT_EQ(wire.pixel(int(std::lround(cx)), int(std::lround(cy))) & 0xFFFFFF, 0x404040u);
}

TEST(FilledView, CornersFromAnyFloatNeverWriteOutsideTheImage) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  constexpr float kMax = std::numeric_limits<float>::max();
  struct Case {
    const char* name;
    float c[6];
    bool coversAll;  // a triangle round the whole canvas
  };
  const Case cases[] = {
      {"not a number", {kNaN, 0, 100, 0, 0, 100}, false},
      {"infinite", {-kInf, 0, kInf, 0, 0, kInf}, false},
      {"round the canvas at the float limit", {-kMax, -kMax, kMax, -kMax, 0, kMax}, true},
      {"round the canvas at 1e38", {-1e38f, -1e38f, 1e38f, -1e38f, 0, 1e38f}, true},
      {"one far corner", {0, 0, 50, 0, 1e38f, 1e30f}, false},
      {"a sliver", {0, 0, 1e38f, 1e-30f, 1e38f, 2e-30f}, false},
      {"flat", {0, 0, 10, 10, 20, 20}, false},
  };
  for (const Case& c : cases) {
    for (const int scale : {1, 2}) {  // and on a dense screen, where the image has 2 x 2 pixels to each
      SCOPED_TRACE(std::string(c.name) + " at scale " + std::to_string(scale));
      FilledRig r(scale);
      fixtures::AddTriangle(r.ed->doc, c.c[0], c.c[1], c.c[2], c.c[3], c.c[4], c.c[5], Bgra(10, 200, 30));
      const QImage& img = r.Draw();
      ASSERT_EQ(img.width(), 819 * scale);
      if (c.coversAll) {
        for (QPoint p : {QPoint(0, 0), QPoint(818, 0), QPoint(409, 288), QPoint(0, 576), QPoint(818, 576)})
          EXPECT_EQ(img.pixel(p * scale) & 0xFFFFFF, 0x0AC81Eu) << p.x() << ", " << p.y();
      }
    }
  }
}

}  // namespace
}  // namespace quorvel
