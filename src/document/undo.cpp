#include "document/undo.h"

#include <algorithm>

#include "document/map_file.h"
#include "document/map_write.h"
#include "document/redo.h"

namespace quorvel {

void TrimUndo(UndoRing& u) {
  u.snapshots.KeepNewest(static_cast<size_t>(std::max(0, u.undoTop + 1)));
  // Only edits that rewrite most of a maximal map, a hundred times over, come near the budget.
  // Undo and Redo move a step between the two chains without growing them, so only the undo
  // steps count: an Undo never loses an older step.
  while (u.undoTop > 0 && u.snapshots.Bytes() > u.memoryBudget) {
    u.snapshots.DropOldest();
    --u.undoTop;
  }
}

void TakeSnapshot(Editor& ed, const std::string& label) {
  UndoRing& u = ed.undo;
  TrimUndo(u);
  if (u.undoTop < kUndoSlots - 1)
    ++u.undoTop;
  else
    u.snapshots.DropOldest();
  if (++u.undoSlot >= kUndoSlots) u.undoSlot = 0;
  const size_t slot = static_cast<size_t>(u.undoSlot);
  u.undoLabels[slot] = label;
  u.undoFiles[slot] = TemporaryFolder(ed) + "QuorvelUndo" + std::to_string(slot) + ".tmp";
  std::vector<uint8_t> bytes = u.snapshots.TakeSpare();
  WriteMapBytes(ed, true, bytes);
  u.snapshots.Push(std::move(bytes));
  const MapDocument& d = ed.doc;
  u.lastIndices[slot] = {d.polygonLast, d.spawnLast, d.sceneryLast, d.waypointLast, d.colliderLast};
  RefreshUndoMenu(ed);
  ClearRedo(ed);
}

void RefreshUndoMenu(Editor& ed) {
  TrimUndo(ed.undo);
  if (ed.undo.undoTop < 0) {
    ed.ctl.MenuUndo.caption = "&Undo";
    ed.ctl.MenuUndo.enabled = false;
  } else {
    ed.ctl.MenuUndo.caption = "&Undo " + ed.undo.undoLabels[static_cast<size_t>(ed.undo.undoSlot)];
    ed.ctl.MenuUndo.enabled = true;
  }
}

bool RestoreSnapshot(Editor& ed, int slot) {
  UndoRing& u = ed.undo;
  if (slot < 0 || slot >= kUndoSlots) return false;
  TrimUndo(u);
  const int depth = (u.undoSlot - slot + kUndoSlots) % kUndoSlots;
  if (depth > u.undoTop || static_cast<size_t>(depth) >= u.snapshots.Size()) return false;
  std::vector<uint8_t> older;
  if (depth > 0) u.snapshots.Rebuild(static_cast<size_t>(depth), older);
  const std::vector<uint8_t>& bytes = depth > 0 ? older : u.snapshots.Newest();
  if (bytes.size() != kUndoFileSize) return false;
  MapDocument& d = ed.doc;
  UndoExtension ext{ed.sel, ed.currentTool};
  DecodeMap(bytes, d, &ext);
  ed.sel = ext.selection;
  ed.currentTool = static_cast<int16_t>(std::clamp<int>(ext.currentTool, 0, 5));
  // Clipboard copies directly above a last index look like map objects to the scan: the last
  // indices kept with the snapshot say which records really were objects.
  const auto& last = u.lastIndices[static_cast<size_t>(slot)];
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

void DropNewestSnapshot(Editor& ed) {
  UndoRing& u = ed.undo;
  if (u.undoTop < 0) return;
  TrimUndo(u);
  u.snapshots.PopNewest();
  --u.undoTop;
  if (--u.undoSlot < 0) u.undoSlot = kUndoSlots - 1;
}

}  // namespace quorvel
