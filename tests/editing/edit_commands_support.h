#pragma once
// Helpers shared by the Edit-menu command tests.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "document/editor.h"
#include "editing/selection.h"

namespace quorvel::testing_support {

inline constexpr const char* kNothingSelected = "You need select something at first.";

// The label of the newest undo step.
inline std::string NewestLabel(const Editor& e) {
  return e.undo.undoLabels[static_cast<size_t>(e.undo.undoSlot)];
}

// Byte equality of two records (they are plain, padding-free layouts of the file).
template <typename T>
bool SameBytes(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Selects everything in the world box and frames it, as a rubber band followed by its release does.
inline void SelectBox(Editor& e, float x1, float y1, float x2, float y2) {
  SelectInRect(e, x1, y1, x2, y2, false, kSelectAll);
  if (e.sel.selLast >= 0) FrameSelection(e);
}
inline void SelectEverything(Editor& e) {
  SelectBox(e, -20000, -20000, 20000, 20000);
}

// Every selection entry names an object: at most its kind's last index; the counts add up.
inline void ExpectSelectionNamesObjects(const Editor& e) {
  const SelectionState& s = e.sel;
  const MapDocument& d = e.doc;
  for (int i = 0; i <= s.selVertexLast; ++i) {
    EXPECT_LE(s.selVertexPolygon[static_cast<size_t>(i)], d.polygonLast) << "vertex entry " << i;
    EXPECT_LE(s.selVertexCorner[static_cast<size_t>(i)], 2) << "vertex entry " << i;
  }
  for (int i = 0; i <= s.selSpawnLast; ++i) EXPECT_LE(s.selSpawn[static_cast<size_t>(i)], d.spawnLast);
  for (int i = 0; i <= s.selSceneryLast; ++i) EXPECT_LE(s.selScenery[static_cast<size_t>(i)], d.sceneryLast);
  for (int i = 0; i <= s.selWaypointLast; ++i)
    EXPECT_LE(s.selWaypoint[static_cast<size_t>(i)], d.waypointLast);
  for (int i = 0; i <= s.selColliderLast; ++i)
    EXPECT_LE(s.selCollider[static_cast<size_t>(i)], d.colliderLast);
  EXPECT_EQ(s.selLast,
            s.selVertexLast + s.selSpawnLast + s.selSceneryLast + s.selWaypointLast + s.selColliderLast + 4);
}

// The counted links of a waypoint.
inline std::vector<int32_t> Links(const Waypoint& w) {
  return std::vector<int32_t>(w.connections.begin(), w.connections.begin() + w.connectionCount);
}
// Entries at and above the count are zero.
inline void ExpectUnusedLinksZero(const Waypoint& w) {
  for (int i = w.connectionCount; i < kMaxConnections; ++i)
    EXPECT_EQ(w.connections[static_cast<size_t>(i)], 0);
}

}  // namespace quorvel::testing_support
