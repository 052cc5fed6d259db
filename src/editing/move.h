#pragma once
#include "document/editor.h"

namespace quorvel {

// Moves every selected object by (dx, dy) world units, taking the "Move" snapshot first unless one
// was taken since the selection was last cleared. With `centre` the selection is first brought to
// the middle of the visible canvas. The caller redraws.
void MoveSelection(Editor& ed, float dx, float dy, bool centre);

}  // namespace quorvel
