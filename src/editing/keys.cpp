#include "editing/keys.h"

#include "editing/move.h"
#include "view/view.h"

namespace quorvel {

namespace {
// Steps the zoom list by one item and runs its handler, as a user's choice would.
void StepZoom(Editor& ed, int step) {
  ComboBox& box = ed.ctl.CBzoom;
  const int next = box.listIndex + step;
  if (next < 0 || next >= static_cast<int>(box.items.size())) return;
  box.Select(next);
  CBzoom_Click(ed);
}
}  // namespace

bool Form_KeyDown(Editor& ed, int keyCode) {
  if (keyCode == kKeyShift) ed.shiftDown = true;
  if (keyCode == kKeyCtrl) ed.ctrlDown = true;
  float step = 1.0f;
  if (ed.shiftDown && ed.ctrlDown) {
    step = 50.0f;
  } else if (ed.shiftDown) {
    step = 0.1f;
  } else if (ed.ctrlDown) {
    step = 10.0f;
  }
  if (ed.currentTool == 0 && ed.sel.selLast >= 0 && keyCode >= kKeyLeft && keyCode <= kKeyDown) {
    switch (keyCode) {
      case kKeyLeft: MoveSelection(ed, -step, 0, false); break;
      case kKeyUp: MoveSelection(ed, 0, -step, false); break;
      case kKeyRight: MoveSelection(ed, step, 0, false); break;
      default: MoveSelection(ed, 0, step, false); break;
    }
    ed.RedrawCanvas();
    return true;
  }
  if (keyCode == kKeyPadMinus) StepZoom(ed, 1);
  if (keyCode == kKeyPadPlus) StepZoom(ed, -1);
  return false;
}

void Form_KeyUp(Editor& ed, int keyCode) {
  if (keyCode == kKeyShift) ed.shiftDown = false;
  if (keyCode == kKeyCtrl) ed.ctrlDown = false;
}

void MouseWheel_Event(Editor& ed, int32_t delta) {
  if (delta == -120) StepZoom(ed, 1);
  if (delta == 120) StepZoom(ed, -1);
}

void WheelInput(Editor& ed, int32_t delta) {
  if (delta <= -120 || delta >= 120) {
    ed.wheelRemainder = 0;
    MouseWheel_Event(ed, delta);
    return;
  }
  // A turn the other way starts a new notch.
  if ((ed.wheelRemainder > 0 && delta < 0) || (ed.wheelRemainder < 0 && delta > 0)) ed.wheelRemainder = 0;
  ed.wheelRemainder += delta;
  if (ed.wheelRemainder >= 120 || ed.wheelRemainder <= -120) {
    const int32_t notch = ed.wheelRemainder > 0 ? 120 : -120;
    ed.wheelRemainder -= notch;
    MouseWheel_Event(ed, notch);
  }
}

}  // namespace quorvel
