// "Spawn info", "Scenery info" and "Collider info": the lists their combo boxes need and the value
// the selected objects share.
#include "document/numeric.h"
#include "document/panel_lists.h"
#include "panels/refresh_steps.h"

namespace quorvel {

namespace {

constexpr int16_t kSceneryAwaitsRotation = -9999;

void Disable(ComboBox& box) {
  ClearList(box);
  box.enabled = false;
}

void ShowSelectedSpawns(Editor& ed) {
  ComboBox& box = ed.ctl.CBspawn;
  const bool many = ed.sel.selSpawnLast >= 1;
  EnsureSpawnList(box, many ? '1' : '2');
  if (many) ShowText(box, kManyTypes);
  auto type = CommonField<int>(ed.doc.spawns, ed.sel.selSpawn, ed.sel.selSpawnLast,
                               [](const Spawn& s) { return s.type; });
  // A type without a name leaves the text as it was.
  if (type.any && type.same && !SpawnTypeText(type.value).empty()) ShowText(box, SpawnTypeText(type.value));
}

void ShowSelectedSceneries(Editor& ed) {
  ComboBox& style = ed.ctl.CBscenery;
  ComboBox& visibility = ed.ctl.CBscenery2;
  const bool many = ed.sel.selSceneryLast >= 1;
  EnsureVisibilityList(visibility, many ? '2' : '1');
  EnsureSceneryList(style, many ? '2' : '1');
  if (many) {
    ShowText(visibility, kManyTypes);
    ShowText(style, kManyTypes);
  }
  auto styleValue = CommonField<int>(ed.doc.scenery, ed.sel.selScenery, ed.sel.selSceneryLast,
                                     [](const Scenery& s) { return s.style; });
  if (styleValue.any && styleValue.same) ShowText(style, SceneryStyleText(styleValue.value));
  auto alpha = CommonField<uint8_t>(ed.doc.scenery, ed.sel.selScenery, ed.sel.selSceneryLast,
                                    [](const Scenery& s) { return s.alpha; });
  if (alpha.any && alpha.same) ShowText(visibility, VisibilityText(alpha.value));
}

// In the scenery tool the type box is the tool switch's; the visibility box offers the
// percentages once and then keeps the user's choice for new sceneries.
void PrepareSceneryTool(Editor& ed) {
  ComboBox& style = ed.ctl.CBscenery;
  ComboBox& visibility = ed.ctl.CBscenery2;
  if (visibility.tag != "3") {
    EnsureVisibilityList(visibility, '3');
    const int last = std::min<int>(ed.doc.sceneryLast, kMaxScenery - 1);
    ShowText(visibility, last < 0 ? "100%" : VisibilityText(ed.doc.scenery[static_cast<size_t>(last)].alpha));
  }
  // Both boxes wait while a placed scenery takes its rotation, and are usable again after it.
  const bool usable = ed.toolParam != kSceneryAwaitsRotation;
  style.enabled = usable;
  visibility.enabled = usable;
}

}  // namespace

void RefreshSpawnPanel(Editor& ed) {
  ComboBox& box = ed.ctl.CBspawn;
  if (ed.currentTool == 2) {
    // The box shows the type the next spawn gets: the user's choice, or Normal again after the
    // tool switch of an Undo or Redo has reset it.
    EnsureSpawnList(box, '3');
    box.enabled = true;
    ShowText(box, SpawnTypeText(ed.toolParam >= 0 && ed.toolParam <= 2 ? ed.toolParam : 0));
    return;
  }
  if (ed.currentTool != 0 || ed.sel.selSpawnLast < 0) {
    Disable(box);
    return;
  }
  box.enabled = true;
  ShowSelectedSpawns(ed);
}

void RefreshSceneryPanel(Editor& ed) {
  if (ed.currentTool == 3) {
    PrepareSceneryTool(ed);
    return;
  }
  if (ed.currentTool != 0 || ed.sel.selSceneryLast < 0) {
    Disable(ed.ctl.CBscenery);
    Disable(ed.ctl.CBscenery2);
    return;
  }
  ed.ctl.CBscenery.enabled = true;
  ed.ctl.CBscenery2.enabled = true;
  ShowSelectedSceneries(ed);
}

void RefreshColliderPanel(Editor& ed) {
  ComboBox& box = ed.ctl.CBcollider;
  // The size list never changes; only the text and the enabled state do.
  if (ed.currentTool == 4) {
    box.enabled = true;  // the text is the size of new colliders
    return;
  }
  const bool edit = ed.currentTool == 0;
  box.enabled = edit && ed.sel.selColliderLast >= 0;
  if (!box.enabled) {
    ShowText(box, "");
    return;
  }
  auto radius = CommonField<float>(ed.doc.colliders, ed.sel.selCollider, ed.sel.selColliderLast,
                                   [](const Collider& c) { return c.radius; });
  ShowText(box, radius.any && radius.same ? ShortestFloat(radius.value) : std::string());
}

}  // namespace quorvel
