#pragma once
// Edit Copy and Edit Paste. The clipboard is private to the editor and takes no memory of
// its own: Copy stores the selected records in the free records above each last index, Paste
// appends them to the map as new objects and selects them.
#include "document/editor.h"

namespace quorvel {

// The clipboard's copies live in the free records above the last indices; emptying it only forgets
// them.
inline void EmptyClipboard(Editor& ed) {
  ed.clip.clipLast = -1;
  ed.clip.clipPolygonLast = ed.clip.clipSpawnLast = ed.clip.clipSceneryLast = -1;
  ed.clip.clipWaypointLast = ed.clip.clipColliderLast = -1;
  ed.clip.clipOverflow = false;
}

// Free record that holds copy k of each kind.
inline int ClipPolygonSlot(int k) {
  return kMaxPolygons - 1 - k;
}
inline int ClipSpawnSlot(int k) {
  return kMaxSpawns - 1 - k;
}
inline int ClipScenerySlot(const ClipboardState& c, int k) {
  return kMaxScenery - 1 - c.clipSceneryLast + k;
}
inline int ClipWaypointSlot(int k) {
  return kMaxWaypoints - 1 - k;
}
inline int ClipColliderSlot(int k) {
  return kMaxColliders - 1 - k;
}

// Edit > Copy: copies the selection into the free records, as much of it as fits (the spawn,
// scenery, waypoint and collider selections are cut to what fits and clipOverflow is set).
// Acts only in the Edit tool, where its menu entry is enabled.
void MenuCopy_Click(Editor& ed);

// Edit > Paste: appends the copies as new objects (exact duplicates; waypoint links among the
// copies follow them to their new numbers), selects them, centres them in the view, reports a
// partial Copy, and copies the pasted set again so that the next Paste duplicates it. Does nothing
// while the clipboard is empty or outside the Edit tool.
void MenuPaste_Click(Editor& ed);

}  // namespace quorvel
