#include "view/fit_view.h"

#include <algorithm>
#include <cmath>

#include "editing/pointer.h"
#include "view/redraw.h"
#include "view/view.h"

namespace quorvel {

namespace {

struct Bounds {
  double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
  bool Empty() const { return minX > maxX; }
  void Add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
};

Bounds MapBounds(const MapDocument& d) {
  Bounds b;
  for (int p = 0; p <= std::min<int>(d.polygonLast, kMaxPolygons - 1); ++p)
    for (const Vertex& v : d.polygons[static_cast<size_t>(p)].corner) b.Add(v.x, v.y);
  for (int i = 0; i <= std::min<int>(d.spawnLast, kMaxSpawns - 1); ++i)
    b.Add(d.spawns[static_cast<size_t>(i)].x / 256.0, d.spawns[static_cast<size_t>(i)].y / 256.0);
  for (int i = 0; i <= std::min<int>(d.sceneryLast, kMaxScenery - 1); ++i) {
    // The whole outline, as the canvas draws it.
    const Scenery& s = d.scenery[static_cast<size_t>(i)];
    float ax, ay, bx, by;
    SceneryAxes(s, ax, ay, bx, by);
    const double px = s.x - 0.5, py = s.y - 0.5;
    b.Add(px, py);
    b.Add(px + ax, py + ay);
    b.Add(px + bx, py + by);
    b.Add(px + ax + bx, py + ay + by);
  }
  for (int i = 0; i <= std::min<int>(d.colliderLast, kMaxColliders - 1); ++i) {
    // The circle the canvas draws has half the radius.
    const Collider& c = d.colliders[static_cast<size_t>(i)];
    const double r = std::isfinite(c.radius) ? std::fabs(c.radius) / 2.0 : 0.0;
    b.Add(c.x - r, c.y - r);
    b.Add(c.x + r, c.y + r);
  }
  for (int i = 0; i <= std::min<int>(d.waypointLast, kMaxWaypoints - 1); ++i)
    b.Add(d.waypoints[static_cast<size_t>(i)].x / 256.0, d.waypoints[static_cast<size_t>(i)].y / 256.0);
  return b;
}

// The uncovered canvas: left of the side panel, between the top and the bottom bar.
struct Area {
  double left, top, right, bottom;
};
Area Uncovered(const Editor& ed) {
  const Controls& c = ed.ctl;
  return {0.0, double(c.Pyla.top + c.Pyla.height), double(ed.view.clientWidth - c.Ppalkki.width),
          double(ed.view.clientHeight - c.Pala.height)};
}

// Puts the world point (x, y) at the middle of the uncovered canvas at zoom z. The view centre
// itself lies at ((W - PW) / 2, (H - PH) / 2), half the top bar above that middle.
void CentreOn(Editor& ed, double x, double y, double z) {
  const Area a = Uncovered(ed);
  const double centreX = (ed.view.clientWidth - ed.ctl.Ppalkki.width) / 2.0;
  const double centreY = (ed.view.clientHeight - ed.ctl.Pala.height) / 2.0;
  ed.view.viewX = static_cast<float>(x - ((a.left + a.right) / 2 - centreX) / z);
  ed.view.viewY = static_cast<float>(y - ((a.top + a.bottom) / 2 - centreY) / z);
}

}  // namespace

void MenuFitMap_Click(Editor& ed) {
  ComboBox& zoom = ed.ctl.CBzoom;
  const Bounds b = MapBounds(ed.doc);
  if (b.Empty()) {
    ed.view.viewX = ed.view.viewY = 0;
    if (zoom.Select(2)) CBzoom_Click(ed);
    return;
  }
  const Area a = Uncovered(ed);
  const double roomX = a.right - a.left - 2 * kFitMargin, roomY = a.bottom - a.top - 2 * kFitMargin;
  const double spanX = b.maxX - b.minX, spanY = b.maxY - b.minY;
  // The list runs from the largest zoom to the smallest: the first that fits is the one.
  int chosen = -1;
  for (size_t i = 0; i < zoom.itemData.size(); ++i) {
    const double z = zoom.itemData[i] / 100.0;
    if (z <= 0) continue;
    chosen = static_cast<int>(i);
    if (spanX * z <= roomX && spanY * z <= roomY) break;
  }
  if (chosen < 0) return;
  CentreOn(ed, (b.minX + b.maxX) / 2, (b.minY + b.maxY) / 2, zoom.itemData[static_cast<size_t>(chosen)] / 100.0);
  // The zoom list's own handler sets the zoom, brings previews along and redraws.
  if (zoom.Select(chosen)) CBzoom_Click(ed);
}

void MenuCentre_Click(Editor& ed) {
  const SelRect& r = ed.sel.selRect;
  if (r.left == kUnset || r.right == kUnset || r.top == kUnset || r.bottom == kUnset) return;
  const double x = (double(r.left) + r.right) / 2, y = (double(r.top) + r.bottom) / 2;
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  CentreOn(ed, x, y, ed.view.zoom);
  Form_MouseMove(ed, 0, 0, kUnset, kUnset);
  ed.RedrawCanvas();
}

}  // namespace quorvel
