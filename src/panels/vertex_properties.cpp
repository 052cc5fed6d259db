#include "panels/vertex_properties.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "document/save_normalise.h"
#include "document/undo.h"
#include "editing/selection.h"
#include "panels/property_support.h"
#include "view/geometry.h"
#include "view/view.h"

namespace quorvel {

namespace {

// Texture coordinates follow world position at these many units per texture.
constexpr double kTextureWidth = 160;
constexpr double kTextureHeight = 120;

constexpr const char* kNeedOne = "You need select at least 1 vertice.";

Vertex& CornerOf(MapDocument& doc, CornerRef v) {
  return doc.polygons[static_cast<size_t>(v.polygon)].corner[static_cast<size_t>(v.corner)];
}

// A corner's texture follows it only when both coordinates are non-zero, the rule the drag keeps
// too: a corner with tu or tv 0 (a deleted texture, or one laid from an axis) is left as it is.
bool HasTexture(const Vertex& v) { return v.tu != 0 && v.tv != 0; }

// The selected vertices that name a corner, in selection order.
std::vector<CornerRef> SelectedCorners(const Editor& ed) {
  std::vector<CornerRef> corners;
  ForEachSelectedVertex(ed, [&](CornerRef v) { corners.push_back(v); });
  return corners;
}

// A command that needs `needed` selected vertices: refused without them, else its undo snapshot.
bool Begin(Editor& ed, int needed, const char* refusal, const char* label) {
  if (ed.sel.selVertexLast + 1 < needed) {
    Refuse(ed, refusal);
    return false;
  }
  TakeSnapshot(ed, label);
  return true;
}

// Texture coordinates of every corner of each polygon with a selected vertex, from f(corner).
template <class F>
void SetPolygonTextures(Editor& ed, F f) {
  if (!Begin(ed, 1, kNeedOne, "Texture")) return;
  ForEachSelectedVertex(ed, [&](CornerRef v) {
    for (Vertex& c : ed.doc.polygons[static_cast<size_t>(v.polygon)].corner) f(c);
  });
  ParkFocus(ed);
  ed.RedrawCanvas();
}

}  // namespace

void CBverticevari_Click(Editor& ed) {
  Button& face = ed.ctl.CBverticevari;
  if (ed.currentTool == 1) {
    // The colour of the next triangle's corners; the map does not change.
    if (auto chosen = ed.host->ChooseColour(face.backColour)) face.backColour = *chosen & 0xFFFFFF;
    return;
  }
  if (ed.currentTool != 0) return;
  if (ed.sel.selVertexLast < 0) {
    Refuse(ed, kNeedOne);
    return;
  }
  const auto chosen = ed.host->ChooseColour(face.backColour);
  if (!chosen) return;  // cancelled: nothing changes, nothing to undo
  TakeSnapshot(ed, "Color");
  uint8_t red = 0, green = 0, blue = 0;
  LongToRGB(static_cast<int32_t>(*chosen & 0xFFFFFF), red, green, blue);
  ForEachSelectedVertex(ed, [&](CornerRef v) {
    Colour4& c = CornerOf(ed.doc, v).colour;
    c.red = red, c.green = green, c.blue = blue;  // alpha stays
  });
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

void CBverticeLapi_Click(Editor& ed) {
  if (ed.panelRefreshBusy) return;
  if (ed.sel.selVertexLast < 0) {
    Refuse(ed, kNeedOne);
    return;
  }
  if (ed.ctl.CBverticeLapi.value != 1) {
    TakeSnapshot(ed, "Passable");
    ForEachSelectedVertex(ed, [&](CornerRef v) { MakeSolid(ed.doc, v.polygon); });
  } else {
    const MsgResult answer = ed.host->MessageBox(
        "This is not RECOMMENED setting.\nPlayers will disappear behind passable polygons and the official MapMaker "
        "will not allow to edit these polygons.\nDo you still want to use this?",
        "Warning", MsgIcon::Question, MsgButtons::OkCancel);
    if (answer != MsgResult::Ok) {
      // The box goes back to what the polygons are, rather than claiming a change not made.
      ed.RefreshPanels();
      return;
    }
    TakeSnapshot(ed, "Passable");
    ForEachSelectedVertex(ed, [&](CornerRef v) {
      for (Normal& n : ed.doc.polygonNormals[static_cast<size_t>(v.polygon)].normal) n.x = n.y = 0;
    });
  }
  ParkFocus(ed);
  ed.RedrawCanvas();
}

void CBerota_Click(Editor& ed) {
  if (!Begin(ed, 2, "You need select at least 2 vertices.", "Disconnect")) return;
  // Steps are screen pixels; a zoom that is no scale would make every position infinite.
  const double zoom = ed.view.zoom;
  const double s = std::isfinite(zoom) && zoom > 0 ? zoom : 1;
  int dx = 1, dy = -1;  // dx 1, -7, 13, -19, ...; dy -1, 0, 1, -1, ...
  ForEachSelectedVertex(ed, [&](CornerRef ref) {
    Vertex& v = CornerOf(ed.doc, ref);
    const double stepX = dx / s;
    const double stepY = std::abs(dx) / 2.0 * dy / s;
    if (HasTexture(v)) {
      v.tu = static_cast<float>(v.tu + stepX / kTextureWidth);
      v.tv = static_cast<float>(v.tv + stepY / kTextureHeight);
    }
    v.x = static_cast<float>(v.x + stepX);
    v.y = static_cast<float>(v.y + stepY);
    dx = dx > 0 ? -(dx + 6) : -dx + 6;
    dy = dy == 1 ? -1 : dy + 1;
  });
  ClearSelection(ed);
  ed.RedrawCanvas();
  ed.RefreshPanels();
}

void CByhista_Click(Editor& ed) {
  if (!Begin(ed, 2, "You need select at least 2 vertices", "Connect")) return;
  const std::vector<CornerRef> corners = SelectedCorners(ed);
  if (!corners.empty()) {
    double sumX = 0, sumY = 0;
    for (CornerRef ref : corners) {
      sumX += CornerOf(ed.doc, ref).x;
      sumY += CornerOf(ed.doc, ref).y;
    }
    const double meanX = sumX / static_cast<double>(corners.size());
    const double meanY = sumY / static_cast<double>(corners.size());
    const Colour4 first = CornerOf(ed.doc, corners.front()).colour;
    for (CornerRef ref : corners) {
      Vertex& v = CornerOf(ed.doc, ref);
      if (HasTexture(v)) {
        v.tu = static_cast<float>(v.tu + (meanX - v.x) / kTextureWidth);
        v.tv = static_cast<float>(v.tv + (meanY - v.y) / kTextureHeight);
      }
      v.x = static_cast<float>(meanX);
      v.y = static_cast<float>(meanY);
      v.colour = Colour4{first.blue, first.green, first.red, v.colour.alpha};
    }
  }
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

void CBtexPalauta_Click(Editor& ed) {
  SetPolygonTextures(ed, [](Vertex& c) {
    c.tu = static_cast<float>(c.x / kTextureWidth);
    c.tv = static_cast<float>(c.y / kTextureHeight);
  });
}

void CBtexPoista_Click(Editor& ed) {
  SetPolygonTextures(ed, [](Vertex& c) { c.tu = c.tv = 0; });
}

void CBtexEiKorjaus_Click(Editor& ed) { ParkFocus(ed); }

}  // namespace quorvel
