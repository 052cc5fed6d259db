#pragma once
// A stack of byte buffers (whole-map snapshots, newest on top) kept small: only the newest is held
// whole; every older one is held as the bytes where it differs from the next newer one, and such a
// difference of more than a few kilobytes is deflated (zlib). Neighbouring snapshots of a map
// differ in a few records, so a hundred of them take little more than one.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvel {

class SnapshotChain {
 public:
  // Differences at least this long are deflated when that makes them shorter.
  static constexpr size_t kDeflateFrom = 4096;

  size_t Size() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  // The newest snapshot, whole; the chain must not be empty.
  const std::vector<uint8_t>& Newest() const { return entries_.back().bytes; }

  // Puts `bytes` on top; the one below keeps only its difference from them.
  void Push(std::vector<uint8_t>&& bytes);
  // Removes the newest; the one below it is made whole again from the difference.
  void PopNewest();
  // Forgets the oldest (nothing depends on it).
  void DropOldest();
  // Forgets all but the `count` newest.
  void KeepNewest(size_t count);
  void Clear();
  // A buffer to write the next snapshot into: the last whole one let go, with its size and room
  // kept, so that taking a snapshot neither allocates nor clears half a megabyte.
  std::vector<uint8_t> TakeSpare() { return std::move(spare_); }
  // Heap bytes held by the buffers, the spare one included.
  size_t Bytes() const;

  // A snapshot `depth` places below the newest (0 = the newest), rebuilt whole into `out`; false
  // when there is none that deep.
  bool Rebuild(size_t depth, std::vector<uint8_t>& out) const;

  // The difference form, exposed for tests: the patch that turns `newer` into `older`, and its
  // application in place.
  static void MakePatch(const std::vector<uint8_t>& older, const std::vector<uint8_t>& newer,
                        std::vector<uint8_t>& patch);
  // False when the patch is damaged (the buffer is then left unspecified).
  static bool ApplyPatch(const std::vector<uint8_t>& patch, std::vector<uint8_t>& buffer);

 private:
  struct Entry {
    std::vector<uint8_t> bytes;  // whole for the newest, else the patch from the next newer
    bool deflated = false;       // the patch is deflated
    size_t patchSize = 0;        // the patch's length before deflating
  };
  static void Undo(const Entry& e, std::vector<uint8_t>& buffer);
  std::vector<Entry> entries_;  // oldest first
  std::vector<uint8_t> spare_;
};

}  // namespace quorvel
