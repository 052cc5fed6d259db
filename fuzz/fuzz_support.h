#pragma once
// Shared by the fuzz targets: an editor started as the window starts it, on a scripted host that
// answers every dialog, in a private temporary folder; and the patch reader that turns a fuzz
// input into a map: either the raw bytes, or a valid base map with byte patches applied, so that
// short inputs reach every part of the 502,112-byte layout.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "document/editor.h"
#include "fixtures/recording_canvas.h"
#include "fixtures/scripted_host.h"

namespace quorvel::fuzz {

struct Session {
  std::unique_ptr<Editor> ed;
  fixtures::ScriptedHost host;
  fixtures::RecordingCanvas canvas;
  std::string folder;  // with a trailing "/"

  Session();
  ~Session();
  // A fresh editor on a new map, started, with no messages recorded.
  void Restart();
  // Writes bytes to a file in the private folder and returns its path.
  std::string Write(const std::string& name, std::span<const uint8_t> bytes) const;
  std::vector<uint8_t> Read(const std::string& path) const;
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
// size), a length byte and that many bytes.
std::vector<uint8_t> Patched(const std::vector<uint8_t>& base, Input& in);

// Aborts with a message: a property the fuzzer must never break.
[[noreturn]] void Broken(const char* what);

}  // namespace quorvel::fuzz
