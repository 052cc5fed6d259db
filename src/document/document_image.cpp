#include "document/document_image.h"

#include <cstring>
#include <memory>
#include <string>

#include "document/byte_io.h"
#include "document/map_file.h"

namespace quorvel {

namespace {

// Fixed-size parts first, texts last, so that the same field sits at the same place in two images
// and their difference stays small.
template <typename Io, typename Doc, typename Tool>
void ForEachFixedField(Doc& doc, Tool& tool, Io&& io) {
  io(doc.polygons);
  io(doc.polygonNormals);
  io(doc.spawns);
  io(doc.scenery);
  io(doc.waypoints);
  io(doc.colliders);
  io(doc.sectors);
  io(doc.polygonLast);
  io(doc.spawnLast);
  io(doc.sceneryLast);
  io(doc.waypointLast);
  io(doc.colliderLast);
  io(doc.info.sectorSize);
  io(doc.info.backgroundTop);
  io(doc.info.backgroundBottom);
  io(doc.info.saveStamp);
  io(doc.info.extraByte1);
  io(doc.info.extraByte2);
  io(doc.info.extraByte3);
  io(doc.info.extraBlock);
  io(doc.info.extraByte4);
  io(doc.info.extraByte5);
  io(tool);
}

}  // namespace

void EncodeDocumentImage(const MapDocument& doc, const SelectionState& sel, int16_t currentTool,
                         std::vector<uint8_t>& out) {
  // A buffer kept from an earlier image is written over, not cleared first.
  ByteWriter w(out, 0);
  ForEachFixedField(doc, currentTool, [&](const auto& field) { w.Put(field); });
  out.resize(w.position());
  EncodeSelection(sel, out);
  ByteWriter texts(out, out.size());
  for (const std::string* s : {&doc.info.textureName, &doc.info.authorName, &doc.info.fileName}) {
    texts.Put(static_cast<uint32_t>(s->size()));
    texts.PutBytes(s->data(), s->size());
  }
}

bool DecodeDocumentImage(std::span<const uint8_t> bytes, MapDocument& doc, SelectionState& sel, int16_t& currentTool) {
  // The fixed part's length, found by writing it once.
  static const size_t fixed = [] {
    auto d = std::make_unique<MapDocument>();
    int16_t t = 0;
    std::vector<uint8_t> out;
    ByteWriter w(out, 0);
    ForEachFixedField(*d, t, [&](const auto& field) { w.Put(field); });
    return out.size() + kSelectionBlockSize;
  }();
  // Check the texts' lengths before anything is changed.
  size_t at = fixed;
  std::string texts[3];
  for (std::string& s : texts) {
    uint32_t length = 0;
    if (bytes.size() < at + sizeof length) return false;
    std::memcpy(&length, bytes.data() + at, sizeof length);
    at += sizeof length;
    if (bytes.size() - at < length) return false;
    s.assign(reinterpret_cast<const char*>(bytes.data() + at), length);
    at += length;
  }
  if (at != bytes.size()) return false;
  ByteReader r(bytes);
  ForEachFixedField(doc, currentTool, [&](auto& field) { r.Get(field); });
  DecodeSelection(bytes.subspan(r.position(), kSelectionBlockSize), sel);
  doc.info.textureName = std::move(texts[0]);
  doc.info.authorName = std::move(texts[1]);
  doc.info.fileName = std::move(texts[2]);
  return true;
}

}  // namespace quorvel
