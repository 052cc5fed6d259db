#pragma once
// View > Fit map and View > Centre selection. Both move the view only through its own fields: the
// view centre, and the zoom by choosing an entry of the zoom list (whose handler redraws), so
// everything else about zooming and panning stays as it is.
#include "document/editor.h"

namespace quorvel {

// Pixels kept free round the map, so the largest markers (spawns, 10 pixels) stay whole.
inline constexpr int kFitMargin = 12;

// The largest zoom of the list at which every object of the map lies within the canvas the bars
// leave uncovered, centred on them there. Coordinates that are not finite numbers are left out;
// a map too wide for every zoom gets the smallest. An empty map is shown as a new one: the origin
// at 100%.
void MenuFitMap_Click(Editor& ed);
// The view centred on the selection's frame, at the same zoom; nothing without a frame.
void MenuCentre_Click(Editor& ed);

}  // namespace quorvel
