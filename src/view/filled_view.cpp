#include "view/filled_view.h"

#include <algorithm>

#include "document/host.h"
#include "view/map_texture.h"
#include "view/view.h"

namespace quorvel {

namespace {

Rgb RgbOf(const Colour4& c) { return {c.red, c.green, c.blue}; }

FillCorner CornerOf(const Editor& ed, const Vertex& v, bool passable) {
  FillCorner f;
  f.x = LaskeRuutuX(ed, v.x);
  f.y = LaskeRuutuY(ed, v.y);
  f.r = v.colour.red;
  f.g = v.colour.green;
  f.b = v.colour.blue;
  f.a = passable ? static_cast<uint8_t>((v.colour.alpha * kPassableOpacity + 127) / 255) : v.colour.alpha;
  f.u = v.tu;
  f.v = v.tv;
  return f;
}

bool Passable(const EdgeNormals& n) {
  return std::all_of(std::begin(n.normal), std::end(n.normal), [](const Normal& k) { return k.x == 0 && k.y == 0; });
}

void ApplyFilled(Editor& ed, bool on) {
  ed.view.filled = on;
  ed.ctl.MenuFilled.checked = on;
}

// The map's texture for the triangles, or none, with a note on the status line when it is missing.
void UseMapTexture(Editor& ed, Canvas& c) {
  const std::string& file = MapTextureFile(ed);
  if (!c.SetFillTexture(file)) {
    c.SetFillTexture("");
    NoteTextureProblem(ed, true);
  } else if (file.empty()) {
    NoteTextureProblem(ed, false);
  }
}

}  // namespace

void DrawFilledMap(Editor& ed, Canvas& c) {
  const Controls& ctl = ed.ctl;
  const MapDocument& d = ed.doc;
  // The sky spans the canvas the bars leave uncovered.
  c.FillSky(static_cast<float>(ctl.Pyla.top + ctl.Pyla.height), RgbOf(d.info.backgroundTop),
            static_cast<float>(ctl.Pala.top), RgbOf(d.info.backgroundBottom));
  if (ed.view.showFlags[0] != 1) return;
  UseMapTexture(ed, c);
  const int last = std::min<int>(d.polygonLast, kMaxPolygons - 1);
  for (int p = 0; p <= last; ++p) {
    const Polygon& poly = d.polygons[static_cast<size_t>(p)];
    const bool passable = Passable(d.polygonNormals[static_cast<size_t>(p)]);
    c.FillTriangle(CornerOf(ed, poly.corner[0], passable), CornerOf(ed, poly.corner[1], passable),
                   CornerOf(ed, poly.corner[2], passable));
  }
}

void MenuFilled_Click(Editor& ed) {
  ApplyFilled(ed, !ed.view.filled);
  ForgetTextureLookup(ed);  // files may have come or gone meanwhile
  if (ed.host) ed.host->SaveSetting("View", "Filled", ed.view.filled ? "1" : "0");
  ed.RedrawCanvas();
}

void LoadFilledSetting(Editor& ed) {
  if (ed.host) ApplyFilled(ed, ed.host->GetSetting("View", "Filled", "0") == "1");
}

}  // namespace quorvel
