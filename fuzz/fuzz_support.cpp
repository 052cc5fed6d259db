#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>

#include "document/map_file.h"
#include "fixtures/map_builder.h"
#include "app/lifecycle.h"

namespace quorvel::fuzz {

bool MemoryFiles::Exists(const std::string& path) {
  if (files.count(path)) return true;
  const auto next = files.lower_bound(path + "/");
  return next != files.end() && next->first.rfind(path + "/", 0) == 0;
}

bool MemoryFiles::Read(const std::string& path, std::vector<uint8_t>& bytes, bool& present, std::string& error) {
  const auto it = files.find(path);
  present = it != files.end() || Exists(path);
  if (it == files.end()) {
    error = present ? "it is a folder" : "No such file or directory";
    return false;
  }
  bytes = it->second;
  return true;
}

bool MemoryFiles::Write(const std::string& path, const std::vector<uint8_t>& bytes, std::string&) {
  files[path] = bytes;
  return true;
}

int MemoryFiles::DeleteStartingWith(const std::string& folder, const std::string& prefix) {
  int deleted = 0;
  for (auto it = files.lower_bound(folder + prefix); it != files.end() && it->first.rfind(folder + prefix, 0) == 0;) {
    it = files.erase(it);
    ++deleted;
  }
  return deleted;
}

Session::Session() {
  UseFileStore(&files);
  host.tempPath = folder;
  host.programFolder = folder + "Quorvel";
  Restart();
}

Session::~Session() { UseFileStore(nullptr); }

void Session::Restart() {
  ed = std::make_unique<Editor>();
  ed->host = &host;
  ed->canvas = &canvas;
  host.messages.clear();
  host.settings.clear();
  Form_Load(*ed);
  Form_Activate(*ed);
  host.messages.clear();
}

std::string Session::Write(const std::string& name, std::span<const uint8_t> bytes) {
  const std::string path = folder + name;
  files.files[path].assign(bytes.begin(), bytes.end());
  return path;
}

const std::vector<uint8_t>& Session::Read(const std::string& path) { return files.files[path]; }

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

const std::vector<uint8_t>& Patched(const std::vector<uint8_t>& base, Input& in) {
  static std::vector<uint8_t> out;
  out = base;
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
