#pragma once
// The selection lists and drag flags. An undo snapshot stores this record packed, field by field
// in this order (5,057 bytes), so the order of the fields is part of the snapshot format.
#include <array>
#include <cstdint>

namespace quorvel {

inline constexpr int kMaxSelectedVertices = 1200;
inline constexpr float kUnset = -9999.0f;
inline constexpr int kSelectionBlockSize = 5057;

struct SelRect {
  float left = kUnset, right = kUnset, top = kUnset, bottom = kUnset;
};

struct SelectionState {
  int16_t leftDragActive = 0;
  int16_t movingSelection = 0;
  SelRect selRect;
  int16_t selLast = -1;
  std::array<uint8_t, kMaxSelectedVertices> selVertexCorner{};
  std::array<int16_t, kMaxSelectedVertices> selVertexPolygon{};
  int16_t selVertexLast = -1;
  std::array<uint8_t, 30> selSpawn{};
  int16_t selSpawnLast = -1;
  std::array<uint8_t, 255> selScenery{};
  int16_t selSceneryLast = -1;
  int16_t rotatingScenery = 0;
  int16_t sizingScenery = 0;
  std::array<int16_t, 500> selWaypoint{};
  int16_t selWaypointLast = -1;
  int16_t connectFrom = -1;
  int16_t pointerWorldX = 0;
  int16_t pointerWorldY = 0;
  std::array<uint8_t, 128> selCollider{};
  int16_t selColliderLast = -1;
  int16_t moveSnapshotTaken = 0;
};

}  // namespace quorvel
