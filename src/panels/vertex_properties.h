#pragma once
// Click handlers of the "Vertice info" and "Polygon info" frames: they act on the selected
// vertices, or on the polygons those vertices belong to.
#include "document/editor.h"

namespace quorvel {

// "Color": the colour of the selected vertices (Edit) or of the next triangle (Add polygon).
void CBverticevari_Click(Editor& ed);
// "Passable": the box's new value makes the polygons of the selected vertices passable or solid.
void CBverticeLapi_Click(Editor& ed);
// "Disconnect": pulls the selected vertices a few screen pixels apart.
void CBerota_Click(Editor& ed);
// "Connect": puts the selected vertices on their mean point with the first one's colour.
void CByhista_Click(Editor& ed);
// "Restore texture" and "Delete texture", for every polygon with a selected vertex.
void CBtexPalauta_Click(Editor& ed);
void CBtexPoista_Click(Editor& ed);
// "No texture correction when edit": the vertex drag reads the box; the click only parks focus.
void CBtexEiKorjaus_Click(Editor& ed);

}  // namespace quorvel
