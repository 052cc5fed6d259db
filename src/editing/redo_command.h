#pragma once
#include "document/editor.h"

namespace quorvel {

// Edit > Redo: brings back the state the last Undo replaced, and makes the undone step undoable
// again under its label.
void MenuRedo_Click(Editor& ed);

}  // namespace quorvel
