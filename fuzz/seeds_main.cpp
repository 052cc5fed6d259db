// Writes the seed corpus of every fuzz target with the project's own builders and writers:
// quorvel-fuzz-seeds FOLDER makes FOLDER/<target>/ with a few files each.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/map_file.h"
#include "document/prefab_file.h"
#include "fixtures/map_builder.h"

namespace fs = std::filesystem;
using namespace quorvel;
using namespace std::string_literals;

namespace {
void Put(const fs::path& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
  fs::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
std::vector<uint8_t> With(uint8_t flags, std::vector<uint8_t> rest) {
  rest.insert(rest.begin(), flags);
  return rest;
}
std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const fs::path root = argv[1];
  const MapDocument maps[] = {fixtures::NewMap(), fixtures::SpreadMap({20, 6, 10, 5, 12, 3}, 300),
                              fixtures::SpreadMap()};
  int n = 0;
  for (const MapDocument& doc : maps) {
    std::vector<uint8_t> map, pre;
    EncodeMap(doc, nullptr, map);
    EncodePrefab(doc, pre);
    const std::string id = std::to_string(n++);
    Put(root / "map_reader", "plain" + id, With(0, map));
    Put(root / "map_reader", "shift-short" + id, With(4, std::vector<uint8_t>(map.begin(), map.begin() + 48001)));
    Put(root / "prefab", "import" + id, With(0, pre));
    Put(root / "prefab", "quiet-full" + id, With(3, pre));
  }
  // Patch inputs: a polygon corner's x (offset 0) far away, a polygon count of 401, a spawn type.
  Put(root / "map_reader", "patch-count", {2, 0x80, 0xBB, 0x00, 2, 0x91, 0x01});
  Put(root / "map_reader", "patch-undo", {3, 0x10, 0xA9, 0x07, 4, 0xFF, 0xFF, 0x7F, 0x7F});
  Put(root / "redraw", "near", {0, 2, 2, 4, 0, 0, 0, 0, 0, 0, 0, 0});
  Put(root / "redraw", "far-corner", {5, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x04, 0, 0, 4, 0xFF, 0xFF, 0x7F, 0x7F});
  Put(root / "settings", "placement", Bytes("2\0" "15000\0" "-3000\0" "12495\0" "9420\0" "/tmp/a.pmp"s));
  Put(root / "settings", "junk", Bytes("x\0" "99999999999\0" "\0" "-1\0" "1e308"s));
  // Editing: the map's counts, spread, seed and patch count, then actions and their numbers.
  Put(root / "editing", "busy", {20, 5, 10, 5, 12, 2, 60, 7, 0, 1, 9, 9, 4, 1, 2, 3, 4, 5, 6, 7, 8, 30, 26, 10, 21});
  Put(root / "editing", "empty", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 2, 3, 4, 1, 5, 6, 7, 8, 21, 10, 10});
  Put(root / "numeric", "number", Bytes(" -1.5e2z"));
  Put(root / "numeric", "percent", Bytes("75%"));
  Put(root / "numeric", "float", {0x00, 0x00, 0x80, 0x7F});
  return 0;
}
