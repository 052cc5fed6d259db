#include "panels/vertex_properties.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "../editing/editing_rig.h"
#include "editing/selection.h"

namespace quorvel {
namespace {

struct Rig : testing_support::EditRig {
  Rig() { Tool(0); }
  void Pick(std::vector<std::pair<int, int>> corners) {
    for (auto [p, k] : corners) AppendSelectedVertex(e(), p, k);
  }
  Vertex& V(int p, int k) { return e().doc.polygons[size_t(p)].corner[size_t(k)]; }
  const Normal& N(int p, int k) { return e().doc.polygonNormals[size_t(p)].normal[size_t(k)]; }
  std::string Label() { return e().undo.undoLabels[size_t(e().undo.undoSlot)]; }
};

TEST(VertexProperties, ConnectMeetsAtTheMeanAndKeepsTexturesInStep) {
  Rig r;
  fixtures::AddTriangle(r.e().doc, 0, 0, 20, 0, 0, 20, {1, 2, 3, 40});
  fixtures::AddTriangle(r.e().doc, 10, 4, 30, 0, 0, 30, {9, 9, 9, 50});
  r.V(1, 0).tu = r.V(1, 0).tv = 0;  // texture deleted: stays deleted
  r.V(0, 0).tv = 0.5f;              // on the x = 0 axis (tu 0) but textured
  r.Pick({{0, 0}, {1, 0}});
  CByhista_Click(r.e());
  for (int p : {0, 1}) EXPECT_EQ(std::make_pair(r.V(p, 0).x, r.V(p, 0).y), std::make_pair(5.f, 2.f));
  EXPECT_FLOAT_EQ(r.V(0, 0).tu, 5 / 160.f);
  EXPECT_FLOAT_EQ(r.V(0, 0).tv, 0.5f + 2 / 120.f);
  EXPECT_EQ(r.V(1, 0).tu, 0);
  EXPECT_EQ(r.V(1, 0).tv, 0);
  EXPECT_EQ(r.V(1, 0).colour, (Colour4{1, 2, 3, 50}));  // the first one's colour, its own alpha
  EXPECT_EQ(r.Label(), "Connect");
  EXPECT_EQ(r.e().sel.selVertexLast, 1);  // the selection stays
}

TEST(VertexProperties, DisconnectStepsApartByScreenPixels) {
  const std::vector<std::pair<float, float>> atZoom1{{1, -0.5f}, {-7, 0}, {13, 6.5f}};
  for (float zoom : {1.f, 2.f}) {
    Rig r;
    r.e().view.zoom = zoom;
    for (int i = 0; i < 3; ++i) fixtures::AddTriangle(r.e().doc, 80, 60, 90, 60, 80, 70);
    r.V(2, 0).tu = r.V(2, 0).tv = 0;
    r.Pick({{0, 0}, {1, 0}, {2, 0}});
    CBerota_Click(r.e());
    for (int p = 0; p < 3; ++p) {
      EXPECT_FLOAT_EQ(r.V(p, 0).x, 80 + atZoom1[size_t(p)].first / zoom) << zoom;
      EXPECT_FLOAT_EQ(r.V(p, 0).y, 60 + atZoom1[size_t(p)].second / zoom) << zoom;
    }
    EXPECT_FLOAT_EQ(r.V(0, 0).tu, 0.5f + 1 / zoom / 160);
    EXPECT_EQ(r.V(2, 0).tu, 0);  // no texture to carry
    EXPECT_EQ(r.e().sel.selLast, -1);
    EXPECT_EQ(r.Label(), "Disconnect");
  }
}

TEST(VertexProperties, OverfullOrStaleVertexListStaysInsideTheArrays) {
  struct Case { void (*handler)(Editor&); std::function<bool(Rig&)> lastDone; };
  const Case cases[] = {
      {CByhista_Click, [](Rig& r) { return r.V(399, 2).x == r.V(0, 0).x && r.V(399, 2).y == r.V(0, 0).y; }},
      {CBerota_Click, [](Rig& r) { return r.V(399, 2).x != 0; }},
      {CBtexPoista_Click, [](Rig& r) { return r.V(399, 2).tv == 0; }},
  };
  for (const Case& k : cases) {
    Rig r;
    for (int i = 0; i < 400; ++i) fixtures::AddTriangle(r.e().doc, 0, 0, 10, 0, 0, 10);
    r.e().sel.selVertexLast = 1500;  // more entries than the list holds
    for (size_t i = 0; i < 1200; ++i) r.e().sel.selVertexPolygon[i] = int16_t(i / 3), r.e().sel.selVertexCorner[i] = uint8_t(i % 3);
    r.e().sel.selVertexPolygon[5] = 999;  // names no polygon
    k.handler(r.e());
    EXPECT_TRUE(k.lastDone(r));  // the 1200th entry is acted on, nothing past it is read
    EXPECT_TRUE(r.host.messages.empty());
    EXPECT_EQ(r.Snapshots(), 1);
  }
}

TEST(VertexProperties, TooFewVerticesRefusedWithoutSnapshot) {
  struct Case { std::function<void(Editor&)> handler; int picked; const char* text; };
  const Case cases[] = {
      {CBverticevari_Click, 0, "You need select at least 1 vertice."},
      {CBverticeLapi_Click, 0, "You need select at least 1 vertice."},
      {CBtexPalauta_Click, 0, "You need select at least 1 vertice."},
      {CBtexPoista_Click, 0, "You need select at least 1 vertice."},
      {CBerota_Click, 1, "You need select at least 2 vertices."},
      {CByhista_Click, 1, "You need select at least 2 vertices"},
  };
  for (const Case& k : cases) {
    Rig r;
    fixtures::AddTriangle(r.e().doc, 0, 0, 10, 0, 0, 10);
    if (k.picked) r.Pick({{0, 1}});
    const Polygon before = r.e().doc.polygons[0];
    k.handler(r.e());
    ASSERT_EQ(r.host.messages.size(), 1u) << k.text;
    EXPECT_EQ(r.host.messages[0].text, k.text);
    EXPECT_EQ(r.host.messages[0].title, "Problem");
    EXPECT_EQ(r.host.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(r.Snapshots(), 0) << k.text;
    EXPECT_EQ(r.V(0, 1).x, before.corner[1].x);
  }
}

TEST(VertexProperties, ColourFromTheDialogOrNothingOnCancel) {
  Rig r;
  fixtures::AddTriangle(r.e().doc, 0, 0, 10, 0, 0, 10, {1, 2, 3, 77});
  r.Pick({{0, 0}, {0, 2}});
  r.host.colourAnswers = {std::nullopt, 0x112233};
  CBverticevari_Click(r.e());
  EXPECT_EQ(r.Snapshots(), 0);
  EXPECT_EQ(r.V(0, 0).colour, (Colour4{1, 2, 3, 77}));
  CBverticevari_Click(r.e());
  EXPECT_EQ(r.Label(), "Color");
  for (int k : {0, 2}) EXPECT_EQ(r.V(0, k).colour, (Colour4{0x11, 0x22, 0x33, 77}));
  EXPECT_EQ(r.V(0, 1).colour, (Colour4{1, 2, 3, 77}));
  EXPECT_EQ(r.e().ctl.CBverticevari.backColour, 0x112233u);  // the refresh shows the common colour

  r.Tool(1);  // Add polygon: the colour of new corners only
  r.host.colourAnswers = {0x445566};
  CBverticevari_Click(r.e());
  EXPECT_EQ(r.e().ctl.CBverticevari.backColour, 0x445566u);
  EXPECT_EQ(r.Snapshots(), 1);
}

TEST(VertexProperties, PassableAsksFirstAndActsOnWholePolygons) {
  Rig r;
  fixtures::AddTriangle(r.e().doc, 0, 0, 10, 3, 2, 12);
  const EdgeNormals solid = r.e().doc.polygonNormals[0];
  r.Pick({{0, 1}});
  r.e().ctl.CBverticeLapi.value = 1;
  r.host.messageAnswers = {MsgResult::Cancel, MsgResult::Ok};
  CBverticeLapi_Click(r.e());
  ASSERT_EQ(r.host.messages.size(), 1u);
  EXPECT_EQ(r.host.messages[0].text,
            "This is not RECOMMENED setting.\nPlayers will disappear behind passable polygons and the official "
            "MapMaker will not allow to edit these polygons.\nDo you still want to use this?");
  EXPECT_EQ(r.host.messages[0].title, "Warning");
  EXPECT_EQ(r.host.messages[0].icon, MsgIcon::Question);
  EXPECT_EQ(r.host.messages[0].buttons, MsgButtons::OkCancel);
  EXPECT_EQ(r.Snapshots(), 0);
  EXPECT_EQ(r.N(0, 0).x, solid.normal[0].x);
  EXPECT_EQ(r.e().ctl.CBverticeLapi.value, 0);  // back to what the polygon is

  r.e().ctl.CBverticeLapi.value = 1;
  CBverticeLapi_Click(r.e());
  for (int k = 0; k < 3; ++k) EXPECT_EQ(std::make_pair(r.N(0, k).x, r.N(0, k).y), std::make_pair(0.f, 0.f));
  EXPECT_EQ(r.Label(), "Passable");

  r.e().ctl.CBverticeLapi.value = 0;  // unchecking one corner makes all three edges solid
  CBverticeLapi_Click(r.e());
  for (int k = 0; k < 3; ++k) {
    EXPECT_FLOAT_EQ(r.N(0, k).x, solid.normal[size_t(k)].x);
    EXPECT_FLOAT_EQ(r.N(0, k).y, solid.normal[size_t(k)].y);
  }
  EXPECT_EQ(r.Snapshots(), 2);

  r.e().panelRefreshBusy = true;  // set from code by a refresh: no action
  CBverticeLapi_Click(r.e());
  EXPECT_EQ(r.Snapshots(), 2);
}

TEST(VertexProperties, DeleteThenRestoreTexture) {
  Rig r;
  fixtures::AddTriangle(r.e().doc, 16, 24, 48, 24, 16, 60);
  fixtures::AddTriangle(r.e().doc, 0, 0, 10, 0, 0, 10);
  r.Pick({{0, 2}});
  CBtexPoista_Click(r.e());
  for (int k = 0; k < 3; ++k) EXPECT_EQ(std::make_pair(r.V(0, k).tu, r.V(0, k).tv), std::make_pair(0.f, 0.f));
  EXPECT_EQ(r.V(1, 1).tu, 10 / 160.f);  // another polygon keeps its texture
  CBtexPalauta_Click(r.e());
  for (int k = 0; k < 3; ++k) {
    EXPECT_FLOAT_EQ(r.V(0, k).tu, r.V(0, k).x / 160);
    EXPECT_FLOAT_EQ(r.V(0, k).tv, r.V(0, k).y / 120);
  }
  EXPECT_EQ(r.Label(), "Texture");
  EXPECT_EQ(r.Snapshots(), 2);
}

}  // namespace
}  // namespace quorvel
