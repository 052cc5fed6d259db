#pragma once
#include <string>

#include "document/editor.h"

namespace quorvel {

// Appends a prefab's polygons, scenery and colliders to the map and selects them. Not quiet: the
// user hears of every problem and the new objects are centred in the view. Quiet (the text tool):
// no messages, no centring, and later moves take no "Move" snapshot.
void ReadPrefab(Editor& ed, const std::string& path, bool quiet);

}  // namespace quorvel
