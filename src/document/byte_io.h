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

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}
  template <typename T>
  void Put(const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    out_.insert(out_.end(), p, p + sizeof(T));
  }
  void PutBytes(const void* data, size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), p, p + n);
  }
  size_t size() const { return out_.size(); }

 private:
  std::vector<uint8_t>& out_;
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
