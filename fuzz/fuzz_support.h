#pragma once
// Shared by the fuzz targets: an editor started as the window starts it, on a scripted host that
// answers every dialog, with every file it reads or writes kept in memory; and the patch reader that turns a fuzz
// input into a map: either the raw bytes, or a valid base map with byte patches applied, so that
// short inputs reach every part of the 502,112-byte layout.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "document/editor.h"
#include "document/file_io.h"
#include "view/canvas.h"
#include "fixtures/scripted_host.h"

namespace quorvel::fuzz {

// Files in memory: a save and a read cost a copy, not a trip through the system.
class MemoryFiles : public FileStore {
 public:
  std::map<std::string, std::vector<uint8_t>> files;
  bool Exists(const std::string& path) override;
  bool Read(const std::string& path, std::vector<uint8_t>& bytes, bool& present, std::string& error) override;
  bool Write(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) override;
  int DeleteStartingWith(const std::string& folder, const std::string& prefix) override;
};

// Draws nothing: the redraw's arithmetic runs, without the cost of keeping every call.
class NullCanvas : public Canvas {
 public:
  void SetPersistent(bool) override {}
  void Clear(Rgb) override {}
  void SetLineColour(Rgb) override {}
  void SetLineStyle(int) override {}
  void SetLineWidth(int) override {}
  void Line(float, float, float, float) override {}
  void Rect(float, float, float, float) override {}
  void Circle(float, float, int, Rgb) override {}
  void SetTextPosition(float, float) override {}
  void Text(std::string_view) override {}
  float TextWidth(std::string_view text) override { return 6.0f * static_cast<float>(text.size()); }
  float TextHeight(std::string_view) override { return 12.0f; }
};

struct Session {
  std::unique_ptr<Editor> ed;
  fixtures::ScriptedHost host;
  NullCanvas canvas;
  MemoryFiles files;
  std::string folder = "/fuzz/";  // in memory only; with a trailing "/"

  Session();
  ~Session();
  // A fresh editor on a new map, started, with no messages recorded; the files stay.
  void Restart();
  // Puts bytes in a file of the folder and returns its path.
  std::string Write(const std::string& name, std::span<const uint8_t> bytes);
  const std::vector<uint8_t>& Read(const std::string& path);
};

// Small input cursor: takes bytes from the front, zero once empty.
class Input {
 public:
  explicit Input(std::span<const uint8_t> data) : data_(data) {}
  uint8_t Byte() { return pos_ < data_.size() ? data_[pos_++] : 0; }
  uint32_t U32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(Byte()) << (8 * i);
    return v;
  }
  std::span<const uint8_t> Rest() { return data_.subspan(std::min(pos_, data_.size())); }
  bool Empty() const { return pos_ >= data_.size(); }

 private:
  std::span<const uint8_t> data_;
  size_t pos_ = 0;
};

// A valid map of every kind of object (the encoder's output, optionally with the undo extension).
const std::vector<uint8_t>& BaseMap(bool undoExtension);
// Patches from the input onto a copy of `base`: each patch is a 3-byte offset (taken modulo the
// size), a length byte and that many bytes. The result lives until the next call (one buffer,
// reused: a fresh half-megabyte each run would cost more than the run).
const std::vector<uint8_t>& Patched(const std::vector<uint8_t>& base, Input& in);

// Aborts with a message: a property the fuzzer must never break.
[[noreturn]] void Broken(const char* what);

}  // namespace quorvel::fuzz
