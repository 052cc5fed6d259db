#include "editing/selection.h"

#include <algorithm>
#include <cmath>

#include "document/host.h"
#include "document/numeric.h"
#include "view/geometry.h"
#include "view/view.h"

namespace quorvel {

void ClearSelection(Editor& ed) {
  SelectionState& s = ed.sel;
  s.selRect = SelRect{};
  s.selLast = s.selVertexLast = s.selSpawnLast = s.selSceneryLast = s.selColliderLast = s.selWaypointLast = -1;
  s.connectFrom = -1;
  s.leftDragActive = 0;
  if (ed.host) ed.host->SetPointer(PointerShape::Default);
  s.moveSnapshotTaken = 0;
}

bool AppendSelectedVertex(Editor& ed, int polygon, int corner) {
  SelectionState& s = ed.sel;
  if (s.selVertexLast + 1 >= kMaxSelectedVertices) return false;
  ++s.selVertexLast;
  ++s.selLast;
  s.selVertexPolygon[s.selVertexLast] = static_cast<int16_t>(polygon);
  s.selVertexCorner[s.selVertexLast] = static_cast<uint8_t>(corner);
  return true;
}

namespace {
// Last indices come from files and undo snapshots: never scan past an array because of one.
int Upto(int last, int capacity) { return std::min(last, capacity - 1); }

bool Inside(double x, double y, float left, float top, float right, float bottom) {
  return x >= left && x <= right && y >= top && y <= bottom;
}
}  // namespace

void SelectInRect(Editor& ed, float x1, float y1, float x2, float y2, bool keepRect, int mode) {
  SelectionState& s = ed.sel;
  const MapDocument& d = ed.doc;
  s.selLast = s.selVertexLast = s.selSpawnLast = s.selSceneryLast = s.selColliderLast = s.selWaypointLast = -1;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  const auto& show = ed.view.showFlags;

  if (show[0] == 1 && (mode == kSelectAll || mode == kSelectFirstVertex)) {
    int last = Upto(d.polygonLast, kMaxPolygons);
    // The triangle being drawn is not a map object yet.
    if (ed.currentTool == 1 && ed.toolParam >= 1) --last;
    bool done = false;
    for (int p = 0; p <= last && !done; ++p) {
      const Polygon& poly = d.polygons[static_cast<size_t>(p)];
      for (int k = 0; k < 3; ++k) {
        const Vertex& v = poly.corner[static_cast<size_t>(k)];
        if (!Inside(v.x, v.y, x1, y1, x2, y2)) continue;
        if (!AppendSelectedVertex(ed, p, k)) {
          // The band stops following the pointer until the next press.
          s.leftDragActive = 0;
          done = true;
          break;
        }
        if (mode == kSelectFirstVertex) {
          done = true;
          break;
        }
      }
    }
  }
  if (mode == kSelectAll) {
    if (show[1] == 1) {
      for (int i = 0; i <= Upto(d.spawnLast, kMaxSpawns); ++i) {
        const Spawn& sp = d.spawns[static_cast<size_t>(i)];
        if (!Inside(sp.x / 256.0, sp.y / 256.0, x1, y1, x2, y2)) continue;
        s.selSpawn[static_cast<size_t>(++s.selSpawnLast)] = static_cast<uint8_t>(i);
        ++s.selLast;
      }
    }
    if (show[2] == 1) {
      // Sceneries are stored half a unit off the point they were placed at.
      for (int i = 0; i <= Upto(d.sceneryLast, kMaxScenery); ++i) {
        const Scenery& sc = d.scenery[static_cast<size_t>(i)];
        if (!Inside(sc.x - 0.5, sc.y - 0.5, x1, y1, x2, y2)) continue;
        s.selScenery[static_cast<size_t>(++s.selSceneryLast)] = static_cast<uint8_t>(i);
        ++s.selLast;
      }
    }
    if (show[3] == 1) {
      for (int i = 0; i <= Upto(d.colliderLast, kMaxColliders); ++i) {
        const Collider& c = d.colliders[static_cast<size_t>(i)];
        if (!Inside(c.x, c.y, x1, y1, x2, y2)) continue;
        s.selCollider[static_cast<size_t>(++s.selColliderLast)] = static_cast<uint8_t>(i);
        ++s.selLast;
      }
    }
  }
  if (show[4] == 1 && (mode == kSelectAll || mode == kSelectFirstWaypoint)) {
    for (int i = 0; i <= Upto(d.waypointLast, kMaxWaypoints); ++i) {
      const Waypoint& w = d.waypoints[static_cast<size_t>(i)];
      if ((ed.pathFilter == 1 && w.path != 1) || (ed.pathFilter == 2 && w.path != 2)) continue;
      if (!Inside(w.x / 256.0, w.y / 256.0, x1, y1, x2, y2)) continue;
      s.selWaypoint[static_cast<size_t>(++s.selWaypointLast)] = static_cast<int16_t>(i);
      ++s.selLast;
      if (mode == kSelectFirstWaypoint) break;
    }
  }
  if (!keepRect && s.selLast < 0 && s.leftDragActive == 0) s.selRect = SelRect{};
  ed.RefreshPanels();
}

void SelectInSelRect(Editor& ed, bool keepRect, int mode) {
  const SelRect r = ed.sel.selRect;
  SelectInRect(ed, r.left, r.top, r.right, r.bottom, keepRect, mode);
}

namespace {
// Keeps the entries of list[0..last] that `keep` accepts, in order; returns the new last index.
template <typename List, typename Keep>
int16_t KeepEntries(List& list, int16_t last, Keep keep) {
  int n = 0;
  const int end = std::min<int>(last, static_cast<int>(list.size()) - 1);
  for (int i = 0; i <= end; ++i)
    if (keep(static_cast<int>(list[static_cast<size_t>(i)])))
      list[static_cast<size_t>(n++)] = list[static_cast<size_t>(i)];
  return static_cast<int16_t>(n - 1);
}
}  // namespace

void DropStaleSelection(Editor& ed) {
  SelectionState& s = ed.sel;
  const MapDocument& d = ed.doc;
  int n = 0;
  const int vertexEnd = std::min<int>(s.selVertexLast, kMaxSelectedVertices - 1);
  for (int i = 0; i <= vertexEnd; ++i) {
    const int p = s.selVertexPolygon[static_cast<size_t>(i)];
    const int corner = s.selVertexCorner[static_cast<size_t>(i)];
    if (p < 0 || p > d.polygonLast || p >= kMaxPolygons || corner > 2) continue;
    s.selVertexPolygon[static_cast<size_t>(n)] = s.selVertexPolygon[static_cast<size_t>(i)];
    s.selVertexCorner[static_cast<size_t>(n)] = s.selVertexCorner[static_cast<size_t>(i)];
    ++n;
  }
  s.selVertexLast = static_cast<int16_t>(n - 1);
  s.selSpawnLast = KeepEntries(s.selSpawn, s.selSpawnLast, [&](int i) { return i <= d.spawnLast; });
  s.selSceneryLast = KeepEntries(s.selScenery, s.selSceneryLast, [&](int i) { return i <= d.sceneryLast; });
  s.selWaypointLast =
      KeepEntries(s.selWaypoint, s.selWaypointLast, [&](int i) { return i >= 0 && i <= d.waypointLast; });
  s.selColliderLast = KeepEntries(s.selCollider, s.selColliderLast, [&](int i) { return i <= d.colliderLast; });
  const int was = s.selLast;
  s.selLast = static_cast<int16_t>(s.selVertexLast + s.selSpawnLast + s.selSceneryLast + s.selWaypointLast +
                                   s.selColliderLast + 4);
  if (s.selLast < 0 && was >= 0 && s.leftDragActive == 0) s.selRect = SelRect{};
}

void SelectAppended(Editor& ed, int polygonBefore, int sceneryBefore, int colliderBefore) {
  SelectionState& s = ed.sel;
  s.selLast = s.selVertexLast = s.selSpawnLast = s.selSceneryLast = s.selColliderLast = s.selWaypointLast = -1;
  for (int p = std::max(polygonBefore + 1, 0); p <= ed.doc.polygonLast; ++p)
    for (int k = 0; k < 3; ++k) AppendSelectedVertex(ed, p, k);
  for (int i = std::max(sceneryBefore + 1, 0); i <= ed.doc.sceneryLast; ++i) {
    s.selScenery[++s.selSceneryLast] = static_cast<uint8_t>(i);
    ++s.selLast;
  }
  for (int i = std::max(colliderBefore + 1, 0); i <= ed.doc.colliderLast; ++i) {
    s.selCollider[++s.selColliderLast] = static_cast<uint8_t>(i);
    ++s.selLast;
  }
  if (s.selLast >= 0) FrameSelection(ed);
}

void FrameSelection(Editor& ed) {
  const SelectionState& s = ed.sel;
  const MapDocument& d = ed.doc;
  float left = 9999, top = 9999, right = -9999, bottom = -9999;
  auto widen = [&](float x, float y) {
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  };
  for (int i = 0; i <= s.selVertexLast; ++i) {
    const Vertex& v = d.polygons[std::clamp<int>(s.selVertexPolygon[i], 0, kMaxPolygons - 1)].corner[s.selVertexCorner[i] % 3];
    widen(v.x, v.y);
  }
  for (int i = 0; i <= s.selSpawnLast; ++i) {
    const Spawn& sp = d.spawns[s.selSpawn[i] % kMaxSpawns];
    widen(float(sp.x / 256.0), float(sp.y / 256.0));
  }
  for (int i = 0; i <= s.selSceneryLast; ++i) {
    const Scenery& sc = d.scenery[std::min<int>(s.selScenery[i], kMaxScenery - 1)];
    widen(sc.x, sc.y);
  }
  for (int i = 0; i <= s.selColliderLast; ++i) {
    const Collider& c = d.colliders[s.selCollider[i] % kMaxColliders];
    widen(c.x, c.y);
  }
  for (int i = 0; i <= s.selWaypointLast; ++i) {
    const Waypoint& w = d.waypoints[std::clamp<int>(s.selWaypoint[i], 0, kMaxWaypoints - 1)];
    widen(float(w.x / 256.0), float(w.y / 256.0));
  }
  ed.sel.selRect = SelRect{left - 5, right + 5, top - 5, bottom + 5};
}

namespace {
// One axis of the world-anchored snap: the point rounds to a whole unit, then to the grid. Beyond
// the 16-bit range (a view panned far off the map) the rounding is done in doubles, so the point
// stays under the pointer instead of sticking to the 16-bit limit.
float SnapWorld(double w, int g) {
  const double whole = RoundHalfEven(w);
  return static_cast<float>(RoundHalfEven(whole / g) * g);
}
double SnapScreen(double sv, double step) { return RoundHalfEven(RoundHalfEven(sv / step) * step); }
}  // namespace

void SnapToGrid(const Editor& ed, float screenX, float screenY, float& worldX, float& worldY) {
  const int g = std::max<int>(ed.view.gridSize, 1);
  if (ed.ctl.CBfixed.value == 1) {
    const double step = double(g) * ed.view.zoom;
    worldX = LaskeRuutu2X(ed, static_cast<float>(SnapScreen(screenX, step)));
    worldY = LaskeRuutu2Y(ed, static_cast<float>(SnapScreen(screenY, step)));
  } else {
    worldX = SnapWorld(LaskeRuutu2X(ed, screenX), g);
    worldY = SnapWorld(LaskeRuutu2Y(ed, screenY), g);
  }
}

bool HandleHit(const Editor& ed, int which, int s, float x, float y) {
  if (s < 0 || s >= kMaxScenery) return false;
  const Scenery& sc = ed.doc.scenery[static_cast<size_t>(s)];
  // A style outside the table has no size: both handles sit on the prop's position.
  const SceneryStyleSize size = StyleSize(sc.style);
  float ax, ay, bx, by;
  FromPolar(sc.rotation, static_cast<float>(double(sc.scaleX) * size.width), ax, ay, false);
  FromPolar(sc.rotation, static_cast<float>(double(sc.scaleY) * size.height), bx, by, true);
  double ox = ax, oy = ay;
  if (which == 1) {
    ox += bx;
    oy += by;
  }
  const double hx = double(sc.x) + ox, hy = double(sc.y) + oy;
  return hx - 3 < x && x < hx + 3 && hy - 3 < y && y < hy + 3;
}

float SnapAngle(float angle) {
  constexpr double kQuarter = kPi / 4;
  return static_cast<float>(std::floor(double(angle) / kQuarter + 0.5) * kQuarter);
}

double PickHalfSize(const Editor& ed) { return 5.0 / ((double(ed.view.zoom) + 1) / 2); }

}  // namespace quorvel
