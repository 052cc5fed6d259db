#pragma once
// Edit Mirror, Flip, Bring to Front and Send to Back. Delete is in delete.h.
#include "document/editor.h"
#include "editing/delete.h"

namespace quorvel {

// Left-right about the middle of the selection frame ("Mirror" snapshot); the waypoints' left and
// right flags change places. Edit tool only.
void MenuMirror_Click(Editor& ed);
// Top-bottom about the middle of the selection frame ("Flip" snapshot). Edit tool only.
void MenuFlip_Click(Editor& ed);
// Moves the selected polygons and sceneries to the end of their arrays, drawn over everything, in
// the order they had ("Bring" snapshot). Edit tool only.
void MenuFront_Click(Editor& ed);
// Moves them to the start, the highest index first ("Send" snapshot). Edit tool only.
void MenuBack_Click(Editor& ed);

}  // namespace quorvel
