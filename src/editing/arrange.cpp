#include "editing/arrange.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "document/host.h"
#include "document/numeric.h"
#include "document/undo.h"
#include "editing/clipboard.h"
#include "editing/selection.h"
#include "editing/waypoint_links.h"
#include "view/geometry.h"

namespace quorvel {

namespace {

constexpr const char* kNothingSelected = "You need select something at first.";

void TellNothingSelected(Editor& ed) {
  if (ed.host) ed.host->MessageBox(kNothingSelected, "Problem", MsgIcon::Information, MsgButtons::Ok);
}

int Upto(int last, int capacity) {
  return std::min(last, capacity - 1);
}

// Which records of a kind the selection names, one mark per record 0..last (a record listed twice
// is marked once; entries past the last index are ignored).
std::vector<uint8_t> MarkPolygons(const Editor& ed) {
  const SelectionState& s = ed.sel;
  const int last = Upto(ed.doc.polygonLast, kMaxPolygons);
  std::vector<uint8_t> marks(static_cast<size_t>(std::max(last + 1, 0)), 0);
  for (int i = 0; i <= std::min<int>(s.selVertexLast, kMaxSelectedVertices - 1); ++i) {
    const int p = s.selVertexPolygon[static_cast<size_t>(i)];
    if (p >= 0 && p <= last) marks[static_cast<size_t>(p)] = 1;
  }
  return marks;
}

template <typename List>
std::vector<uint8_t> Mark(const List& list, int listLast, int last, int capacity) {
  last = Upto(last, capacity);
  std::vector<uint8_t> marks(static_cast<size_t>(std::max(last + 1, 0)), 0);
  for (int i = 0; i <= std::min<int>(listLast, static_cast<int>(list.size()) - 1); ++i) {
    const int r = list[static_cast<size_t>(i)];
    if (r >= 0 && r <= last) marks[static_cast<size_t>(r)] = 1;
  }
  return marks;
}

// ---- Mirror and Flip ----

// pi as a Single, so that a rotation of 0 becomes exactly this and comes back exactly to 0 (with
// pi as a double, 0 would come back as -8.7e-8). Some rotations still come back a Single step off,
// a Liana's -pi/2 among them (1.2e-7 rad): no rounding of pi - r can return every r, since fewer
// Singles lie near pi than near 0.
constexpr float kPiSingle = static_cast<float>(kPi);

// Reflection of a Single v about the axis c, given as the Single 2c: 2c - v, taken exactly in
// doubles and rounded once. Reflecting twice about the same axis gives v back whenever the first
// result was exact (whole and half units, grid positions and their texture coordinates, 0) or v
// lies no closer to 0 than its image; other values can come back a Single step off.
float Reflect(float twoC, float v) {
  return static_cast<float>(double(twoC) - v);
}

// Reflection of a fixed-point (x 256) position about the axis n (2c x 256 rounded once): n - v.
// That is 2c x 256 - v rounded, except that an exact half goes the same way for every v, so that
// reflecting twice always gives v back. Held to the 32-bit range.
int32_t ReflectFixed(int64_t n, int32_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(n - v, INT32_MIN, INT32_MAX));
}

void ReflectSelection(Editor& ed, bool mirror) {
  if (ed.currentTool != 0) return;
  const SelectionState& s = ed.sel;
  if (s.selLast < 0) {
    TellNothingSelected(ed);
    return;
  }
  TakeSnapshot(ed, mirror ? "Mirror" : "Flip");
  MapDocument& d = ed.doc;
  const SelRect& r = s.selRect;
  const float twoC =
      mirror ? static_cast<float>(double(r.left) + r.right) : static_cast<float>(double(r.top) + r.bottom);
  // tu = 2c / 160 - tu (tv = 2c / 120 - tv), so a world-aligned texture stays world-aligned.
  const float texture = static_cast<float>(double(twoC) / (mirror ? 160.0 : 120.0));
  const auto fixedAxis = [](double v) {
    return std::isfinite(v) ? static_cast<int64_t>(std::clamp(v, -4.0e18, 4.0e18)) : int64_t{0};
  };
  const int64_t n = fixedAxis(RoundHalfEven(double(twoC) * 256.0));
  // Waypoints lie on whole units (the snapshot just taken rounded them, as every write does), so
  // their axis is taken on whole units too: a reflected waypoint stays on whole units, the next
  // write leaves it where it is, and reflecting twice gives it back. The position is the one the
  // exact axis gives after that write, except where 2c - x ends in exactly half a unit.
  const int64_t nWaypoint = fixedAxis(RoundHalfEven(double(twoC)) * 256.0);

  // Each record once, also when the selection lists it twice.
  std::vector<uint8_t> cornerDone(kMaxPolygons, 0);
  for (int i = 0; i <= std::min<int>(s.selVertexLast, kMaxSelectedVertices - 1); ++i) {
    const int p = s.selVertexPolygon[static_cast<size_t>(i)];
    const int k = s.selVertexCorner[static_cast<size_t>(i)];
    if (p < 0 || p > d.polygonLast || p >= kMaxPolygons || k > 2) continue;
    uint8_t& done = cornerDone[static_cast<size_t>(p)];
    if (done & (1u << k)) continue;
    done = static_cast<uint8_t>(done | (1u << k));
    Vertex& v = d.polygons[static_cast<size_t>(p)].corner[static_cast<size_t>(k)];
    if (mirror) {
      v.x = Reflect(twoC, v.x);
      v.tu = Reflect(texture, v.tu);
    } else {
      v.y = Reflect(twoC, v.y);
      v.tv = Reflect(texture, v.tv);
    }
  }
  const auto spawnMarks = Mark(s.selSpawn, s.selSpawnLast, d.spawnLast, kMaxSpawns);
  for (size_t i = 0; i < spawnMarks.size(); ++i) {
    if (!spawnMarks[i]) continue;
    Spawn& sp = d.spawns[i];
    if (mirror) {
      sp.x = ReflectFixed(n, sp.x);
    } else {
      sp.y = ReflectFixed(n, sp.y);
    }
  }
  const auto waypointMarks = Mark(s.selWaypoint, s.selWaypointLast, d.waypointLast, kMaxWaypoints);
  for (size_t i = 0; i < waypointMarks.size(); ++i) {
    if (!waypointMarks[i]) continue;
    Waypoint& w = d.waypoints[i];
    if (mirror) {
      w.x = ReflectFixed(nWaypoint, w.x);
      std::swap(w.flags[0], w.flags[1]);  // the left and right flags
    } else {
      w.y = ReflectFixed(nWaypoint, w.y);
    }
  }
  const auto sceneryMarks = Mark(s.selScenery, s.selSceneryLast, d.sceneryLast, kMaxScenery);
  for (size_t i = 0; i < sceneryMarks.size(); ++i) {
    if (!sceneryMarks[i]) continue;
    Scenery& sc = d.scenery[i];
    sc.rotation = Reflect(kPiSingle, sc.rotation);
    if (mirror) {
      sc.x = Reflect(twoC, sc.x);
      sc.scaleY = -sc.scaleY;
    } else {
      sc.y = Reflect(twoC, sc.y);
      sc.scaleX = -sc.scaleX;
    }
  }
  const auto colliderMarks = Mark(s.selCollider, s.selColliderLast, d.colliderLast, kMaxColliders);
  for (size_t i = 0; i < colliderMarks.size(); ++i) {
    if (!colliderMarks[i]) continue;
    Collider& c = d.colliders[i];
    if (mirror) {
      c.x = Reflect(twoC, c.x);
    } else {
      c.y = Reflect(twoC, c.y);
    }
  }
  ed.RedrawCanvas();
}

// ---- Bring to Front and Send to Back ----

// Reorders records 0..marks.size()-1 of `records` (and of `parallel`, when given): to the front,
// the unmarked keep their order and the marked follow in theirs; to the back, the marked come
// first, highest index first, then the unmarked in order.
template <typename T, typename U>
void Reorder(T* records, U* parallel, const std::vector<uint8_t>& marks, bool front) {
  if (std::find(marks.begin(), marks.end(), uint8_t{1}) == marks.end()) return;
  const int n = static_cast<int>(marks.size());
  std::vector<int> order;
  order.reserve(static_cast<size_t>(n));
  if (front) {
    for (int i = 0; i < n; ++i)
      if (!marks[static_cast<size_t>(i)]) order.push_back(i);
    for (int i = 0; i < n; ++i)
      if (marks[static_cast<size_t>(i)]) order.push_back(i);
  } else {
    for (int i = n - 1; i >= 0; --i)
      if (marks[static_cast<size_t>(i)]) order.push_back(i);
    for (int i = 0; i < n; ++i)
      if (!marks[static_cast<size_t>(i)]) order.push_back(i);
  }
  std::vector<T> was(records, records + n);
  for (int i = 0; i < n; ++i) records[i] = was[static_cast<size_t>(order[static_cast<size_t>(i)])];
  if (parallel) {
    std::vector<U> wasParallel(parallel, parallel + n);
    for (int i = 0; i < n; ++i) parallel[i] = wasParallel[static_cast<size_t>(order[static_cast<size_t>(i)])];
  }
}

void Arrange(Editor& ed, bool front) {
  if (ed.currentTool != 0) return;
  TakeSnapshot(ed, front ? "Bring" : "Send");
  MapDocument& d = ed.doc;
  Reorder(d.polygons.data(), d.polygonNormals.data(), MarkPolygons(ed), front);
  Reorder(d.scenery.data(), static_cast<Scenery*>(nullptr),
          Mark(ed.sel.selScenery, ed.sel.selSceneryLast, d.sceneryLast, kMaxScenery), front);
  ClearSelection(ed);
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

// ---- Delete ----

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

void MenuMirror_Click(Editor& ed) {
  ReflectSelection(ed, true);
}
void MenuFlip_Click(Editor& ed) {
  ReflectSelection(ed, false);
}
void MenuFront_Click(Editor& ed) {
  Arrange(ed, true);
}
void MenuBack_Click(Editor& ed) {
  Arrange(ed, false);
}

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
