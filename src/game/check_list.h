#pragma once
// The "Map check" window's content, toolkit-free: the checker's problems as lines grouped by kind
// under a heading with their count, the total, and what choosing a line does to the editor.
#include <string>
#include <vector>

#include "document/editor.h"
#include "game/map_checker.h"

namespace quorvel {

struct CheckLine {
  std::string text;
  int problem = -1;  // index into CheckList::problems; -1 for a kind's heading
};

struct CheckList {
  std::vector<Problem> problems;
  std::vector<CheckLine> lines;  // each kind's heading, then its problems
  std::string count;             // "3 problems", "1 problem" or "No problems found"
};

// Checks the editor's map as it stands (the spawn checks read the open file's name).
CheckList RunMapCheck(const Editor& ed);

// Selects the objects of the problem the way the Edit tool selects (switching to it), showing
// their layers and path if hidden, frames them and centres the view on them. Objects that no
// longer exist (the map changed since the check) are left out. The map is not changed.
void ChooseProblem(Editor& ed, const Problem& problem);

}  // namespace quorvel
