#include "editing/undo_command.h"

#include "document/host.h"
#include "document/redo.h"
#include "document/undo.h"
#include "editing/clipboard.h"
#include "editing/tools.h"

namespace quorvel {

void MenuUndo_Click(Editor& ed) {
  UndoRing& u = ed.undo;
  if (u.undoTop < 0) return;
  EmptyClipboard(ed);
  ed.toolParam = 0;
  ed.rightButtonDown = 0;
  if (u.undoLabels[static_cast<size_t>(u.undoSlot)] == "Help") {
    ed.host->MessageBox("Are you crazy?\nYou can't undo Online Help.. duh.", "User problem", MsgIcon::Exclamation,
                        MsgButtons::Ok);
  } else {
    KeepForRedo(ed, u.undoLabels[static_cast<size_t>(u.undoSlot)]);
    RestoreSnapshot(ed, u.undoSlot);
  }
  SelectTool(ed, ed.currentTool);
  DropNewestSnapshot(ed);
  ShowRestoredState(ed);
}

void ShowRestoredState(Editor& ed) {
  RefreshUndoMenu(ed);
  RefreshRedoMenu(ed);
  ed.RefreshPanels();
  ed.RedrawCanvas();
  ed.sel.leftDragActive = 0;
  ed.sel.movingSelection = 0;
  ed.sel.moveSnapshotTaken = 0;
}

}  // namespace quorvel
