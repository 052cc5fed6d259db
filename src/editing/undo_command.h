#pragma once
#include "document/editor.h"

namespace quorvel {

// Edit > Undo: restores the newest snapshot and steps back one.
void MenuUndo_Click(Editor& ed);
// After an Undo or a Redo put a state back: the two menu entries, the panels, the canvas, and no
// drag going on.
void ShowRestoredState(Editor& ed);

}  // namespace quorvel
