#pragma once
// The main window's resize handler: keeps the three bars and the two small frames attached to the
// client area's edges, holds the minimum window size and redraws.
#include "document/editor.h"

namespace quorvel {

// Fixed conversion of the window's outer size: 15 twips to the pixel, whatever the screen.
inline constexpr int kTwipsPerPixel = 15;

struct OuterSize {
  int width = 0, height = 0;
};
// Minimum outer window size (frame, title and menu included) in twips and in pixels; 12495 x 9420
// twips, 833 x 628 pixels with the bars at their first sizes.
OuterSize MinimumOuterTwips(const Controls& ctl);
OuterSize MinimumOuterPixels(const Controls& ctl);

// Lays the bars out for the client size in ed.view.clientWidth/clientHeight and redraws. A saved
// placement that is waiting to be restored (restorePlacementPending) must be restored by the shell
// before this runs. Sizes that would come out negative (a minimised window with no client area)
// leave the control as it was; positions may be negative.
void Form_Resize(Editor& ed);

}  // namespace quorvel
