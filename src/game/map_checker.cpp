#include "game/map_checker.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "document/numeric.h"
#include "document/save_normalise.h"
#include "game/bot_routes.h"
#include "game/compile.h"

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
    {"outside", "Outside the sector grid"},
    {"spawn-in-wall", "Spawns inside walls"},
    {"sector-grid", "Sector grid"},
    {"waypoint-links", "Waypoint links"},
    {"dead-end", "Waypoints with no way out"},
    {"unlinked-waypoint", "Waypoints without links"},
    {"route-split", "Paths that split the bots"},
}};

// Last indices may come straight from a file: never scan past an array because of one.
int Upto(int last, int capacity) { return std::clamp(last, -1, capacity - 1); }

std::string Num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

template <typename... Floats>
bool Finite(Floats... values) {
  return (std::isfinite(values) && ...);
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
    for (const Vertex& v : d_.polygons[p].corner) finite = finite && Finite(v.x, v.y, v.z, v.rhw, v.tu, v.tv);
    for (const Normal& n : d_.polygonNormals[p].normal) finite = finite && Finite(n.x, n.y, n.z);
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
    if (!Finite(s.x, s.y, s.rotation, s.scaleX, s.scaleY))
      Add(k, "scenery " + std::to_string(i) + ": a number that is not finite", {Of(T::Scenery, i)});
    if (s.style < 1 || s.style > 21)
      Add(k, "scenery " + std::to_string(i) + ": style " + std::to_string(s.style) + " is not 1..21",
          {Of(T::Scenery, i)});
  }
  for (int i = 0; i <= Upto(d_.colliderLast, kMaxColliders); ++i) {
    const Collider& c = d_.colliders[i];
    if (!Finite(c.x, c.y, c.radius))
      Add(k, "collider " + std::to_string(i) + ": a number that is not finite", {Of(T::Collider, i)});
    else if (c.radius < 0)
      Add(k, "collider " + std::to_string(i) + ": negative radius " + Num(c.radius), {Of(T::Collider, i)});
  }
}

bool CornersFinite(const Polygon& p) {
  return std::all_of(p.corner.begin(), p.corner.end(), [](const Vertex& v) { return Finite(v.x, v.y); });
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
  const int32_t size = d_.info.sectorSize;
  // Without a positive sector size there is no grid to be outside of; Compile gives one.
  if (size <= 0) return;
  // Coordinates that are not finite are reported as such.
  auto off = [&](double x, double y) {
    return std::isfinite(x) && std::isfinite(y) && (!OnSectorGrid(x, size) || !OnSectorGrid(y, size));
  };
  const std::string grid = " outside the sector grid (+-" + Num(15.5 * size) + ")";
  for (int p = 0; p <= Upto(d_.polygonLast, kMaxPolygons); ++p) {
    std::vector<ObjectRef> objects;
    std::vector<int> corners;
    for (int k = 0; k < 3; ++k) {
      const Vertex& v = d_.polygons[p].corner[k];
      if (!off(v.x, v.y)) continue;
      corners.push_back(k);
      objects.push_back(VertexOf(p, k));
    }
    if (corners.empty()) continue;
    Add(ProblemKind::Outside,
        "polygon " + std::to_string(p) + ": " + NameList("corner", corners) + (corners.size() == 1 ? " lies" : " lie") +
            grid,
        objects);
  }
  auto add = [&](const char* kind, int i, bool outside, T type) {
    if (outside) Add(ProblemKind::Outside, kind + (" " + std::to_string(i)) + " lies" + grid, {Of(type, i)});
  };
  for (int i = 0; i <= Upto(d_.spawnLast, kMaxSpawns); ++i)
    add("spawn", i, off(d_.spawns[i].x / 256.0, d_.spawns[i].y / 256.0), T::Spawn);
  for (int i = 0; i <= Upto(d_.sceneryLast, kMaxScenery); ++i)
    add("scenery", i, off(d_.scenery[i].x, d_.scenery[i].y), T::Scenery);
  for (int i = 0; i <= Upto(d_.colliderLast, kMaxColliders); ++i)
    add("collider", i, off(d_.colliders[i].x, d_.colliders[i].y), T::Collider);
  for (int i = 0; i <= Upto(d_.waypointLast, kMaxWaypoints); ++i)
    add("waypoint", i, off(d_.waypoints[i].x / 256.0, d_.waypoints[i].y / 256.0), T::Waypoint);
}

void Checker::SpawnsInWalls() {
  const int last = Upto(d_.polygonLast, kMaxPolygons);
  std::array<bool, kMaxPolygons> wall{};
  for (int p = 0; p <= last; ++p) wall[size_t(p)] = IsSolidPolygon(d_.polygonNormals[p]) && CornersFinite(d_.polygons[p]);
  for (int i = 0; i <= Upto(d_.spawnLast, kMaxSpawns); ++i) {
    const double x = d_.spawns[i].x / 256.0, y = d_.spawns[i].y / 256.0;
    for (int p = 0; p <= last; ++p) {
      if (!wall[size_t(p)]) continue;
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
  if (!badCounts.empty()) return;
  // The table must hold the map as it lies, at its own sector size: where Compile put the map
  // does not matter, and a second Compile that recentres by half a unit changes nothing here.
  if (!namePolygons_) {
    if (!SectorGridHoldsMap(d_)) Add(k, kStaleText);
    return;
  }
  std::vector<int> concerned;
  if (SectorGridHoldsMap(d_, &concerned)) return;
  std::vector<ObjectRef> objects;
  for (int p : concerned) AddPolygon(objects, p);
  Add(k, kStaleText, objects);
}

void Checker::Routes() {
  CheckBotRoutes(d_, [this](ProblemKind kind, std::string text, std::vector<ObjectRef> objects) {
    Add(kind, std::move(text), std::move(objects));
  });
}

}  // namespace

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
