#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/map_file.h"
#include "fixtures/map_builder.h"
#include "shell/lifecycle.h"

namespace quorvel::fuzz {

Session::Session() {
  // Every run writes and reads whole maps: keep them in memory where the system allows.
  char shm[] = "/dev/shm/quorvel-fuzz-XXXXXX";
  char tmp[] = "/tmp/quorvel-fuzz-XXXXXX";
  char* tmpl = mkdtemp(shm) ? shm : mkdtemp(tmp);
  if (!tmpl) Broken("no temporary folder");
  folder = std::string(tmpl) + "/";
  host.tempPath = folder;
  host.programFolder = folder + "Quorvel";
  Restart();
}

Session::~Session() {
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}

void Session::Restart() {
  ed = std::make_unique<Editor>();
  ed->host = &host;
  ed->canvas = &canvas;
  host.messages.clear();
  host.settings.clear();
  canvas.Reset();
  Form_Load(*ed);
  Form_Activate(*ed);
  host.messages.clear();
}

std::string Session::Write(const std::string& name, std::span<const uint8_t> bytes) const {
  const std::string path = folder + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path;
}

std::vector<uint8_t> Session::Read(const std::string& path) const {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

const std::vector<uint8_t>& BaseMap(bool undoExtension) {
  static const auto make = [](bool undo) {
    MapDocument doc = fixtures::SpreadMap({12, 6, 8, 5, 10, 3}, 300);
    std::vector<uint8_t> bytes;
    SelectionState sel;
    UndoExtension ext{sel, 0};
    EncodeMap(doc, undo ? &ext : nullptr, bytes);
    return bytes;
  };
  static const std::vector<uint8_t> plain = make(false), withUndo = make(true);
  return undoExtension ? withUndo : plain;
}

std::vector<uint8_t> Patched(const std::vector<uint8_t>& base, Input& in) {
  std::vector<uint8_t> out = base;
  while (!in.Empty()) {
    const uint32_t at = (uint32_t(in.Byte()) | uint32_t(in.Byte()) << 8 | uint32_t(in.Byte()) << 16) % out.size();
    const int n = in.Byte();
    for (int i = 0; i < n && !in.Empty(); ++i) out[(at + size_t(i)) % out.size()] = in.Byte();
  }
  return out;
}

void Broken(const char* what) {
  std::fprintf(stderr, "fuzz property broken: %s\n", what);
  std::abort();
}

}  // namespace quorvel::fuzz
