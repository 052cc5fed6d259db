#include "editing/redo_command.h"

#include <string>
#include <utility>
#include <vector>

#include "document/document_image.h"
#include "document/undo.h"
#include "editing/clipboard.h"
#include "editing/tools.h"
#include "editing/undo_command.h"

namespace quorvel {

void MenuRedo_Click(Editor& ed) {
  UndoRing& u = ed.undo;
  if (u.redoLabels.empty() || u.redoStates.Empty()) return;
  const std::string label = u.redoLabels.back();
  // The snapshot that makes the step undoable again would empty the redo list.
  SnapshotChain states = std::exchange(u.redoStates, SnapshotChain{});
  std::vector<std::string> labels = std::exchange(u.redoLabels, {});
  TakeSnapshot(ed, label);
  u.redoStates = std::move(states);
  u.redoLabels = std::move(labels);
  EmptyClipboard(ed);
  ed.toolParam = 0;
  ed.rightButtonDown = 0;
  DecodeDocumentImage(u.redoStates.Newest(), ed.doc, ed.sel, ed.currentTool);
  u.redoStates.PopNewest();
  u.redoLabels.pop_back();
  TrimUndo(u);
  SelectTool(ed, ed.currentTool);
  ShowRestoredState(ed);
}

}  // namespace quorvel
