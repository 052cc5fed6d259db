// "Bot Waypoints info": the direction flags and path of the selected waypoints, and the buttons
// choosing which path the canvas shows.
#include "panels/panel_handlers.h"
#include "panels/refresh_steps.h"

namespace quorvel {

namespace {

// A check box holds 0, 1 or 2 (mixed); any other byte a file holds is a set flag.
int16_t FlagValue(uint8_t flag) { return flag <= 2 ? flag : 1; }

void SetWaypointControls(Controls& ctl, bool enabled) {
  for (size_t p = 1; p <= 2; ++p) ctl.OBbotKumpi[p].enabled = enabled;
  for (CheckBox& box : ctl.CBbotValinta) box.enabled = enabled;
}

void ClearWaypointValues(Controls& ctl) {
  for (size_t p = 1; p <= 2; ++p) ctl.OBbotKumpi[p].value = false;
  for (CheckBox& box : ctl.CBbotValinta) box.value = 0;
}

void ShowSelectedWaypoints(Editor& ed) {
  Controls& ctl = ed.ctl;
  const SelectionState& sel = ed.sel;
  for (size_t i = 0; i < ctl.CBbotValinta.size(); ++i) {
    auto flag = CommonField<uint8_t>(ed.doc.waypoints, sel.selWaypoint, sel.selWaypointLast,
                                     [i](const Waypoint& w) { return w.flags[i]; });
    ctl.CBbotValinta[i].value = !flag.any ? 0 : flag.same ? FlagValue(flag.value) : 2;
  }
  auto path = CommonField<int32_t>(ed.doc.waypoints, sel.selWaypoint, sel.selWaypointLast,
                                   [](const Waypoint& w) { return w.path; });
  // A path other than 1 or 2 has no button to show it.
  const int32_t shown = path.any && path.same ? path.value : 0;
  for (size_t p = 1; p <= 2; ++p) ctl.OBbotKumpi[p].value = shown == static_cast<int32_t>(p);
}

void TurnOnPathDisplay(Editor& ed, int k) {
  for (size_t j = 0; j < ed.ctl.OBbotNayta.size(); ++j) ed.ctl.OBbotNayta[j].value = static_cast<int>(j) == k;
  OBbotNayta_Click(ed, k);
}

}  // namespace

void RefreshWaypointPanel(Editor& ed) {
  Controls& ctl = ed.ctl;
  if (ed.currentTool == 5) {
    SetWaypointControls(ctl, true);  // the values are those new waypoints get
    return;
  }
  const bool anySelected = ed.currentTool == 0 && ed.sel.selWaypointLast >= 0;
  SetWaypointControls(ctl, anySelected);
  if (anySelected)
    ShowSelectedWaypoints(ed);
  else
    ClearWaypointValues(ctl);
}

void RefreshPathDisplay(Editor& ed) {
  auto& show = ed.ctl.OBbotNayta;
  const bool waypointsShown = ed.view.showFlags[4] == 1;
  for (OptionButton& b : show) b.enabled = waypointsShown;
  if (!waypointsShown) return;
  if (!show[0].value && !show[1].value && !show[2].value) TurnOnPathDisplay(ed, 0);
  if (ed.currentTool != 5) return;
  // While adding waypoints of one path, the canvas may not show only the other.
  if (ed.ctl.OBbotKumpi[1].value) {
    show[2].enabled = false;
    if (show[2].value) TurnOnPathDisplay(ed, 0);
  } else if (ed.ctl.OBbotKumpi[2].value) {
    show[1].enabled = false;
    if (show[1].value) TurnOnPathDisplay(ed, 0);
  }
}

}  // namespace quorvel
