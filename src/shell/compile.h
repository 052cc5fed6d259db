#pragma once
#include "document/editor.h"

namespace quorvel {

// Run > Compile: centres the map on the origin and rebuilds the collision sector table.
void MenuRunCompile_Click(Editor& ed);

// The sector size a centred map with the given polygon span and largest distance of a polygon
// corner from the origin gets: a thirtieth of the span, never below 1, and raised where rounding
// would put a corner outside the 31 x 31 grid. A map without polygons gets -667.
int32_t CompiledSectorSize(double span, double reach);

}  // namespace quorvel
