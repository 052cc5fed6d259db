#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "editing/arrange.h"
#include "editing/select_all.h"
#include "editing/selection.h"
#include "editing_rig.h"
#include "panels/panel_handlers.h"

namespace quorvel {
namespace {

using testing_support::EditRig;

struct LayerCase {
  std::string name;
  std::array<int16_t, 7> flags;
  int16_t pathFilter;
  int tool;  // the tool on when Select All is chosen
};

// Select All against a band dragged over the whole map in the Edit tool.
TEST(SelectAll, SelectsWhatABandOverEverythingSelectsInTheLayersShown) {
  const std::vector<LayerCase> cases = {
      {"every layer", {1, 1, 1, 1, 1, 0, 0}, 0, 0},
      {"polygons hidden", {0, 1, 1, 1, 1, 0, 0}, 0, 0},
      {"only path 2 of the waypoints, spawns grey", {1, 2, 1, 0, 1, 0, 0}, 2, 0},
      {"from the scenery tool", {1, 1, 1, 1, 1, 0, 0}, 0, 3},
  };
  for (const LayerCase& c : cases) {
    SCOPED_TRACE(c.name);
    EditRig band, all;
    for (EditRig* r : {&band, &all}) {
      r->e().doc = fixtures::SpreadMap({}, 400);
      r->Tool(c.tool);
      r->e().view.showFlags = c.flags;
      // The path filter as the panel's option buttons set it, so a panel refresh keeps it.
      for (int k = 0; k < 3; ++k) r->e().ctl.OBbotNayta[k].value = k == c.pathFilter;
      OBbotNayta_Click(r->e(), c.pathFilter);
    }
    band.Tool(0);
    band.Drag(-600, -600, 600, 600);
    MenuSelectAll_Click(all.e());

    const SelectionState& a = all.e().sel;
    const SelectionState& b = band.e().sel;
    EXPECT_EQ(all.e().currentTool, 0);
    ASSERT_EQ(a.selLast, b.selLast);
    EXPECT_GE(a.selLast, 0);
    ASSERT_EQ(a.selVertexLast, b.selVertexLast);
    for (int k = 0; k <= a.selVertexLast; ++k) {
      EXPECT_EQ(a.selVertexPolygon[k], b.selVertexPolygon[k]);
      EXPECT_EQ(a.selVertexCorner[k], b.selVertexCorner[k]);
    }
    EXPECT_EQ(a.selSpawnLast, b.selSpawnLast);
    EXPECT_EQ(a.selSceneryLast, b.selSceneryLast);
    EXPECT_EQ(a.selColliderLast, b.selColliderLast);
    ASSERT_EQ(a.selWaypointLast, b.selWaypointLast);
    for (int k = 0; k <= a.selWaypointLast; ++k) EXPECT_EQ(a.selWaypoint[k], b.selWaypoint[k]);
    // The frame hugs what was selected.
    SelectionState framed = a;
    std::swap(all.e().sel, framed);
    FrameSelection(all.e());
    EXPECT_EQ(framed.selRect.left, all.e().sel.selRect.left);
    EXPECT_EQ(framed.selRect.bottom, all.e().sel.selRect.bottom);
  }
}

TEST(SelectAll, ThenDeleteEmptiesTheMap) {
  EditRig r;
  r.e().doc = fixtures::SpreadMap({}, 400);
  MenuSelectAll_Click(r.e());
  MenuDelete_Click(r.e());
  const MapDocument& d = r.e().doc;
  EXPECT_EQ(d.polygonLast, -1);
  EXPECT_EQ(d.spawnLast, -1);
  EXPECT_EQ(d.sceneryLast, -1);
  EXPECT_EQ(d.colliderLast, -1);
  EXPECT_EQ(d.waypointLast, -1);
}

}  // namespace
}  // namespace quorvel
