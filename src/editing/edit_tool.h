#pragma once
// The Edit tool on the canvas: a left press picks what the drag will be (turn or size the one
// selected scenery, move the selection, or a rubber band), motion carries it out, the release
// ends it and, for a click, runs the pick search.
#include "document/editor.h"

namespace quorvel {

void EditToolPress(Editor& ed, float wx, float wy);
// Screen position (x, y) and its world point; lastPointer still holds the previous position.
void EditToolMotion(Editor& ed, float x, float y, float wx, float wy);
void EditToolRelease(Editor& ed);

}  // namespace quorvel
