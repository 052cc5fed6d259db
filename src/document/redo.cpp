#include "document/redo.h"

#include "document/document_image.h"
#include "document/undo.h"

namespace quorvel {

void KeepForRedo(Editor& ed, const std::string& label) {
  std::vector<uint8_t> image = ed.undo.redoStates.TakeSpare();
  EncodeDocumentImage(ed.doc, ed.sel, ed.currentTool, image);
  ed.undo.redoStates.Push(std::move(image));
  ed.undo.redoLabels.push_back(label);
  TrimUndo(ed.undo);
  RefreshRedoMenu(ed);
}

void ClearRedo(Editor& ed) {
  ed.undo.redoStates.Clear();
  ed.undo.redoLabels.clear();
  TrimUndo(ed.undo);
  RefreshRedoMenu(ed);
}

void RefreshRedoMenu(Editor& ed) {
  MenuItem& m = ed.ctl.MenuRedo;
  const auto& labels = ed.undo.redoLabels;
  m.enabled = !labels.empty();
  m.caption = labels.empty() ? "&Redo" : "&Redo " + labels.back();
}

}  // namespace quorvel
