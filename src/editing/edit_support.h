#pragma once
// Inside the Edit commands (arrange.cpp, delete.cpp): the nothing-selected message and the marks of
// the selected records.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "document/editor.h"
#include "document/host.h"

namespace quorvel::edit_support {

inline constexpr const char* kNothingSelected = "You need select something at first.";

inline void TellNothingSelected(Editor& ed) {
  if (ed.host) ed.host->MessageBox(kNothingSelected, "Problem", MsgIcon::Information, MsgButtons::Ok);
}

inline int Upto(int last, int capacity) {
  return std::min(last, capacity - 1);
}

// Which records of a kind the selection names, one mark per record 0..last (a record listed twice
// is marked once; entries past the last index are ignored).
inline std::vector<uint8_t> MarkPolygons(const Editor& ed) {
  const SelectionState& s = ed.sel;
  const int last = Upto(ed.doc.polygonLast, kMaxPolygons);
  std::vector<uint8_t> marks(static_cast<size_t>(std::max(last + 1, 0)), 0);
  for (int i = 0; i <= std::min<int>(s.selVertexLast, kMaxSelectedVertices - 1); ++i) {
    const int p = s.selVertexPolygon[static_cast<size_t>(i)];
    if (p >= 0 && p <= last) marks[static_cast<size_t>(p)] = 1;
  }
  return marks;
}

template <typename List>
inline std::vector<uint8_t> Mark(const List& list, int listLast, int last, int capacity) {
  last = Upto(last, capacity);
  std::vector<uint8_t> marks(static_cast<size_t>(std::max(last + 1, 0)), 0);
  for (int i = 0; i <= std::min<int>(listLast, static_cast<int>(list.size()) - 1); ++i) {
    const int r = list[static_cast<size_t>(i)];
    if (r >= 0 && r <= last) marks[static_cast<size_t>(r)] = 1;
  }
  return marks;
}

}  // namespace quorvel::edit_support
