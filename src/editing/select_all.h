#pragma once
#include "document/editor.h"

namespace quorvel {

// Edit > Select All: in the Edit tool (chosen first if another is on), selects every object of
// the layers shown, as a band over the whole world would, and frames the selection.
void MenuSelectAll_Click(Editor& ed);

}  // namespace quorvel
