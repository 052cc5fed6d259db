#pragma once
#include <vector>

#include <string>

#include "document/editor.h"

namespace quorvel {

// Run > Compile: moves the whole map so that its polygons are centred on the origin and rebuilds
// the collision sector table.
void MenuRunCompile_Click(Editor& ed);

// The sector a coordinate falls in along one axis, before any clamping to 0..30.
double SectorCell(double v, int32_t size);
// Whether a coordinate lies on the 31 x 31 grid of the given sector size (at least 1).
bool OnSectorGrid(double v, int32_t size);

// The sector size a centred map with the given polygon span gets when its objects reach `reach`
// units from the origin: a thirtieth of the span, never below 1, raised only where that grid
// would leave something at `reach` off it.
int32_t CompiledSectorSize(double span, double reach);

// The largest distance from the origin, along x or y and rounded up to whole units, of any object
// with a finite position: polygon corners, spawns, sceneries, colliders, waypoints.
double MapReach(const MapDocument& d);

// A polygon counts as solid when any edge has a perpendicular with a y part.
bool IsSolidPolygon(const EdgeNormals& n);

// The sector table for the polygons where they lie, with the given sector size (at least 1).
void SectorsAsTheyLie(const MapDocument& d, int32_t size, std::array<Sector, kSectorCount>& sectors);

// Whether the map's own table holds the map as it lies, at its own sector size: every entry names
// an existing solid polygon, and every solid polygon is in each sector its box covers (a full
// sector excepted, which has no room for more). When it does not and `concerned` is given, the
// indices of the polygons that are named wrongly or left out are put there, ascending.
bool SectorGridHoldsMap(const MapDocument& d, std::vector<int>* concerned = nullptr);

// "Compiled: N of 961 sectors used", N the sectors holding at least one polygon.
std::string CompiledNote(const MapDocument& d);

}  // namespace quorvel
