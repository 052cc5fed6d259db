#include "panels/panel_handlers.h"

#include "view/view.h"

namespace quorvel {

void OBbotNayta_Click(Editor& ed, int index) {
  if (index < 0 || index > 2) return;
  // Runs also while the panels are refreshed: the refresh turns a button on to set the filter.
  ed.pathFilter = static_cast<int16_t>(index);
  if (ed.panelRefreshBusy) return;
  ed.RedrawCanvas();
  ParkFocus(ed);
}

}  // namespace quorvel
