#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/editor.h"

namespace quorvel {

// What every write does to the live document before its bytes are taken: at most 254 scenery
// objects, waypoints on whole world units, a fresh saveStamp, an author that is never empty
// (written into the colliders' byte 3). A user's save (isUndo false) also runs the save
// normalisation; an undo snapshot appends the selection and the current tool.
void WriteMapBytes(Editor& ed, bool isUndo, std::vector<uint8_t>& out);
// Those steps on the document alone, all but the fresh saveStamp.
void PrepareForWrite(MapDocument& doc, bool isUndo);

// The document as a plain map file, leaving it untouched: what a write gives apart from the save
// normalisation and a fresh saveStamp. Kept ready for a crash (app/recovery).
void EncodeMapUntouched(const MapDocument& doc, std::vector<uint8_t>& out);

// The system's temporary folder as text ending in its separator ("" when there is none).
std::string TemporaryFolder(Editor& ed);

}  // namespace quorvel
