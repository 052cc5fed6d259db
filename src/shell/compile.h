#pragma once
#include "document/editor.h"

namespace quorvel {

// Run > Compile: centres the map on the origin and rebuilds the collision sector table.
void MenuRunCompile_Click(Editor& ed);

// The sector size a centred map with the given polygon span and largest distance of a polygon
// corner from the origin gets: a thirtieth of the span, never below 1, and raised where rounding
// would put a corner outside the 31 x 31 grid. A map without polygons gets -667.
int32_t CompiledSectorSize(double span, double reach);

// A polygon counts as solid when any edge has a perpendicular with a y part.
bool IsSolidPolygon(const EdgeNormals& n);

// What Compile would store for the map as it stands, the map left alone: the move that centres it,
// the sector size and the sector table.
struct SectorGrid {
  float dx = 0, dy = 0;
  int32_t sectorSize = 0;
  std::array<Sector, kSectorCount> sectors{};
};
void CompiledGrid(const MapDocument& d, SectorGrid& grid);
// The sector size CompiledGrid would choose, without building the table.
int32_t CompiledSectorSizeNow(const MapDocument& d);
// The sector table for the polygons where they lie, with the given sector size (at least 1).
void SectorsAsTheyLie(const MapDocument& d, int32_t size, std::array<Sector, kSectorCount>& sectors);
// Whether the map's own table is exactly SectorsAsTheyLie(d, size), without building that table.
bool SectorsMatchAsTheyLie(const MapDocument& d, int32_t size);

}  // namespace quorvel
