#include "document/editor.h"

namespace quorvel {

// Rewrites the panel controls from the document; the controls' own handlers ignore the changes
// while panelRefreshBusy is set. The side panel's property frames come with the property panels;
// for now the "Show" boxes are brought in line with the layer flags.
void Editor::RefreshPanels() {
  panelRefreshBusy = true;
  bool all = true;
  for (int i = 0; i <= 5; ++i) {
    ctl.CBnayta[static_cast<size_t>(i) + 1].value = view.showFlags[static_cast<size_t>(i)];
    if (view.showFlags[static_cast<size_t>(i)] == 0) all = false;
  }
  ctl.CBnayta[0].value = all ? 1 : 0;
  panelRefreshBusy = false;
}

}  // namespace quorvel
