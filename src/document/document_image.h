#pragma once
// The editor's state as Redo keeps it: the whole document, the selection and the tool, byte for
// byte as they are in memory (unlike a map file, nothing is rounded or cleared), so that a state
// read back is the one that was kept.
#include <cstdint>
#include <span>
#include <vector>

#include "document/map_document.h"
#include "document/selection_state.h"

namespace quorvel {

void EncodeDocumentImage(const MapDocument& doc, const SelectionState& sel, int16_t currentTool,
                         std::vector<uint8_t>& out);
// False (and nothing changed) when the bytes are not such an image.
bool DecodeDocumentImage(std::span<const uint8_t> bytes, MapDocument& doc, SelectionState& sel, int16_t& currentTool);

}  // namespace quorvel
