#include "editing/tools.h"

#include <algorithm>
#include <cmath>

#include "document/host.h"
#include "document/numeric.h"
#include "document/panel_lists.h"
#include "editing/clipboard.h"
#include "editing/create.h"
#include "editing/selection.h"

namespace quorvel {

namespace {

void SetEditMenus(Controls& ctl, bool enabled) {
  for (MenuItem* m : {&ctl.MenuCopy, &ctl.MenuPaste, &ctl.MenuFront, &ctl.MenuBack, &ctl.MenuMirror, &ctl.MenuFlip})
    m->enabled = enabled;
}

void SceneryDefaults(Editor& ed) {
  Controls& ctl = ed.ctl;
  EnsureSceneryList(ctl.CBscenery, '1');
  EnsureVisibilityList(ctl.CBscenery2, '1');
  if (ed.doc.sceneryLast < 0) {
    ed.toolParam = 1;
    ShowText(ctl.CBscenery, SceneryStyleText(1));
    ShowText(ctl.CBscenery2, "100%");
    return;
  }
  const Scenery& last = ed.doc.scenery[std::min<int>(ed.doc.sceneryLast, kMaxScenery - 1)];
  // A style byte from a file that names no style would make props without a size: start from the
  // first style instead.
  const int style = (last.style >= 1 && last.style <= 21) ? last.style : 1;
  ed.toolParam = static_cast<int16_t>(style);
  ShowText(ctl.CBscenery, SceneryStyleText(style));
  ShowText(ctl.CBscenery2, VisibilityText(last.alpha));
}

// The box shows the whole number a new collider gets, not the last one's exact radius; a radius
// outside the sizes the box takes (only a file written elsewhere holds one) starts from 12.
void ColliderDefaults(Editor& ed) {
  int16_t size = 12;
  if (ed.doc.colliderLast >= 0) {
    const int16_t last = ToInt16(ed.doc.colliders[std::min<int>(ed.doc.colliderLast, kMaxColliders - 1)].radius);
    if (last >= 2 && last <= 999) size = last;
  }
  ed.toolParam = size;
  ed.ctl.CBcollider.text = std::to_string(size);
}

void WaypointDefaults(Editor& ed) {
  Controls& ctl = ed.ctl;
  int path = 1;
  if (ed.doc.waypointLast >= 0) {
    const Waypoint& last = ed.doc.waypoints[std::min<int>(ed.doc.waypointLast, kMaxWaypoints - 1)];
    // A box is ticked or not: any non-zero flag byte from a file ticks it.
    for (size_t k = 0; k < 5; ++k) ctl.CBbotValinta[k].value = last.flags[k] != 0 ? 1 : 0;
    path = last.path == 1 ? 1 : 2;
  }
  ctl.OBbotKumpi[1].value = path == 1;
  ctl.OBbotKumpi[2].value = path == 2;
  ed.toolParam = static_cast<int16_t>(path);
}

}  // namespace

void OBvalinta_Click(Editor& ed, int index) {
  if (index < 0 || index > 5) return;
  ed.panelRefreshBusy = true;
  if (ed.currentTool == 1 && ed.toolParam >= 1 && index != 1 && ed.doc.polygonLast >= 0) --ed.doc.polygonLast;
  ed.currentTool = static_cast<int16_t>(index);
  ed.toolParam = 0;
  ed.sel.connectFrom = -1;
  for (CheckBox& box : ed.ctl.CBnayta) box.enabled = true;
  if (index == 0) {
    SetEditMenus(ed.ctl, true);
    if (ed.host) ed.host->SetPointer(PointerShape::Default);
  } else {
    SetEditMenus(ed.ctl, false);
    ed.ctl.CBnayta[0].enabled = false;
    ed.ctl.CBnayta[index].enabled = false;
    ed.view.showFlags[index - 1] = 1;
    ClearSelection(ed);
    if (ed.host) ed.host->SetPointer(PointerShape::Cross);
    EmptyClipboard(ed);
  }
  switch (index) {
    case 1:
      ed.ctl.CBverticevari.backColour =
          ed.doc.polygonLast >= 0
              ? PackedColour(ed.doc.polygons[std::min<int>(ed.doc.polygonLast, kMaxPolygons - 1)].corner[2].colour)
              : 0xFFFFFF;
      break;
    case 3:
      SceneryDefaults(ed);
      break;
    case 4:
      ColliderDefaults(ed);
      break;
    case 5:
      WaypointDefaults(ed);
      break;
    default:
      break;
  }
  // The preview left in the free record (by an Undo, say) shows what the next object gets.
  ShowToolParamInPreview(ed);
  ed.panelRefreshBusy = false;
  ed.RedrawCanvas();
}

void SelectTool(Editor& ed, int index) {
  for (int i = 0; i < 6; ++i) ed.ctl.OBvalinta[i].value = (i == index);
  OBvalinta_Click(ed, index);
}

}  // namespace quorvel
