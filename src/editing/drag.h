#pragma once
// Turning and sizing the one selected scenery by its handles while the left button is held.
#include "document/editor.h"

namespace quorvel {

// Points the scenery's x axis at the world point (wx, wy); Shift snaps to 45 degrees.
void RotateSceneryTowards(Editor& ed, int s, float wx, float wy);
// Makes the world point (wx, wy) the scenery's far corner, where its size handle sits.
void SizeSceneryTo(Editor& ed, int s, float wx, float wy);

}  // namespace quorvel
