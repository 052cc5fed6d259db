#include "document/prefab_file.h"

#include <algorithm>

#include "document/byte_io.h"
#include "document/numeric.h"

namespace quorvel {

void EncodePrefab(const MapDocument& doc, std::vector<uint8_t>& out) {
  out.clear();
  ByteWriter w(out, 0);
  w.PutBytes("1.0", 3);
  w.Put(doc.polygonLast);
  w.Put(doc.sceneryLast);
  w.Put(doc.colliderLast);
  std::string author = Utf8ToCp1252(doc.info.authorName).substr(0, kPrefabAuthorLength);
  author.resize(kPrefabAuthorLength, ' ');
  w.PutBytes(author.data(), author.size());
  for (int i = 0; i <= doc.polygonLast; ++i) {
    w.Put(doc.polygons[i]);
    w.Put(doc.polygonNormals[i]);
  }
  for (int i = 0; i <= doc.sceneryLast; ++i) w.Put(doc.scenery[i]);
  for (int i = 0; i <= doc.colliderLast; ++i) w.Put(doc.colliders[i]);
}

PrefabContents DecodePrefab(std::span<const uint8_t> bytes) {
  PrefabContents c;
  ByteReader r(bytes);
  char version[3] = {0, 0, 0};
  r.GetBytes(version, 3);
  c.version.assign(version, 3);
  r.Get(c.polygonLast);
  r.Get(c.sceneryLast);
  r.Get(c.colliderLast);
  r.Skip(kPrefabAuthorLength);
  if (r.position() > bytes.size()) c.truncated = true;

  // Never trust a count further than the bytes that are actually there.
  auto available = [&](size_t recordSize) {
    return r.position() >= bytes.size() ? size_t{0} : (bytes.size() - r.position()) / recordSize;
  };
  auto wanted = [&](int16_t last, size_t recordSize) {
    size_t n = last < 0 ? 0 : static_cast<size_t>(last) + 1;
    size_t have = available(recordSize);
    if (have < n) c.truncated = true;
    return std::min(n, have);
  };

  // Each kind starts where the header says the one before ends: records missing at the end of a
  // short file are skipped over, never read as the next kind.
  auto skipMissing = [&](int16_t last, size_t got, size_t recordSize) {
    const size_t announced = last < 0 ? 0 : static_cast<size_t>(last) + 1;
    r.Skip((announced - got) * recordSize);
  };
  size_t np = wanted(c.polygonLast, kPrefabPolygonSize);
  c.polygons.resize(np);
  c.normals.resize(np);
  for (size_t i = 0; i < np; ++i) {
    r.Get(c.polygons[i]);
    r.Get(c.normals[i]);
  }
  skipMissing(c.polygonLast, np, kPrefabPolygonSize);
  size_t ns = wanted(c.sceneryLast, sizeof(Scenery));
  c.scenery.resize(ns);
  for (auto& s : c.scenery) r.Get(s);
  skipMissing(c.sceneryLast, ns, sizeof(Scenery));
  size_t nc = wanted(c.colliderLast, sizeof(Collider));
  c.colliders.resize(nc);
  for (auto& col : c.colliders) r.Get(col);
  return c;
}

}  // namespace quorvel
