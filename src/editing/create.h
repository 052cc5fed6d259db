#pragma once
// The five Add tools: a left press creates (or, with the waypoint tool, links), pointer motion
// moves the preview that sits in the record just above each kind's last index.
#include "document/editor.h"

namespace quorvel {

// Screen position (x, y) of the press or motion.
void AddToolPress(Editor& ed, float x, float y);
void AddToolMotion(Editor& ed, float x, float y);
// Gives the preview of the spawn, scenery or collider tool the type, style or size in toolParam at
// once, where it stands, so a choice in the panel shows before the pointer moves again.
void ShowToolParamInPreview(Editor& ed);

// The world point a press at screen (x, y) would place: on the grid unless the grid is off or Ctrl
// is held.
void PlacementPoint(const Editor& ed, float x, float y, float& worldX, float& worldY);

// Puts the corner being placed on the nearest 45-degree line through the previous corner, at the
// pointer's distance from it.
void ConstrainCorner(Editor& ed, float screenX, float screenY);

}  // namespace quorvel
