#pragma once
// The filled view: the map as the game shows it. The sky is the map's two background colours
// blended from the top of the uncovered canvas to its bottom; every polygon is filled in map order
// with its three corner colours blended across it, multiplying the map's texture placed by the
// corners' tu and tv, passable ones a little see-through. The rest of
// the redraw (grid, objects, selection) is drawn over it as in the wireframe, which stays the
// default.
#include "document/editor.h"
#include "view/canvas.h"

namespace quorvel {

// Opacity a passable polygon keeps, out of 255, so it can be told from a solid one.
inline constexpr int kPassableOpacity = 150;

// The sky over the whole canvas (in place of its clear) and, when the polygon layer is shown, the
// filled polygons, textured with the map's texture file where it is found (view/map_texture); the
// status line says once when it is not.
void DrawFilledMap(Editor& ed, Canvas& c);

// View > Filled: switches between the filled view and the wireframe, remembers the choice in the
// settings ("View", "Filled") and redraws.
void MenuFilled_Click(Editor& ed);
// Takes the remembered choice from the settings; no redraw.
void LoadFilledSetting(Editor& ed);

}  // namespace quorvel
