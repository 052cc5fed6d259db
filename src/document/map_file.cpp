#include "document/map_file.h"

#include <algorithm>

#include "document/byte_io.h"
#include "document/numeric.h"

namespace quorvel {

namespace {

void PutWaypoint(ByteWriter& w, Waypoint wp, bool scaled) {
  if (scaled) {
    wp.x = RoundDiv256(wp.x);
    wp.y = RoundDiv256(wp.y);
  }
  w.Put(wp);
}

template <typename T, size_t N>
int16_t LastUsed(const std::array<T, N>& records, bool (*unused)(const T&)) {
  for (size_t i = 0; i < N; ++i)
    if (unused(records[i])) return static_cast<int16_t>(static_cast<int>(i) - 1);
  return static_cast<int16_t>(N - 1);
}

int32_t ScaleWaypointCoordinate(int32_t v, bool& clamped) {
  int32_t c = std::clamp(v, -kMaxWaypointFileCoordinate, kMaxWaypointFileCoordinate);
  if (c != v) clamped = true;
  return c * 256;
}

}  // namespace

namespace {
// The selection block's fields in their stored order, for both directions.
template <typename Sel, typename F>
void ForEachSelectionField(Sel& s, F&& f) {
  f(s.leftDragActive);
  f(s.movingSelection);
  f(s.selRect.left);
  f(s.selRect.right);
  f(s.selRect.top);
  f(s.selRect.bottom);
  f(s.selLast);
  f(s.selVertexCorner);
  f(s.selVertexPolygon);
  f(s.selVertexLast);
  f(s.selSpawn);
  f(s.selSpawnLast);
  f(s.selScenery);
  f(s.selSceneryLast);
  f(s.rotatingScenery);
  f(s.sizingScenery);
  f(s.selWaypoint);
  f(s.selWaypointLast);
  f(s.connectFrom);
  f(s.pointerWorldX);
  f(s.pointerWorldY);
  f(s.selCollider);
  f(s.selColliderLast);
  f(s.moveSnapshotTaken);
}
}  // namespace

void EncodeSelection(const SelectionState& s, std::vector<uint8_t>& out) {
  ByteWriter w(out, out.size());
  ForEachSelectionField(s, [&](const auto& field) { w.Put(field); });
}

void DecodeSelection(std::span<const uint8_t> bytes, SelectionState& s) {
  ByteReader r(bytes);
  ForEachSelectionField(s, [&](auto& field) { r.Get(field); });
  // Lists read from a snapshot index fixed arrays: keep their last indices inside them.
  auto fit = [](int16_t& last, int capacity) { last = static_cast<int16_t>(std::clamp<int>(last, -1, capacity - 1)); };
  fit(s.selVertexLast, kMaxSelectedVertices);
  fit(s.selSpawnLast, 30);
  fit(s.selSceneryLast, 255);
  fit(s.selWaypointLast, 500);
  fit(s.selColliderLast, 128);
}

void EncodeMap(const MapDocument& doc, const UndoExtension* undo, std::vector<uint8_t>& out) {
  out.resize(undo ? kUndoFileSize : kMapFileSize);
  ByteWriter w(out, 0);
  w.Put(doc.polygons);
  w.Put(doc.polygonNormals);
  w.Put(static_cast<int16_t>(doc.polygonLast + 1));
  w.Put(doc.info.extraByte1);
  w.Put(doc.info.extraByte2);
  w.Put(doc.info.extraByte3);
  std::string texture = PadTextureName(doc.info.textureName);
  w.PutBytes(texture.data(), kTextureNameLength);
  w.Put(doc.spawns);
  w.Put(doc.info.extraBlock);
  w.Put(doc.sectors);
  w.Put(doc.info.extraByte4);
  w.Put(doc.info.extraByte5);
  w.Put(doc.info.sectorSize);
  w.Put(doc.info.backgroundTop);
  w.Put(doc.info.backgroundBottom);
  w.Put(doc.scenery);
  w.Put(doc.info.saveStamp);
  for (int i = 0; i < kMaxWaypoints; ++i) PutWaypoint(w, doc.waypoints[i], i <= doc.waypointLast);
  w.Put(doc.colliders);
  if (undo) {
    out.resize(kMapFileSize);
    EncodeSelection(undo->selection, out);
    ByteWriter tail(out, out.size());
    tail.Put(undo->currentTool);
  }
}

DecodeReport DecodeMap(std::span<const uint8_t> bytes, MapDocument& doc, UndoExtension* undo) {
  DecodeReport report;
  ByteReader r(bytes);
  r.Get(doc.polygons);
  r.Get(doc.polygonNormals);
  int16_t count = 0;
  // A count that is not wholly in the file (it ends inside the two bytes) means no polygons.
  if (!r.Get(count)) count = 0;
  r.Get(doc.info.extraByte1);
  r.Get(doc.info.extraByte2);
  r.Get(doc.info.extraByte3);
  std::string texture(kTextureNameLength, '\0');
  r.GetBytes(texture.data(), kTextureNameLength);
  doc.info.textureName = texture;
  r.Get(doc.spawns);
  r.Get(doc.info.extraBlock);
  r.Get(doc.sectors);
  r.Get(doc.info.extraByte4);
  r.Get(doc.info.extraByte5);
  r.Get(doc.info.sectorSize);
  r.Get(doc.info.backgroundTop);
  r.Get(doc.info.backgroundBottom);
  r.Get(doc.scenery);
  r.Get(doc.info.saveStamp);
  r.Get(doc.waypoints);
  r.Get(doc.colliders);
  report.complete = r.position() <= bytes.size();
  if (undo && bytes.size() > kMapFileSize) {
    DecodeSelection(bytes.subspan(kMapFileSize), undo->selection);
    r.Skip(kSelectionBlockSize);
    r.Get(undo->currentTool);
  }

  // The count comes from the file: keep it inside the array.
  report.countInFile = count;
  if (count < 0 || count > kMaxPolygons) report.countClamped = true;
  doc.polygonLast = static_cast<int16_t>(std::clamp<int>(count, 0, kMaxPolygons) - 1);

  doc.spawnLast = LastUsed<Spawn>(doc.spawns, [](const Spawn& s) { return s.active == 0; });
  doc.sceneryLast = LastUsed<Scenery>(doc.scenery, [](const Scenery& s) { return s.active != 1; });
  doc.waypointLast = LastUsed<Waypoint>(doc.waypoints, [](const Waypoint& w) { return w.active != 1; });
  doc.colliderLast = LastUsed<Collider>(doc.colliders, [](const Collider& c) { return c.active != 1; });

  for (int i = 0; i <= doc.waypointLast; ++i) {
    Waypoint& w = doc.waypoints[i];
    w.x = ScaleWaypointCoordinate(w.x, report.waypointClamped);
    w.y = ScaleWaypointCoordinate(w.y, report.waypointClamped);
  }

  std::string author;
  for (size_t i = 0; i < kMaxReadAuthorLength; ++i) {
    uint8_t c = doc.colliders[i].authorChar;
    if (c == 0) break;
    author += static_cast<char>(c);
  }
  doc.info.authorName = Cp1252ToUtf8(author);
  return report;
}

}  // namespace quorvel
