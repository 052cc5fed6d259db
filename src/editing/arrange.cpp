#include "editing/arrange.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "document/numeric.h"
#include "document/undo.h"
#include "editing/edit_support.h"
#include "editing/selection.h"
#include "view/geometry.h"

namespace quorvel {

namespace {

using namespace edit_support;

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

}  // namespace quorvel
