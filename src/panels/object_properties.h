#pragma once
// Handlers of the "Spawn info", "Scenery info", "Collider info" and "Bot Waypoints info" frames.
// In the Edit tool they change every selected object of their kind; in the matching Add tool
// they set what the next object gets. The Qt layer writes the user's choice or typed text into
// the control model first, then calls these.
#include "document/editor.h"

namespace quorvel {

inline constexpr int kEnterKey = 13;

// Spawn type chosen from the list; the drop-down takes "Many types" out before the list opens.
void CBspawn_Click(Editor& ed);
void CBspawn_DropDown(Editor& ed);
// Scenery style chosen from the list, and its drop-down.
void CBscenery_Click(Editor& ed);
void CBscenery_DropDown(Editor& ed);
// Scenery visibility: chosen from the list, typed (Enter), and the drop-down.
void CBscenery2_Click(Editor& ed);
void CBscenery2_KeyDown(Editor& ed, int keyCode);
void CBscenery2_DropDown(Editor& ed);
// Collider size: chosen from the list, or typed (Enter).
void CBcollider_Click(Editor& ed);
void CBcollider_KeyPress(Editor& ed, int keyAscii);
// Waypoint direction flag `index` (0 left, 1 right, 2 up, 3 down, 4 fly) from its box's value.
void CBbotValinta_Click(Editor& ed, int index);
// Waypoint path `path` (1 or 2).
void OBbotKumpi_Click(Editor& ed, int path);

}  // namespace quorvel
