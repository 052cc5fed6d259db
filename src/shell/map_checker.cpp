#include "shell/map_checker.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <memory>

#include "document/numeric.h"
#include "document/save_normalise.h"
#include "shell/compile.h"

namespace quorvel {

namespace {

struct KindInfo {
  const char* name;
  const char* heading;
};
constexpr std::array<KindInfo, kProblemKinds> kKinds{{
    {"file-values", "Values out of range"},
    {"corners", "Corners at the same position"},
    {"ctf-spawns", "Capture-the-flag spawns"},
    {"flat-triangle", "Triangles without area"},
    {"outside", "Outside the playable square"},
    {"spawn-in-wall", "Spawns inside walls"},
    {"sector-grid", "Sector grid"},
    {"waypoint-links", "Waypoint links"},
    {"dead-end", "Waypoints with no way out"},
    {"no-way-in", "Waypoints nothing leads to"},
    {"route-trap", "Route pieces bots cannot leave"},
    {"route-unreached", "Route pieces bots never reach"},
    {"route-island", "Route pieces cut off"},
    {"far-waypoint", "Waypoints far from the rest"},
}};

// Last indices may come straight from a file: never scan past an array because of one.
int Upto(int last, int capacity) { return std::clamp(last, -1, capacity - 1); }

std::string Num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

bool Finite(std::initializer_list<float> values) {
  return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

// "waypoint 4", "waypoints 4 and 9", "waypoints 4-6, 9": ascending indices, runs of three or more
// as ranges, so a group of any size stays one short line.
std::string NameList(const char* one, const std::vector<int>& indices) {
  std::string out = one;
  if (indices.size() != 1) out += 's';
  out += ' ';
  for (size_t i = 0; i < indices.size();) {
    size_t j = i;
    while (j + 1 < indices.size() && indices[j + 1] == indices[j] + 1) ++j;
    if (i > 0) out += indices.size() == 2 ? " and " : ", ";
    out += std::to_string(indices[i]);
    if (j >= i + 2) {
      out += "-" + std::to_string(indices[j]);
    } else if (j == i + 1) {
      out += (indices.size() == 2 ? " and " : ", ") + std::to_string(indices[j]);
    }
    i = j + 1;
  }
  return out;
}

ObjectRef VertexOf(int p, int corner) { return {ObjectRef::Type::Vertex, p, corner}; }
ObjectRef Of(ObjectRef::Type type, int i) { return {type, i, 0}; }
void AddPolygon(std::vector<ObjectRef>& objects, int p) {
  for (int k = 0; k < 3; ++k) objects.push_back(VertexOf(p, k));
}

constexpr const char* kStaleText = "the sector grid is out of date: use Compile (F9) before playing";

class Checker {
 public:
  Checker(const MapDocument& d, std::array<std::vector<Problem>, kProblemKinds>& out, bool namePolygons = true)
      : d_(d), out_(out), namePolygons_(namePolygons) {}

  void Add(ProblemKind kind, std::string text, std::vector<ObjectRef> objects = {}) {
    out_[static_cast<size_t>(kind)].push_back(Problem{kind, std::move(text), std::move(objects)});
  }

  void FileValues(const DecodeReport* report);
  void CornersAndTriangles();
  void CtfSpawns(const std::string& path);
  void Outside();
  void SpawnsInWalls();
  void Grid();
  void Routes();

 private:
  void Route(int path);
  const MapDocument& d_;
  std::array<std::vector<Problem>, kProblemKinds>& out_;
  // Off where only whether there is a problem counts (after every save).
  bool namePolygons_;
};

void Checker::FileValues(const DecodeReport* report) {
  using T = ObjectRef::Type;
  const ProblemKind k = ProblemKind::FileValues;
  if (report && report->countClamped)
    Add(k, "polygon count " + std::to_string(report->countInFile) + " in the file is outside 0..400");
  if (report && report->waypointClamped) Add(k, "a waypoint lies beyond +-" + std::to_string(kMaxWaypointFileCoordinate));
  if (d_.sceneryLast > kSceneryLastKept)
    Add(k, "scenery: " + std::to_string(d_.sceneryLast + 1) + " objects, a save keeps " +
               std::to_string(kSceneryLastKept + 1));
  for (int p = 0; p <= Upto(d_.polygonLast, kMaxPolygons); ++p) {
    bool finite = true;
    for (const Vertex& v : d_.polygons[p].corner) finite = finite && Finite({v.x, v.y, v.z, v.rhw, v.tu, v.tv});
    for (const Normal& n : d_.polygonNormals[p].normal) finite = finite && Finite({n.x, n.y, n.z});
    if (!finite) {
      std::vector<ObjectRef> objects;
      AddPolygon(objects, p);
      Add(k, "polygon " + std::to_string(p) + ": a number that is not finite", objects);
    }
  }
  for (int i = 0; i <= Upto(d_.spawnLast, kMaxSpawns); ++i)
    if (d_.spawns[i].type > 2)
      Add(k, "spawn " + std::to_string(i) + ": type " + std::to_string(d_.spawns[i].type) + " is not 0, 1 or 2",
          {Of(T::Spawn, i)});
  for (int i = 0; i <= Upto(d_.sceneryLast, kMaxScenery); ++i) {
    const Scenery& s = d_.scenery[i];
    if (!Finite({s.x, s.y, s.rotation, s.scaleX, s.scaleY}))
      Add(k, "scenery " + std::to_string(i) + ": a number that is not finite", {Of(T::Scenery, i)});
    if (s.style < 1 || s.style > 21)
      Add(k, "scenery " + std::to_string(i) + ": style " + std::to_string(s.style) + " is not 1..21",
          {Of(T::Scenery, i)});
  }
  for (int i = 0; i <= Upto(d_.colliderLast, kMaxColliders); ++i) {
    const Collider& c = d_.colliders[i];
    if (!Finite({c.x, c.y, c.radius}))
      Add(k, "collider " + std::to_string(i) + ": a number that is not finite", {Of(T::Collider, i)});
    else if (c.radius < 0)
      Add(k, "collider " + std::to_string(i) + ": negative radius " + Num(c.radius), {Of(T::Collider, i)});
  }
}

bool CornersFinite(const Polygon& p) {
  return std::all_of(p.corner.begin(), p.corner.end(), [](const Vertex& v) { return Finite({v.x, v.y}); });
}

// The save compares corners 0/1 and 1/2 after putting the corners in order; a triangle with two
// corners alike has no area, which the save never turns, so the corners are named as they are now.
void Checker::CornersAndTriangles() {
  for (int p = 0; p <= Upto(d_.polygonLast, kMaxPolygons); ++p) {
    const auto& c = d_.polygons[p].corner;
    bool same = false;
    for (int a = 0; a < 2; ++a) {
      if (c[a].x != c[a + 1].x || c[a].y != c[a + 1].y) continue;
      same = true;
      Add(ProblemKind::Corners,
          "polygon " + std::to_string(p) + ": corners " + std::to_string(a) + " and " + std::to_string(a + 1) +
              " at the same position (" + Num(c[a].x) + ", " + Num(c[a].y) + ")",
          {VertexOf(p, a), VertexOf(p, a + 1)});
    }
    if (same || !CornersFinite(d_.polygons[p])) continue;
    // Nearly no area: the triangle's smallest height (twice the area over the longest side) is
    // under half a unit, too thin for anything to collide with.
    const double x0 = c[0].x, y0 = c[0].y, x1 = c[1].x, y1 = c[1].y, x2 = c[2].x, y2 = c[2].y;
    const double twiceArea = std::fabs((x1 - x0) * (y2 - y0) - (y1 - y0) * (x2 - x0));
    const double longest = std::max({std::hypot(x1 - x0, y1 - y0), std::hypot(x2 - x1, y2 - y1),
                                     std::hypot(x0 - x2, y0 - y2)});
    if (longest == 0 || twiceArea / longest < 0.5) {
      std::vector<ObjectRef> objects;
      AddPolygon(objects, p);
      Add(ProblemKind::FlatTriangle, "polygon " + std::to_string(p) + ": (nearly) no area, its corners lie on one line",
          objects);
    }
  }
}

void Checker::CtfSpawns(const std::string& path) {
  using T = ObjectRef::Type;
  const ProblemKind k = ProblemKind::CtfSpawns;
  switch (CheckCtfSpawns(d_, path)) {
    case SpawnWarning::NotCtfName:
      Add(k, "spawn 0 is a team spawn but the file name does not start with ctf_", {Of(T::Spawn, 0)});
      break;
    case SpawnWarning::CtfOrder:
      Add(k, "spawn order: a ctf_ map needs the red flag (spawn 0) and the blue flag (spawn 1) first",
          {Of(T::Spawn, 0), Of(T::Spawn, 1)});
      break;
    case SpawnWarning::None:
      break;
  }
  if (UpperAscii(FileNameOf(path).substr(0, 4)) != "CTF_") return;
  bool red = false, blue = false;
  for (int i = 0; i <= Upto(d_.spawnLast, kMaxSpawns); ++i) {
    red = red || d_.spawns[i].type == 1;
    blue = blue || d_.spawns[i].type == 2;
  }
  if (!red || !blue)
    Add(k, std::string("ctf_ map without ") + (!red && !blue ? "a red and a blue" : !red ? "a red" : "a blue") +
               " flag spawn");
}

void Checker::Outside() {
  using T = ObjectRef::Type;
  const double size = d_.info.sectorSize;
  // Without a positive sector size there is no square to be outside of; Compile gives one.
  if (size <= 0) return;
  const double half = 15 * size;
  // 0 inside, 1 outside the playable square, 2 outside the sector grid as well.
  auto where = [&](double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return 0;  // reported as not finite
    for (double v : {x, y}) {
      const double cell = RoundHalfEven((v + half) / size);
      if (cell < 0 || cell > 30) return 2;
    }
    return std::fabs(x) > half || std::fabs(y) > half ? 1 : 0;
  };
  const std::string square = " outside the playable square (+-" + Num(half) + ")";
  const std::string grid = " outside the sector grid (+-" + Num(half + size / 2) + ")";
  auto add = [&](const std::string& name, int w, std::vector<ObjectRef> objects) {
    if (w > 0) Add(ProblemKind::Outside, name + " lies" + (w == 2 ? grid : square), std::move(objects));
  };
  for (int p = 0; p <= Upto(d_.polygonLast, kMaxPolygons); ++p) {
    std::vector<ObjectRef> objects;
    std::vector<int> corners;
    int worst = 0;
    for (int k = 0; k < 3; ++k) {
      const Vertex& v = d_.polygons[p].corner[k];
      const int w = where(v.x, v.y);
      if (w == 0) continue;
      worst = std::max(worst, w);
      corners.push_back(k);
      objects.push_back(VertexOf(p, k));
    }
    add("polygon " + std::to_string(p) + ": " + NameList("corner", corners), worst, objects);
  }
  for (int i = 0; i <= Upto(d_.spawnLast, kMaxSpawns); ++i)
    add("spawn " + std::to_string(i), where(d_.spawns[i].x / 256.0, d_.spawns[i].y / 256.0), {Of(T::Spawn, i)});
  for (int i = 0; i <= Upto(d_.sceneryLast, kMaxScenery); ++i)
    add("scenery " + std::to_string(i), where(d_.scenery[i].x, d_.scenery[i].y), {Of(T::Scenery, i)});
  for (int i = 0; i <= Upto(d_.colliderLast, kMaxColliders); ++i)
    add("collider " + std::to_string(i), where(d_.colliders[i].x, d_.colliders[i].y), {Of(T::Collider, i)});
  for (int i = 0; i <= Upto(d_.waypointLast, kMaxWaypoints); ++i)
    add("waypoint " + std::to_string(i), where(d_.waypoints[i].x / 256.0, d_.waypoints[i].y / 256.0),
        {Of(T::Waypoint, i)});
}

void Checker::SpawnsInWalls() {
  for (int i = 0; i <= Upto(d_.spawnLast, kMaxSpawns); ++i) {
    const double x = d_.spawns[i].x / 256.0, y = d_.spawns[i].y / 256.0;
    for (int p = 0; p <= Upto(d_.polygonLast, kMaxPolygons); ++p) {
      if (!IsSolidPolygon(d_.polygonNormals[p]) || !CornersFinite(d_.polygons[p])) continue;
      const auto& c = d_.polygons[p].corner;
      double side[3];
      for (int k = 0; k < 3; ++k) {
        const Vertex& a = c[k];
        const Vertex& b = c[(k + 1) % 3];
        side[k] = (double(b.x) - a.x) * (y - a.y) - (double(b.y) - a.y) * (x - a.x);
      }
      // Strictly inside: a spawn on an edge stands on the wall, not in it.
      const bool inside = (side[0] > 0 && side[1] > 0 && side[2] > 0) || (side[0] < 0 && side[1] < 0 && side[2] < 0);
      if (!inside) continue;
      std::vector<ObjectRef> objects{Of(ObjectRef::Type::Spawn, i)};
      AddPolygon(objects, p);
      Add(ProblemKind::SpawnInWall, "spawn " + std::to_string(i) + " lies inside solid polygon " + std::to_string(p),
          objects);
      break;
    }
  }
}

// Marks the polygons (1-based numbers) that one table holds in a sector and the other not.
void MarkDifferences(const std::array<Sector, kSectorCount>& a, const std::array<Sector, kSectorCount>& b,
                     std::array<bool, kMaxPolygons + 1>& marks, bool& differs) {
  std::array<int, kMaxPolygons + 1> inA{}, inB{};
  for (int s = 0; s < kSectorCount; ++s) {
    const Sector& sa = a[s];
    const Sector& sb = b[s];
    if (sa.count == sb.count && std::equal(sa.entry.begin(), sa.entry.begin() + std::clamp<int>(sa.count, 0, kSectorEntries),
                                           sb.entry.begin()))
      continue;
    differs = true;
    const int stamp = s + 1;
    const int na = std::clamp<int>(sa.count, 0, kSectorEntries), nb = std::clamp<int>(sb.count, 0, kSectorEntries);
    auto valid = [](int e) { return e >= 1 && e <= kMaxPolygons; };
    for (int k = 0; k < na; ++k)
      if (valid(sa.entry[k])) inA[sa.entry[k]] = stamp;
    for (int k = 0; k < nb; ++k)
      if (valid(sb.entry[k])) inB[sb.entry[k]] = stamp;
    for (int k = 0; k < na; ++k)
      if (valid(sa.entry[k]) && inB[sa.entry[k]] != stamp) marks[sa.entry[k]] = true;
    for (int k = 0; k < nb; ++k)
      if (valid(sb.entry[k]) && inA[sb.entry[k]] != stamp) marks[sb.entry[k]] = true;
  }
}

void Checker::Grid() {
  const ProblemKind k = ProblemKind::SectorGrid;
  std::vector<int> badCounts;
  // Numbers the table holds that name no polygon: counted once each, whatever their value.
  std::vector<bool> missing(65536, false);
  int missingCount = 0;
  const int polygons = Upto(d_.polygonLast, kMaxPolygons) + 1;
  for (int s = 0; s < kSectorCount; ++s) {
    const Sector& sector = d_.sectors[s];
    if (sector.count < 0 || sector.count > kSectorEntries) {
      badCounts.push_back(s);
      continue;
    }
    for (int e = 0; e < sector.count; ++e) {
      const int number = sector.entry[e];
      if (number >= 1 && number <= polygons) continue;
      if (!missing[size_t(number + 32768)]) ++missingCount;
      missing[size_t(number + 32768)] = true;
    }
  }
  if (!badCounts.empty())
    Add(k, "sector grid: " + NameList("sector", badCounts) + (badCounts.size() == 1 ? " holds" : " hold") +
               " a count outside 0..200");
  if (missingCount > 0) {
    Add(k, "the sector grid names " + std::to_string(missingCount) + " polygon" + (missingCount == 1 ? "" : "s") +
               (missingCount == 1 ? " that no longer exists" : " that no longer exist") +
               ": use Compile (F9) before playing");
    return;
  }
  if (!badCounts.empty() || polygons == 0) return;
  // The table must hold every solid polygon where it lies now, at the size Compile would choose
  // now. Compile's centring move is left out of the comparison: a map off the origin shows as
  // objects outside the playable square, and a second Compile may move a map by half a unit.
  // Deciding builds no table; only naming the polygons concerned does.
  const bool asTheyLie = d_.info.sectorSize <= 0 || SectorsMatchAsTheyLie(d_, d_.info.sectorSize);
  // Only a table that matches the polygons as they lie needs Compile's own size to judge it.
  if (asTheyLie && CompiledSectorSizeNow(d_) == d_.info.sectorSize) return;
  if (!namePolygons_) {
    Add(k, kStaleText);
    return;
  }
  std::array<bool, kMaxPolygons + 1> marks{};
  bool differs = false;
  auto expected = std::make_unique<quorvel::SectorGrid>();
  if (asTheyLie)
    // The polygons concerned are then those Compile would file elsewhere.
    CompiledGrid(d_, *expected);
  else
    SectorsAsTheyLie(d_, d_.info.sectorSize, expected->sectors);
  MarkDifferences(d_.sectors, expected->sectors, marks, differs);
  std::vector<ObjectRef> objects;
  for (int p = 0; p < polygons; ++p)
    if (marks[size_t(p + 1)]) AddPolygon(objects, p);
  Add(k, kStaleText, objects);
}

void Checker::Routes() {
  using T = ObjectRef::Type;
  const ProblemKind k = ProblemKind::WaypointLinks;
  const int last = Upto(d_.waypointLast, kMaxWaypoints);
  for (int i = 0; i <= last; ++i) {
    const Waypoint& w = d_.waypoints[i];
    const std::string name = "waypoint " + std::to_string(i);
    if (w.path != 1 && w.path != 2) Add(k, name + ": path " + std::to_string(w.path) + " is not 1 or 2", {Of(T::Waypoint, i)});
    if (w.connectionCount < 0 || w.connectionCount > kMaxConnections) {
      Add(k, name + ": " + std::to_string(w.connectionCount) + " links, at most " + std::to_string(kMaxConnections),
          {Of(T::Waypoint, i)});
      continue;
    }
    for (int c = 0; c < w.connectionCount; ++c) {
      const int32_t to = w.connections[c];
      if (to < 1 || to > last + 1)
        Add(k, name + ": link to " + std::to_string(to) + ", which is not a waypoint", {Of(T::Waypoint, i)});
      else if (to == i + 1)
        Add(k, name + ": links to itself", {Of(T::Waypoint, i)});
    }
  }
  Route(1);
  Route(2);
}

// One path's link graph: links to other waypoints of the same path. Its strongly connected pieces
// are measured against the largest one, where the bots of the path spend their time.
void Checker::Route(int path) {
  using T = ObjectRef::Type;
  const int last = Upto(d_.waypointLast, kMaxWaypoints);
  std::vector<int> nodes;  // waypoint indices of the path, ascending
  std::array<int, kMaxWaypoints> local;
  local.fill(-1);
  for (int i = 0; i <= last; ++i)
    if (d_.waypoints[i].path == path) {
      local[size_t(i)] = int(nodes.size());
      nodes.push_back(i);
    }
  const int n = int(nodes.size());
  if (n == 0) return;
  std::vector<std::vector<int>> out(nodes.size()), in(nodes.size());
  for (int a = 0; a < n; ++a) {
    const Waypoint& w = d_.waypoints[size_t(nodes[size_t(a)])];
    const int count = std::clamp<int>(w.connectionCount, 0, kMaxConnections);
    for (int c = 0; c < count; ++c) {
      const int32_t to = w.connections[size_t(c)];
      if (to < 1 || to > last + 1) continue;
      const int b = local[size_t(to - 1)];
      if (b < 0 || b == a) continue;
      out[size_t(a)].push_back(b);
      in[size_t(b)].push_back(a);
    }
  }
  const std::string onPath = " (path " + std::to_string(path) + ")";
  std::vector<bool> deadEnd(nodes.size()), noWayIn(nodes.size());
  for (int a = 0; a < n; ++a) {
    const int i = nodes[size_t(a)];
    deadEnd[size_t(a)] = out[size_t(a)].empty();
    noWayIn[size_t(a)] = in[size_t(a)].empty();
    if (deadEnd[size_t(a)])
      Add(ProblemKind::DeadEnd, "waypoint " + std::to_string(i) + onPath + ": no way out, bots that reach it get stuck",
          {Of(T::Waypoint, i)});
    if (noWayIn[size_t(a)])
      Add(ProblemKind::NoWayIn, "waypoint " + std::to_string(i) + onPath + ": no other waypoint leads to it",
          {Of(T::Waypoint, i)});
  }

  // Strongly connected pieces (Kosaraju, without recursion): finishing order on the links, then
  // pieces on the reversed links in reverse finishing order.
  std::vector<int> order, piece(nodes.size(), -1), stack;
  std::vector<size_t> next(nodes.size(), 0);
  std::vector<bool> seen(nodes.size(), false);
  for (int s = 0; s < n; ++s) {
    if (seen[size_t(s)]) continue;
    seen[size_t(s)] = true;
    stack.push_back(s);
    while (!stack.empty()) {
      const int v = stack.back();
      if (next[size_t(v)] < out[size_t(v)].size()) {
        const int w = out[size_t(v)][next[size_t(v)]++];
        if (!seen[size_t(w)]) {
          seen[size_t(w)] = true;
          stack.push_back(w);
        }
      } else {
        order.push_back(v);
        stack.pop_back();
      }
    }
  }
  int pieces = 0;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    if (piece[size_t(*it)] >= 0) continue;
    stack.push_back(*it);
    piece[size_t(*it)] = pieces;
    while (!stack.empty()) {
      const int v = stack.back();
      stack.pop_back();
      for (int w : in[size_t(v)])
        if (piece[size_t(w)] < 0) {
          piece[size_t(w)] = pieces;
          stack.push_back(w);
        }
    }
    ++pieces;
  }
  std::vector<std::vector<int>> members(static_cast<size_t>(pieces));
  for (int a = 0; a < n; ++a) members[size_t(piece[size_t(a)])].push_back(a);
  // The largest piece; of equal ones, the one holding the lowest waypoint.
  int main = piece[0];
  for (int a = 0; a < n; ++a)
    if (members[size_t(piece[size_t(a)])].size() > members[size_t(main)].size()) main = piece[size_t(a)];

  // Which waypoints the main piece reaches, and which reach it.
  auto reach = [&](const std::vector<std::vector<int>>& links) {
    std::vector<bool> r(nodes.size(), false);
    std::vector<int> todo = members[size_t(main)];
    for (int a : todo) r[size_t(a)] = true;
    while (!todo.empty()) {
      const int v = todo.back();
      todo.pop_back();
      for (int w : links[size_t(v)])
        if (!r[size_t(w)]) {
          r[size_t(w)] = true;
          todo.push_back(w);
        }
    }
    return r;
  };
  const std::vector<bool> reached = reach(out), leadsBack = reach(in);

  // Pieces in the order of their lowest waypoint.
  std::vector<int> byFirst;
  for (int a = 0; a < n; ++a)
    if (members[size_t(piece[size_t(a)])].front() == a && piece[size_t(a)] != main) byFirst.push_back(piece[size_t(a)]);
  for (int p : byFirst) {
    const std::vector<int>& m = members[size_t(p)];
    const int first = m.front();
    // A lone waypoint with no way out or no way in has its own line already.
    if (m.size() == 1 && (deadEnd[size_t(first)] || noWayIn[size_t(first)])) continue;
    std::vector<int> indices;
    std::vector<ObjectRef> objects;
    for (int a : m) {
      indices.push_back(nodes[size_t(a)]);
      objects.push_back(Of(T::Waypoint, nodes[size_t(a)]));
    }
    const std::string names = NameList("waypoint", indices) + onPath;
    const bool getsIn = reached[size_t(first)], back = leadsBack[size_t(first)];
    if (getsIn && !back)
      Add(ProblemKind::RouteTrap, names + ": bots can get in but never back to the rest of the path", objects);
    else if (!getsIn && back)
      Add(ProblemKind::RouteUnreached, names + ": bots on the rest of the path never get there", objects);
    else
      Add(ProblemKind::RouteIsland, names + ": cut off from the rest of the path, bots never get in or out", objects);
  }

  // Far: the nearest other waypoint of the path lies more than four times the path's usual
  // (median) nearest distance away, and over 100 units.
  if (n < 3) return;
  std::vector<double> nearest(nodes.size(), std::numeric_limits<double>::infinity());
  for (int a = 0; a < n; ++a) {
    const Waypoint& wa = d_.waypoints[size_t(nodes[size_t(a)])];
    for (int b = a + 1; b < n; ++b) {
      const Waypoint& wb = d_.waypoints[size_t(nodes[size_t(b)])];
      const double dx = (double(wa.x) - wb.x) / 256, dy = (double(wa.y) - wb.y) / 256;
      const double dd = dx * dx + dy * dy;
      nearest[size_t(a)] = std::min(nearest[size_t(a)], dd);
      nearest[size_t(b)] = std::min(nearest[size_t(b)], dd);
    }
  }
  std::vector<double> sorted = nearest;
  std::nth_element(sorted.begin(), sorted.begin() + n / 2, sorted.end());
  const double limit = std::max(4 * std::sqrt(sorted[size_t(n / 2)]), 100.0);
  for (int a = 0; a < n; ++a) {
    const double d = std::sqrt(nearest[size_t(a)]);
    if (d <= limit) continue;
    const int i = nodes[size_t(a)];
    Add(ProblemKind::FarWaypoint,
        "waypoint " + std::to_string(i) + onPath + ": " + Num(RoundHalfEven(d)) +
            " units from the nearest waypoint of its path",
        {Of(T::Waypoint, i)});
  }
}

}  // namespace

const char* KindName(ProblemKind kind) { return kKinds[static_cast<size_t>(kind)].name; }
const char* KindHeading(ProblemKind kind) { return kKinds[static_cast<size_t>(kind)].heading; }

std::vector<Problem> CheckMapProblems(const MapDocument& doc, const std::string& path, const DecodeReport* report) {
  std::array<std::vector<Problem>, kProblemKinds> byKind;
  Checker c(doc, byKind);
  c.FileValues(report);
  c.CornersAndTriangles();
  c.CtfSpawns(path);
  c.Outside();
  c.SpawnsInWalls();
  c.Grid();
  c.Routes();
  std::vector<Problem> all;
  for (auto& kind : byKind)
    for (Problem& p : kind) all.push_back(std::move(p));
  return all;
}

bool SectorGridStale(const MapDocument& doc) {
  std::array<std::vector<Problem>, kProblemKinds> byKind;
  Checker(doc, byKind, false).Grid();
  return !byKind[static_cast<size_t>(ProblemKind::SectorGrid)].empty();
}

}  // namespace quorvel
