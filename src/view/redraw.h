#pragma once
// The full redraw, Editor::RedrawCanvas (declared with the Editor), and the background colour it
// clears to. The primitives it is made of are in draw_helpers.h.
#include "view/canvas.h"
#include "view/draw_helpers.h"

namespace quorvel {

inline constexpr Rgb kBackground{64, 64, 64};

}  // namespace quorvel
