#include "document/unsaved.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "document/map_file.h"
#include "document/map_write.h"

namespace quorvel {

namespace {

// The save's steps run on a copy; kept between calls, since a document is half a megabyte.
MapDocument& Scratch() {
  static const std::unique_ptr<MapDocument> scratch = std::make_unique<MapDocument>();
  return *scratch;
}

// Where the save stamp lies in a map file: found once by writing two stamps.
size_t StampOffset() {
  static const size_t offset = [] {
    MapDocument& d = Scratch();
    d.MakeNew();
    std::vector<uint8_t> a, b;
    d.info.saveStamp = 0;
    EncodeMap(d, nullptr, a);
    d.info.saveStamp = -1;
    EncodeMap(d, nullptr, b);
    return static_cast<size_t>(std::mismatch(a.begin(), a.end(), b.begin()).first - a.begin());
  }();
  return offset;
}

}  // namespace

void EncodeSaveForm(const MapDocument& doc, std::vector<uint8_t>& out) {
  MapDocument& copy = Scratch();
  copy = doc;
  PrepareForWrite(copy, false);
  EncodeMap(copy, nullptr, out);
}

bool SameSavedContent(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  if (a.size() != b.size()) return false;
  const size_t stamp = StampOffset();
  const size_t after = stamp + sizeof(int32_t);
  if (a.size() < after) return std::memcmp(a.data(), b.data(), a.size()) == 0;
  return std::memcmp(a.data(), b.data(), stamp) == 0 &&
         std::memcmp(a.data() + after, b.data() + after, a.size() - after) == 0;
}

void MarkUnchanged(Editor& ed) {
  UnsavedState& u = ed.unsaved;
  if (!u.pending) u.pending = std::make_unique<MapDocument>();
  *u.pending = ed.doc;
  u.isPending = true;
  u.changed = false;
  ed.recovered = false;  // a map of its own now
  ed.recoveredFrom.clear();
}

void MarkSaved(Editor& ed, std::span<const uint8_t> written) {
  ed.unsaved.savedForm.assign(written.begin(), written.end());
  ed.unsaved.isPending = false;
  ed.unsaved.changed = false;
  ed.recovered = false;  // saved under a name of its own
  ed.recoveredFrom.clear();
}

void MarkChangedFromNew(Editor& ed) {
  auto blank = std::make_unique<MapDocument>();
  blank->MakeNew();
  EncodeSaveForm(*blank, ed.unsaved.savedForm);
  ed.unsaved.isPending = false;
  ed.unsaved.changed = true;
}

bool NoteSaveForm(Editor& ed, std::span<const uint8_t> form) {
  if (ed.unsaved.isPending) {
    EncodeSaveForm(*ed.unsaved.pending, ed.unsaved.savedForm);
    ed.unsaved.isPending = false;
  }
  // Before the first new map there is nothing to lose.
  ed.unsaved.changed = !ed.unsaved.savedForm.empty() && !SameSavedContent(form, ed.unsaved.savedForm);
  return ed.unsaved.changed;
}

bool HasUnsavedChanges(Editor& ed) {
  std::vector<uint8_t> now;
  EncodeSaveForm(ed.doc, now);
  return NoteSaveForm(ed, now);
}

}  // namespace quorvel
