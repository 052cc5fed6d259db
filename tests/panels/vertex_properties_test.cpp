#include "panels/vertex_properties.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "../editing/editing_rig.h"
#include "editing/selection.h"

namespace quorvel {
namespace {

struct Rig : testing_support::EditRig {
  void Pick(std::vector<std::pair<int, int>> corners) {
    for (auto [p, k] : corners) AppendSelectedVertex(e(), p, k);
  }
  Vertex& V(int p, int k) { return e().doc.polygons[size_t(p)].corner[size_t(k)]; }
  const Normal& N(int k) { return e().doc.polygonNormals[0].normal[size_t(k)]; }
};

TEST(VertexProperties, ConnectMeetsAtTheMeanAndKeepsTexturesInStep) {
  Rig r;
  fixtures::AddTriangle(r.e().doc, 0, 0, 20, 0, 0, 20, {1, 2, 3, 40});
  fixtures::AddTriangle(r.e().doc, 10, 4, 30, 0, 0, 30, {9, 9, 9, 50});
  r.V(1, 0).tu = r.V(1, 0).tv = 0;  // texture deleted: stays deleted
  r.V(0, 0).tv = 0.5f;              // tu 0 on the x = 0 axis: left as it is
  fixtures::AddTriangle(r.e().doc, 6, 2, 30, 0, 0, 30, {7, 7, 7, 60});  // textured: follows
  r.Pick({{0, 0}, {1, 0}, {2, 0}});
  CByhista_Click(r.e());
  for (int p : {0, 1, 2}) EXPECT_EQ(std::make_pair(r.V(p, 0).x, r.V(p, 0).y), std::make_pair(16 / 3.f, 2.f));
  EXPECT_EQ(std::make_pair(r.V(0, 0).tu, r.V(0, 0).tv), std::make_pair(0.f, 0.5f));
  EXPECT_EQ(std::make_pair(r.V(1, 0).tu, r.V(1, 0).tv), std::make_pair(0.f, 0.f));
  EXPECT_FLOAT_EQ(r.V(2, 0).tu, 16 / 3.f / 160);
  EXPECT_FLOAT_EQ(r.V(2, 0).tv, 2 / 120.f);
  EXPECT_EQ(r.V(1, 0).colour, (Colour4{1, 2, 3, 50}));  // the first one's colour, its own alpha
  EXPECT_EQ(r.e().undo.undoLabels[1], "Connect");
}

TEST(VertexProperties, DisconnectStepsApartByScreenPixels) {
  const std::pair<float, float> atZoom1[] = {{1, -0.5f}, {-7, 0}, {13, 6.5f}};
  for (float zoom : {1.f, 2.f}) {
    Rig r;
    r.e().view.zoom = zoom;
    for (int i = 0; i < 3; ++i) fixtures::AddTriangle(r.e().doc, 80, 60, 90, 60, 80, 70);
    r.Pick({{0, 0}, {1, 0}, {2, 0}});
    CBerota_Click(r.e());
    for (int p = 0; p < 3; ++p) {
      EXPECT_FLOAT_EQ(r.V(p, 0).x, 80 + atZoom1[p].first / zoom) << zoom;
      EXPECT_FLOAT_EQ(r.V(p, 0).y, 60 + atZoom1[p].second / zoom) << zoom;
    }
    EXPECT_FLOAT_EQ(r.V(0, 0).tu, 0.5f + 1 / zoom / 160);
    EXPECT_EQ(r.e().sel.selLast, -1);
  }
}

TEST(VertexProperties, FullOrStaleVertexListStaysInsideTheArrays) {
  for (auto handler : {CByhista_Click, CBerota_Click}) {
    Rig r;
    for (int i = 0; i < 400; ++i) fixtures::AddTriangle(r.e().doc, 0, 0, 10, 0, 0, 10);
    r.e().sel.selVertexLast = 1500;  // more entries than the list holds
    for (size_t i = 0; i < 1200; ++i) r.e().sel.selVertexPolygon[i] = int16_t(i / 3), r.e().sel.selVertexCorner[i] = uint8_t(i % 3);
    r.e().sel.selVertexPolygon[5] = 999;  // names no polygon
    handler(r.e());
    EXPECT_NE(std::make_pair(r.V(399, 2).x, r.V(399, 2).y), std::make_pair(0.f, 10.f));  // the 1200th moved
  }
}

TEST(VertexProperties, TooFewVerticesRefusedWithoutSnapshot) {
  const std::pair<void (*)(Editor&), const char*> cases[] = {
      {CBverticevari_Click, "You need select at least 1 vertice."},
      {CBtexPoista_Click, "You need select at least 1 vertice."},
      {CBerota_Click, "You need select at least 2 vertices."},
      {CByhista_Click, "You need select at least 2 vertices"},
  };
  for (auto [handler, text] : cases) {
    Rig r;
    fixtures::AddTriangle(r.e().doc, 0, 0, 10, 0, 0, 10);
    if (text[25] == '2') r.Pick({{0, 1}});
    handler(r.e());
    ASSERT_EQ(r.host.messages.size(), 1u) << text;
    EXPECT_EQ(r.host.messages[0].text, text);
    EXPECT_EQ(r.host.messages[0].title, "Problem");
    EXPECT_EQ(r.Snapshots(), 0) << text;
  }
}

TEST(VertexProperties, ColourAndPassableCancelledChangeNothing) {
  Rig r;
  fixtures::AddTriangle(r.e().doc, 0, 0, 10, 3, 2, 12, {1, 2, 3, 77});
  const EdgeNormals solid = r.e().doc.polygonNormals[0];
  r.Pick({{0, 1}});
  r.host.colourAnswers = {std::nullopt, 0x112233};
  CBverticevari_Click(r.e());
  EXPECT_EQ(r.Snapshots(), 0);
  CBverticevari_Click(r.e());
  EXPECT_EQ(r.V(0, 1).colour, (Colour4{0x11, 0x22, 0x33, 77}));
  EXPECT_EQ(r.V(0, 0).colour, (Colour4{1, 2, 3, 77}));

  r.e().ctl.CBverticeLapi.value = 1;
  r.host.messageAnswers = {MsgResult::Cancel, MsgResult::Ok};
  CBverticeLapi_Click(r.e());
  EXPECT_EQ(r.host.LastMessage(),
            "This is not RECOMMENED setting.\nPlayers will disappear behind passable polygons and the official "
            "MapMaker will not allow to edit these polygons.\nDo you still want to use this?");
  EXPECT_EQ(r.host.messages.back().icon, MsgIcon::Question);
  EXPECT_EQ(r.Snapshots(), 1);
  EXPECT_EQ(r.N(0).x, solid.normal[0].x);
  EXPECT_EQ(r.e().ctl.CBverticeLapi.value, 0);  // back to what the polygon is
  r.e().ctl.CBverticeLapi.value = 1;
  CBverticeLapi_Click(r.e());
  for (int k = 0; k < 3; ++k) EXPECT_EQ(std::make_pair(r.N(k).x, r.N(k).y), std::make_pair(0.f, 0.f));
  r.e().ctl.CBverticeLapi.value = 0;  // unchecking one corner makes all three edges solid
  CBverticeLapi_Click(r.e());
  for (int k = 0; k < 3; ++k) EXPECT_FLOAT_EQ(r.N(k).y, solid.normal[size_t(k)].y);
  EXPECT_EQ(r.Snapshots(), 3);
}

}  // namespace
}  // namespace quorvel
