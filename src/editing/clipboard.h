#pragma once
#include "document/editor.h"

namespace quorvel {

// The clipboard's copies live in the free records above the last indices; emptying it only forgets
// them.
inline void EmptyClipboard(Editor& ed) {
  ed.clip.clipLast = -1;
  ed.clip.clipOverflow = false;
}

}  // namespace quorvel
