#include "editing/selection.h"

#include <algorithm>

#include "document/host.h"

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

}  // namespace quorvel
