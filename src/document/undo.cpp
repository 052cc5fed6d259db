#include "document/undo.h"

#include <algorithm>

#include "document/map_file.h"
#include "document/map_write.h"
#include "document/redo.h"

namespace quorvel {

void TakeSnapshot(Editor& ed, const std::string& label) {
  UndoRing& u = ed.undo;
  if (u.undoTop < 9) ++u.undoTop;
  if (++u.undoSlot > 9) u.undoSlot = 0;
  const size_t slot = static_cast<size_t>(u.undoSlot);
  u.undoLabels[slot] = label;
  u.undoFiles[slot] = TemporaryFolder(ed) + "QuorvelUndo" + std::to_string(slot) + ".tmp";
  WriteMapBytes(ed, true, u.snapshots[slot]);
  const MapDocument& d = ed.doc;
  u.lastIndices[slot] = {d.polygonLast, d.spawnLast, d.sceneryLast, d.waypointLast, d.colliderLast};
  RefreshUndoMenu(ed);
  ClearRedo(ed);
}

void RefreshUndoMenu(Editor& ed) {
  if (ed.undo.undoTop < 0) {
    ed.ctl.MenuUndo.caption = "&Undo";
    ed.ctl.MenuUndo.enabled = false;
  } else {
    ed.ctl.MenuUndo.caption = "&Undo " + ed.undo.undoLabels[static_cast<size_t>(ed.undo.undoSlot)];
    ed.ctl.MenuUndo.enabled = true;
  }
}

bool RestoreSnapshot(Editor& ed, int slot) {
  if (slot < 0 || slot >= kUndoSlots) return false;
  const auto& bytes = ed.undo.snapshots[static_cast<size_t>(slot)];
  if (bytes.size() != kUndoFileSize) return false;
  MapDocument& d = ed.doc;
  UndoExtension ext{ed.sel, ed.currentTool};
  DecodeMap(bytes, d, &ext);
  ed.sel = ext.selection;
  ed.currentTool = static_cast<int16_t>(std::clamp<int>(ext.currentTool, 0, 5));
  // Clipboard copies directly above a last index look like map objects to the scan: the last
  // indices kept with the snapshot say which records really were objects.
  const auto& last = ed.undo.lastIndices[static_cast<size_t>(slot)];
  for (int i = d.waypointLast + 1; i <= last[3]; ++i) {
    d.waypoints[i].x = std::clamp(d.waypoints[i].x, -kMaxWaypointFileCoordinate, kMaxWaypointFileCoordinate) * 256;
    d.waypoints[i].y = std::clamp(d.waypoints[i].y, -kMaxWaypointFileCoordinate, kMaxWaypointFileCoordinate) * 256;
  }
  d.polygonLast = last[0];
  d.spawnLast = last[1];
  d.sceneryLast = last[2];
  d.waypointLast = last[3];
  d.colliderLast = last[4];
  return true;
}

}  // namespace quorvel
