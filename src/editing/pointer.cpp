#include "editing/pointer.h"

#include "view/view.h"

namespace quorvel {

void Form_MouseDown(Editor& ed, int button, int /*shift*/, float /*x*/, float /*y*/) {
  if (button == kRightButton) ed.rightButtonDown = -1;
}

void Form_MouseMove(Editor& ed, int /*button*/, int /*shift*/, float x, float y) {
  if (x == kUnset && y == kUnset) {
    x = ed.view.lastPointerX;
    y = ed.view.lastPointerY;
  }
  // Right-button drag pans in every tool.
  if (ed.rightButtonDown != 0) {
    PanView(ed, x, y);
  } else {
    ed.view.lastPointerX = x;
    ed.view.lastPointerY = y;
  }
}

void Form_MouseUp(Editor& ed, int button, int /*shift*/, float /*x*/, float /*y*/) {
  if (button == kRightButton) ed.rightButtonDown = 0;
}

}  // namespace quorvel
