#pragma once
// Little-endian field-by-field writing and reading over byte buffers. Records whose in-memory
// layout equals the file's are copied whole.
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

namespace quorvel {

// Writes into a buffer sized up front (resizing a buffer that already has the size costs nothing,
// which keeps repeated snapshots cheap).
class ByteWriter {
 public:
  ByteWriter(std::vector<uint8_t>& out, size_t start) : out_(out), pos_(start) {}
  template <typename T>
  void Put(const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    PutBytes(&value, sizeof(T));
  }
  void PutBytes(const void* data, size_t n) {
    if (pos_ + n > out_.size()) out_.resize(pos_ + n);
    std::memcpy(out_.data() + pos_, data, n);
    pos_ += n;
  }
  size_t position() const { return pos_; }

 private:
  std::vector<uint8_t>& out_;
  size_t pos_;
};

// Reads fields in order. A read past the end fills what is there and leaves the rest of the
// target as it was, so a short buffer is read "as far as it goes".
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> in) : in_(in) {}
  template <typename T>
  bool Get(T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    return GetBytes(&value, sizeof(T));
  }
  bool GetBytes(void* data, size_t n) {
    size_t avail = pos_ < in_.size() ? in_.size() - pos_ : 0;
    size_t take = n < avail ? n : avail;
    if (take) std::memcpy(data, in_.data() + pos_, take);
    pos_ += n;
    return take == n;
  }
  bool Skip(size_t n) {
    pos_ += n;
    return pos_ <= in_.size();
  }
  size_t position() const { return pos_; }
  bool exhausted() const { return pos_ >= in_.size(); }

 private:
  std::span<const uint8_t> in_;
  size_t pos_ = 0;
};

static_assert(std::endian::native == std::endian::little, "the file formats are little-endian");

}  // namespace quorvel
