#pragma once
// The main window's key handlers and the mouse wheel. Key codes are the window system's virtual
// key codes: 16 Shift, 17 Ctrl, 37..40 left, up, right, down, 107 keypad plus, 109 keypad minus.
#include <cstdint>

#include "document/editor.h"

namespace quorvel {

inline constexpr int kKeyShift = 16;
inline constexpr int kKeyCtrl = 17;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyPadPlus = 107;
inline constexpr int kKeyPadMinus = 109;

// Returns true when the key was used up (an arrow that nudged the selection): no control may act
// on it as well.
bool Form_KeyDown(Editor& ed, int keyCode);
void Form_KeyUp(Editor& ed, int keyCode);

// One wheel event of the wheel control: exactly +120 zooms in one step, -120 out; anything else
// is ignored.
void MouseWheel_Event(Editor& ed, int32_t delta);
// What the window's wheel source reports. High-resolution wheels and touchpads send parts of a
// notch: those are added up and each whole notch of 120 becomes one wheel event. A report of a
// notch or more at once goes to the wheel event as it is (so 240 does nothing, as one event).
void WheelInput(Editor& ed, int32_t delta);

}  // namespace quorvel
