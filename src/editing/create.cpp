#include "editing/create.h"

#include <algorithm>
#include <cmath>

#include "document/host.h"
#include "document/numeric.h"
#include "document/save_normalise.h"
#include "document/undo.h"
#include "editing/drag.h"
#include "editing/selection.h"
#include "editing/tools.h"
#include "view/geometry.h"
#include "view/view.h"

namespace quorvel {

namespace {

constexpr int kPositionLimit = 8388607;  // whole world units a 32-bit fixed-point position holds

struct Point {
  float x, y;
};

Point World(const Editor& ed, float x, float y) { return {LaskeRuutu2X(ed, x), LaskeRuutu2Y(ed, y)}; }

bool Snapping(const Editor& ed) { return ed.view.gridSize >= 1 && !ed.ctrlDown; }

// The grid point under the pointer, or the exact point with snapping off.
Point Placement(const Editor& ed, float x, float y) {
  if (!Snapping(ed)) return World(ed, x, y);
  Point p;
  SnapToGrid(ed, x, y, p.x, p.y);
  return p;
}

}  // namespace

void PlacementPoint(const Editor& ed, float x, float y, float& worldX, float& worldY) {
  const Point p = Placement(ed, x, y);
  worldX = p.x;
  worldY = p.y;
}

namespace {

int32_t Fixed256(double v) { return ToInt32(v * 256.0); }
// A snapped point is stored on whole units.
int32_t WholeFixed256(double v) {
  return static_cast<int32_t>(std::clamp<double>(RoundHalfEven(v), -kPositionLimit, kPositionLimit)) * 256;
}

void Refuse(Editor& ed, const char* text) {
  ed.host->MessageBox(text, "Problem", MsgIcon::Critical, MsgButtons::Ok);
}

// A new object of a kind: the capacity is tested first, so a refused press leaves no snapshot.
// Returns the new index, or -1 when refused.
int Append(Editor& ed, int16_t& last, int lastAllowed, const char* full, const char* label) {
  if (last >= lastAllowed) {
    Refuse(ed, full);
    return -1;
  }
  TakeSnapshot(ed, label);
  return ++last;
}

Colour4 VertexColour(const Editor& ed) { return UnpackedColour(ed.ctl.CBverticevari.backColour, 255); }

Vertex* FirstSelectedVertex(Editor& ed) {
  const SelectionState& s = ed.sel;
  if (s.selVertexLast < 0) return nullptr;
  const int p = s.selVertexPolygon[0];
  if (p < 0 || p >= kMaxPolygons) return nullptr;
  return &ed.doc.polygons[static_cast<size_t>(p)].corner[s.selVertexCorner[0] % 3];
}

// Every selected vertex takes the current vertex colour, so a corner the new triangle joins
// matches it.
void ColourSelectedVertices(Editor& ed) {
  const Colour4 c = VertexColour(ed);
  const SelectionState& s = ed.sel;
  for (int i = 0; i <= std::min<int>(s.selVertexLast, kMaxSelectedVertices - 1); ++i) {
    const int p = s.selVertexPolygon[static_cast<size_t>(i)];
    if (p < 0 || p >= kMaxPolygons) continue;
    ed.doc.polygons[static_cast<size_t>(p)].corner[s.selVertexCorner[static_cast<size_t>(i)] % 3].colour = c;
  }
}

void SetCorner(Vertex& v, float x, float y, Colour4 colour) {
  v.x = x;
  v.y = y;
  v.z = 1.0f;
  v.rhw = 1.0f;
  v.colour = colour;
  v.tu = static_cast<float>(x / 160.0);
  v.tv = static_cast<float>(y / 120.0);
}

void PolygonPress(Editor& ed, float x, float y) {
  MapDocument& d = ed.doc;
  const int n = ed.toolParam;
  if (n <= 0) {
    if (Append(ed, d.polygonLast, kMaxPolygons - 1, "Max number of polygons reached.", "Polygon") < 0) return;
    Point p = Placement(ed, x, y);
    const Vertex* joined = FirstSelectedVertex(ed);
    if (!Snapping(ed) && joined) p = {joined->x, joined->y};
    const Colour4 colour = VertexColour(ed);
    for (Vertex& v : d.polygons[static_cast<size_t>(d.polygonLast)].corner) SetCorner(v, p.x, p.y, colour);
    if (!Snapping(ed)) ColourSelectedVertices(ed);
    ed.toolParam = 1;
    ed.RefreshPanels();
    ed.RedrawCanvas();
    return;
  }
  if (n > 2 || d.polygonLast < 0) return;
  Polygon& poly = d.polygons[static_cast<size_t>(d.polygonLast)];
  Vertex& corner = poly.corner[static_cast<size_t>(n)];
  if (ed.shiftDown) {
    ConstrainCorner(ed, x, y);
  } else {
    const Point p = Placement(ed, x, y);
    corner.x = p.x;
    corner.y = p.y;
  }
  if (const Vertex* joined = FirstSelectedVertex(ed); joined && !ed.shiftDown) {
    corner.x = joined->x;
    corner.y = joined->y;
    ColourSelectedVertices(ed);
  }
  corner.tu = static_cast<float>(corner.x / 160.0);
  corner.tv = static_cast<float>(corner.y / 120.0);
  corner.colour = VertexColour(ed);
  if (n == 2) {
    EdgeNormals& normals = d.polygonNormals[static_cast<size_t>(d.polygonLast)];
    for (int k = 0; k < 3; ++k) {
      const Vertex& a = poly.corner[static_cast<size_t>(k)];
      const Vertex& b = poly.corner[static_cast<size_t>((k + 1) % 3)];
      const Normal e = EdgeNormal(static_cast<float>(double(a.x) - b.x), static_cast<float>(double(a.y) - b.y));
      normals.normal[static_cast<size_t>(k)].x = e.x;
      normals.normal[static_cast<size_t>(k)].y = e.y;
    }
    ed.toolParam = 0;
  } else {
    ed.toolParam = 2;
  }
  ed.RedrawCanvas();
}

void SpawnPress(Editor& ed, float x, float y) {
  MapDocument& d = ed.doc;
  const int i = Append(ed, d.spawnLast, kMaxSpawns - 1, "Max number of spawns reached.", "Spwan");
  if (i < 0) return;
  Spawn& sp = d.spawns[static_cast<size_t>(i)];
  const Point exact = World(ed, x, y);
  if (Snapping(ed)) {
    const Point p = Placement(ed, x, y);
    sp.x = WholeFixed256(p.x);
    sp.y = WholeFixed256(p.y);
  } else {
    sp.x = Fixed256(exact.x);
    sp.y = Fixed256(exact.y);
  }
  sp.active = 256;
  sp.type = static_cast<uint8_t>(ed.toolParam);
  // The preview shows at the pointer before it moves.
  if (i + 1 <= kMaxSpawns - 2) {
    Spawn& next = d.spawns[static_cast<size_t>(i + 1)];
    next.active = 256;
    next.x = Fixed256(exact.x);
    next.y = Fixed256(exact.y);
    next.type = sp.type;
  }
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

uint8_t AlphaFromVisibility(const std::string& text) {
  if (text.empty()) return 255;
  const double v = LeadingNumber(std::string_view(text).substr(0, text.size() - 1));
  // The box offers 100% down to 25%; a typed value outside 0..100 is held to that range.
  return static_cast<uint8_t>(std::clamp<double>(RoundHalfEven(std::clamp(v, 0.0, 100.0) / 100 * 255), 0, 255));
}

void SceneryPress(Editor& ed, float x, float y) {
  MapDocument& d = ed.doc;
  if (ed.toolParam == -9999) {
    if (d.sceneryLast >= 0) {
      const Point w = World(ed, x, y);
      RotateSceneryTowards(ed, d.sceneryLast, w.x, w.y);
    }
    ed.toolParam = 0;
    OBvalinta_Click(ed, 3);
  } else {
    // A 255th would vanish at the next write (snapshot or save): refuse it instead.
    const int i = Append(ed, d.sceneryLast, kSceneryLastKept, "Max number of sceneries reached.", "Scenery");
    if (i < 0) return;
    Scenery& s = d.scenery[static_cast<size_t>(i)];
    const Point p = Placement(ed, x, y);
    const SceneryStyleSize size = StyleSize(ed.toolParam);
    s.active = 1;
    s.style = static_cast<uint8_t>(ed.toolParam);
    s.pad = {};
    s.width = size.width;
    s.height = size.height;
    s.x = static_cast<float>(p.x + 0.5);
    s.y = static_cast<float>(p.y + 0.5);
    s.rotation = 0;
    s.scaleX = 1.0f;
    s.scaleY = 1.0f;
    s.alpha = AlphaFromVisibility(ed.ctl.CBscenery2.text);
    s.pad2 = {};
    if (s.style == 5) {
      s.rotation = static_cast<float>(-kPi / 2);  // a Liana hangs down: placed in one press
    } else {
      ed.toolParam = -9999;
    }
  }
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

void ColliderPress(Editor& ed, float x, float y) {
  MapDocument& d = ed.doc;
  const int i = Append(ed, d.colliderLast, kMaxColliders - 1, "Max number of colliders reached.", "Collider");
  if (i < 0) return;
  Collider& c = d.colliders[static_cast<size_t>(i)];
  const Point p = Placement(ed, x, y);
  c.x = p.x;
  c.y = p.y;
  c.active = 1;
  c.radius = ed.toolParam;
  if (i + 1 <= kMaxColliders - 2) {
    Collider& next = d.colliders[static_cast<size_t>(i + 1)];
    const Point exact = World(ed, x, y);
    next.active = 1;
    next.x = exact.x;
    next.y = exact.y;
    next.radius = c.radius;
  }
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

// Appends a link to waypoint `to` (index) on waypoint `from`; false when it has no room left.
bool AddLink(MapDocument& d, int from, int to) {
  Waypoint& w = d.waypoints[static_cast<size_t>(from)];
  // A count from a file may be anything: below 0 counts as none.
  if (w.connectionCount < 0) w.connectionCount = 0;
  if (w.connectionCount >= kMaxConnections) return false;
  w.connections[static_cast<size_t>(w.connectionCount++)] = to + 1;
  return true;
}

void WaypointPress(Editor& ed, float x, float y) {
  MapDocument& d = ed.doc;
  SelectionState& s = ed.sel;
  if (s.connectFrom >= kMaxWaypoints) s.connectFrom = -1;
  const int under = s.selWaypointLast >= 0 ? s.selWaypoint[0] : -1;
  if (under >= 0 || s.connectFrom >= 0) {
    if (s.connectFrom < 0) {
      if (under >= kMaxWaypoints) return;
      if (d.waypoints[static_cast<size_t>(under)].connectionCount < kMaxConnections) {
        TakeSnapshot(ed, "Waypoint");
        s.connectFrom = static_cast<int16_t>(under);
      } else {
        Refuse(ed, "Selected waypoint have max number of connections.");
      }
    } else if (under < 0 || under >= kMaxWaypoints) {
      s.connectFrom = -1;
    } else {
      // A link from a waypoint to itself would hold a bot there for good: it is not made.
      if (under != s.connectFrom) AddLink(d, s.connectFrom, under);
      s.connectFrom = -1;
    }
    ed.RedrawCanvas();
    return;
  }
  const int i = Append(ed, d.waypointLast, kMaxWaypoints - 1, "Max number of waypoints reached.", "Waypoint");
  if (i < 0) return;
  Waypoint& w = d.waypoints[static_cast<size_t>(i)];
  const Point p = World(ed, x, y);
  w.active = 1;
  w.id = i + 1;
  w.x = Fixed256(p.x);
  w.y = Fixed256(p.y);
  for (size_t k = 0; k < 5; ++k) w.flags[k] = ed.ctl.CBbotValinta[k].value == 1 ? 1 : 0;
  w.path = ed.toolParam;
  w.connectionCount = 0;
  // Shift or Ctrl chains the new waypoint to the one placed before it.
  if ((ed.shiftDown || ed.ctrlDown) && i >= 1) AddLink(d, i - 1, i);
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

void PolygonMotion(Editor& ed, float x, float y) {
  MapDocument& d = ed.doc;
  const int n = ed.toolParam;
  const bool inProgress = n >= 1 && n <= 2 && d.polygonLast >= 0;
  const bool full = d.polygonLast >= kMaxPolygons - 1;
  Vertex* preview = full ? nullptr : &d.polygons[static_cast<size_t>(d.polygonLast + 1)].corner[0];
  if (ed.shiftDown) {
    ConstrainCorner(ed, x, y);
  } else if (Snapping(ed)) {
    const Point p = Placement(ed, x, y);
    Vertex* v = inProgress ? &d.polygons[static_cast<size_t>(d.polygonLast)].corner[static_cast<size_t>(n)] : preview;
    if (v) {
      v->x = p.x;
      v->y = p.y;
    }
  } else {
    // The vertex under the pointer is the one the next press joins.
    const Point w = World(ed, x, y);
    const double h = PickHalfSize(ed);
    SelRect& r = ed.sel.selRect;
    r = SelRect{static_cast<float>(w.x - h), static_cast<float>(w.x + h), static_cast<float>(w.y - h),
                static_cast<float>(w.y + h)};
    SelectInSelRect(ed, false, kSelectFirstVertex);
    if (inProgress) {
      Vertex& v = d.polygons[static_cast<size_t>(d.polygonLast)].corner[static_cast<size_t>(n)];
      const Vertex* joined = FirstSelectedVertex(ed);
      v.x = joined ? joined->x : w.x;
      v.y = joined ? joined->y : w.y;
      v.colour = VertexColour(ed);
    }
    ed.RefreshPanels();
    if (ed.sel.selLast < 0 && preview) {
      preview->x = w.x;
      preview->y = w.y;
    }
  }
  ed.RedrawCanvas();
}

void WaypointMotion(Editor& ed, float x, float y) {
  const Point w = World(ed, x, y);
  SelRect& r = ed.sel.selRect;
  r = SelRect{static_cast<float>(w.x - 7.0), static_cast<float>(w.x + 7.0), static_cast<float>(w.y - 7.0),
              static_cast<float>(w.y + 7.0)};
  SelectInSelRect(ed, false, kSelectFirstWaypoint);
  ed.sel.pointerWorldX = ToInt16(w.x);
  ed.sel.pointerWorldY = ToInt16(w.y);
  ed.RedrawCanvas();
}

}  // namespace

void ConstrainCorner(Editor& ed, float screenX, float screenY) {
  MapDocument& d = ed.doc;
  const int n = ed.toolParam;
  if (n < 1 || n > 2 || d.polygonLast < 0) return;
  Polygon& poly = d.polygons[static_cast<size_t>(d.polygonLast)];
  const Vertex& prev = poly.corner[static_cast<size_t>(n - 1)];
  const Point w = World(ed, screenX, screenY);
  float a, len;
  ToPolar(static_cast<float>(double(prev.x) - w.x), static_cast<float>(double(prev.y) - w.y), a, len);
  const double snapped = double(SnapAngle(a)) + kPi;
  Vertex& v = poly.corner[static_cast<size_t>(n)];
  v.x = static_cast<float>(prev.x + len * std::cos(-snapped));
  v.y = static_cast<float>(prev.y + len * std::sin(-snapped));
}

void AddToolPress(Editor& ed, float x, float y) {
  switch (ed.currentTool) {
    case 1: PolygonPress(ed, x, y); break;
    case 2: SpawnPress(ed, x, y); break;
    case 3: SceneryPress(ed, x, y); break;
    case 4: ColliderPress(ed, x, y); break;
    case 5: WaypointPress(ed, x, y); break;
    default: break;
  }
}

void ShowToolParamInPreview(Editor& ed) {
  MapDocument& d = ed.doc;
  if (ed.currentTool == 2 && d.spawnLast < kMaxSpawns - 1) {
    d.spawns[static_cast<size_t>(d.spawnLast + 1)].type = static_cast<uint8_t>(ed.toolParam);
  } else if (ed.currentTool == 3 && ed.toolParam != -9999 && d.sceneryLast < kSceneryLastKept) {
    d.scenery[static_cast<size_t>(d.sceneryLast + 1)].style = static_cast<uint8_t>(ed.toolParam);
  } else if (ed.currentTool == 4 && d.colliderLast < kMaxColliders - 1) {
    d.colliders[static_cast<size_t>(d.colliderLast + 1)].radius = ed.toolParam;
  }
}

void AddToolMotion(Editor& ed, float x, float y) {
  MapDocument& d = ed.doc;
  switch (ed.currentTool) {
    case 1:
      if (ed.rightButtonDown == 0) PolygonMotion(ed, x, y);
      break;
    case 2:
      if (d.spawnLast < kMaxSpawns - 1) {
        Spawn& sp = d.spawns[static_cast<size_t>(d.spawnLast + 1)];
        const Point p = Placement(ed, x, y);
        sp.x = Snapping(ed) ? WholeFixed256(p.x) : Fixed256(p.x);
        sp.y = Snapping(ed) ? WholeFixed256(p.y) : Fixed256(p.y);
        sp.type = static_cast<uint8_t>(ed.toolParam);
        sp.signByte = 0;
        sp.extra = {};
        sp.active = 0;
        ed.RedrawCanvas();
      }
      break;
    case 3:
      if (ed.toolParam == -9999) {
        if (d.sceneryLast >= 0) {
          const Point w = World(ed, x, y);
          RotateSceneryTowards(ed, d.sceneryLast, w.x, w.y);
        }
        ed.RedrawCanvas();
      } else if (d.sceneryLast < kSceneryLastKept) {
        Scenery& s = d.scenery[static_cast<size_t>(d.sceneryLast + 1)];
        const Point p = Placement(ed, x, y);
        s.x = static_cast<float>(p.x + 0.5);
        s.y = static_cast<float>(p.y + 0.5);
        s.style = static_cast<uint8_t>(ed.toolParam);
        s.scaleX = s.scaleY = 1.0f;
        s.rotation = 0;
        ed.RedrawCanvas();
      }
      break;
    case 4:
      if (d.colliderLast < kMaxColliders - 1) {
        Collider& c = d.colliders[static_cast<size_t>(d.colliderLast + 1)];
        const Point p = Placement(ed, x, y);
        c.x = p.x;
        c.y = p.y;
        c.radius = ed.toolParam;
        ed.RedrawCanvas();
      }
      break;
    case 5:
      if (ed.rightButtonDown == 0) WaypointMotion(ed, x, y);
      break;
    default:
      break;
  }
}

}  // namespace quorvel
