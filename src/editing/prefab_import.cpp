#include "editing/prefab_import.h"

#include "document/file_io.h"
#include "document/host.h"
#include "document/prefab_file.h"
#include "editing/clipboard.h"
#include "editing/move.h"
#include "editing/selection.h"
#include "editing/tools.h"

namespace quorvel {

namespace {
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
    if (!ed.shiftDown) return;
  }

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
