#pragma once
// The undo ring: up to ten whole-document snapshots, newest first.
#include <string>

#include "document/editor.h"

namespace quorvel {

// Called by every editing command just before it changes the document.
void TakeSnapshot(Editor& ed, const std::string& label);
// Caption and enabled state of MenuUndo.
void RefreshUndoMenu(Editor& ed);
// Reads slot `slot` back into the document, the selection and currentTool. False when the slot
// holds no snapshot.
bool RestoreSnapshot(Editor& ed, int slot);

}  // namespace quorvel
