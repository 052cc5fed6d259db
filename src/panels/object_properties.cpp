#include "panels/object_properties.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string>

#include "document/numeric.h"
#include "document/panel_lists.h"
#include "document/undo.h"
#include "editing/create.h"
#include "panels/property_support.h"
#include "view/view.h"

namespace quorvel {

namespace {

constexpr const char* kOutOfLimit = "Size is out of the limit.";
constexpr const char* kCustomSize =
    "You have select a custom size.\nThis will work but the official MapMaker will not show custom sized "
    "colliders.\nDo you still want continue?";
constexpr std::array<double, 4> kStandardSizes{12, 16, 24, 32};
constexpr int16_t kSceneryAwaitsRotation = -9999;

void Finish(Editor& ed) {
  ed.RedrawCanvas();
  ParkFocus(ed);
}

// "Many types" only says the selection is mixed; it is never a value to store.
bool IsManyTypes(const ComboBox& box) { return box.text == kManyTypes; }

// The visibility a text names, with or without its "%": a number from 0 to 100, or nothing.
std::optional<double> VisibilityPercent(std::string_view text) {
  if (!text.empty() && text.back() == '%') text.remove_suffix(1);
  const auto v = ReadLeadingNumber(text);
  if (!v || !(*v >= 0 && *v <= 100)) return std::nullopt;
  return *v;
}

// The collider size a text names: a number from 2 to 999, or nothing.
std::optional<double> ColliderSize(std::string_view text) {
  const auto v = ReadLeadingNumber(text);
  if (!v || !(*v >= 2 && *v <= 999)) return std::nullopt;
  return *v;
}

// A number in plain decimal, without exponent; -0 shows as 0.
std::string PlainDecimal(double v) {
  std::array<char, 400> buf{};
  const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v + 0.0, std::chars_format::fixed);
  return std::string(buf.data(), res.ptr);
}

void RefuseVisibility(Editor& ed) {
  Refuse(ed, kOutOfLimit);
  ParkFocus(ed);
  ShowText(ed.ctl.CBscenery2, "100%");
}

void RefuseColliderSize(Editor& ed) {
  Refuse(ed, kOutOfLimit);
  ShowText(ed.ctl.CBcollider, "12");
}

// The list without "Many types" before it opens; what the box showed stays shown when the new
// list still holds it.
template <class Load>
void ReplaceList(ComboBox& box, Load load) {
  const std::string shown = box.text;
  load(box);
  ShowText(box, shown);
}

}  // namespace

void CBspawn_Click(Editor& ed) {
  if (ed.panelRefreshBusy) return;
  BusyGuard busy(ed);
  const ComboBox& box = ed.ctl.CBspawn;
  const uint8_t type = box.text == "CTF Red" ? 1 : box.text == "CTF Blue" ? 2 : 0;
  if (ed.currentTool == 0) {
    if (ed.sel.selSpawnLast < 0) {
      Refuse(ed, "You need select at least 1 spawnpoint.");
      return;
    }
    if (IsManyTypes(box)) return Finish(ed);
    TakeSnapshot(ed, "Type");
    ForEachSelected(ed.doc.spawns, ed.sel.selSpawn, ed.sel.selSpawnLast, [&](Spawn& s) { s.type = type; });
  } else if (ed.currentTool == 2 && !IsManyTypes(box)) {
    ed.toolParam = type;
    ShowToolParamInPreview(ed);
  }
  Finish(ed);
}

void CBspawn_DropDown(Editor& ed) {
  if (ed.panelRefreshBusy) return;
  ComboBox& box = ed.ctl.CBspawn;
  if (box.tag != "1") return;
  ReplaceList(box, [](ComboBox& b) { EnsureSpawnList(b, '2'); });
  box.tag.assign(1, '0');  // the next refresh loads the list the selection needs
}

void CBscenery_Click(Editor& ed) {
  if (ed.panelRefreshBusy) return;
  BusyGuard busy(ed);
  const std::string& text = ed.ctl.CBscenery.text;
  int style = 0;  // 0: the text names no style, and nothing is stored
  for (int i = 1; i <= 21 && style == 0; ++i)
    if (text == sceneryNames[static_cast<size_t>(i)]) style = i;
  if (ed.currentTool == 0) {
    if (ed.sel.selSceneryLast < 0) {
      Refuse(ed, "You need select at least 1 scenery.");
      return;
    }
    if (style == 0) return Finish(ed);
    TakeSnapshot(ed, "Type");
    ForEachSelected(ed.doc.scenery, ed.sel.selScenery, ed.sel.selSceneryLast,
                    [&](Scenery& s) { s.style = static_cast<uint8_t>(style); });
  } else if (ed.currentTool == 3 && style != 0 && ed.toolParam != kSceneryAwaitsRotation) {
    ed.toolParam = static_cast<int16_t>(style);
    ShowToolParamInPreview(ed);
  }
  Finish(ed);
}

void CBscenery_DropDown(Editor& ed) {
  if (ed.panelRefreshBusy) return;
  ReplaceList(ed.ctl.CBscenery, [](ComboBox& b) { EnsureSceneryList(b, '1'); });
}

void CBscenery2_Click(Editor& ed) {
  if (ed.panelRefreshBusy) return;
  BusyGuard busy(ed);
  ComboBox& box = ed.ctl.CBscenery2;
  const bool edit = ed.currentTool == 0;
  if (edit && ed.sel.selSceneryLast < 0) {
    Refuse(ed, "You need select at least 1 scenery.");
    return;
  }
  if (IsManyTypes(box)) return Finish(ed);
  const auto percent = VisibilityPercent(box.text);
  if (!percent) return RefuseVisibility(ed);
  if (edit) {
    const auto alpha = static_cast<uint8_t>(RoundHalfEven(*percent / 100 * 255));
    TakeSnapshot(ed, "Visibility");
    ForEachSelected(ed.doc.scenery, ed.sel.selScenery, ed.sel.selSceneryLast, [&](Scenery& s) { s.alpha = alpha; });
  }
  // Other tools store nothing: a new scenery reads its visibility from the box's text.
  Finish(ed);
}

void CBscenery2_KeyDown(Editor& ed, int keyCode) {
  if (keyCode != kEnterKey || ed.panelRefreshBusy) return;
  ComboBox& box = ed.ctl.CBscenery2;
  const auto v = ReadLeadingNumber(box.text);
  // Text that is no number, or is out of range, is refused rather than read as 0% or clamped.
  if (!v || !(*v >= 0 && *v <= 100)) return RefuseVisibility(ed);
  ParkFocus(ed);
  ShowText(box, PlainDecimal(*v) + "%");
  CBscenery2_Click(ed);
}

void CBscenery2_DropDown(Editor& ed) {
  if (ed.panelRefreshBusy) return;
  BusyGuard busy(ed);
  ComboBox& box = ed.ctl.CBscenery2;
  if (box.tag == "1") return;
  const std::string shown = box.text;
  EnsureVisibilityList(box, '1');
  // Opening the list chooses nothing: the box keeps its value, and only the mixed mark gives way.
  ShowText(box, shown.empty() || shown == kManyTypes ? std::string("100%") : shown);
}

void CBcollider_Click(Editor& ed) {
  if (ed.panelRefreshBusy) return;
  if (ed.currentTool != 0 && ed.currentTool != 4) return;
  if (ed.currentTool == 0 && ed.sel.selColliderLast < 0) {
    Refuse(ed, "You need select at least 1 collider.");
    return;
  }
  const auto size = ColliderSize(ed.ctl.CBcollider.text);
  if (!size) return RefuseColliderSize(ed);
  if (ed.currentTool == 0) {
    TakeSnapshot(ed, "Size");  // only once the size is known to be stored: a refusal leaves no undo step
    ForEachSelected(ed.doc.colliders, ed.sel.selCollider, ed.sel.selColliderLast,
                    [&](Collider& c) { c.radius = static_cast<float>(*size); });
  } else {
    ed.toolParam = ToInt16(*size);
    // A new collider gets the whole number: the box says so.
    ShowText(ed.ctl.CBcollider, std::to_string(ed.toolParam));
    ShowToolParamInPreview(ed);
  }
  Finish(ed);
}

void CBcollider_KeyPress(Editor& ed, int keyAscii) {
  if (keyAscii != kEnterKey || ed.panelRefreshBusy) return;
  const auto size = ColliderSize(ed.ctl.CBcollider.text);
  if (!size) return RefuseColliderSize(ed);
  if (std::find(kStandardSizes.begin(), kStandardSizes.end(), *size) == kStandardSizes.end() &&
      ed.host->MessageBox(kCustomSize, "Warning", MsgIcon::Question, MsgButtons::OkCancel) != MsgResult::Ok) {
    ShowText(ed.ctl.CBcollider, "12");
    return;
  }
  CBcollider_Click(ed);
  ParkFocus(ed);
}

void CBbotValinta_Click(Editor& ed, int index) {
  if (ed.panelRefreshBusy || index < 0 || index >= static_cast<int>(ed.ctl.CBbotValinta.size())) return;
  if (ed.currentTool == 0) {
    if (ed.sel.selWaypointLast < 0) {
      Refuse(ed, "You need select at least 1 waypoint.");
      return;
    }
    const int16_t value = ed.ctl.CBbotValinta[static_cast<size_t>(index)].value;
    // A grey box shows a mixed selection; it is no value to give every waypoint.
    if (value == 0 || value == 1) {
      TakeSnapshot(ed, "Editing");
      ForEachSelected(ed.doc.waypoints, ed.sel.selWaypoint, ed.sel.selWaypointLast,
                      [&](Waypoint& w) { w.flags[static_cast<size_t>(index)] = static_cast<uint8_t>(value); });
    }
  }
  // The Add waypoint tool stores nothing: a new waypoint reads the five boxes.
  Finish(ed);
}

void OBbotKumpi_Click(Editor& ed, int path) {
  if (ed.panelRefreshBusy || (path != 1 && path != 2)) return;
  if (ed.currentTool == 0) {
    if (ed.sel.selWaypointLast < 0) {
      Refuse(ed, "You need select at least 1 waypoint.");
      return;
    }
    TakeSnapshot(ed, "Path");
    ForEachSelected(ed.doc.waypoints, ed.sel.selWaypoint, ed.sel.selWaypointLast, [&](Waypoint& w) { w.path = path; });
  } else if (ed.currentTool == 5) {
    ed.toolParam = static_cast<int16_t>(path);
  }
  for (int p = 1; p <= 2; ++p) ed.ctl.OBbotKumpi[static_cast<size_t>(p)].value = p == path;
  // The refresh may change which path the canvas shows, so the canvas is drawn after it.
  ed.RefreshPanels();
  Finish(ed);
}

}  // namespace quorvel
