#include "editing/delete.h"

#include <algorithm>
#include <vector>

#include "document/host.h"
#include "document/undo.h"
#include "editing/clipboard.h"
#include "editing/edit_support.h"
#include "editing/selection.h"
#include "editing/waypoint_links.h"

namespace quorvel {

namespace {

using namespace edit_support;

// Removes the marked records of 0..last, the rest moving down in order; `move` (to, from) moves
// one record. Records above the last index (the clipboard's) are never touched. Returns the new
// last index.
template <typename Move>
int Compact(const std::vector<uint8_t>& marks, Move move) {
  int to = 0;
  for (int from = 0; from < static_cast<int>(marks.size()); ++from) {
    if (marks[static_cast<size_t>(from)]) continue;
    if (to != from) move(to, from);
    ++to;
  }
  return to - 1;
}

void ClearFreedSpawn(Spawn& sp) {
  sp.active = 0;
  sp.type = 0;
  sp.signByte = 0;
  sp.x = sp.y = 0;
}
void ClearFreedScenery(Scenery& sc) {
  sc.active = 0;
  sc.style = 0;
  sc.x = sc.y = 0;
  sc.scaleX = sc.scaleY = 0;
}
void ClearFreedCollider(Collider& c) {
  c.active = 0;
  c.radius = 0;
  c.x = c.y = 0;
}
void ClearFreedWaypoint(Waypoint& w) {
  w.active = 0;
  w.path = 0;
  w.x = w.y = 0;
  w.id = 0;
}

// First id given to a clipboard copy whose original is deleted: above every id a map can hold, so
// the copies' links among themselves still find it at the next Paste.
constexpr int32_t kOrphanCopyId = 1000000;

// Deletes the marked waypoints. Every link to a deleted waypoint disappears (repeated links too);
// every waypoint after the first deleted one takes the id of its new index + 1 and the links that
// held its old id follow it. The clipboard's waypoint copies are rewritten the same way, so that
// their links to map waypoints stay right; a copy of a deleted waypoint keeps a number of its own
// for the links among the copies.
void DeleteWaypoints(Editor& ed, const std::vector<uint8_t>& marks) {
  MapDocument& d = ed.doc;
  const int last = static_cast<int>(marks.size()) - 1;
  const auto firstIt = std::find(marks.begin(), marks.end(), uint8_t{1});
  if (firstIt == marks.end()) return;
  const int first = static_cast<int>(firstIt - marks.begin());

  // Deletions are decided first, so they win over a renumbering of the same id.
  auto fill = [&](LinkMap& map) {
    for (int i = first; i <= last; ++i)
      if (marks[static_cast<size_t>(i)]) map.Remove(d.waypoints[static_cast<size_t>(i)].id);
    int next = first;
    for (int i = first; i <= last; ++i)
      if (!marks[static_cast<size_t>(i)]) map.Renumber(d.waypoints[static_cast<size_t>(i)].id, ++next);
  };

  LinkMap map;
  fill(map);
  const ClipboardState& c = ed.clip;
  if (c.clipLast >= 0 && c.clipWaypointLast >= 0) {
    LinkMap forCopies;
    for (int k = 0; k <= c.clipWaypointLast; ++k) {
      const int32_t id = d.waypoints[static_cast<size_t>(ClipWaypointSlot(k))].id;
      forCopies.Renumber(id, map.Removed(id) ? kOrphanCopyId + k : map.Apply(id));
    }
    fill(forCopies);
    for (int k = 0; k <= c.clipWaypointLast; ++k) {
      Waypoint& copy = d.waypoints[static_cast<size_t>(ClipWaypointSlot(k))];
      forCopies.Apply(copy);
      copy.id = forCopies.Apply(copy.id);
    }
  }

  for (int i = 0; i <= last; ++i)
    if (!marks[static_cast<size_t>(i)]) map.Apply(d.waypoints[static_cast<size_t>(i)]);
  const int newLast = Compact(marks, [&](int to, int from) {
    d.waypoints[static_cast<size_t>(to)] = d.waypoints[static_cast<size_t>(from)];
  });
  for (int i = first; i <= newLast; ++i) d.waypoints[static_cast<size_t>(i)].id = i + 1;
  for (int i = newLast + 1; i <= last; ++i) ClearFreedWaypoint(d.waypoints[static_cast<size_t>(i)]);
  d.waypointLast = static_cast<int16_t>(newLast);
}

// A style from 1 to 21 for the scenery tool's next press: the type box's choice, else the style of
// the last remaining scenery, else the first style.
int16_t NextSceneryStyle(const Editor& ed) {
  for (int style = 1; style <= 21; ++style)
    if (ed.ctl.CBscenery.text == sceneryNames[static_cast<size_t>(style)]) return static_cast<int16_t>(style);
  if (ed.doc.sceneryLast >= 0) {
    const int style = ed.doc.scenery[static_cast<size_t>(Upto(ed.doc.sceneryLast, kMaxScenery))].style;
    if (style >= 1 && style <= 21) return static_cast<int16_t>(style);
  }
  return 1;
}

void PolygonToolDelete(Editor& ed) {
  MapDocument& d = ed.doc;
  if (d.polygonLast < 0) return;
  Polygon& p = d.polygons[static_cast<size_t>(Upto(d.polygonLast, kMaxPolygons))];
  if (ed.toolParam == 1) {
    --d.polygonLast;  // the triangle in progress had only its first corner
    ed.toolParam = 0;
  } else if (ed.toolParam == 2) {
    // Back to one placed corner: corner 1 moves on with the pointer (where corner 2 was), corner 2
    // waits on corner 0 again.
    p.corner[1].x = p.corner[2].x;
    p.corner[1].y = p.corner[2].y;
    p.corner[1].tu = 0;
    p.corner[1].tv = 0;
    p.corner[2].x = p.corner[0].x;
    p.corner[2].y = p.corner[0].y;
    ed.toolParam = 1;
  } else {
    for (Vertex& v : p.corner) v.colour.alpha = 0;
    --d.polygonLast;
  }
}

void WaypointToolDelete(Editor& ed) {
  MapDocument& d = ed.doc;
  SelectionState& s = ed.sel;
  if (d.waypointLast < 0) return;
  if (s.connectFrom >= 0) {
    s.connectFrom = -1;
    return;
  }
  const int under = s.selWaypointLast >= 0 ? s.selWaypoint[0] : -1;
  const int target = under >= 0 && under <= d.waypointLast ? under : Upto(d.waypointLast, kMaxWaypoints);
  s.selLast = s.selVertexLast = s.selSpawnLast = s.selSceneryLast = s.selColliderLast = -1;
  s.selWaypointLast = 0;
  s.selWaypoint[0] = static_cast<int16_t>(target);
  s.selLast = 0;
  TakeSnapshot(ed, "Delete");  // the deletion runs as in the Edit tool, with its own snapshot
  DeleteSelected(ed);
  if (ed.host) ed.host->SetPointer(PointerShape::Cross);
}

}  // namespace

void DeleteSelected(Editor& ed) {
  MapDocument& d = ed.doc;
  const SelectionState& s = ed.sel;

  const auto polygonMarks = MarkPolygons(ed);
  const int polygonLast = Compact(polygonMarks, [&](int to, int from) {
    d.polygons[static_cast<size_t>(to)] = d.polygons[static_cast<size_t>(from)];
    d.polygonNormals[static_cast<size_t>(to)] = d.polygonNormals[static_cast<size_t>(from)];
  });
  if (polygonLast < static_cast<int>(polygonMarks.size()) - 1) {
    d.polygonLast = static_cast<int16_t>(polygonLast);
    for (Vertex& v : d.polygons[static_cast<size_t>(polygonLast + 1)].corner) v.colour.alpha = 0;
  }

  const auto spawnMarks = Mark(s.selSpawn, s.selSpawnLast, d.spawnLast, kMaxSpawns);
  const int spawnLast = Compact(spawnMarks, [&](int to, int from) {
    d.spawns[static_cast<size_t>(to)] = d.spawns[static_cast<size_t>(from)];
  });
  for (int i = spawnLast + 1; i < static_cast<int>(spawnMarks.size()); ++i)
    ClearFreedSpawn(d.spawns[static_cast<size_t>(i)]);
  if (!spawnMarks.empty()) d.spawnLast = static_cast<int16_t>(spawnLast);

  const auto sceneryMarks = Mark(s.selScenery, s.selSceneryLast, d.sceneryLast, kMaxScenery);
  const int sceneryLast = Compact(sceneryMarks, [&](int to, int from) {
    d.scenery[static_cast<size_t>(to)] = d.scenery[static_cast<size_t>(from)];
  });
  for (int i = sceneryLast + 1; i < static_cast<int>(sceneryMarks.size()); ++i)
    ClearFreedScenery(d.scenery[static_cast<size_t>(i)]);
  if (!sceneryMarks.empty()) d.sceneryLast = static_cast<int16_t>(sceneryLast);

  DeleteWaypoints(ed, Mark(s.selWaypoint, s.selWaypointLast, d.waypointLast, kMaxWaypoints));

  const auto colliderMarks = Mark(s.selCollider, s.selColliderLast, d.colliderLast, kMaxColliders);
  const int colliderLast = Compact(colliderMarks, [&](int to, int from) {
    CopyColliderObject(d.colliders[static_cast<size_t>(to)], d.colliders[static_cast<size_t>(from)]);
  });
  for (int i = colliderLast + 1; i < static_cast<int>(colliderMarks.size()); ++i)
    ClearFreedCollider(d.colliders[static_cast<size_t>(i)]);
  if (!colliderMarks.empty()) d.colliderLast = static_cast<int16_t>(colliderLast);

  ClearSelection(ed);
}

void MenuDelete_Click(Editor& ed) {
  TakeSnapshot(ed, "Delete");
  MapDocument& d = ed.doc;
  switch (ed.currentTool) {
    case 0:
      if (ed.sel.selLast < 0) {
        TellNothingSelected(ed);
        return;
      }
      DeleteSelected(ed);
      break;
    case 1:
      PolygonToolDelete(ed);
      break;
    case 2:
      if (d.spawnLast >= 0) ClearFreedSpawn(d.spawns[static_cast<size_t>(Upto(d.spawnLast--, kMaxSpawns))]);
      break;
    case 3:
      if (d.sceneryLast >= 0)
        ClearFreedScenery(d.scenery[static_cast<size_t>(Upto(d.sceneryLast--, kMaxScenery))]);
      // Ends a rotation in progress (the scenery being turned was the last one) and names a style
      // for the next press.
      if (ed.toolParam < 1 || ed.toolParam > 21) ed.toolParam = NextSceneryStyle(ed);
      break;
    case 4:
      if (d.colliderLast >= 0)
        ClearFreedCollider(d.colliders[static_cast<size_t>(Upto(d.colliderLast--, kMaxColliders))]);
      break;
    case 5:
      WaypointToolDelete(ed);
      break;
    default:
      break;
  }
  // A pointer-made selection (the vertex under the pointer) may name the removed object.
  DropStaleSelection(ed);
  if (ed.host) ed.host->FocusBottomBar();
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

}  // namespace quorvel
