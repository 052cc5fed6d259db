#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "view/fit_view.h"
#include "view/layout.h"
#include "view/view.h"
#include "view_test_support.h"

namespace quorvel {
namespace {

using testing_support::ViewRig;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct Pt {
  float x, y;
};

// At the first client size the uncovered canvas is x 0..634, y 39..524.
constexpr double kLeft = 0, kRight = 634, kTop = 39, kBottom = 524;

struct FitCase {
  std::string name;
  std::vector<Pt> corners;  // taken three at a time as triangles
  float zoom;               // expected
};

TEST(FitMap, ChoosesTheLargestZoomThatShowsEverythingAndCentresIt) {
  const std::vector<FitCase> cases = {
      {"small near the origin", {{0, 0}, {50, 0}, {0, 40}}, 4},
      {"far from the origin", {{20000, 5000}, {20500, 5000}, {20000, 5300}}, 1},
      {"wide", {{-1000, 0}, {1000, 0}, {0, 100}}, 0.25f},
      {"wider than every zoom", {{-5000, 0}, {5000, 0}, {0, 100}}, 0.25f},
      {"corners that are not numbers are left out",
       {{0, 0}, {100, 0}, {0, 80}, {kNaN, 5}, {kInf, -kInf}, {1, 1}}, 4},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.name);
    ViewRig r;
    for (size_t i = 0; i + 2 < c.corners.size(); i += 3)
      fixtures::AddTriangle(r.e().doc, c.corners[i].x, c.corners[i].y, c.corners[i + 1].x, c.corners[i + 1].y,
                            c.corners[i + 2].x, c.corners[i + 2].y);
    Form_Resize(r.e());
    MenuFitMap_Click(r.e());
    EXPECT_EQ(r.e().view.zoom, c.zoom);
    EXPECT_EQ(r.e().ctl.CBzoom.text, std::to_string(int(c.zoom * 100)) + "%");
    double minX = 1e30, maxX = -1e30, minY = 1e30, maxY = -1e30;
    for (const Pt& p : c.corners) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
      minX = std::min<double>(minX, p.x), maxX = std::max<double>(maxX, p.x);
      minY = std::min<double>(minY, p.y), maxY = std::max<double>(maxY, p.y);
      if (c.name == "wider than every zoom") continue;
      EXPECT_GE(LaskeRuutuX(r.e(), p.x), kLeft);
      EXPECT_LE(LaskeRuutuX(r.e(), p.x), kRight);
      EXPECT_GE(LaskeRuutuY(r.e(), p.y), kTop);
      EXPECT_LE(LaskeRuutuY(r.e(), p.y), kBottom);
    }
    // The map's middle sits at the middle of the uncovered canvas.
    EXPECT_NEAR(LaskeRuutuX(r.e(), float((minX + maxX) / 2)), (kLeft + kRight) / 2, 1.0);
    EXPECT_NEAR(LaskeRuutuY(r.e(), float((minY + maxY) / 2)), (kTop + kBottom) / 2, 1.0);
    // One step larger would not fit.
    if (c.zoom < 4) {
      const double z = c.zoom * 2;
      EXPECT_TRUE((maxX - minX) * z > kRight - kLeft - 2 * kFitMargin ||
                  (maxY - minY) * z > kBottom - kTop - 2 * kFitMargin);
    }
  }
}

TEST(FitMap, CountsEveryKindOfObjectAndCopesWithFarOrMissingOnes) {
  ViewRig r;
  MapDocument& d = r.e().doc;
  fixtures::AddSpawn(d, -300, 0);
  fixtures::AddWaypoint(d, 300, 60);
  fixtures::AddCollider(d, 0, -80, 40);  // drawn 20 units round its centre
  Form_Resize(r.e());
  MenuFitMap_Click(r.e());
  // 600 x 160 fits at 100% and not at 200%.
  EXPECT_EQ(r.e().view.zoom, 1);
  EXPECT_NEAR(LaskeRuutuX(r.e(), 0), 317, 1.0);
  EXPECT_NEAR(LaskeRuutuY(r.e(), -20), (kTop + kBottom) / 2, 1.0);

  // A corner near the end of the float range: the view still lands on a number.
  fixtures::AddTriangle(d, 0, 0, 3e38f, 0, 0, -3e38f);
  MenuFitMap_Click(r.e());
  EXPECT_EQ(r.e().view.zoom, 0.25f);
  EXPECT_TRUE(std::isfinite(r.e().view.viewX) && std::isfinite(r.e().view.viewY));

  // An empty map is shown as a new one.
  ViewRig empty;
  empty.e().view.viewX = 500;
  empty.e().ctl.CBzoom.Select(4);
  CBzoom_Click(empty.e());
  MenuFitMap_Click(empty.e());
  EXPECT_EQ(empty.e().view.viewX, 0);
  EXPECT_EQ(empty.e().view.viewY, 0);
  EXPECT_EQ(empty.e().view.zoom, 1);
}

TEST(CentreSelection, CentresTheFrameAtTheSameZoomAndIgnoresAnEmptySelection) {
  ViewRig r;
  Form_Resize(r.e());
  r.e().ctl.CBzoom.Select(1);
  CBzoom_Click(r.e());
  r.e().view.viewX = 12;
  r.e().view.viewY = 34;
  MenuCentre_Click(r.e());  // no frame
  EXPECT_EQ(r.e().view.viewX, 12);
  EXPECT_EQ(r.e().view.viewY, 34);

  r.e().sel.selRect = {1000, 1200, -400, -300};  // left, right, top, bottom
  MenuCentre_Click(r.e());
  EXPECT_EQ(r.e().view.zoom, 2);
  EXPECT_NEAR(LaskeRuutuX(r.e(), 1100), (kLeft + kRight) / 2, 1.0);
  EXPECT_NEAR(LaskeRuutuY(r.e(), -350), (kTop + kBottom) / 2, 1.0);
}

}  // namespace
}  // namespace quorvel
