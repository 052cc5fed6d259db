#pragma once
// The view transform between world units and client-area pixels, the bottom bar's zoom, grid and
// "Show" handlers, panning and the focus parking on the bottom bar.
#include "document/editor.h"

namespace quorvel {

// World to screen and back. They read the client size and the widths of the side panel and the
// bottom bar at every call. The world-to-screen pair carries half-pixel terms the other pair has
// not, so a round trip moves x by -0.5/zoom and y by +0.5/zoom; hit tests and the grid rely on
// exactly that.
// The first two are inline: the redraw converts every end point of every line.
inline float LaskeRuutuX(const Editor& ed, float x) {
  return static_cast<float>((double(x) - ed.view.viewX) * ed.view.zoom +
                            (ed.view.clientWidth / 2.0 - ed.ctl.Ppalkki.width / 2.0) - 0.5);
}
inline float LaskeRuutuY(const Editor& ed, float y) {
  return static_cast<float>((double(y) - ed.view.viewY) * ed.view.zoom +
                            (ed.view.clientHeight / 2.0 - ed.ctl.Pala.height / 2.0) + 0.5);
}
float LaskeRuutu2X(const Editor& ed, float sx);
float LaskeRuutu2Y(const Editor& ed, float sy);

// Click handlers of the bottom bar. The Qt layer writes the user's choice into the control model
// first, then calls these.
void CBzoom_Click(Editor& ed);
void CBgrid_Click(Editor& ed);
void CBfixed_Click(Editor& ed);
void CBnayta_Click(Editor& ed, int index);

// Moves the view by a pointer step while the right button is held (the map follows the pointer).
void PanView(Editor& ed, float x, float y);

// Keyboard focus to the bottom bar, so keys reach the window's key handler rather than a list.
void ParkFocus(Editor& ed);

}  // namespace quorvel
