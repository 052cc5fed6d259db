#include "editing/redo_command.h"

#include <utility>
#include <vector>

#include "document/undo.h"
#include "editing/clipboard.h"
#include "editing/tools.h"
#include "editing/undo_command.h"

namespace quorvel {

void MenuRedo_Click(Editor& ed) {
  std::vector<RedoStep>& steps = ed.undo.redoSteps;
  if (steps.empty()) return;
  RedoStep step = std::move(steps.back());
  steps.pop_back();
  // The snapshot that makes the step undoable again would empty the rest of the list.
  std::vector<RedoStep> rest = std::move(steps);
  TakeSnapshot(ed, step.label);
  ed.undo.redoSteps = std::move(rest);
  EmptyClipboard(ed);
  ed.toolParam = 0;
  ed.rightButtonDown = 0;
  ed.doc = std::move(step.doc);
  ed.sel = step.sel;
  ed.currentTool = step.currentTool;
  SelectTool(ed, ed.currentTool);
  ShowRestoredState(ed);
}

}  // namespace quorvel
