// "Vertice info" and "Polygon info": which controls may act, and the selected vertices' common
// passability and colour.
#include "panels/refresh_steps.h"

namespace quorvel {

namespace {

// Passable when the normal of the edge starting at the corner is zero in x and y (a NaN is not).
int16_t PassableValue(const MapDocument& doc, CornerRef v) {
  const Normal& n = doc.polygonNormals[static_cast<size_t>(v.polygon)].normal[static_cast<size_t>(v.corner)];
  return n.x == 0 && n.y == 0 ? 1 : 0;
}

void ShowCommonValues(Editor& ed) {
  const SelectionState& sel = ed.sel;
  const MapDocument& doc = ed.doc;
  const int count = SelectedCount(sel.selVertexLast, sel.selVertexPolygon.size());
  auto passable = FindCommon<int16_t>(count, [&](int i) -> std::optional<int16_t> {
    auto v = SelectedCorner(sel, i);
    if (!v) return std::nullopt;
    return PassableValue(doc, *v);
  });
  if (passable.any && passable.same) ed.ctl.CBverticeLapi.value = passable.value;

  auto colour = FindCommon<uint32_t>(count, [&](int i) -> std::optional<uint32_t> {
    auto v = SelectedCorner(sel, i);
    if (!v) return std::nullopt;
    return PackedColour(doc.polygons[static_cast<size_t>(v->polygon)].corner[static_cast<size_t>(v->corner)].colour);
  });
  if (colour.any && colour.same) ed.ctl.CBverticevari.backColour = colour.value;
}

}  // namespace

void RefreshVertexPanel(Editor& ed) {
  Controls& ctl = ed.ctl;
  const uint32_t neutral = ctl.CByhista.backColour;
  const bool edit = ed.currentTool == 0;
  const bool anySelected = edit && ed.sel.selVertexLast >= 0;

  ctl.CBtexEiKorjaus.enabled = anySelected;
  ctl.CBtexPoista.enabled = anySelected;
  ctl.CBtexPalauta.enabled = anySelected;
  // Connect and Disconnect need two vertices to work on.
  ctl.CByhista.enabled = anySelected && ed.sel.selVertexLast >= 1;
  ctl.CBerota.enabled = ctl.CByhista.enabled;
  ctl.CBverticeLapi.enabled = anySelected;
  ctl.CBverticeLapi.value = anySelected ? 2 : 0;

  if (ed.currentTool == 1) {
    // The colour button holds the colour the next triangle's corners get.
    ctl.CBverticevari.enabled = true;
    return;
  }
  ctl.CBverticevari.enabled = anySelected;
  ctl.CBverticevari.backColour = neutral;
  if (anySelected) ShowCommonValues(ed);
}

}  // namespace quorvel
