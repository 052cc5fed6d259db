#pragma once
// The bottom bar's status line: where a click would put a point, the size of the selection's frame
// and the note of the last command that gives no other sign.
#include <string>

#include "document/editor.h"

namespace quorvel {

// Up to three lines, separated by line feeds and always three of them (an empty line where there
// is nothing to say): "X: 120  Y: -45" for the pointer's last position on the canvas with grid
// snapping as a press would apply it, "Frame: 130 x 90" for the selection's frame (or the band being dragged) in world units,
// and `statusNote`. Numbers show at most two decimals; beyond ten million they show six digits
// with an exponent, so a far point keeps the line short.
std::string StatusLineText(const Editor& ed);

// The same three parts apart: "X: 120  Y: -45", "Frame: 130 x 90" or "", and the note.
struct StatusParts {
  std::string position, frame, note;
};
StatusParts StatusLineParts(const Editor& ed);

}  // namespace quorvel
