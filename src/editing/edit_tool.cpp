#include "editing/edit_tool.h"

#include <cmath>
#include <utility>

#include "document/host.h"
#include "document/numeric.h"
#include "document/undo.h"
#include "editing/drag.h"
#include "editing/move.h"
#include "editing/selection.h"

namespace quorvel {

namespace {

bool RectSet(const SelRect& r) {
  return r.left != kUnset && r.right != kUnset && r.top != kUnset && r.bottom != kUnset;
}

bool StrictlyInside(const SelRect& r, float x, float y) {
  return r.left < x && x < r.right && r.top < y && y < r.bottom;
}

// The one selected scenery, when exactly one is selected; -1 otherwise.
int SingleScenery(const Editor& ed) {
  return ed.sel.selSceneryLast == 0 ? ed.sel.selScenery[0] : -1;
}

bool OnRotateHandle(const Editor& ed, int s, float x, float y) {
  return s >= 0 && s < kMaxScenery && ed.doc.scenery[static_cast<size_t>(s)].style != 5 && HandleHit(ed, 0, s, x, y);
}

void Hover(Editor& ed, float wx, float wy) {
  const SelectionState& s = ed.sel;
  if (!RectSet(s.selRect) || s.leftDragActive != 0) return;
  PointerShape shape = StrictlyInside(s.selRect, wx, wy) ? PointerShape::SizeAll : PointerShape::Default;
  const int sc = SingleScenery(ed);
  if (sc >= 0) {
    const float x = static_cast<float>(RoundHalfEven(wx)), y = static_cast<float>(RoundHalfEven(wy));
    if (OnRotateHandle(ed, sc, x, y)) {
      shape = PointerShape::Cross;
    } else if (HandleHit(ed, 1, sc, x, y)) {
      shape = PointerShape::SizeNWSE;
    }
  }
  if (ed.host) ed.host->SetPointer(shape);
}

// A click that fell on no selection: grow a box around the point until it catches something.
void PickSearch(Editor& ed) {
  SelRect& r = ed.sel.selRect;
  const int n = ToInt16(PickHalfSize(ed));
  for (int k = 2; k <= n; ++k) {
    r.left -= static_cast<float>(k);
    r.top -= static_cast<float>(k);
    r.right += static_cast<float>(k);
    r.bottom += static_cast<float>(k);
    SelectInSelRect(ed, true, kSelectAll);
    if (ed.sel.selLast >= 0) break;
  }
  SelectInSelRect(ed, false, kSelectAll);
}

}  // namespace

void EditToolPress(Editor& ed, float wx, float wy) {
  SelectionState& s = ed.sel;
  s.leftDragActive = -1;
  const int sc = SingleScenery(ed);
  if (sc >= 0) {
    const float x = static_cast<float>(RoundHalfEven(wx)), y = static_cast<float>(RoundHalfEven(wy));
    if (OnRotateHandle(ed, sc, x, y)) {
      TakeSnapshot(ed, "Rotate");
      s.rotatingScenery = -1;
      return;
    }
    if (HandleHit(ed, 1, sc, x, y)) {
      TakeSnapshot(ed, "Size");
      s.sizingScenery = -1;
      return;
    }
  }
  if (StrictlyInside(s.selRect, wx, wy)) {
    s.movingSelection = -1;
    return;
  }
  const SelRect& r = s.selRect;
  if (r.left != kUnset || r.right != kUnset || r.top != kUnset || r.bottom != kUnset) {
    s.selRect = SelRect{wx, kUnset, wy, kUnset};
  } else {
    s.selRect = SelRect{wx, wx, wy, wy};
  }
}

void EditToolMotion(Editor& ed, float x, float y, float wx, float wy) {
  SelectionState& s = ed.sel;
  if (s.leftDragActive != 0 && ed.rightButtonDown == 0) {
    if (s.movingSelection != 0) {
      SelRect& r = s.selRect;
      if (r.left > r.right) std::swap(r.left, r.right);
      if (r.top > r.bottom) std::swap(r.top, r.bottom);
      const double z = ed.view.zoom;
      MoveSelection(ed, static_cast<float>((double(x) - ed.view.lastPointerX) / z),
                    static_cast<float>((double(y) - ed.view.lastPointerY) / z), false);
    } else if (s.rotatingScenery != 0) {
      RotateSceneryTowards(ed, s.selScenery[0], wx, wy);
    } else if (s.sizingScenery != 0) {
      SizeSceneryTo(ed, s.selScenery[0], wx, wy);
    } else {
      s.selRect.right = wx;
      s.selRect.bottom = wy;
      SelectInSelRect(ed, false, kSelectAll);
    }
    ed.RedrawCanvas();
  }
  Hover(ed, wx, wy);
}

void EditToolRelease(Editor& ed) {
  SelectionState& s = ed.sel;
  s.leftDragActive = 0;
  if (s.movingSelection != 0) {
    s.movingSelection = 0;
  } else if (s.rotatingScenery != 0) {
    s.rotatingScenery = 0;
  } else if (s.sizingScenery != 0) {
    s.sizingScenery = 0;
  } else if (s.selRect.right == kUnset && s.selRect.bottom == kUnset) {
    ClearSelection(ed);
    ed.RefreshPanels();
    ed.RedrawCanvas();
  } else if (s.selRect.left != s.selRect.right || s.selRect.top != s.selRect.bottom) {
    SelectInSelRect(ed, false, kSelectAll);
    ed.RedrawCanvas();
  } else {
    PickSearch(ed);
    ed.RedrawCanvas();
  }
}

}  // namespace quorvel
