#pragma once
// The sample maps in maps/ and the prefabs the build puts in "Prefab" beside the editor, made from
// plain shapes with the editor's own document, compile and writer, so nothing binary is kept by hand.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/map_document.h"

namespace quorvel::samples {

struct NamedMap {
  std::string fileName;  // "dm_quarry.pmp", "platform.pre", ...
  std::unique_ptr<MapDocument> doc;
};

// The two playable levels, compiled, as documents.
std::vector<NamedMap> SampleMaps();
// The bytes a user's save of a sample map writes (saveStamp 1, what a save with no random source gives).
std::vector<uint8_t> SampleMapBytes(const MapDocument& doc);

// A few building blocks for new maps, in world units around the origin.
std::vector<NamedMap> SamplePrefabs();

}  // namespace quorvel::samples
