#pragma once
// Outlines in the filled view: a thin line along every polygon edge over the fill, black over a
// light fill and white over a dark one, so that a polygon stays visible whatever its colours (a
// new map's white triangle on its white sky, a corner with no alpha). Passable edges are dotted,
// as in the wireframe. View > Outlines turns them off; the choice is remembered in the settings
// ("View", "Outlines"), on by default.
#include "document/editor.h"
#include "view/canvas.h"

namespace quorvel {

// The edges of every polygon, in map order; called by the redraw after the fill when the filled
// view shows polygons and outlines are on.
void DrawFilledOutlines(Editor& ed, Canvas& c);

// The line colour that stands out over a fill of this colour.
Rgb OutlineColourOver(Rgb fill);

// View > Outlines: turns the outlines on or off, remembers the choice and redraws.
void MenuOutlines_Click(Editor& ed);
// Takes the remembered choice from the settings; no redraw.
void LoadOutlinesSetting(Editor& ed);

}  // namespace quorvel
