#pragma once
// What the property handlers share: the refusal box, the busy flag held for a handler's whole run,
// and walking the selection lists without ever leaving the record arrays.
#include <array>
#include <cstdint>

#include "document/host.h"
#include "panels/refresh_steps.h"

namespace quorvel {

// A refused command: a critical box titled "Problem" with an OK button.
inline void Refuse(Editor& ed, const char* text) {
  ed.host->MessageBox(text, "Problem", MsgIcon::Critical, MsgButtons::Ok);
}

// Keeps the controls' own change handlers quiet while a handler sets them, and is released on
// every way out.
class BusyGuard {
 public:
  explicit BusyGuard(Editor& ed) : ed_(ed) { ed_.panelRefreshBusy = true; }
  ~BusyGuard() { ed_.panelRefreshBusy = false; }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  Editor& ed_;
};

// fn(record) for every selected record of one kind, skipping entries that name none.
template <class Rec, size_t N, class Idx, size_t M, class Fn>
void ForEachSelected(std::array<Rec, N>& records, const std::array<Idx, M>& list, int16_t last, Fn fn) {
  const int count = SelectedCount(last, M);
  for (int i = 0; i < count; ++i) {
    const int r = list[static_cast<size_t>(i)];
    if (r >= 0 && r < static_cast<int>(N)) fn(records[static_cast<size_t>(r)]);
  }
}

// fn(corner) for every selected vertex entry that names a corner of the polygon array.
template <class Fn>
void ForEachSelectedVertex(const Editor& ed, Fn fn) {
  const int count = SelectedCount(ed.sel.selVertexLast, ed.sel.selVertexPolygon.size());
  for (int i = 0; i < count; ++i)
    if (auto v = SelectedCorner(ed.sel, i)) fn(*v);
}

}  // namespace quorvel
