// Outlines over the filled view: each polygon's edges in a colour that stands out from what the
// fill shows there, dotted where passable, switched by View > Outlines and remembered.
#include <gtest/gtest.h>

#include "fixtures/map_builder.h"
#include "view/outlines.h"
#include "view_test_support.h"

namespace quorvel {
namespace {

using fixtures::Op;
using testing_support::ViewRig;

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255};

Colour4 Bgra(int r, int g, int b, int a = 255) { return {uint8_t(b), uint8_t(g), uint8_t(r), uint8_t(a)}; }

TEST(Outlines, StandOutFromTheFillWhateverItsColours) {
  struct Case {
    const char* name;
    Colour4 corner, sky;
    bool passable;
    Rgb line;
    int style;
  };
  const Case cases[] = {
      {"a new map's white triangle on its white sky", Bgra(255, 255, 255), Bgra(255, 255, 255), false, kBlack, 0},
      {"a black triangle", Bgra(0, 0, 0), Bgra(255, 255, 255), false, kWhite, 0},
      {"a dark red one on a black sky", Bgra(120, 0, 0), Bgra(0, 0, 0), false, kWhite, 0},
      {"yellow", Bgra(255, 255, 0), Bgra(0, 0, 0), false, kBlack, 0},
      {"black with no alpha shows the white sky", Bgra(0, 0, 0, 0), Bgra(255, 255, 255), false, kBlack, 0},
      {"white with no alpha shows the black sky", Bgra(255, 255, 255, 0), Bgra(0, 0, 0), false, kWhite, 0},
      {"passable edges are dotted", Bgra(255, 255, 255), Bgra(255, 255, 255), true, kBlack, 2},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    ViewRig r;
    Editor& e = r.e();
    e.doc.info.backgroundTop = e.doc.info.backgroundBottom = k.sky;
    const int p = fixtures::AddTriangle(e.doc, -50, -40, 60, -30, 0, 70);
    for (Vertex& v : e.doc.polygons[size_t(p)].corner) v.colour = k.corner;
    if (k.passable) e.doc.polygonNormals[size_t(p)] = {};
    e.view.filled = true;
    for (bool on : {true, false}) {
      e.view.outlines = on;
      r.canvas.Reset();
      e.RedrawCanvas();
      const auto lines = r.canvas.LinesIn(k.line);
      ASSERT_EQ(lines.size(), on ? 3u : 0u) << "outlines " << on;
      for (const auto& l : lines) EXPECT_EQ(l.style, k.style);
    }
  }
  // The wireframe draws its own edges in the corner colours: no outlines over them.
  ViewRig r;
  fixtures::AddTriangle(r.e().doc, -50, -40, 60, -30, 0, 70, Bgra(255, 255, 255), false);
  r.e().RedrawCanvas();
  EXPECT_EQ(r.canvas.LinesIn(kBlack).size(), 0u);
  EXPECT_EQ(r.canvas.LinesIn(kWhite).size(), 3u);  // the new map's white corners
}

TEST(Outlines, ViewMenuSwitchesThemAndTheChoiceIsRemembered) {
  ViewRig r;
  Editor& e = r.e();
  LoadOutlinesSetting(e);
  EXPECT_TRUE(e.view.outlines);  // on by default
  EXPECT_TRUE(e.ctl.MenuOutlines.checked);
  MenuOutlines_Click(e);
  EXPECT_FALSE(e.view.outlines);
  EXPECT_FALSE(e.ctl.MenuOutlines.checked);
  EXPECT_EQ(r.host.settings["View/Outlines"], "0");
  e.view.outlines = true;
  LoadOutlinesSetting(e);
  EXPECT_FALSE(e.view.outlines);
  MenuOutlines_Click(e);
  EXPECT_EQ(r.host.settings["View/Outlines"], "1");
}

}  // namespace
}  // namespace quorvel
