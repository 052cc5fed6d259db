#pragma once
// The .pmp map file: a fixed-length dump of the document in a fixed order, and the longer undo form
// that appends the selection state and the current tool.
#include <cstdint>
#include <span>
#include <vector>

#include "document/map_document.h"
#include "document/selection_state.h"

namespace quorvel {

inline constexpr size_t kMapFileSize = 502112;
inline constexpr size_t kUndoFileSize = 507171;

// Largest waypoint coordinate a file may hold: 256 times it still fits a 32-bit integer.
inline constexpr int32_t kMaxWaypointFileCoordinate = 8388607;
// Author characters live in byte 3 of the colliders, one per record, ended by a zero byte.
inline constexpr size_t kMaxStoredAuthorLength = kMaxColliders - 1;
inline constexpr size_t kMaxReadAuthorLength = 21;

// The extension of an undo snapshot.
struct UndoExtension {
  SelectionState selection;
  int16_t currentTool = 0;
};

// Writes the document as it stands: the count field is polygonLast + 1, waypoint positions are
// divided by 256 and rounded (halves to even). With `undo` the extension is appended.
void EncodeMap(const MapDocument& doc, const UndoExtension* undo, std::vector<uint8_t>& out);

struct DecodeReport {
  bool complete = false;       // every byte of the layout was present
  bool countClamped = false;   // the polygon count field was outside 0..400
  int16_t countInFile = 0;
  bool waypointClamped = false;  // a waypoint coordinate lay beyond +-8,388,607
};

// Reads the fields in order into the document, as far as the bytes go (fields beyond the end keep
// their values), then finds the last indices, scales waypoints by 256 and reads the author from
// the colliders. With `undo` the extension is read too when present. fileName is not touched.
DecodeReport DecodeMap(std::span<const uint8_t> bytes, MapDocument& doc, UndoExtension* undo);

// The selection block alone (5,057 bytes, packed in declared order).
void EncodeSelection(const SelectionState& sel, std::vector<uint8_t>& out);
void DecodeSelection(std::span<const uint8_t> bytes, SelectionState& sel);

}  // namespace quorvel
