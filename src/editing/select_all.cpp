#include "editing/select_all.h"

#include <limits>

#include "editing/selection.h"
#include "editing/tools.h"

namespace quorvel {

void MenuSelectAll_Click(Editor& ed) {
  if (ed.currentTool != 0) SelectTool(ed, 0);
  // Unbounded, so even a corner at infinity is inside; only a coordinate that is not a number
  // escapes, as it escapes every band.
  constexpr float kAll = std::numeric_limits<float>::infinity();
  SelectInRect(ed, -kAll, -kAll, kAll, kAll, false, kSelectAll);
  // The frame hugs the objects, as after a paste, rather than the endless band.
  if (ed.sel.selLast >= 0) FrameSelection(ed);
  ed.RedrawCanvas();
}

}  // namespace quorvel
