#pragma once
#include "document/editor.h"

namespace quorvel {

// Edit > Undo: restores the newest snapshot and steps back one.
void MenuUndo_Click(Editor& ed);

}  // namespace quorvel
