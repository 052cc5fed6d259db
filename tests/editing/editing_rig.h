#pragma once
// An editor at the first client size (819 x 577) with the mouse and keys driven in world units.
#include "../view/view_test_support.h"
#include "editing/keys.h"
#include "editing/pointer.h"
#include "editing/tools.h"

namespace quorvel::testing_support {

struct EditRig : ViewRig {
  // World point to the client-area pixel the conversions map back onto it.
  float Sx(float wx) { return static_cast<float>((wx - e().view.viewX) * e().view.zoom + 317); }
  float Sy(float wy) { return static_cast<float>((wy - e().view.viewY) * e().view.zoom + 262); }
  void Move(float wx, float wy, int button = 0) { Form_MouseMove(e(), button, 0, Sx(wx), Sy(wy)); }
  void Press(float wx, float wy) {
    Move(wx, wy);
    Form_MouseDown(e(), kLeftButton, 0, Sx(wx), Sy(wy));
  }
  void Release(float wx, float wy) { Form_MouseUp(e(), kLeftButton, 0, Sx(wx), Sy(wy)); }
  void Click(float wx, float wy) {
    Press(wx, wy);
    Release(wx, wy);
  }
  void Drag(float x1, float y1, float x2, float y2) {
    Press(x1, y1);
    Move(x2, y2, kLeftButton);
    Release(x2, y2);
  }
  void Hold(int key) { Form_KeyDown(e(), key); }
  void Let(int key) { Form_KeyUp(e(), key); }
  void Tool(int index) { SelectTool(e(), index); }
  void Grid(int size) { e().view.gridSize = static_cast<int16_t>(size); }
  int Snapshots() const { return ed->undo.undoTop + 1; }
};

}  // namespace quorvel::testing_support
