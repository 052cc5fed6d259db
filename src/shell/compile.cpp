#include "shell/compile.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "document/numeric.h"
#include "editing/move.h"
#include "editing/selection.h"
#include "editing/tools.h"
#include "shell/status_line.h"

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
  double i = RoundHalfEven((v + 15.0 * size) / size);
  return i < 0 ? 0 : i > kGridSide - 1 ? kGridSide - 1 : int(i);
}

// Where each polygon lies for the table: its rounded box, whether it takes part (solid, every
// corner a finite number) and the largest distance of a box edge from the origin.
struct Layout {
  std::array<Box, kMaxPolygons> boxes{};
  std::array<bool, kMaxPolygons> use{};
  double reach = 0;
};

// The polygons moved by (dx, dy) as the move of the selection moves their finite corners.
void LayOut(const MapDocument& d, int last, float dx, float dy, Layout& l) {
  l.reach = 0;
  for (int p = 0; p <= last; ++p) {
    Polygon moved = d.polygons[size_t(p)];
    for (Vertex& v : moved.corner)
      if (std::isfinite(v.x) && std::isfinite(v.y)) {
        v.x += dx;
        v.y += dy;
      }
    l.use[size_t(p)] = IsSolidPolygon(d.polygonNormals[size_t(p)]) && PolygonBox(moved, l.boxes[size_t(p)]);
    if (!l.use[size_t(p)]) continue;
    const Box& b = l.boxes[size_t(p)];
    l.reach = std::max({l.reach, std::abs(b.minX), std::abs(b.maxX), std::abs(b.minY), std::abs(b.maxY)});
  }
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

// The table for a layout and a size.
void FillSectors(const Layout& l, int last, int32_t size, std::array<Sector, kSectorCount>& sectors) {
  for (Sector& s : sectors) s = Sector{};
  ForEachFiling(l, last, size, [&](int sector, int16_t number) {
    Sector& s = sectors[size_t(sector)];
    // A full sector keeps its first 200 polygons; the table has no room for more.
    if (s.count < kSectorEntries) s.entry[size_t(s.count++)] = number;
    return true;
  });
}

// The rounded box of every finite polygon corner; empty (min above max) without one.
Box CornerBox(const MapDocument& d, int last) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  Box box{kInf, kInf, -kInf, -kInf};
  for (int p = 0; p <= last; ++p)
    for (const Vertex& v : d.polygons[p].corner) {
      // A corner that is not a finite number would make the move itself NaN for the whole map.
      if (!std::isfinite(v.x) || !std::isfinite(v.y)) continue;
      if (v.x < box.minX) box.minX = RoundHalfEven(v.x);
      if (v.x > box.maxX) box.maxX = RoundHalfEven(v.x);
      if (v.y < box.minY) box.minY = RoundHalfEven(v.y);
      if (v.y > box.maxY) box.maxY = RoundHalfEven(v.y);
    }
  return box;
}

}  // namespace

int32_t CompiledSectorSize(double span, double reach) {
  double size = std::max(1.0, RoundHalfEven(span / 30));
  // A corner at (size x 15.5) still rounds into column 30; one further out would fall off the grid.
  if (reach / size > 15.5) size = std::ceil(reach / 15.5);
  return size >= std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : int32_t(size);
}

bool IsSolidPolygon(const EdgeNormals& n) {
  return n.normal[0].y != 0 || n.normal[1].y != 0 || n.normal[2].y != 0;
}

namespace {

// Compile's move and the layout and size that follow from it; false when no polygon has a finite
// corner, so there is nothing to lay out.
bool PlanCompile(const MapDocument& d, int last, float& dx, float& dy, Layout& layout, int32_t& size) {
  const Box box = CornerBox(d, last);
  dx = dy = 0;
  size = kNoPolygonsSectorSize;
  if (box.minX > box.maxX) return false;
  dx = float(-(box.minX + box.maxX) / 2);
  dy = float(-(box.minY + box.maxY) / 2);
  LayOut(d, last, dx, dy, layout);
  size = CompiledSectorSize(std::max(box.maxX - box.minX, box.maxY - box.minY), layout.reach);
  return true;
}

int LastPolygon(const MapDocument& d) { return std::clamp<int>(d.polygonLast, -1, kMaxPolygons - 1); }

}  // namespace

void CompiledGrid(const MapDocument& d, SectorGrid& grid) {
  const int last = LastPolygon(d);
  auto layout = std::make_unique<Layout>();
  if (PlanCompile(d, last, grid.dx, grid.dy, *layout, grid.sectorSize))
    FillSectors(*layout, last, grid.sectorSize, grid.sectors);
  else
    for (Sector& s : grid.sectors) s = Sector{};
}

int32_t CompiledSectorSizeNow(const MapDocument& d) {
  float dx, dy;
  int32_t size;
  auto layout = std::make_unique<Layout>();
  PlanCompile(d, LastPolygon(d), dx, dy, *layout, size);
  return size;
}

void SectorsAsTheyLie(const MapDocument& d, int32_t size, std::array<Sector, kSectorCount>& sectors) {
  const int last = LastPolygon(d);
  auto layout = std::make_unique<Layout>();
  LayOut(d, last, 0, 0, *layout);
  FillSectors(*layout, last, std::max<int32_t>(size, 1), sectors);
}

bool SectorsMatchAsTheyLie(const MapDocument& d, int32_t size) {
  const int last = LastPolygon(d);
  auto layout = std::make_unique<Layout>();
  LayOut(d, last, 0, 0, *layout);
  // Each sector's table is read in step with the filing, so no second table is built.
  std::array<int16_t, kSectorCount> filed{};
  bool same = true;
  ForEachFiling(*layout, last, std::max<int32_t>(size, 1), [&](int sector, int16_t number) {
    int16_t& at = filed[size_t(sector)];
    if (at >= kSectorEntries) return true;
    const Sector& s = d.sectors[size_t(sector)];
    same = at < s.count && s.entry[size_t(at)] == number;
    ++at;
    return same;
  });
  for (int s = 0; same && s < kSectorCount; ++s) same = filed[size_t(s)] == d.sectors[size_t(s)].count;
  return same;
}

void MenuRunCompile_Click(Editor& ed) {
  MapDocument& d = ed.doc;
  for (Sector& s : d.sectors) s = Sector{};
  d.info.sectorSize = 0;
  // The Edit tool first: a triangle still being drawn is dropped and takes no part in the box.
  SelectTool(ed, 0);
  for (int i = 0; i <= 4; ++i) ed.view.showFlags[i] = 1;

  const int last = std::min<int>(d.polygonLast, kMaxPolygons - 1);
  // The box starts empty rather than at +-9999, so a map lying wholly beyond 9999 is centred too.
  Box box = CornerBox(d, last);
  const bool hasPolygons = box.minX <= box.maxX;
  // Without polygons the box keeps its old start values: the move is by (0, 0) and the selection
  // rectangle covers +-9998, as it always has.
  if (!hasPolygons) box = Box{9999, 9999, -9999, -9999};

  const int16_t pathFilter = ed.pathFilter;
  ed.pathFilter = 0;  // waypoints of both paths move with the map
  SelectInRect(ed, float(box.minX - 1), float(box.minY - 1), float(box.maxX + 1), float(box.maxY + 1), false,
               kSelectAll);
  ed.pathFilter = pathFilter;
  MoveSelection(ed, float(-(box.minX + box.maxX) / 2), float(-(box.minY + box.maxY) / 2), false);
  ClearSelection(ed);

  if (hasPolygons) {
    auto layout = std::make_unique<Layout>();
    LayOut(d, last, 0, 0, *layout);
    d.info.sectorSize = CompiledSectorSize(std::max(box.maxX - box.minX, box.maxY - box.minY), layout->reach);
    FillSectors(*layout, last, d.info.sectorSize, d.sectors);
  } else {
    d.info.sectorSize = kNoPolygonsSectorSize;
  }

  ed.statusNote = CompiledNote(d);
  // The Edit tool chosen at the start is still on: no second tool switch (and redraw) is needed.
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

}  // namespace quorvel
