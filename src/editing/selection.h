#pragma once
// Building and clearing the selection, and the hit tests and snapping the mouse tools share.
#include "document/editor.h"

namespace quorvel {

void ClearSelection(Editor& ed);
// Appends one vertex; false (and nothing appended) once the vertex lists are full.
bool AppendSelectedVertex(Editor& ed, int polygon, int corner);

// Rebuilds the selection from what lies in the world rectangle (bounds inclusive, in any order).
enum SelectMode : int { kSelectAll = 0, kSelectFirstVertex = 1, kSelectFirstWaypoint = 5 };
void SelectInRect(Editor& ed, float x1, float y1, float x2, float y2, bool keepRect, int mode);
// The same over the current selection frame.
void SelectInSelRect(Editor& ed, bool keepRect, int mode);

// Drops every entry that names a record past its kind's last index (or a corner outside 0..2),
// keeping the order of the rest, and recounts selLast. A selection emptied this way loses its
// frame unless a left drag is in progress. Nothing changes for a selection that names only
// objects.
void DropStaleSelection(Editor& ed);

// Selects every polygon, scenery and collider after the given last indices.
void SelectAppended(Editor& ed, int polygonBefore, int sceneryBefore, int colliderBefore);
// The selection frame: the selected objects' bounds widened by 5 units.
void FrameSelection(Editor& ed);

// The grid point nearest to a screen position, in world units: fixed to the canvas with "Fixed
// grid" ticked, else to the world origin. Callers make sure gridSize is at least 1.
void SnapToGrid(const Editor& ed, float screenX, float screenY, float& worldX, float& worldY);
// Whether (x, y) (whole world units) lies on the rotate handle (which 0) or the size handle
// (which 1) of scenery s.
bool HandleHit(const Editor& ed, int which, int s, float x, float y);
// The nearest multiple of 45 degrees; an angle halfway between goes to the larger one.
float SnapAngle(float angle);

// Half the side of the box a click or the polygon tool searches around the pointer, in world
// units, at the current zoom.
double PickHalfSize(const Editor& ed);

}  // namespace quorvel
