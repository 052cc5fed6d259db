#include "editing/prefab_import.h"

#include <cmath>

#include "document/file_io.h"
#include "document/host.h"
#include "document/prefab_file.h"
#include "editing/clipboard.h"
#include "editing/move.h"
#include "editing/selection.h"
#include "editing/tools.h"

namespace quorvel {

namespace {

// Far beyond any map: spawn and waypoint positions, world x 256 in 32 bits, end here too.
constexpr float kWorldLimit = 8388607.0f;

bool Sound(float v) { return std::isfinite(v) && std::fabs(v) <= kWorldLimit; }

// Every position, texture coordinate, normal, angle, scale and radius is a number a map can hold.
bool AllSound(const PrefabContents& pre) {
  for (size_t i = 0; i < pre.polygons.size(); ++i) {
    for (const Vertex& v : pre.polygons[i].corner)
      if (!Sound(v.x) || !Sound(v.y) || !Sound(v.z) || !Sound(v.rhw) || !Sound(v.tu) || !Sound(v.tv)) return false;
    for (const Normal& n : pre.normals[i].normal)
      if (!Sound(n.x) || !Sound(n.y) || !Sound(n.z)) return false;
  }
  for (const Scenery& s : pre.scenery)
    if (!Sound(s.x) || !Sound(s.y) || !Sound(s.rotation) || !Sound(s.scaleX) || !Sound(s.scaleY)) return false;
  for (const Collider& c : pre.colliders)
    if (!Sound(c.x) || !Sound(c.y) || !Sound(c.radius)) return false;
  return true;
}

void Tell(Editor& ed, bool quiet, const std::string& text, const std::string& title, MsgIcon icon) {
  if (!quiet) ed.host->MessageBox(text, title, icon, MsgButtons::Ok);
}
}  // namespace

void ReadPrefab(Editor& ed, const std::string& path, bool quiet) {
  ClearSelection(ed);
  if (quiet) ed.sel.moveSnapshotTaken = -1;
  EmptyClipboard(ed);
  SelectTool(ed, 0);

  if (!PathExists(path)) {
    Tell(ed, quiet, "File '" + path + "' not found.", "File error", MsgIcon::None);
    return;
  }
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error)) {
    Tell(ed, quiet, "File '" + path + "' could not be read: " + error + ".", "File error", MsgIcon::Critical);
    return;
  }
  PrefabContents pre = DecodePrefab(bytes);
  if (pre.version != "1.0") {
    Tell(ed, quiet,
         "File '" + path + "' is not Quorvel " + std::to_string(QUORVEL_VERSION_MAJOR) + "." +
             std::to_string(QUORVEL_VERSION_MINOR) + " prop file.",
         "File error", MsgIcon::None);
    // Shift reads a foreign file on the user's word; the text tool's letters get no such word.
    if (quiet || !ed.shiftDown) return;
  }
  // The text tool places a letter whole or not at all: a cut or damaged letter would spoil the
  // text, and numbers beyond any map would carry the letters placed before it with them.
  if (quiet && (pre.truncated || !AllSound(pre))) return;

  MapDocument& d = ed.doc;
  bool overflow = false;
  for (size_t i = 0; i < pre.polygons.size(); ++i) {
    if (d.polygonLast >= kMaxPolygons - 1) {
      overflow = true;
      continue;
    }
    ++d.polygonLast;
    d.polygons[d.polygonLast] = pre.polygons[i];
    d.polygonNormals[d.polygonLast] = pre.normals[i];
    for (int k = 0; k < 3; ++k) AppendSelectedVertex(ed, d.polygonLast, k);
  }
  // Imported objects are made active: an inactive record would end the object list when the map
  // is next opened, losing everything after it. A 255th scenery would vanish at the next write.
  for (const Scenery& s : pre.scenery) {
    if (d.sceneryLast >= kSceneryLastKept) {
      overflow = true;
      continue;
    }
    d.scenery[++d.sceneryLast] = s;
    d.scenery[d.sceneryLast].active = 1;
    ed.sel.selScenery[++ed.sel.selSceneryLast] = static_cast<uint8_t>(d.sceneryLast);
    ++ed.sel.selLast;
  }
  for (const Collider& c : pre.colliders) {
    if (d.colliderLast >= kMaxColliders - 1) {
      overflow = true;
      continue;
    }
    d.colliders[++d.colliderLast] = c;
    d.colliders[d.colliderLast].active = 1;
    ed.sel.selCollider[++ed.sel.selColliderLast] = static_cast<uint8_t>(d.colliderLast);
    ++ed.sel.selLast;
  }
  if (pre.truncated)
    Tell(ed, quiet, "File '" + path + "' ends before all of its objects; the objects found were imported.",
         "File error", MsgIcon::Exclamation);
  if (overflow) Tell(ed, quiet, "Some of imported objects couldn't be pasted", "Problem", MsgIcon::Critical);

  // Nothing imported: no frame to draw and nothing to centre.
  if (ed.sel.selLast < 0) return;
  FrameSelection(ed);
  if (!quiet) MoveSelection(ed, 0, 0, true);
}

}  // namespace quorvel
