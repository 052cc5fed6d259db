// Writes the sample maps or the prefabs into a folder:
//   make_samples maps FOLDER      dm_quarry.pmp, ctf_twin.pmp and the textures they name (the build's
//                                 sample_maps target: maps/)
//   make_samples prefabs FOLDER   the building blocks (the build: "Prefab" beside quorvel)
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "document/file_io.h"
#include "document/prefab_file.h"
#include "samples/sample_textures.h"
#include "samples/samples.h"

int main(int argc, char** argv) {
  using namespace quorvel;
  const std::string kind = argc == 3 ? argv[1] : "";
  if (kind != "maps" && kind != "prefabs") {
    std::fprintf(stderr, "usage: make_samples maps|prefabs FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[2];
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const bool maps = kind == "maps";
  std::vector<samples::NamedBytes> files = maps ? samples::SampleTextures() : std::vector<samples::NamedBytes>{};
  for (const samples::NamedMap& m : maps ? samples::SampleMaps() : samples::SamplePrefabs()) {
    std::vector<uint8_t> bytes;
    if (maps) {
      bytes = samples::SampleMapBytes(*m.doc);
    } else {
      EncodePrefab(*m.doc, bytes);
    }
    files.push_back({m.fileName, std::move(bytes)});
  }
  for (const samples::NamedBytes& f : files) {
    const std::string path = (folder / f.fileName).string();
    std::string error;
    if (!WriteFileAtomically(path, f.bytes, error)) {
      std::fprintf(stderr, "make_samples: %s: %s\n", path.c_str(), error.c_str());
      return 1;
    }
  }
  return 0;
}
