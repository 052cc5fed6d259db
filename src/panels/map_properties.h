#pragma once
// The "Map info" buttons: the author's name (which may also be written onto the map) and the two
// background colours. Each takes an undo snapshot, changes the map, refreshes and redraws.
#include "document/editor.h"

namespace quorvel {

void CBauthor_Click(Editor& ed);
void CBtausta1_Click(Editor& ed);  // upper background colour
void CBtausta2_Click(Editor& ed);  // lower background colour

}  // namespace quorvel
