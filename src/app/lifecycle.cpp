#include "app/lifecycle.h"

#include <algorithm>

#include "document/file_io.h"
#include "document/host.h"
#include "document/map_write.h"
#include "document/numeric.h"
#include "document/undo.h"
#include "editing/prefab_import.h"
#include "app/private_folder.h"
#include "app/recovery.h"
#include "app/recovery_offer.h"
#include "view/layout.h"

namespace quorvel {

namespace {

// The main window's own placement values.
int PlacementSetting(Editor& ed, const char* key) { return PlacementSetting(ed, "Windows", key); }

}  // namespace

// -999 (not applied) unless it is a whole number. A window wider than 2,184 pixels is more than
// 32,767 twips, so the value is read as a 32-bit number, and anything that does not fit or is no
// number at all is ignored rather than overflowing.
int PlacementSetting(Editor& ed, const char* section, const char* key) {
  std::string text = Trim(ed.host->GetSetting(section, key, "-999"));
  size_t digits = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (text.size() == digits || text.size() > digits + 10) return -999;
  for (size_t i = digits; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return -999;
  double v = LeadingNumber(text);
  if (v < -2147483647.0 || v > 2147483647.0) return -999;
  return static_cast<int>(v);
}

void Form_Load(Editor& ed) {
  ed.firstActivation = true;
  ed.host->SetWindowWidth(10);
  ed.host->SetWindowHeight(10);
  std::string caption = std::string(kProductName) + "  " + std::to_string(QUORVEL_VERSION_MAJOR) + "." +
                        std::to_string(QUORVEL_VERSION_MINOR);
  if (std::string(kProductComments) == "BETA") caption += " BETA";
  ed.host->SetCaption(caption);
  ed.appFolder = ed.host->ProgramFolder();
  ResetPrivateFolderNotice();
  PrepareRecovery(ed);
}

void Form_Activate(Editor& ed) {
  if (!ed.firstActivation) return;
  MenuNew_Click(ed);
  RestoreWindowPlacement(ed);
  Form_Resize(ed);
  ed.host->DoEvents();
  ed.firstActivation = false;

  std::string arg = Trim(ed.host->CommandLine());
  if (arg.size() > 4) {
    if (arg[0] == '"') arg = arg.substr(1, arg.size() - 2);
    std::string kind = UpperAscii(arg.substr(arg.size() >= 3 ? arg.size() - 3 : 0));
    if (kind == "PMP") {
      OpenByPath(ed, arg);
    } else if (kind == "PRE") {
      ReadPrefab(ed, arg, false);
      ed.RedrawCanvas();
      ed.RefreshPanels();
    } else {
      ed.host->MessageBox("Unknow filetype", "Argument file open", MsgIcon::Critical, MsgButtons::Ok);
    }
  }
  RebuildRecentMenu(ed, true);
  ed.undo.undoTop = -1;
  RefreshUndoMenu(ed);

  std::string game = FolderOf(ed.appFolder) + "Zarnok.exe";
  if (!PathExists(game))
    ed.host->MessageBox(game + " not found.\nExtract Quorvel in Zarnok directory for full effect.", "Warning",
                        MsgIcon::Exclamation, MsgButtons::Ok);
  OfferRecovery(ed);
  // Nothing was drawn while the first activation ran; show the map and its panels now.
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

void Form_Unload(Editor& ed) {
  for (int i = 0; i < 5; ++i) ed.host->SaveSetting("Recent", std::to_string(i), ed.recentFiles[i]);
  SaveWindowPlacement(ed);
  DeleteFilesStartingWith(TemporaryFolder(ed), "QuorvelUndo");
  RemoveOwnRecoveryFile();
}

void MenuExit_Click(Editor& ed) { ed.host->CloseWindow(); }

void MenuRekentti_Click(Editor& ed, int index) {
  if (index < 0 || index > 4) return;
  std::string path = ed.recentFiles[index];
  OpenByPath(ed, path);
  if (ed.doc.info.fileName.empty()) {
    ed.recentFiles[index].clear();
    RebuildRecentMenu(ed, false);
  }
}

void AddToRecent(Editor& ed, const std::string& path) {
  auto& r = ed.recentFiles;
  if (path == r[0]) return;
  // The entry is taken out of its place and the entries after it close up, so re-opening a
  // file never pushes another one off the end of the list.
  std::vector<std::string> kept;
  for (const auto& entry : r)
    if (entry != path) kept.push_back(entry);
  kept.insert(kept.begin(), path);
  kept.resize(r.size());
  std::copy(kept.begin(), kept.end(), r.begin());
  RebuildRecentMenu(ed, false);
}

void RebuildRecentMenu(Editor& ed, bool loadFromSettings) {
  if (loadFromSettings)
    for (int i = 0; i < 5; ++i) ed.recentFiles[i] = Trim(ed.host->GetSetting("Recent", std::to_string(i), ""));
  for (int i = 0; i < 5; ++i) {
    MenuItem& m = ed.ctl.MenuRekentti[i];
    m.visible = false;
    if (Utf8Length(ed.recentFiles[i]) > 4) {
      m.visible = true;
      m.caption = "&" + std::to_string(i + 1) + " " + FileNameOf(ed.recentFiles[i]);
    }
  }
}

void RestoreWindowPlacement(Editor& ed) {
  int state = PlacementSetting(ed, "State");
  if (state != -999 && state >= 0 && state <= 2) ed.host->SetWindowState(state);
  if (state != 0) return;
  int top = PlacementSetting(ed, "Top");
  if (top != -999) ed.host->SetWindowTop(top);
  int left = PlacementSetting(ed, "Left");
  if (left != -999) ed.host->SetWindowLeft(left);
  int width = PlacementSetting(ed, "Width");
  if (width != -999) ed.host->SetWindowWidth(width);
  int height = PlacementSetting(ed, "Height");
  if (height != -999) ed.host->SetWindowHeight(height);
}

void SaveWindowPlacement(Editor& ed) {
  WindowPlacement p = ed.host->GetPlacement();
  ed.host->SaveSetting("Windows", "State", std::to_string(p.state));
  ed.host->SaveSetting("Windows", "Top", std::to_string(p.top));
  ed.host->SaveSetting("Windows", "Left", std::to_string(p.left));
  ed.host->SaveSetting("Windows", "Width", std::to_string(p.width));
  ed.host->SaveSetting("Windows", "Height", std::to_string(p.height));
}

}  // namespace quorvel
