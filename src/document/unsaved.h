#pragma once
// Whether the map has unsaved changes: what a save would write now, compared with what a save
// would have written at the last open, save or new. Selection, view, tool, the Add tools' preview
// record and the clipboard's copies in the free records are no content; an Undo back to the saved
// state leaves the map unchanged again. The save stamp, a fresh random number in every write, is
// not compared.
#include <cstdint>
#include <span>
#include <vector>

#include "document/editor.h"

namespace quorvel {

// The bytes a user's save would write now (with the document's current save stamp); the document
// is not touched.
void EncodeSaveForm(const MapDocument& doc, std::vector<uint8_t>& out);
// True when two save forms hold the same map.
bool SameSavedContent(std::span<const uint8_t> a, std::span<const uint8_t> b);

// The map as it stands is the saved one (after an open, a save or a new map).
void MarkUnchanged(Editor& ed);
// The map was just saved as these bytes: they are its save form, no second encoding needed.
void MarkSaved(Editor& ed, std::span<const uint8_t> written);
// The map counts as changed from a new, empty one (a recovered map not yet saved anywhere).
void MarkChangedFromNew(Editor& ed);
// Records whether the save form given (EncodeSaveForm of the map as it stands) differs from the
// saved one, and returns it.
bool NoteSaveForm(Editor& ed, std::span<const uint8_t> form);
// Encodes and compares now.
bool HasUnsavedChanges(Editor& ed);

}  // namespace quorvel
