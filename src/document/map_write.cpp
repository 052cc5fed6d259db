#include "document/map_write.h"

#include <cmath>

#include "document/host.h"
#include "document/map_file.h"
#include "document/numeric.h"
#include "document/save_normalise.h"

namespace quorvel {

namespace {

// The author as the colliders store it: never empty, one record per character and a closing
// zero, so at most 127 characters fit the 128 colliders.
std::string StoredAuthor(const std::string& authorName) {
  std::string bytes = Utf8ToCp1252(Trim(authorName).empty() ? std::string("Unknow") : authorName);
  if (bytes.size() > kMaxStoredAuthorLength) bytes.resize(kMaxStoredAuthorLength);
  return bytes;
}

void StoreAuthor(MapDocument& doc) {
  if (Trim(doc.info.authorName).empty()) doc.info.authorName = "Unknow";
  const std::string bytes = StoredAuthor(doc.info.authorName);
  for (size_t i = 0; i < bytes.size(); ++i) doc.colliders[i].authorChar = static_cast<uint8_t>(bytes[i]);
  doc.colliders[bytes.size()].authorChar = 0;
}

}  // namespace

void PrepareForWrite(MapDocument& doc, bool isUndo) {
  if (doc.sceneryLast == kSceneryLastKept + 1) doc.sceneryLast = kSceneryLastKept;
  if (!isUndo) NormaliseForSave(doc);
  // The file holds whole world units; the document keeps what the file will give back.
  for (int i = 0; i <= doc.waypointLast; ++i) {
    Waypoint& w = doc.waypoints[i];
    w.x = RoundToWhole256(w.x);
    w.y = RoundToWhole256(w.y);
  }
  StoreAuthor(doc);
}

void WriteMapBytes(Editor& ed, bool isUndo, std::vector<uint8_t>& out) {
  MapDocument& doc = ed.doc;
  PrepareForWrite(doc, isUndo);
  // A save's tail clear wiped the free records the clipboard keeps its copies in.
  if (!isUndo) {
    ed.clip.clipLast = -1;
    ed.clip.clipOverflow = false;
  }
  double r = ed.host ? ed.host->Random() : 0.0;
  doc.info.saveStamp = static_cast<int32_t>(std::floor(r * 1000 + 1));
  if (isUndo) {
    UndoExtension ext{ed.sel, ed.currentTool};
    EncodeMap(doc, &ext, out);
  } else {
    EncodeMap(doc, nullptr, out);
  }
}

void EncodeMapUntouched(const MapDocument& doc, std::vector<uint8_t>& out) {
  EncodeMap(doc, nullptr, out);
  // The colliders close the file; byte 3 of each holds one author character.
  const size_t colliders = kMapFileSize - kMaxColliders * sizeof(Collider);
  const std::string bytes = StoredAuthor(doc.info.authorName);
  for (size_t i = 0; i <= bytes.size(); ++i)
    out[colliders + i * sizeof(Collider) + 3] = i < bytes.size() ? static_cast<uint8_t>(bytes[i]) : 0;
}

std::string TemporaryFolder(Editor& ed) {
  std::string t = ed.host ? Trim(ed.host->SystemTempPath()) : std::string();
  return FolderOf(t);
}

}  // namespace quorvel
