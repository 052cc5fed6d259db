#pragma once
// Building and clearing the selection.
#include "document/editor.h"

namespace quorvel {

void ClearSelection(Editor& ed);
// Appends one vertex; false (and nothing appended) once the vertex lists are full.
bool AppendSelectedVertex(Editor& ed, int polygon, int corner);
// Selects every polygon, scenery and collider after the given last indices.
void SelectAppended(Editor& ed, int polygonBefore, int sceneryBefore, int colliderBefore);
// The selection frame: the selected objects' bounds widened by 5 units.
void FrameSelection(Editor& ed);

}  // namespace quorvel
