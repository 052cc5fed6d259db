#include "editing/move.h"

#include <algorithm>

#include "document/numeric.h"
#include "document/undo.h"
#include "view/view.h"

namespace quorvel {


void MoveSelection(Editor& ed, float dx, float dy, bool centre) {
  SelectionState& s = ed.sel;
  if (centre) {
    const double z = ed.view.zoom;
    double X = (s.selRect.left - s.selRect.right) * z / 2 + (ed.view.clientWidth - ed.ctl.Ppalkki.width) / 2.0;
    double Y = (s.selRect.top - s.selRect.bottom) * z / 2 + (ed.view.clientHeight - 50) / 2.0;
    int16_t xw = ToInt16(LaskeRuutu2X(ed, float(X)));
    int16_t yw = ToInt16(LaskeRuutu2Y(ed, float(Y)));
    MoveSelection(ed, float(xw - double(s.selRect.left)), float(yw - double(s.selRect.top)), false);
  }
  if (!s.moveSnapshotTaken) {
    TakeSnapshot(ed, "Move");
    s.moveSnapshotTaken = -1;
  }
  MapDocument& d = ed.doc;
  const bool correct = ed.ctl.CBtexEiKorjaus.value != 1;
  for (int i = 0; i <= s.selVertexLast; ++i) {
    Vertex& v = d.polygons[std::clamp<int>(s.selVertexPolygon[i], 0, kMaxPolygons - 1)].corner[s.selVertexCorner[i] % 3];
    v.x = KeptFinite(v.x, v.x + dx);
    v.y = KeptFinite(v.y, v.y + dy);
    if (correct && v.tu != 0 && v.tv != 0) {
      v.tu = KeptFinite(v.tu, float(v.tu + dx / 160.0));
      v.tv = KeptFinite(v.tv, float(v.tv + dy / 120.0));
    }
  }
  for (int i = 0; i <= s.selSpawnLast; ++i) {
    Spawn& sp = d.spawns[s.selSpawn[i] % kMaxSpawns];
    sp.x = ToInt32(sp.x + dx * 256.0);
    sp.y = ToInt32(sp.y + dy * 256.0);
  }
  for (int i = 0; i <= s.selSceneryLast; ++i) {
    Scenery& sc = d.scenery[std::min<int>(s.selScenery[i], kMaxScenery - 1)];
    sc.x = KeptFinite(sc.x, sc.x + dx);
    sc.y = KeptFinite(sc.y, sc.y + dy);
  }
  for (int i = 0; i <= s.selWaypointLast; ++i) {
    Waypoint& w = d.waypoints[std::clamp<int>(s.selWaypoint[i], 0, kMaxWaypoints - 1)];
    w.x = ToInt32(w.x + dx * 256.0);
    w.y = ToInt32(w.y + dy * 256.0);
  }
  for (int i = 0; i <= s.selColliderLast; ++i) {
    Collider& c = d.colliders[s.selCollider[i] % kMaxColliders];
    c.x = KeptFinite(c.x, c.x + dx);
    c.y = KeptFinite(c.y, c.y + dy);
  }
  s.selRect.left += dx;
  s.selRect.right += dx;
  s.selRect.top += dy;
  s.selRect.bottom += dy;
}

}  // namespace quorvel
