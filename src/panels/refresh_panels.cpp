#include "panels/refresh_steps.h"
#include "view/view.h"

namespace quorvel {

namespace {

constexpr uint32_t kActiveToolCaption = 0x0000FF;  // light red

// Cleared on every way out, so the controls' handlers never stay muted.
struct BusyGuard {
  bool& busy;
  explicit BusyGuard(bool& flag) : busy(flag) { busy = true; }
  ~BusyGuard() { busy = false; }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;
};

// The caption of the active Add tool's frame stands out; the Edit tool marks none.
void RefreshFrameCaptions(Controls& ctl, int tool) {
  Frame* frames[] = {&ctl.Fvertice, &ctl.Fspawn, &ctl.Fscenery, &ctl.Fcollider, &ctl.Fbot};
  for (Frame* f : frames) f->foreColour = ctl.Pala.foreColour;
  if (tool >= 1 && tool <= 5) frames[tool - 1]->foreColour = kActiveToolCaption;
}

}  // namespace

// Rewrites every panel control from the document, the selection and the tool. The controls' own
// handlers ignore the changes made here while panelRefreshBusy is set.
void Editor::RefreshPanels() {
  BusyGuard guard(panelRefreshBusy);
  RefreshMapInfo(*this);
  RefreshShowBoxes(*this);
  RefreshSelectionSummary(*this);
  RefreshVertexPanel(*this);
  RefreshSpawnPanel(*this);
  RefreshSceneryPanel(*this);
  RefreshWaypointPanel(*this);
  RefreshColliderPanel(*this);
  RefreshPathDisplay(*this);
  RefreshFrameCaptions(ctl, currentTool);
  // A Copy that found no room has something to say at Paste.
  ctl.MenuPaste.enabled = clip.clipLast >= 0 || clip.clipOverflow;
  ParkFocus(*this);
}

}  // namespace quorvel
