#pragma once
// Edit Mirror, Flip, Bring to Front, Send to Back and Delete.
#include "document/editor.h"

namespace quorvel {

// Left-right about the middle of the selection frame ("Mirror" snapshot); the waypoints' left and
// right flags change places. Edit tool only.
void MenuMirror_Click(Editor& ed);
// Top-bottom about the middle of the selection frame ("Flip" snapshot). Edit tool only.
void MenuFlip_Click(Editor& ed);
// Moves the selected polygons and sceneries to the end of their arrays, drawn over everything, in
// the order they had ("Bring" snapshot). Edit tool only.
void MenuFront_Click(Editor& ed);
// Moves them to the start, the highest index first ("Send" snapshot). Edit tool only.
void MenuBack_Click(Editor& ed);
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
