#include "view/view.h"

#include "document/host.h"
#include "document/numeric.h"
#include "editing/pointer.h"

namespace quorvel {

namespace {
double HalfW(const Editor& ed) { return ed.view.clientWidth / 2.0 - ed.ctl.Ppalkki.width / 2.0; }
double HalfH(const Editor& ed) { return ed.view.clientHeight / 2.0 - ed.ctl.Pala.height / 2.0; }
}  // namespace

float LaskeRuutu2X(const Editor& ed, float sx) {
  return static_cast<float>((double(sx) - HalfW(ed)) / ed.view.zoom + ed.view.viewX);
}

float LaskeRuutu2Y(const Editor& ed, float sy) {
  return static_cast<float>((double(sy) - HalfH(ed)) / ed.view.zoom + ed.view.viewY);
}

void CBzoom_Click(Editor& ed) {
  if (ed.panelRefreshBusy) return;
  const ComboBox& box = ed.ctl.CBzoom;
  const int i = box.listIndex;
  if (i < 0 || i >= static_cast<int>(box.itemData.size())) return;
  // The zoom divides in the screen-to-world conversions: a list entry without a positive number
  // is ignored rather than allowed to make it zero.
  if (box.itemData[static_cast<size_t>(i)] <= 0) return;
  ed.view.zoom = static_cast<float>(box.itemData[static_cast<size_t>(i)] / 100.0);
  // The pointer has not moved, but previews and drags must follow the new scale.
  Form_MouseMove(ed, 0, 0, kUnset, kUnset);
  ed.RedrawCanvas();
}

void CBgrid_Click(Editor& ed) {
  if (ed.panelRefreshBusy) return;
  const ComboBox& box = ed.ctl.CBgrid;
  const std::string& text =
      box.listIndex >= 0 && box.listIndex < static_cast<int>(box.items.size()) ? box.items[static_cast<size_t>(box.listIndex)]
                                                                             : box.text;
  ed.view.gridSize = ToInt16(LeadingNumber(text));
  ParkFocus(ed);
  ed.RedrawCanvas();
}

void CBfixed_Click(Editor& ed) {
  ParkFocus(ed);
  ed.RedrawCanvas();
}

void CBnayta_Click(Editor& ed, int index) {
  if (ed.panelRefreshBusy) return;
  if (index < 0 || index >= static_cast<int>(ed.ctl.CBnayta.size())) return;
  const int16_t value = ed.ctl.CBnayta[static_cast<size_t>(index)].value;
  if (index == 0) {
    for (int k = 0; k <= 5; ++k) ed.view.showFlags[static_cast<size_t>(k)] = value;
  } else {
    ed.view.showFlags[static_cast<size_t>(index - 1)] = value;
  }
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

void PanView(Editor& ed, float x, float y) {
  ViewState& v = ed.view;
  v.viewX = static_cast<float>(v.viewX + (double(v.lastPointerX) - x) / v.zoom);
  v.viewY = static_cast<float>(v.viewY + (double(v.lastPointerY) - y) / v.zoom);
  v.lastPointerX = x;
  v.lastPointerY = y;
  ed.RedrawCanvas();
}

void ParkFocus(Editor& ed) {
  if (ed.host) ed.host->FocusBottomBar();
}

}  // namespace quorvel
