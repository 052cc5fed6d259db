#pragma once
#include "document/editor.h"

namespace quorvel {

// The tool switch: index 0 Edit, 1 Add polygon, 2 Add spawn, 3 Add scenery, 4 Add collider,
// 5 Add waypoint.
void OBvalinta_Click(Editor& ed, int index);
// Marks option `index` as chosen (the others cleared) and runs the tool switch.
void SelectTool(Editor& ed, int index);

}  // namespace quorvel
