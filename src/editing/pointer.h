#pragma once
// The window's mouse handlers, called by the Qt layer with the client-area position.
// button: 1 left, 2 right, 4 middle (a mask on moves); shift: 1 Shift, 2 Ctrl, 4 Alt.
#include "document/editor.h"

namespace quorvel {

inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

void Form_MouseDown(Editor& ed, int button, int shift, float x, float y);
// A move to (-9999, -9999) means the pointer has not moved: the last position is used.
void Form_MouseMove(Editor& ed, int button, int shift, float x, float y);
void Form_MouseUp(Editor& ed, int button, int shift, float x, float y);

}  // namespace quorvel
