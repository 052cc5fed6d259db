#pragma once
// The drawing primitives in world units that the full redraw (Editor::RedrawCanvas) is made of.
// Both cull what lies wholly off the canvas; nothing else is culled, sorted or cached.
#include <cstdint>

#include "document/editor.h"
#include "view/canvas.h"

namespace quorvel {

// A circle of a fixed pixel radius (not scaled by the zoom) around a world point, drawn only when
// its centre lies within radius pixels of the client area. A negative radius draws nothing.
void DrawMarker(Editor& ed, float x, float y, int16_t radius, Rgb colour);

// A line, or with box the outline of the axis-parallel rectangle, between two world points, in the
// current line colour and style; skipped when both ends lie beyond the same edge of the client area.
void DrawWorldLine(Editor& ed, float x1, float y1, float x2, float y2, bool box);

// A scenery's rotated and scaled x axis A and y axis B: its outline runs from its position P to
// P + A, P + B and P + A + B.
void SceneryAxes(const Scenery& s, float& ax, float& ay, float& bx, float& by);

// A waypoint connection: the line and, at its middle, an arrow head pointing at (x2, y2) made of
// two 10-unit strokes, drawn first, in the current line colour and style.
void PiirraReitti(Editor& ed, float x1, float y1, float x2, float y2);

}  // namespace quorvel
