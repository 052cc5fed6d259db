#pragma once
// Edit Delete.
#include "document/editor.h"

namespace quorvel {

// The Edit tool deletes the selection; the Add tools take back the last step: the polygon tool
// steps back a corner of the triangle in progress or removes the last polygon, the spawn, scenery
// and collider tools remove the last object, the waypoint tool drops a pending connection or
// deletes the waypoint under the pointer (else the last one). "Delete" snapshot first, always.
void MenuDelete_Click(Editor& ed);

// The Edit tool's deletion of everything selected, after the snapshot: polygons, spawns,
// sceneries, waypoints (every link to a deleted waypoint disappears, the rest are renumbered) and
// colliders, then ClearSelection. The clipboard stays valid: its waypoint copies' links are
// renumbered the same way.
void DeleteSelected(Editor& ed);

}  // namespace quorvel
