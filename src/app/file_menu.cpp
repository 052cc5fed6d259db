#include "app/file_menu.h"

#include "document/file_io.h"
#include "document/host.h"
#include "document/map_file.h"
#include "document/map_write.h"
#include "document/numeric.h"
#include "document/prefab_file.h"
#include "document/redo.h"
#include "document/save_normalise.h"
#include "document/undo.h"
#include "document/unsaved.h"
#include "editing/clipboard.h"
#include "editing/prefab_import.h"
#include "editing/selection.h"
#include "editing/tools.h"
#include "app/lifecycle.h"
#include "app/private_folder.h"
#include "app/recovery.h"
#include "app/recovery_offer.h"
#include "game/map_checker.h"
#include "view/layout.h"
#include "view/view.h"

namespace quorvel {

namespace {

constexpr const char* kMapFilter = "Zarnok Map (*.pmp)|*.PMP";
constexpr const char* kPrefabFilter = "Quorvel Prefab (*.pre)|*.pre";

void FileError(Editor& ed, const std::string& text, MsgIcon icon = MsgIcon::None) {
  ed.host->MessageBox(text, "File error", icon, MsgButtons::Ok);
}

void ShowAllLayersButAdvanced(Editor& ed) {
  for (int i = 0; i <= 4; ++i) ed.view.showFlags[i] = 1;
  ed.view.showFlags[5] = 0;
}

// The version about to be replaced is kept in the private folder as "backup-" and its file name,
// one per name, so that editors saving different maps keep each one's; a file that is not there
// (any more) has nothing to keep. Returns why the copy failed, "" when it did not.
std::string BackUp(Editor& ed, const std::string& path) {
  // Without a private folder there is no safe place for it; the user has been told.
  const std::string folder = PrivateFolder(ed);
  if (folder.empty()) return "";
  const std::string backup = folder + BackupName(path);
  std::string error;
  if (CopyFileReplacing(path, backup, error) != CopyOutcome::Failed) return "";
  return "The backup copy '" + backup + "' of '" + path + "' could not be made: " + error + ".";
}

// Told only once the map is saved: had the save failed, its own message says all, and the old
// file is still in place.
bool SaveWithBackUp(Editor& ed, const std::string& path) {
  const std::string backupFailure = BackUp(ed, path);
  const bool saved = WriteMap(ed, path);
  if (saved && !backupFailure.empty())
    FileError(ed, backupFailure + "\nThe map was saved; its previous version was not kept.", MsgIcon::Exclamation);
  return saved;
}

void RunSaveChecks(Editor& ed, const std::string& path) {
  std::vector<VertexRef> duplicates = FindDuplicateVertices(ed.doc);
  if (!duplicates.empty()) {
    ClearSelection(ed);
    // The vertex lists hold 1,200 entries; further duplicates are still in the map, just not selected.
    for (const VertexRef& v : duplicates)
      if (!AppendSelectedVertex(ed, v.polygon, v.corner)) break;
    FrameSelection(ed);
    ed.RedrawCanvas();
    ed.RefreshPanels();
    ed.host->MessageBox(kDuplicateVertexWarning, "Polygon warning", MsgIcon::Exclamation, MsgButtons::Ok);
  }
  switch (CheckCtfSpawns(ed.doc, path)) {
    case SpawnWarning::NotCtfName:
      ed.host->MessageBox(kNotCtfNameWarning, "Spawn warning", MsgIcon::Exclamation, MsgButtons::Ok);
      break;
    case SpawnWarning::CtfOrder:
      ed.host->MessageBox(kCtfOrderWarning, "Spawn warning", MsgIcon::None, MsgButtons::Ok);
      break;
    case SpawnWarning::None:
      break;
  }
}

}  // namespace

void ChooseZoomItem(Editor& ed, int index) {
  if (ed.ctl.CBzoom.Select(index)) CBzoom_Click(ed);
}

void ChooseGridItem(Editor& ed, int index) {
  if (ed.ctl.CBgrid.Select(index)) CBgrid_Click(ed);
}

void MenuNew_Click(Editor& ed) {
  ed.currentTool = 0;
  ed.toolParam = 0;
  ed.rightButtonDown = 0;
  ed.view.viewX = ed.view.viewY = 0;
  ClearSelection(ed);
  ed.doc.MakeNew();
  ShowAllLayersButAdvanced(ed);
  ChooseZoomItem(ed, 2);
  ChooseGridItem(ed, 0);
  SelectTool(ed, 1);
  ed.undo.undoTop = -1;
  ClearRedo(ed);
  MarkUnchanged(ed);
  ed.statusNote.clear();  // a note about the previous map
  // The emptied history and the new map show at once, not after the next command.
  RefreshUndoMenu(ed);
  ed.RefreshPanels();
}

bool ReadMapFileBytes(Editor& ed, const std::string& path, std::vector<uint8_t>& bytes, bool tellForced) {
  if (!PathExists(path)) {
    FileError(ed, "File '" + path + "' not found.");
    return false;
  }
  std::string error;
  if (!ReadWholeFile(path, bytes, error)) {
    FileError(ed, "File '" + path + "' could not be read: " + error + ".", MsgIcon::Critical);
    return false;
  }
  if (bytes.size() != kMapFileSize && (tellForced || !ed.shiftDown)) {
    FileError(ed, "File '" + path + "' is not Zarnok 1.0.5b mapfile.");
    return ed.shiftDown;
  }
  return true;
}

void ReadMap(Editor& ed, const std::string& path) {
  MapDocument& d = ed.doc;
  d.info.textureName.assign(kTextureNameLength, '\0');
  std::vector<uint8_t>& bytes = ed.fileBytes;
  if (!ReadMapFileBytes(ed, path, bytes, true)) {
    MenuNew_Click(ed);
    return;
  }
  DecodeReport report = DecodeMap(bytes, d, nullptr);
  d.info.fileName = path;
  if (report.countClamped || report.waypointClamped) {
    std::string text = "File '" + path + "' holds values the editor cannot use:";
    if (report.countClamped)
      text += "\nits polygon count is " + std::to_string(report.countInFile) + "; " +
              std::to_string(d.polygonLast + 1) + " polygons were read.";
    if (report.waypointClamped) text += "\nsome waypoints lie beyond the map's range; they were moved to its edge.";
    FileError(ed, text, MsgIcon::Exclamation);
  }
  if (EndsWithNoCase(path, "PMP")) AddToRecent(ed, path);
}

bool WriteMap(Editor& ed, const std::string& path) {
  // Kept so that a failed save leaves the document exactly as the user had it.
  MapDocument before = ed.doc;
  SelectionState selBefore = ed.sel;
  ClipboardState clipBefore = ed.clip;
  std::vector<uint8_t>& bytes = ed.fileBytes;
  WriteMapBytes(ed, false, bytes);
  std::string error;
  if (!WriteFileAtomically(path, bytes, error)) {
    ed.doc = before;
    ed.sel = selBefore;
    ed.clip = clipBefore;
    FileError(ed, "File '" + path + "' could not be saved: " + error + ".\nThe map was not saved.",
              MsgIcon::Critical);
    return false;
  }
  MarkSaved(ed, bytes);
  ed.statusNote = "Saved " + FileNameOf(path);
  RunSaveChecks(ed, path);
  // Sectors change only at Compile; a grid left behind by later edits is worth a word, not a box.
  if (SectorGridStale(ed.doc)) ed.statusNote = kStaleGridNote;
  return true;
}

void OpenByPath(Editor& ed, const std::string& path) {
  ClearSelection(ed);
  ed.doc.Clear(false);
  EmptyClipboard(ed);
  ReadMap(ed, path);
  ShowOpenedMap(ed);
  MarkUnchanged(ed);
}

void ShowOpenedMap(Editor& ed) {
  ed.statusNote.clear();  // a note about the previous map
  ed.view.viewX = ed.view.viewY = 0;
  SelectTool(ed, 0);
  ChooseZoomItem(ed, 2);
  ChooseGridItem(ed, 0);
  ShowAllLayersButAdvanced(ed);
  ed.RefreshPanels();
  ed.RedrawCanvas();
  ed.undo.undoTop = -1;
  RefreshUndoMenu(ed);
  ClearRedo(ed);
}

std::string AskMapToOpen(Editor& ed) {
  FileDialogRequest req;
  req.initialFolder = ed.host->GetSetting("Recent", "Path", "");
  req.filter = kMapFilter;
  req.flags = kFileMustExist | kHideReadOnly;
  return ed.host->OpenFileDialog(req);
}

void OpenChosenMap(Editor& ed, const std::string& path) {
  OpenByPath(ed, path);
  ed.host->SaveSetting("Recent", "Path", FolderOf(path));
}

void MenuOpen_Click(Editor& ed) {
  const std::string name = AskMapToOpen(ed);
  if (!name.empty()) OpenChosenMap(ed, name);
}

void MenuSave_Click(Editor& ed) {
  if (ed.doc.info.fileName.empty()) {
    MenuSaveAs_Click(ed);
    return;
  }
  SelectTool(ed, 0);
  SaveWithBackUp(ed, ed.doc.info.fileName);
  ed.RefreshPanels();
}

void MenuSaveAs_Click(Editor& ed) {
  FileDialogRequest req;
  req.flags = kOverwritePrompt | kPathMustExist | kNoReadOnlyReturn;
  req.initialFolder = ed.host->GetSetting("Recent", "Path", "");
  req.presetName = (ed.doc.spawnLast >= 0 && ed.doc.spawns[0].type == 1) ? "ctf_" : "";
  if (ed.recovered && !ed.recoveredFrom.empty()) {  // where it was kept from; the overwrite prompt guards it
    req.initialFolder = FolderOf(ed.recoveredFrom);
    req.presetName = FileNameOf(ed.recoveredFrom);
  }
  req.filter = kMapFilter;
  std::string name = ed.host->SaveFileDialog(req);
  if (name.empty()) return;
  SelectTool(ed, 0);
  if (SaveWithBackUp(ed, name)) {
    ed.host->SaveSetting("Recent", "Path", FolderOf(name));
    ed.doc.info.fileName = name;
    ed.undo.undoTop = -1;
    ClearRedo(ed);
    RefreshUndoMenu(ed);  // the history is gone: the menu offers no step
  }
  ed.RefreshPanels();
}

void MenuExport_Click(Editor& ed) {
  FileDialogRequest req;
  req.initialFolder = ed.appFolder + "/Prefab/";
  req.flags = kOverwritePrompt | kNoChangeDir | kPathMustExist | kNoReadOnlyReturn;
  req.filter = kPrefabFilter;
  std::string name = ed.host->SaveFileDialog(req);
  if (name.empty()) return;
  std::vector<uint8_t> bytes;
  EncodePrefab(ed.doc, bytes);
  std::string error;
  if (!WriteFileAtomically(name, bytes, error))
    FileError(ed, "File '" + name + "' could not be saved: " + error + ".", MsgIcon::Critical);
}

}  // namespace quorvel
