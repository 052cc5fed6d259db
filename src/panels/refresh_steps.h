#pragma once
// The parts of the panel refresh, one per panel, and what they share: reading the selection lists
// without ever leaving the arrays, and finding the value the selected objects have in common.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "document/editor.h"

namespace quorvel {

// Map info (names, counts, background faces), the "Show" boxes and the selection summary.
void RefreshMapInfo(Editor& ed);
void RefreshShowBoxes(Editor& ed);
void RefreshSelectionSummary(Editor& ed);
// One property panel each.
void RefreshVertexPanel(Editor& ed);
void RefreshSpawnPanel(Editor& ed);
void RefreshSceneryPanel(Editor& ed);
void RefreshWaypointPanel(Editor& ed);
void RefreshColliderPanel(Editor& ed);
// The waypoint path display buttons; turning one on sets the canvas's path filter.
void RefreshPathDisplay(Editor& ed);

// Selection entries restored from an undo snapshot may name records, or a list length, beyond
// the arrays; such entries are skipped.
inline int SelectedCount(int16_t last, size_t capacity) {
  return std::clamp<int>(last + 1, 0, static_cast<int>(capacity));
}

// The selected vertex's polygon and corner, or nullopt when the entry names none.
struct CornerRef {
  int polygon, corner;
};
inline std::optional<CornerRef> SelectedCorner(const SelectionState& sel, int i) {
  const int p = sel.selVertexPolygon[static_cast<size_t>(i)];
  const int k = sel.selVertexCorner[static_cast<size_t>(i)];
  if (p < 0 || p >= kMaxPolygons || k > 2) return std::nullopt;
  return CornerRef{p, k};
}

template <class T>
struct CommonValue {
  bool any = false;   // at least one entry named a record
  bool same = true;   // every such record gave the first one's value
  T value{};          // the first record's value
};

// Compares get(i) over entries 0..count-1 from the first one and stops at the first that differs;
// get returns nullopt for an entry to skip.
template <class T, class Get>
CommonValue<T> FindCommon(int count, Get get) {
  CommonValue<T> c;
  for (int i = 0; i < count; ++i) {
    std::optional<T> v = get(i);
    if (!v) continue;
    if (!c.any) {
      c.any = true;
      c.value = *v;
    } else if (!(*v == c.value)) {
      c.same = false;
      break;
    }
  }
  return c;
}

// The common value of field(record) over the records a selection list names, skipping entries
// outside the record array.
template <class T, class Rec, size_t N, class Idx, size_t M, class Field>
CommonValue<T> CommonField(const std::array<Rec, N>& records, const std::array<Idx, M>& list, int16_t last,
                           Field field) {
  return FindCommon<T>(SelectedCount(last, M), [&](int i) -> std::optional<T> {
    const int r = list[static_cast<size_t>(i)];
    if (r < 0 || r >= static_cast<int>(N)) return std::nullopt;
    return static_cast<T>(field(records[static_cast<size_t>(r)]));
  });
}

}  // namespace quorvel
