#include "game/compile.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "document/numeric.h"
#include "editing/move.h"
#include "editing/selection.h"
#include "editing/tools.h"

namespace quorvel {

namespace {

constexpr int kGridSide = 31;
// What an empty map has always stored: the untouched start box (+-9999) over 30 sectors.
constexpr int32_t kNoPolygonsSectorSize = -667;

struct Box {
  double minX, minY, maxX, maxY;
};

// The rounded bounds of one polygon; false when a corner is not a finite number, which no sector
// can hold.
bool PolygonBox(const Polygon& p, Box& b) {
  double x0 = p.corner[0].x, y0 = p.corner[0].y;
  b = Box{x0, y0, x0, y0};
  for (const Vertex& v : p.corner) {
    if (!std::isfinite(v.x) || !std::isfinite(v.y)) return false;
    b.minX = std::min<double>(b.minX, v.x);
    b.maxX = std::max<double>(b.maxX, v.x);
    b.minY = std::min<double>(b.minY, v.y);
    b.maxY = std::max<double>(b.maxY, v.y);
  }
  b = Box{RoundHalfEven(b.minX), RoundHalfEven(b.minY), RoundHalfEven(b.maxX), RoundHalfEven(b.maxY)};
  return true;
}

int SectorIndex(double v, int32_t size) {
  const double i = SectorCell(v, size);
  return i < 0 ? 0 : i > kGridSide - 1 ? kGridSide - 1 : int(i);
}

// Where each polygon lies for the table: its rounded box and whether it takes part (solid, every
// corner a finite number).
struct Layout {
  std::array<Box, kMaxPolygons> boxes{};
  std::array<bool, kMaxPolygons> use{};
};

void LayOut(const MapDocument& d, int last, Layout& l) {
  for (int p = 0; p <= last; ++p)
    l.use[size_t(p)] = IsSolidPolygon(d.polygonNormals[size_t(p)]) && PolygonBox(d.polygons[size_t(p)], l.boxes[size_t(p)]);
}

// Calls visit(sector, polygon number) for every sector each taking part polygon covers, in the
// order the table is filled, until visit returns false.
template <typename Visit>
void ForEachFiling(const Layout& l, int last, int32_t size, Visit visit) {
  for (int p = 0; p <= last; ++p) {
    if (!l.use[size_t(p)]) continue;
    const Box& b = l.boxes[size_t(p)];
    const int cx1 = SectorIndex(b.minX, size), cx2 = SectorIndex(b.maxX, size);
    const int cy1 = SectorIndex(b.minY, size), cy2 = SectorIndex(b.maxY, size);
    for (int cx = cx1; cx <= cx2; ++cx)
      for (int cy = cy1; cy <= cy2; ++cy)
        if (!visit(cx * kGridSide + cy, int16_t(p + 1))) return;
  }
}

// The rounded box of every finite polygon corner; empty (min above max) without one.
Box CornerBox(const MapDocument& d, int last) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  Box box{kInf, kInf, -kInf, -kInf};
  for (int p = 0; p <= last; ++p)
    for (const Vertex& v : d.polygons[size_t(p)].corner) {
      // A corner that is not a finite number would make the move itself NaN for the whole map.
      if (!std::isfinite(v.x) || !std::isfinite(v.y)) continue;
      if (v.x < box.minX) box.minX = RoundHalfEven(v.x);
      if (v.x > box.maxX) box.maxX = RoundHalfEven(v.x);
      if (v.y < box.minY) box.minY = RoundHalfEven(v.y);
      if (v.y > box.maxY) box.maxY = RoundHalfEven(v.y);
    }
  return box;
}

int LastOf(int last, int capacity) { return std::clamp(last, -1, capacity - 1); }
int LastPolygon(const MapDocument& d) { return LastOf(d.polygonLast, kMaxPolygons); }

// Both ends of the grid hold a coordinate `reach` units out.
bool Covers(double size, double reach) {
  return OnSectorGrid(reach, int32_t(size)) && OnSectorGrid(-reach, int32_t(size));
}

}  // namespace

double SectorCell(double v, int32_t size) { return RoundHalfEven((v + 15.0 * size) / size); }

bool OnSectorGrid(double v, int32_t size) {
  const double cell = SectorCell(v, size);
  return cell >= 0 && cell <= kGridSide - 1;
}

int32_t CompiledSectorSize(double span, double reach) {
  constexpr double kLargest = std::numeric_limits<int32_t>::max();
  double size = std::min(kLargest, std::max(1.0, RoundHalfEven(span / 30)));
  if (Covers(size, reach)) return int32_t(size);
  // A coordinate at size x 15.5 still rounds into the last column; the smallest size that holds
  // `reach` lies at or just above reach / 15.5, where rounding may ask for a step more.
  size = std::min(kLargest, std::max(size, std::ceil(reach / 15.5)));
  for (int step = 0; step < 4 && size < kLargest && !Covers(size, reach); ++step) ++size;
  return int32_t(size);
}

double MapReach(const MapDocument& d) {
  double reach = 0;
  // A position with a coordinate that is not finite is on no grid and cannot be moved onto one.
  auto take = [&](double x, double y) {
    if (std::isfinite(x) && std::isfinite(y)) reach = std::max({reach, std::ceil(std::fabs(x)), std::ceil(std::fabs(y))});
  };
  for (int p = 0; p <= LastPolygon(d); ++p)
    for (const Vertex& v : d.polygons[size_t(p)].corner) take(v.x, v.y);
  for (int i = 0; i <= LastOf(d.spawnLast, kMaxSpawns); ++i) take(d.spawns[size_t(i)].x / 256.0, d.spawns[size_t(i)].y / 256.0);
  for (int i = 0; i <= LastOf(d.sceneryLast, kMaxScenery); ++i) take(d.scenery[size_t(i)].x, d.scenery[size_t(i)].y);
  for (int i = 0; i <= LastOf(d.colliderLast, kMaxColliders); ++i) take(d.colliders[size_t(i)].x, d.colliders[size_t(i)].y);
  for (int i = 0; i <= LastOf(d.waypointLast, kMaxWaypoints); ++i)
    take(d.waypoints[size_t(i)].x / 256.0, d.waypoints[size_t(i)].y / 256.0);
  return reach;
}

bool IsSolidPolygon(const EdgeNormals& n) {
  return n.normal[0].y != 0 || n.normal[1].y != 0 || n.normal[2].y != 0;
}

void SectorsAsTheyLie(const MapDocument& d, int32_t size, std::array<Sector, kSectorCount>& sectors) {
  const int last = LastPolygon(d);
  auto layout = std::make_unique<Layout>();
  LayOut(d, last, *layout);
  for (Sector& s : sectors) s = Sector{};
  ForEachFiling(*layout, last, std::max<int32_t>(size, 1), [&](int sector, int16_t number) {
    Sector& s = sectors[size_t(sector)];
    // A full sector keeps its first 200 polygons; the table has no room for more.
    if (s.count < kSectorEntries) s.entry[size_t(s.count++)] = number;
    return true;
  });
}

bool SectorGridHoldsMap(const MapDocument& d, std::vector<int>* concerned) {
  const int last = LastPolygon(d);
  auto layout = std::make_unique<Layout>();
  LayOut(d, last, *layout);
  std::array<bool, kMaxPolygons> marked{};
  bool holds = true;
  auto mark = [&](int p) {
    holds = false;
    if (p >= 0 && p <= last) marked[size_t(p)] = true;
    return concerned != nullptr;  // only naming the polygons needs the whole walk
  };
  // Which polygon numbers each sector names: one bit per number.
  constexpr int kWords = (kMaxPolygons + 1 + 63) / 64;
  auto named = std::make_unique<std::array<std::array<uint64_t, kWords>, kSectorCount>>();
  for (int s = 0; s < kSectorCount; ++s) {
    const Sector& sector = d.sectors[size_t(s)];
    for (int e = 0; e < std::clamp<int>(sector.count, 0, kSectorEntries); ++e) {
      const int number = sector.entry[size_t(e)];
      const bool solid = number >= 1 && number <= last + 1 && IsSolidPolygon(d.polygonNormals[size_t(number - 1)]);
      if (!solid) {
        if (!mark(number - 1)) return false;
        continue;
      }
      (*named)[size_t(s)][size_t(number / 64)] |= uint64_t{1} << (number % 64);
    }
  }
  const int32_t size = d.info.sectorSize;
  if (size <= 0) {
    // Without a sector size no polygon can be found at all.
    for (int p = 0; p <= last; ++p)
      if (layout->use[size_t(p)] && !mark(p)) return false;
  } else {
    ForEachFiling(*layout, last, size, [&](int s, int16_t number) {
      if ((*named)[size_t(s)][size_t(number / 64)] >> (number % 64) & 1) return true;
      if (d.sectors[size_t(s)].count >= kSectorEntries) return true;
      return mark(number - 1);
    });
  }
  if (concerned && !holds) {
    concerned->clear();
    for (int p = 0; p <= last; ++p)
      if (marked[size_t(p)]) concerned->push_back(p);
  }
  return holds;
}

void MenuRunCompile_Click(Editor& ed) {
  MapDocument& d = ed.doc;
  for (Sector& s : d.sectors) s = Sector{};
  d.info.sectorSize = 0;
  // The Edit tool first: a triangle still being drawn is dropped and takes no part in the box.
  SelectTool(ed, 0);
  for (int i = 0; i <= 4; ++i) ed.view.showFlags[i] = 1;

  const int last = LastPolygon(d);
  // The box starts empty rather than at +-9999, so a map lying wholly beyond 9999 is centred too.
  const Box box = CornerBox(d, last);
  const bool hasPolygons = box.minX <= box.maxX;

  // Every object moves by the same vector, so the map keeps its layout: flags, spawns and
  // sceneries beside or above the outermost polygon stay where they stood relative to it. A
  // selection of its own keeps the move one "Move" step apart from any drag before it.
  ClearSelection(ed);
  const int16_t pathFilter = ed.pathFilter;
  ed.pathFilter = 0;  // waypoints of both paths move with the map
  constexpr float kAll = std::numeric_limits<float>::infinity();
  SelectInRect(ed, -kAll, -kAll, kAll, kAll, false, kSelectAll);
  ed.pathFilter = pathFilter;
  // Without polygons the move is by (0, 0), as it always was.
  const float dx = hasPolygons ? float(-(box.minX + box.maxX) / 2) : 0.f;
  const float dy = hasPolygons ? float(-(box.minY + box.maxY) / 2) : 0.f;
  MoveSelection(ed, dx, dy, false);
  ClearSelection(ed);

  if (hasPolygons) {
    // The grid holds every object of the centred map; a thirtieth of the span where that does.
    d.info.sectorSize = CompiledSectorSize(std::max(box.maxX - box.minX, box.maxY - box.minY), MapReach(d));
    SectorsAsTheyLie(d, d.info.sectorSize, d.sectors);
  } else {
    d.info.sectorSize = kNoPolygonsSectorSize;
  }

  ed.statusNote = CompiledNote(d);
  // The Edit tool chosen at the start is still on: no second tool switch (and redraw) is needed.
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

std::string CompiledNote(const MapDocument& d) {
  int used = 0;
  for (const Sector& s : d.sectors) used += s.count > 0 ? 1 : 0;
  return "Compiled: " + std::to_string(used) + " of " + std::to_string(kSectorCount) + " sectors used";
}

}  // namespace quorvel
