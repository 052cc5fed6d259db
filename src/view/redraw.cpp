#include "view/redraw.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string_view>

#include "document/numeric.h"
#include "view/canvas.h"
#include "view/filled_view.h"
#include "view/outlines.h"
#include "view/geometry.h"
#include "view/view.h"

namespace quorvel {

namespace {

constexpr Rgb kGridLight{100, 100, 100};
constexpr Rgb kGridDark{75, 75, 75};
constexpr Rgb kPlacingCorner{255, 0, 0};
constexpr Rgb kSpawnColours[3] = {{0, 128, 128}, {128, 0, 0}, {0, 0, 128}};
constexpr Rgb kSceneryColour{128, 0, 128};
constexpr Rgb kColliderColour{128, 128, 0};
constexpr Rgb kPath1{0, 0, 255};
constexpr Rgb kOtherPath{0, 0, 128};
constexpr Rgb kLinkDefault{0, 0, 0};
constexpr Rgb kLinkFlagColours[5] = {{0, 255, 0}, {255, 0, 0}, {255, 255, 0}, {0, 255, 255}, {128, 128, 128}};
constexpr Rgb kLinkDrawing{255, 0, 255};
constexpr Rgb kSelection{255, 0, 0};
constexpr Rgb kSelectionFrame{128, 128, 128};
constexpr Rgb kRotateHandle{255, 255, 0};
constexpr Rgb kSizeHandle{0, 255, 0};
constexpr Rgb kViewFrame{0, 0, 128};
constexpr Rgb kTextureDot{0, 255, 0};

Rgb VertexRgb(const Colour4& c) { return {c.red, c.green, c.blue}; }

// Last indices come from files and undo snapshots; never walk past an array because of one.
int Upto(int last, int capacity) { return std::min(last, capacity - 1); }

float SpawnX(const Spawn& s) { return static_cast<float>(s.x / 256.0); }
float SpawnY(const Spawn& s) { return static_cast<float>(s.y / 256.0); }
float WaypointX(const Waypoint& w) { return static_cast<float>(w.x / 256.0); }
float WaypointY(const Waypoint& w) { return static_cast<float>(w.y / 256.0); }

void Grey(Canvas& c, bool& light) {
  c.SetLineColour(light ? kGridLight : kGridDark);
  light = !light;
}

// Returns false when the grid list was stepped coarser: that change redraws by itself, so the
// caller ends this redraw at once.
bool DrawGrid(Editor& ed, Canvas& c) {
  ViewState& v = ed.view;
  ComboBox& grid = ed.ctl.CBgrid;
  if ((v.zoom < 1 && v.gridSize < 25) || (v.zoom < 2 && v.gridSize < 10)) {
    // One step coarser; the list handler sets the new size and redraws, so the rule repeats until
    // it holds. A list already at its coarsest entry cannot step: the grid is left out instead.
    if (grid.listIndex <= 0 || !grid.Select(grid.listIndex - 1)) return true;
    CBgrid_Click(ed);
    return false;
  }
  const float w = static_cast<float>(v.clientWidth), h = static_cast<float>(v.clientHeight);
  const int g = v.gridSize;
  bool light = true;

  if (ed.ctl.CBfixed.value == 1) {
    // Fixed to the screen. The counter runs in 32 bits so the last step past M cannot overflow.
    const int m = v.clientHeight > v.clientWidth ? ToInt16(h) : ToInt16(w);
    const int s = ToInt16(double(g) * v.zoom);
    if (s <= 0) return true;
    for (int i = 0; i <= m; i += s) {
      Grey(c, light);
      const float fi = static_cast<float>(i);
      c.Line(0, fi, w, fi);
      c.Line(fi, 0, fi, h);
    }
    return true;
  }

  // Fixed to the world: multiples of 2g in the light grey, odd multiples of g in the dark one.
  // The positions are 16-bit whole numbers; far away from the origin the visible range is clamped
  // to that range, so the lines that cannot be expressed are simply not drawn.
  const int big = 2 * g;
  const float top = LaskeRuutu2Y(ed, 0), bottom = LaskeRuutu2Y(ed, h);
  const float left = LaskeRuutu2X(ed, 0), right = LaskeRuutu2X(ed, w);
  {
    const int x0 = ToInt16(left);
    const int start = ToInt16(double(x0) / big) * big;
    const int end = ToInt16(LaskeRuutu2X(ed, w - 150));
    for (int x = start; x <= end; x += g) {
      Grey(c, light);
      if (x < INT16_MIN) continue;
      const float fx = static_cast<float>(x);
      DrawWorldLine(ed, fx, top, fx, bottom, false);
    }
  }
  light = true;
  {
    const int y0 = ToInt16(top);
    const int start = ToInt16(double(y0) / big) * big;
    const int end = ToInt16(bottom);
    for (int y = start; y <= end; y += g) {
      Grey(c, light);
      if (y < INT16_MIN) continue;
      const float fy = static_cast<float>(y);
      DrawWorldLine(ed, left, fy, right, fy, false);
    }
  }
  return true;
}

// Decimal text of a number into a caller's buffer, so labels need no allocation.
std::string_view NumberText(int32_t value, char (&buf)[16]) {
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  return {buf, static_cast<size_t>(r.ptr - buf)};
}

void WaypointLabel(Editor& ed, Canvas& c, const Waypoint& wp) {
  char buf[16];
  const std::string_view text = NumberText(wp.path, buf);
  const float x = WaypointX(wp), y = WaypointY(wp);
  const float tw = c.TextWidth(text), th = c.TextHeight(text);
  c.SetTextPosition(static_cast<float>(double(LaskeRuutuX(ed, x)) - tw / 2.0 - 1),
                    static_cast<float>(double(LaskeRuutuY(ed, y)) - th / 2.0));
  c.Text(text);
}

void WaypointBox(Editor& ed, const Waypoint& wp) {
  const double x = WaypointX(wp), y = WaypointY(wp);
  DrawWorldLine(ed, static_cast<float>(x - 7), static_cast<float>(y - 7), static_cast<float>(x + 7),
                static_cast<float>(y + 7), true);
}

void DrawWaypoints(Editor& ed, Canvas& c) {
  MapDocument& d = ed.doc;
  const int last = Upto(d.waypointLast, kMaxWaypoints);
  for (int i = 0; i <= last; ++i) {
    Waypoint& wp = d.waypoints[static_cast<size_t>(i)];
    c.SetLineStyle(kSolid);
    c.SetLineColour(wp.path == 1 ? kPath1 : kOtherPath);
    if (ed.pathFilter == 1 && wp.path != 1) continue;
    if (ed.pathFilter == 2 && wp.path != 2) continue;
    WaypointLabel(ed, c, wp);
    WaypointBox(ed, wp);
    // The one place a redraw changes the document: a count above the array is cut to it.
    if (wp.connectionCount > kMaxConnections) wp.connectionCount = kMaxConnections;
    const float x = WaypointX(wp), y = WaypointY(wp);
    for (int j = 0; j < wp.connectionCount; ++j) {
      c.SetLineStyle(kDot);
      Rgb colour = kLinkDefault;
      const int32_t target = wp.connections[static_cast<size_t>(j)];
      // A link to a record past the last waypoint (left by a file or a deletion) is still drawn, so
      // the user sees it; one outside the array has nothing to point at.
      if (target <= 0 || target > kMaxWaypoints) continue;
      const Waypoint& t = d.waypoints[static_cast<size_t>(target - 1)];
      for (int f = 0; f < 5; ++f) {
        if (t.flags[static_cast<size_t>(f)] == 1) colour = kLinkFlagColours[f];
      }
      c.SetLineColour(colour);
      PiirraReitti(ed, x, static_cast<float>(double(y) + j), WaypointX(t), WaypointY(t));
    }
    c.SetLineStyle(kDot);
    c.SetLineColour(kLinkDrawing);
    if (i == ed.sel.connectFrom) PiirraReitti(ed, x, y, ed.sel.pointerWorldX, ed.sel.pointerWorldY);
  }
}

void DrawSelectionMarks(Editor& ed, Canvas& c) {
  const MapDocument& d = ed.doc;
  const SelectionState& s = ed.sel;
  c.SetLineStyle(kSolid);
  // Selection lists come from undo snapshots too: entries that name nothing are skipped.
  for (int k = 0; k <= Upto(s.selVertexLast, kMaxSelectedVertices); ++k) {
    const int p = s.selVertexPolygon[static_cast<size_t>(k)];
    const int corner = s.selVertexCorner[static_cast<size_t>(k)];
    if (p < 0 || p >= kMaxPolygons || corner > 2) continue;
    const Vertex& v = d.polygons[static_cast<size_t>(p)].corner[static_cast<size_t>(corner)];
    DrawMarker(ed, v.x, v.y, 2, kSelection);
  }
  for (int k = 0; k <= Upto(s.selSpawnLast, kMaxSpawns); ++k) {
    const int i = s.selSpawn[static_cast<size_t>(k)];
    if (i >= kMaxSpawns) continue;
    const Spawn& sp = d.spawns[static_cast<size_t>(i)];
    DrawMarker(ed, SpawnX(sp), SpawnY(sp), 2, kSelection);
  }
  for (int k = 0; k <= Upto(s.selSceneryLast, kMaxScenery); ++k) {
    const int i = s.selScenery[static_cast<size_t>(k)];
    if (i >= kMaxScenery) continue;
    const Scenery& sc = d.scenery[static_cast<size_t>(i)];
    DrawMarker(ed, static_cast<float>(sc.x - 0.5), static_cast<float>(sc.y - 0.5), 2, kSelection);
  }
  for (int k = 0; k <= Upto(s.selWaypointLast, kMaxWaypoints); ++k) {
    const int i = s.selWaypoint[static_cast<size_t>(k)];
    if (i < 0 || i >= kMaxWaypoints) continue;
    const Waypoint& wp = d.waypoints[static_cast<size_t>(i)];
    if (ed.currentTool == 5) {
      c.SetLineColour(kSelection);
      WaypointLabel(ed, c, wp);
      WaypointBox(ed, wp);
    } else {
      DrawMarker(ed, WaypointX(wp), WaypointY(wp), 2, kSelection);
    }
  }
  for (int k = 0; k <= Upto(s.selColliderLast, kMaxColliders); ++k) {
    const int i = s.selCollider[static_cast<size_t>(k)];
    if (i >= kMaxColliders) continue;
    const Collider& co = d.colliders[static_cast<size_t>(i)];
    DrawMarker(ed, co.x, co.y, 2, kSelection);
  }
}

void DrawSceneryHandles(Editor& ed, Canvas& c) {
  const int i = ed.sel.selScenery[0];
  if (i >= kMaxScenery) return;
  const Scenery& s = ed.doc.scenery[static_cast<size_t>(i)];
  float ax, ay, bx, by;
  SceneryAxes(s, ax, ay, bx, by);
  const double px = double(s.x) + ax, py = double(s.y) + ay;
  if (s.style != 5) {
    c.SetLineColour(kRotateHandle);
    DrawWorldLine(ed, static_cast<float>(px - 3), static_cast<float>(py - 3), static_cast<float>(px + 3),
                  static_cast<float>(py + 3), true);
  }
  const double qx = px + bx, qy = py + by;
  c.SetLineColour(kSizeHandle);
  DrawWorldLine(ed, static_cast<float>(qx - 3), static_cast<float>(qy - 3), static_cast<float>(qx + 3),
                static_cast<float>(qy + 3), true);
}

void DrawAdvanced(Editor& ed, Canvas& c) {
  const ViewState& v = ed.view;
  const Controls& ctl = ed.ctl;
  c.SetLineColour(kViewFrame);
  c.SetLineStyle(kDashDot);
  const double w = v.clientWidth, h = v.clientHeight, z = v.zoom;
  const double pw = ctl.Ppalkki.width, ph = ctl.Pala.height, th = ctl.Pyla.height;
  c.Rect(static_cast<float>(w / 2 - 320 * z - pw / 2 - 3), static_cast<float>(h / 2 - 240 * z - ph / 2 + th / 2 - 3),
         static_cast<float>(w / 2 + 320 * z - pw / 2), static_cast<float>(h / 2 + 240 * z - ph / 2 + th / 2));

  c.SetLineStyle(kSolid);
  const MapDocument& d = ed.doc;
  for (int p = 0; p <= Upto(d.polygonLast, kMaxPolygons); ++p) {
    for (const Vertex& vx : d.polygons[static_cast<size_t>(p)].corner) {
      if (vx.tu != 0 && vx.tv != 0)
        DrawMarker(ed, static_cast<float>(vx.tu * 160.0), static_cast<float>(vx.tv * 120.0), 1, kTextureDot);
    }
  }

  const float s = static_cast<float>(15.0 * d.info.sectorSize);
  c.SetLineColour(VertexRgb(d.info.backgroundTop));
  DrawWorldLine(ed, -s, -s, -s, s, false);
  DrawWorldLine(ed, -s, -s, s, -s, false);
  c.SetLineColour(VertexRgb(d.info.backgroundBottom));
  DrawWorldLine(ed, s, -s, s, s, false);
  DrawWorldLine(ed, -s, s, s, s, false);
}

}  // namespace

void Editor::RedrawCanvas() {
  if (firstActivation || canvas == nullptr) return;
  Editor& ed = *this;
  Canvas& c = *canvas;
  const MapDocument& d = doc;

  c.SetPersistent(true);
  // The filled view's sky covers the whole canvas, so it takes the clear's place.
  if (view.filled) {
    DrawFilledMap(ed, c);
  } else {
    c.Clear(kBackground);
  }
  c.SetLineWidth(1);
  c.SetLineStyle(kSolid);

  if (view.gridSize > 0 && !DrawGrid(ed, c)) {
    c.SetPersistent(false);
    return;
  }

  const bool polygonsShown = view.showFlags[0] == 1;
  if (polygonsShown) {
    // The filled view shows the polygons themselves, with a line over their edges that stands out.
    if (view.filled && view.outlines) DrawFilledOutlines(ed, c);
    for (int p = 0; !view.filled && p <= Upto(d.polygonLast, kMaxPolygons); ++p) {
      const Polygon& poly = d.polygons[static_cast<size_t>(p)];
      const EdgeNormals& n = d.polygonNormals[static_cast<size_t>(p)];
      for (int k = 0; k < 3; ++k) {
        const Vertex& a = poly.corner[static_cast<size_t>(k)];
        const Vertex& b = poly.corner[static_cast<size_t>((k + 1) % 3)];
        const Normal& nk = n.normal[static_cast<size_t>(k)];
        c.SetLineColour(VertexRgb(a.colour));
        // A passable edge (no normal) is dotted.
        c.SetLineStyle(nk.x == 0 && nk.y == 0 ? kDot : kSolid);
        DrawWorldLine(ed, a.x, a.y, b.x, b.y, false);
      }
    }
    c.SetLineStyle(kDash);
    // The corner the polygon tool places next.
    if (currentTool == 1 && sel.selLast < 0) {
      if (toolParam == 0 && d.polygonLast < kMaxPolygons - 1) {
        const Vertex& v = d.polygons[static_cast<size_t>(std::max(d.polygonLast + 1, 0))].corner[0];
        DrawMarker(ed, v.x, v.y, 2, kPlacingCorner);
      } else if (toolParam > 0 && toolParam <= 2 && d.polygonLast >= 0 && d.polygonLast < kMaxPolygons) {
        const Vertex& v = d.polygons[static_cast<size_t>(d.polygonLast)].corner[static_cast<size_t>(toolParam)];
        DrawMarker(ed, v.x, v.y, 2, kPlacingCorner);
      }
    }
  }
  c.SetLineStyle(kSolid);

  if (view.showFlags[1] == 1) {
    int last = d.spawnLast;
    if (currentTool == 2 && d.spawnLast < kMaxSpawns - 1) ++last;
    bool firstRed = true, firstBlue = true;
    for (int i = 0; i <= Upto(last, kMaxSpawns); ++i) {
      const Spawn& s = d.spawns[static_cast<size_t>(i)];
      if (s.type > 2) continue;
      const Rgb colour = kSpawnColours[s.type];
      DrawMarker(ed, SpawnX(s), SpawnY(s), 10, colour);
      // The first flag spawn of each team gets a second, inner circle.
      if ((s.type == 1 && firstRed) || (s.type == 2 && firstBlue)) {
        DrawMarker(ed, SpawnX(s), SpawnY(s), 5, colour);
        (s.type == 1 ? firstRed : firstBlue) = false;
      }
    }
  }

  if (view.showFlags[2] == 1) {
    c.SetLineColour(kSceneryColour);
    int last = d.sceneryLast;
    // No preview once the map holds the 254 sceneries a file keeps: the next press is refused.
    if (currentTool == 3 && toolParam != -9999 && d.sceneryLast < kSceneryLastKept) ++last;
    for (int i = 0; i <= Upto(last, kMaxScenery); ++i) {
      const Scenery& s = d.scenery[static_cast<size_t>(i)];
      const double px = s.x - 0.5, py = s.y - 0.5;
      const float fpx = static_cast<float>(px), fpy = static_cast<float>(py);
      DrawMarker(ed, fpx, fpy, 2, kSceneryColour);
      float ax, ay, bx, by;
      SceneryAxes(s, ax, ay, bx, by);
      const float pax = static_cast<float>(px + ax), pay = static_cast<float>(py + ay);
      const float pbx = static_cast<float>(px + bx), pby = static_cast<float>(py + by);
      const float pabx = static_cast<float>(px + ax + bx), paby = static_cast<float>(py + ay + by);
      DrawWorldLine(ed, fpx, fpy, pax, pay, false);
      DrawWorldLine(ed, fpx, fpy, pbx, pby, false);
      DrawWorldLine(ed, pax, pay, pabx, paby, false);
      DrawWorldLine(ed, pbx, pby, pabx, paby, false);
    }
  }

  if (view.showFlags[3] == 1) {
    int last = d.colliderLast;
    if (currentTool == 4 && d.colliderLast < kMaxColliders - 1) ++last;
    for (int i = 0; i <= Upto(last, kMaxColliders); ++i) {
      const Collider& co = d.colliders[static_cast<size_t>(i)];
      DrawMarker(ed, co.x, co.y, ToInt16(co.radius / 2.0 * view.zoom), kColliderColour);
    }
  }

  if (view.showFlags[4] == 1) DrawWaypoints(ed, c);

  DrawSelectionMarks(ed, c);

  const SelRect& r = sel.selRect;
  if (currentTool == 0 && r.left != kUnset && r.right != kUnset && r.top != kUnset && r.bottom != kUnset) {
    c.SetLineStyle(kDot);
    c.SetLineColour(kSelectionFrame);
    DrawWorldLine(ed, r.left, r.top, r.right, r.bottom, true);
  }

  if (currentTool == 0 && sel.selSceneryLast == 0) DrawSceneryHandles(ed, c);

  if (view.showFlags[5] == 1) DrawAdvanced(ed, c);

  c.SetPersistent(false);
}

}  // namespace quorvel
