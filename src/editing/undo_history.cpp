#include "editing/undo_history.h"

#include <algorithm>
#include <string>

#include "editing/redo_command.h"
#include "editing/undo_command.h"

namespace quorvel {

namespace {

int UndoSteps(const Editor& ed) { return std::max(0, ed.undo.undoTop + 1); }
int RedoSteps(const Editor& ed) { return static_cast<int>(ed.undo.redoLabels.size()); }

std::string Steps(int n, const char* what) {
  return std::to_string(n) + (n == 1 ? " step to " : " steps to ") + what;
}

}  // namespace

std::vector<HistoryRow> UndoHistoryRows(const Editor& ed) {
  const UndoRing& u = ed.undo;
  const int done = UndoSteps(ed);
  std::vector<HistoryRow> rows;
  rows.reserve(static_cast<size_t>(1 + done + RedoSteps(ed)));
  rows.push_back({kEarliestStateText, HistoryRowKind::Earliest, done == 0, ""});
  for (int k = done - 1; k >= 0; --k) {
    const int slot = (u.undoSlot - k + kUndoSlots) % kUndoSlots;
    rows.push_back({u.undoLabels[static_cast<size_t>(slot)], HistoryRowKind::Done, k == 0, ""});
  }
  for (auto it = u.redoLabels.rbegin(); it != u.redoLabels.rend(); ++it)
    rows.push_back({*it, HistoryRowKind::Redo, false, ""});
  for (HistoryRow& r : rows)
    r.spoken = r.text + (r.current ? ", current state" : r.kind == HistoryRowKind::Redo ? ", can be redone" : "");
  return rows;
}

int CurrentHistoryRow(const Editor& ed) { return UndoSteps(ed); }

std::string UndoHistorySummary(const Editor& ed) {
  const int undo = UndoSteps(ed), redo = RedoSteps(ed);
  if (undo == 0 && redo == 0) return "Nothing to undo or redo";
  if (redo == 0) return Steps(undo, "undo");
  if (undo == 0) return Steps(redo, "redo");
  return Steps(undo, "undo") + ", " + std::to_string(redo) + " to redo";
}

void ChooseHistoryRow(Editor& ed, int row) {
  const int current = CurrentHistoryRow(ed);
  if (row < 0 || row > current + RedoSteps(ed) || row == current) return;
  const bool back = row < current;
  const int steps = back ? current - row : row - current;
  // The steps in between need no drawing: the canvas shows where the walk ends.
  Canvas* canvas = ed.canvas;
  ed.canvas = nullptr;
  for (int i = 1; i <= steps; ++i) {
    if (i == steps) ed.canvas = canvas;
    (back ? MenuUndo_Click : MenuRedo_Click)(ed);
  }
  ed.canvas = canvas;
}

}  // namespace quorvel
