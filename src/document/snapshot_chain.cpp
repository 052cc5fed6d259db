#include "document/snapshot_chain.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace quorvel {

namespace {

// Equal bytes shorter than this between two changed stretches are taken into one run: a run's
// header costs about as much.
constexpr size_t kJoinGap = 8;
// Equal stretches are skipped this many bytes at a time.
constexpr size_t kBlock = 256;

void PutNumber(std::vector<uint8_t>& out, size_t v) {
  while (v >= 0x80) {
    out.push_back(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  out.push_back(static_cast<uint8_t>(v));
}

bool GetNumber(const uint8_t*& p, const uint8_t* end, size_t& v) {
  v = 0;
  for (int shift = 0; shift < 64; shift += 7) {
    if (p == end) return false;
    const uint8_t b = *p++;
    v |= static_cast<size_t>(b & 0x7f) << shift;
    if ((b & 0x80) == 0) return true;
  }
  return false;
}

// The first position from `i` on where the two differ, or `common` when none does.
size_t NextDifference(const uint8_t* a, const uint8_t* b, size_t i, size_t common) {
  while (i < common) {
    if (i % kBlock == 0 && i + kBlock <= common && std::memcmp(a + i, b + i, kBlock) == 0) {
      i += kBlock;
      continue;
    }
    if (a[i] != b[i]) return i;
    ++i;
  }
  return common;
}

std::vector<uint8_t>& Scratch() {
  static thread_local std::vector<uint8_t> scratch;
  return scratch;
}

}  // namespace

// A patch: the older buffer's length, then runs, each the count of bytes kept since the last run,
// the run's length and the older buffer's bytes there. Bytes past the newer buffer's end always lie
// in a run.
void SnapshotChain::MakePatch(const std::vector<uint8_t>& older, const std::vector<uint8_t>& newer,
                              std::vector<uint8_t>& patch) {
  patch.clear();
  PutNumber(patch, older.size());
  const size_t common = std::min(older.size(), newer.size());
  const uint8_t* a = older.data();
  const uint8_t* b = newer.data();
  size_t done = 0;
  size_t i = NextDifference(a, b, 0, common);
  while (i < common) {
    size_t end = i;
    while (true) {
      while (end < common && a[end] != b[end]) ++end;
      const size_t next = NextDifference(a, b, end, std::min(common, end + kJoinGap));
      if (next >= std::min(common, end + kJoinGap)) break;
      end = next;
    }
    // A run that reaches the end of the newer buffer goes on with the older one's tail.
    if (end == common) end = older.size();
    PutNumber(patch, i - done);
    PutNumber(patch, end - i);
    patch.insert(patch.end(), a + i, a + end);
    done = end;
    i = end >= common ? common : NextDifference(a, b, end, common);
  }
  if (done < older.size() && older.size() > common) {
    const size_t from = std::max(done, common);
    PutNumber(patch, from - done);
    PutNumber(patch, older.size() - from);
    patch.insert(patch.end(), a + from, a + older.size());
  }
}

bool SnapshotChain::ApplyPatch(const std::vector<uint8_t>& patch, std::vector<uint8_t>& buffer) {
  const uint8_t* p = patch.data();
  const uint8_t* end = p + patch.size();
  size_t size = 0;
  if (!GetNumber(p, end, size)) return false;
  buffer.resize(size);
  size_t at = 0;
  while (p != end) {
    size_t keep = 0, length = 0;
    if (!GetNumber(p, end, keep) || !GetNumber(p, end, length)) return false;
    if (keep > size - at || length > size - at - keep || length > static_cast<size_t>(end - p)) return false;
    at += keep;
    std::memcpy(buffer.data() + at, p, length);
    p += length;
    at += length;
  }
  return true;
}

void SnapshotChain::Undo(const Entry& e, std::vector<uint8_t>& buffer) {
  if (!e.deflated) {
    ApplyPatch(e.bytes, buffer);
    return;
  }
  std::vector<uint8_t>& patch = Scratch();
  patch.resize(e.patchSize);
  uLongf length = static_cast<uLongf>(patch.size());
  if (uncompress(patch.data(), &length, e.bytes.data(), static_cast<uLong>(e.bytes.size())) != Z_OK) return;
  patch.resize(length);
  ApplyPatch(patch, buffer);
}

void SnapshotChain::Push(std::vector<uint8_t>&& bytes) {
  if (!entries_.empty()) {
    Entry& below = entries_.back();
    std::vector<uint8_t>& patch = Scratch();
    MakePatch(below.bytes, bytes, patch);
    spare_ = std::move(below.bytes);
    below.bytes = std::vector<uint8_t>();
    below.patchSize = patch.size();
    below.deflated = false;
    if (patch.size() >= kDeflateFrom) {
      uLongf length = compressBound(static_cast<uLong>(patch.size()));
      below.bytes.resize(length);
      if (compress2(below.bytes.data(), &length, patch.data(), static_cast<uLong>(patch.size()), 1) == Z_OK &&
          length < patch.size()) {
        below.bytes.resize(length);
        below.deflated = true;
      }
    }
    if (!below.deflated) below.bytes.assign(patch.begin(), patch.end());
    below.bytes.shrink_to_fit();
  }
  entries_.push_back(Entry{std::move(bytes), false, 0});
}

void SnapshotChain::PopNewest() {
  if (entries_.empty()) return;
  std::vector<uint8_t> whole = std::move(entries_.back().bytes);
  entries_.pop_back();
  if (entries_.empty()) {
    spare_ = std::move(whole);
    return;
  }
  Entry& next = entries_.back();
  Undo(next, whole);
  next.bytes = std::move(whole);
  next.deflated = false;
  next.patchSize = 0;
}

void SnapshotChain::Clear() {
  if (!entries_.empty()) spare_ = std::move(entries_.back().bytes);
  entries_.clear();
}

void SnapshotChain::DropOldest() {
  if (!entries_.empty()) entries_.erase(entries_.begin());
}

void SnapshotChain::KeepNewest(size_t count) {
  if (entries_.size() > count) entries_.erase(entries_.begin(), entries_.end() - static_cast<ptrdiff_t>(count));
}

size_t SnapshotChain::Bytes() const {
  size_t total = entries_.capacity() * sizeof(Entry) + spare_.capacity();
  for (const Entry& e : entries_) total += e.bytes.capacity();
  return total;
}

bool SnapshotChain::Rebuild(size_t depth, std::vector<uint8_t>& out) const {
  if (depth >= entries_.size()) return false;
  out = Newest();
  for (size_t d = 1; d <= depth; ++d) Undo(entries_[entries_.size() - 1 - d], out);
  return true;
}

}  // namespace quorvel
