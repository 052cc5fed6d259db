#include "document/redo.h"

namespace quorvel {

void KeepForRedo(Editor& ed, const std::string& label) {
  ed.undo.redoSteps.push_back(RedoStep{ed.doc, ed.sel, ed.currentTool, label});
  RefreshRedoMenu(ed);
}

void ClearRedo(Editor& ed) {
  ed.undo.redoSteps.clear();
  RefreshRedoMenu(ed);
}

void RefreshRedoMenu(Editor& ed) {
  MenuItem& m = ed.ctl.MenuRedo;
  const auto& steps = ed.undo.redoSteps;
  m.enabled = !steps.empty();
  m.caption = steps.empty() ? "&Redo" : "&Redo " + steps.back().label;
}

}  // namespace quorvel
