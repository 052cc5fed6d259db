#include "view/outlines.h"

#include <algorithm>
#include <cmath>

#include "document/host.h"
#include "view/filled_view.h"
#include "view/redraw.h"
#include "view/view.h"

namespace quorvel {

namespace {

struct Mixed {
  double r = 0, g = 0, b = 0;
};

// The sky's colour at a screen row, as the filled view blends it; a row that is no number gets the
// middle of the blend.
Mixed SkyAt(const Editor& ed, double y) {
  const Colour4& top = ed.doc.info.backgroundTop;
  const Colour4& bottom = ed.doc.info.backgroundBottom;
  const double y0 = ed.ctl.Pyla.top + ed.ctl.Pyla.height, y1 = ed.ctl.Pala.top;
  double t = 0.5;
  if (std::isfinite(y)) t = y1 > y0 ? std::clamp((y - y0) / (y1 - y0), 0.0, 1.0) : (y < y0 ? 0.0 : 1.0);
  return {top.red + (double(bottom.red) - top.red) * t, top.green + (double(bottom.green) - top.green) * t,
          top.blue + (double(bottom.blue) - top.blue) * t};
}

// What the fill shows at a corner: its colour over the sky by its alpha (less for a passable one).
Mixed Shown(const Editor& ed, const Vertex& v, bool passable) {
  const double alpha = (passable ? v.colour.alpha * double(kPassableOpacity) / 255 : v.colour.alpha) / 255;
  const Mixed sky = SkyAt(ed, LaskeRuutuY(ed, v.y));
  return {v.colour.red * alpha + sky.r * (1 - alpha), v.colour.green * alpha + sky.g * (1 - alpha),
          v.colour.blue * alpha + sky.b * (1 - alpha)};
}

bool PassableEdge(const Normal& n) { return n.x == 0 && n.y == 0; }

void ApplyOutlines(Editor& ed, bool on) {
  ed.view.outlines = on;
  ed.ctl.MenuOutlines.checked = on;
}

}  // namespace

Rgb OutlineColourOver(Rgb fill) {
  // Perceived brightness, 0 to 255.
  const int luma = (299 * fill.r + 587 * fill.g + 114 * fill.b) / 1000;
  return luma >= 128 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
}

void DrawFilledOutlines(Editor& ed, Canvas& c) {
  const MapDocument& d = ed.doc;
  const int last = std::min<int>(d.polygonLast, kMaxPolygons - 1);
  for (int p = 0; p <= last; ++p) {
    const Polygon& poly = d.polygons[static_cast<size_t>(p)];
    const EdgeNormals& n = d.polygonNormals[static_cast<size_t>(p)];
    const bool passable = std::all_of(std::begin(n.normal), std::end(n.normal), PassableEdge);
    for (size_t k = 0; k < 3; ++k) {
      const Vertex& a = poly.corner[k];
      const Vertex& b = poly.corner[(k + 1) % 3];
      const Mixed fa = Shown(ed, a, passable), fb = Shown(ed, b, passable);
      const auto half = [](double u, double v) { return static_cast<uint8_t>(std::lround((u + v) / 2)); };
      c.SetLineColour(OutlineColourOver({half(fa.r, fb.r), half(fa.g, fb.g), half(fa.b, fb.b)}));
      c.SetLineStyle(PassableEdge(n.normal[k]) ? kDot : kSolid);
      DrawWorldLine(ed, a.x, a.y, b.x, b.y, false);
    }
  }
  c.SetLineStyle(kSolid);
}

void MenuOutlines_Click(Editor& ed) {
  ApplyOutlines(ed, !ed.view.outlines);
  if (ed.host) ed.host->SaveSetting("View", "Outlines", ed.view.outlines ? "1" : "0");
  ed.RedrawCanvas();
}

void LoadOutlinesSetting(Editor& ed) {
  if (ed.host) ApplyOutlines(ed, ed.host->GetSetting("View", "Outlines", "1") != "0");
}

}  // namespace quorvel
