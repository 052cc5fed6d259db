#pragma once
// The "Undo History" window's content, toolkit-free: one row for the earliest state kept, one for
// each undo step (named by its label, oldest first, the current state's row marked) and one for
// each redo step after it. Choosing a row undoes or redoes one step at a time until that row is the
// current one, through Edit Undo and Redo themselves, so each step keeps every rule of theirs.
#include <string>
#include <vector>

#include "document/editor.h"

namespace quorvel {

enum class HistoryRowKind { Earliest, Done, Redo };

struct HistoryRow {
  std::string text;  // the step's label; the earliest state's own words for row 0
  HistoryRowKind kind = HistoryRowKind::Done;
  bool current = false;  // the map as it stands is this row's state
  // What a screen reader says for the row: the text and whether it is current or can be redone.
  std::string spoken;

  bool operator==(const HistoryRow&) const = default;
};

inline constexpr const char* kEarliestStateText = "Earliest state kept";

std::vector<HistoryRow> UndoHistoryRows(const Editor& ed);
// The row of the map as it stands.
int CurrentHistoryRow(const Editor& ed);
// "3 steps to undo, 1 to redo", "Nothing to undo or redo", ...
std::string UndoHistorySummary(const Editor& ed);
// Undoes or redoes until `row` is the current row; a row outside the list does nothing. Only the
// last step redraws the canvas.
void ChooseHistoryRow(Editor& ed, int row);

}  // namespace quorvel
