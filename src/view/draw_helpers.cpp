#include "view/draw_helpers.h"

#include "view/geometry.h"
#include "view/view.h"

namespace quorvel {

// StyleSize gives 0 x 0 for a style outside the table, so a bad style byte draws a point rather
// than reading past it.
void SceneryAxes(const Scenery& s, float& ax, float& ay, float& bx, float& by) {
  const SceneryStyleSize size = StyleSize(s.style);
  FromPolar(s.rotation, static_cast<float>(double(s.scaleX) * size.width), ax, ay, false);
  FromPolar(s.rotation, static_cast<float>(double(s.scaleY) * size.height), bx, by, true);
}

void DrawMarker(Editor& ed, float x, float y, int16_t radius, Rgb colour) {
  if (radius < 0) return;
  const float sx = LaskeRuutuX(ed, x), sy = LaskeRuutuY(ed, y);
  const float w = static_cast<float>(ed.view.clientWidth), h = static_cast<float>(ed.view.clientHeight);
  if (-radius < sx && sx < w + radius && -radius < sy && sy < h + radius) ed.canvas->Circle(sx, sy, radius, colour);
}

void DrawWorldLine(Editor& ed, float x1, float y1, float x2, float y2, bool box) {
  const float sx1 = LaskeRuutuX(ed, x1), sy1 = LaskeRuutuY(ed, y1);
  const float sx2 = LaskeRuutuX(ed, x2), sy2 = LaskeRuutuY(ed, y2);
  const float w = static_cast<float>(ed.view.clientWidth), h = static_cast<float>(ed.view.clientHeight);
  if ((sx1 <= 0 && sx2 <= 0) || (sx1 >= w && sx2 >= w) || (sy1 <= 0 && sy2 <= 0) || (sy1 >= h && sy2 >= h)) return;
  if (box) {
    ed.canvas->Rect(sx1, sy1, sx2, sy2);
  } else {
    ed.canvas->Line(sx1, sy1, sx2, sy2);
  }
}

void PiirraReitti(Editor& ed, float x1, float y1, float x2, float y2) {
  const float dx = static_cast<float>(double(x2) - x1), dy = static_cast<float>(double(y2) - y1);
  const double mx = x1 + dx / 2.0, my = y1 + dy / 2.0;
  const float fmx = static_cast<float>(mx), fmy = static_cast<float>(my);
  float ox1, oy1, ox2, oy2;
  ArrowHeadOffsets(dx, dy, 10, ox1, oy1, ox2, oy2);
  DrawWorldLine(ed, fmx, fmy, static_cast<float>(mx - ox1), static_cast<float>(my - oy1), false);
  DrawWorldLine(ed, fmx, fmy, static_cast<float>(mx - ox2), static_cast<float>(my - oy2), false);
  DrawWorldLine(ed, x1, y1, x2, y2, false);
}

}  // namespace quorvel
