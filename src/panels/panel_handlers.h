#pragma once
// Click handlers of the right-hand panel's controls. The Qt layer writes the user's choice into
// the control model first, then calls these.
#include "document/editor.h"

namespace quorvel {

// Path display: which waypoint path the canvas shows (0 both, 1, 2). A view setting: no undo.
void OBbotNayta_Click(Editor& ed, int index);

}  // namespace quorvel
