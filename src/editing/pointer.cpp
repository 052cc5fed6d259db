#include "editing/pointer.h"

#include "editing/create.h"
#include "editing/edit_tool.h"
#include "view/view.h"

namespace quorvel {

void Form_MouseDown(Editor& ed, int button, int /*shift*/, float x, float y) {
  if (button == kRightButton) {
    ed.rightButtonDown = -1;
    return;
  }
  if (button != kLeftButton) return;
  if (ed.currentTool == 0) {
    EditToolPress(ed, LaskeRuutu2X(ed, x), LaskeRuutu2Y(ed, y));
  } else {
    AddToolPress(ed, x, y);
  }
}

void Form_MouseMove(Editor& ed, int /*button*/, int /*shift*/, float x, float y) {
  if (x == kUnset && y == kUnset) {
    x = ed.view.lastPointerX;
    y = ed.view.lastPointerY;
  }
  if (ed.currentTool == 0) {
    EditToolMotion(ed, x, y, LaskeRuutu2X(ed, x), LaskeRuutu2Y(ed, y));
  } else {
    AddToolMotion(ed, x, y);
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
  if (button == kLeftButton && ed.currentTool == 0) EditToolRelease(ed);
}

}  // namespace quorvel
