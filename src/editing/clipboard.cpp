#include "editing/clipboard.h"

#include <algorithm>
#include <vector>

#include "document/host.h"
#include "document/undo.h"
#include "editing/move.h"
#include "editing/selection.h"
#include "editing/waypoint_links.h"

namespace quorvel {

namespace {

// Free records above a last index, never negative.
int Room(int lastAllowed, int last) {
  return std::max(0, lastAllowed - last);
}

// Cuts a selection list to `room` entries; true when it had more.
bool CutSelection(int16_t& selKindLast, int room) {
  if (selKindLast + 1 <= room) return false;
  selKindLast = static_cast<int16_t>(room - 1);
  return true;
}

void CopyPolygons(Editor& ed) {
  MapDocument& d = ed.doc;
  const SelectionState& s = ed.sel;
  const int room = Room(kMaxPolygons - 1, d.polygonLast);
  int n = 0;
  const int last = std::min<int>(s.selVertexLast, kMaxSelectedVertices - 1);
  for (int i = 0; i <= last;) {
    const int p = s.selVertexPolygon[static_cast<size_t>(i)];
    // A polygon with two or three selected corners (listed one after the other) is copied once.
    int next = i + 1;
    while (next <= last && next <= i + 2 && s.selVertexPolygon[static_cast<size_t>(next)] == p) ++next;
    i = next;
    if (n >= room) {
      ed.clip.clipOverflow = true;
      break;
    }
    // The selection names objects only (stale entries were dropped), so every source lies at or
    // below polygonLast and every slot above it.
    d.polygons[static_cast<size_t>(ClipPolygonSlot(n))] = d.polygons[static_cast<size_t>(p)];
    d.polygonNormals[static_cast<size_t>(ClipPolygonSlot(n))] = d.polygonNormals[static_cast<size_t>(p)];
    ++n;
  }
  ed.clip.clipPolygonLast = static_cast<int16_t>(n - 1);
}

}  // namespace

void MenuCopy_Click(Editor& ed) {
  if (ed.currentTool != 0) return;
  ClipboardState& c = ed.clip;
  MapDocument& d = ed.doc;
  SelectionState& s = ed.sel;
  c.clipOverflow = false;
  DropStaleSelection(ed);

  CopyPolygons(ed);

  if (CutSelection(s.selSpawnLast, Room(kMaxSpawns - 1, d.spawnLast))) c.clipOverflow = true;
  for (int k = 0; k <= s.selSpawnLast; ++k)
    d.spawns[static_cast<size_t>(ClipSpawnSlot(k))] = d.spawns[s.selSpawn[static_cast<size_t>(k)]];
  c.clipSpawnLast = s.selSpawnLast;

  // A 255th scenery would be dropped by the next write (kSceneryLastKept), so the copies leave room
  // for at most 254 after a Paste.
  if (CutSelection(s.selSceneryLast, Room(kSceneryLastKept, d.sceneryLast))) c.clipOverflow = true;
  c.clipSceneryLast = s.selSceneryLast;
  for (int k = 0; k <= s.selSceneryLast; ++k)
    d.scenery[static_cast<size_t>(ClipScenerySlot(c, k))] = d.scenery[s.selScenery[static_cast<size_t>(k)]];

  if (CutSelection(s.selWaypointLast, Room(kMaxWaypoints - 1, d.waypointLast))) c.clipOverflow = true;
  for (int k = 0; k <= s.selWaypointLast; ++k)
    d.waypoints[static_cast<size_t>(ClipWaypointSlot(k))] =
        d.waypoints[static_cast<size_t>(s.selWaypoint[static_cast<size_t>(k)])];
  c.clipWaypointLast = s.selWaypointLast;

  if (CutSelection(s.selColliderLast, Room(kMaxColliders - 1, d.colliderLast))) c.clipOverflow = true;
  for (int k = 0; k <= s.selColliderLast; ++k)
    CopyColliderObject(d.colliders[static_cast<size_t>(ClipColliderSlot(k))],
                       d.colliders[s.selCollider[static_cast<size_t>(k)]]);
  c.clipColliderLast = s.selColliderLast;

  s.selLast = static_cast<int16_t>(s.selVertexLast + s.selSpawnLast + s.selSceneryLast + s.selWaypointLast +
                                   s.selColliderLast + 4);
  c.clipLast = static_cast<int16_t>(c.clipPolygonLast + c.clipSpawnLast + c.clipSceneryLast +
                                    c.clipWaypointLast + c.clipColliderLast + 4);
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

namespace {

// Every copy, read out of its slot before any is written: the targets above the last indices may
// reach into the slots that still hold copies not yet pasted.
struct Copies {
  std::vector<Polygon> polygons;
  std::vector<EdgeNormals> normals;
  std::vector<Spawn> spawns;
  std::vector<Scenery> scenery;
  std::vector<Waypoint> waypoints;
  std::vector<Collider> colliders;
};

Copies ReadCopies(const Editor& ed) {
  const MapDocument& d = ed.doc;
  const ClipboardState& c = ed.clip;
  Copies out;
  for (int k = 0; k <= c.clipPolygonLast; ++k) {
    out.polygons.push_back(d.polygons[static_cast<size_t>(ClipPolygonSlot(k))]);
    out.normals.push_back(d.polygonNormals[static_cast<size_t>(ClipPolygonSlot(k))]);
  }
  for (int k = 0; k <= c.clipSpawnLast; ++k)
    out.spawns.push_back(d.spawns[static_cast<size_t>(ClipSpawnSlot(k))]);
  for (int k = 0; k <= c.clipSceneryLast; ++k)
    out.scenery.push_back(d.scenery[static_cast<size_t>(ClipScenerySlot(c, k))]);
  for (int k = 0; k <= c.clipWaypointLast; ++k)
    out.waypoints.push_back(d.waypoints[static_cast<size_t>(ClipWaypointSlot(k))]);
  for (int k = 0; k <= c.clipColliderLast; ++k)
    out.colliders.push_back(d.colliders[static_cast<size_t>(ClipColliderSlot(k))]);
  return out;
}

// How many of `count` copies fit above `last`; sets the overflow when not all do (possible only if
// a last index grew since the Copy).
int Fitting(int count, int lastAllowed, int last, bool& overflow) {
  const int n = std::min(count, Room(lastAllowed, last));
  if (n < count) overflow = true;
  return n;
}

// Waypoint renumbering of the pasted copies: copy k, going to index first + k, gets the id
// first + k + 1, and every link among the copies that held a copy's old id follows it to the new
// number (the first copy with that id, as renumbering in order gives). Links to
// waypoints outside the clipboard keep their numbers.
void RenumberCopies(std::vector<Waypoint>& copies, int first) {
  LinkMap map;
  for (size_t k = 0; k < copies.size(); ++k) map.Renumber(copies[k].id, first + static_cast<int32_t>(k) + 1);
  for (size_t k = 0; k < copies.size(); ++k) {
    map.Apply(copies[k]);
    copies[k].id = first + static_cast<int32_t>(k) + 1;
  }
}

}  // namespace

namespace {

void TellPartialPaste(Editor& ed) {
  if (ed.host)
    ed.host->MessageBox("Some of copied objects couldnt be pasted", "Problem", MsgIcon::Critical, MsgButtons::Ok);
  ed.clip.clipOverflow = false;
}

}  // namespace

void MenuPaste_Click(Editor& ed) {
  if (ed.currentTool != 0) return;
  ClipboardState& c = ed.clip;
  if (c.clipLast < 0) {
    // A Copy with no room for any of its selection kept nothing, and still says so here.
    if (c.clipOverflow) {
      TellPartialPaste(ed);
      ed.RefreshPanels();
    }
    return;
  }
  TakeSnapshot(ed, "Paste");
  MapDocument& d = ed.doc;
  SelectionState& s = ed.sel;
  Copies copies = ReadCopies(ed);
  bool overflow = c.clipOverflow;

  s.selLast = s.selVertexLast = s.selSpawnLast = s.selSceneryLast = s.selWaypointLast = s.selColliderLast =
      -1;

  const int polygons =
      Fitting(static_cast<int>(copies.polygons.size()), kMaxPolygons - 1, d.polygonLast, overflow);
  for (int k = 0; k < polygons; ++k) {
    const int p = ++d.polygonLast;
    d.polygons[static_cast<size_t>(p)] = copies.polygons[static_cast<size_t>(k)];
    d.polygonNormals[static_cast<size_t>(p)] = copies.normals[static_cast<size_t>(k)];
    for (int corner = 0; corner < 3; ++corner) AppendSelectedVertex(ed, p, corner);
  }

  const int spawns = Fitting(static_cast<int>(copies.spawns.size()), kMaxSpawns - 1, d.spawnLast, overflow);
  for (int k = 0; k < spawns; ++k) {
    d.spawns[static_cast<size_t>(++d.spawnLast)] = copies.spawns[static_cast<size_t>(k)];
    s.selSpawn[static_cast<size_t>(++s.selSpawnLast)] = static_cast<uint8_t>(d.spawnLast);
  }

  const int scenery =
      Fitting(static_cast<int>(copies.scenery.size()), kSceneryLastKept, d.sceneryLast, overflow);
  for (int k = 0; k < scenery; ++k) {
    d.scenery[static_cast<size_t>(++d.sceneryLast)] = copies.scenery[static_cast<size_t>(k)];
    s.selScenery[static_cast<size_t>(++s.selSceneryLast)] = static_cast<uint8_t>(d.sceneryLast);
  }

  const int waypoints =
      Fitting(static_cast<int>(copies.waypoints.size()), kMaxWaypoints - 1, d.waypointLast, overflow);
  copies.waypoints.resize(static_cast<size_t>(waypoints));
  RenumberCopies(copies.waypoints, d.waypointLast + 1);
  for (int k = 0; k < waypoints; ++k) {
    d.waypoints[static_cast<size_t>(++d.waypointLast)] = copies.waypoints[static_cast<size_t>(k)];
    s.selWaypoint[static_cast<size_t>(++s.selWaypointLast)] = d.waypointLast;
  }

  const int colliders =
      Fitting(static_cast<int>(copies.colliders.size()), kMaxColliders - 1, d.colliderLast, overflow);
  for (int k = 0; k < colliders; ++k) {
    CopyColliderObject(d.colliders[static_cast<size_t>(++d.colliderLast)],
                       copies.colliders[static_cast<size_t>(k)]);
    s.selCollider[static_cast<size_t>(++s.selColliderLast)] = static_cast<uint8_t>(d.colliderLast);
  }

  s.selLast = static_cast<int16_t>(s.selVertexLast + s.selSpawnLast + s.selSceneryLast + s.selWaypointLast +
                                   s.selColliderLast + 4);
  if (s.selLast >= 0) {
    FrameSelection(ed);
    MoveSelection(ed, 0, 0, true);
  }
  c.clipLast = -1;
  ed.RefreshPanels();
  ed.RedrawCanvas();
  if (overflow) TellPartialPaste(ed);
  c.clipOverflow = false;
  if (s.selLast >= 0) MenuCopy_Click(ed);
}

}  // namespace quorvel
