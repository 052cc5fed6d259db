#pragma once
// The undo ring: up to a hundred whole-document snapshots, newest first, kept as the differences
// between neighbours (document/snapshot_chain).
#include <string>

#include "document/editor.h"

namespace quorvel {

// Called by every editing command just before it changes the document.
void TakeSnapshot(Editor& ed, const std::string& label);
// Caption and enabled state of MenuUndo.
void RefreshUndoMenu(Editor& ed);
// Reads slot `slot` back into the document, the selection and currentTool. False when the slot
// holds no snapshot Undo could still reach.
bool RestoreSnapshot(Editor& ed, int slot);
// Undo is done with the newest snapshot: the next older one becomes the newest.
void DropNewestSnapshot(Editor& ed);
// Lets go of snapshots Undo can no longer reach (undoTop lowered by New, Open or Save As), and of
// the oldest steps while the undo steps hold more than the memory budget.
void TrimUndo(UndoRing& u);

}  // namespace quorvel
