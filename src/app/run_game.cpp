#include "app/run_game.h"

#include <filesystem>

#include "document/host.h"
#include "document/numeric.h"
#include "game/compile.h"
#include "game/ini_file.h"
#include "app/lifecycle.h"

namespace quorvel {

namespace {

void RunError(Editor& ed, const std::string& text) {
  ed.host->MessageBox(text, "Run error", MsgIcon::Critical, MsgButtons::Ok);
}

// A folder of that name is no program to start and no map to load.
bool IsFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::u8path(path), ec);
}

void WriteMapList(Editor& ed, const std::string& game, const std::string& name) {
  const std::string path = game + "mapslist.txt";
  std::string error;
  if (!ReplaceTextFile(path, Utf8ToCp1252(MapListLine(name)), error))
    RunError(ed, "The map list " + path + " could not be written: " + error +
                     ".\nThe game starts with the map list it had.");
}

void UpdateGameStyle(Editor& ed, const std::string& game, const std::string& name) {
  const std::string path = game + "zarnok.ini";
  int style = 9;
  std::string error;
  if (!IniFileReadInt(path, "GAME", "GameStyle", 9, style, error)) {
    RunError(ed, "The game settings " + path + " could not be read: " + error +
                     ".\nGameStyle was not checked for this map.");
    return;
  }
  const int wanted = GameStyleFor(name, style);
  if (wanted == style) return;
  if (!IniFileWrite(path, "GAME", "GameStyle", std::to_string(wanted), error))
    RunError(ed, "The game settings " + path + " could not be written: " + error + ".\nGameStyle stays " +
                     std::to_string(style) + " instead of " + std::to_string(wanted) + ".");
}

}  // namespace

std::string GameFolder(const Editor& ed) { return FolderOf(ed.appFolder); }

std::string MapListLine(const std::string& mapName) {
  // A name of four characters or fewer has no extension to drop and no map name left.
  const size_t keep = mapName.size() > 4 ? mapName.size() - 4 : 0;
  return UpperAscii(mapName.substr(0, keep)) + "\r\n";
}

int GameStyleFor(const std::string& mapName, int style) {
  if (UpperAscii(mapName).rfind("CTF_", 0) == 0) return 3;
  return style == 3 ? 0 : style;
}

void MenuRunMaker_Click(Editor& ed) {
  if (ed.host->BringToFront(kMapMakerWindowTitle)) return;
  const std::string path = GameFolder(ed) + "MapMaker/MapMaker.exe";
  if (!IsFile(path)) {
    RunError(ed, path + " not found");
    return;
  }
  if (!ed.host->ShellExecute(path, "", FolderOf(path))) RunError(ed, path + " could not be started");
}

void MenuRunZarnok_Click(Editor& ed) {
  if (ed.host->BringToFront(kGameWindowTitle)) return;
  const std::string game = GameFolder(ed);
  const std::string exe = game + "Zarnok.exe";
  if (!IsFile(exe)) {
    RunError(ed, exe + " not found");
    return;
  }
  // The game's files are written while the window is still up, so a problem with them is told in
  // a message box the user can see.
  const std::string& fileName = ed.doc.info.fileName;
  if (Utf8Length(fileName) > 3) {
    const std::string name = FileNameOf(fileName);
    if (IsFile(game + "MAPS/" + name)) {
      WriteMapList(ed, game, name);
      UpdateGameStyle(ed, game, name);
    }
  }
  SaveWindowPlacement(ed);
  ed.host->SetWindowState(0);
  ed.host->SetWindowState(1);
  if (!ed.host->ShellExecute(exe, "", game)) {
    RestoreWindowPlacement(ed);
    RunError(ed, exe + " could not be started");
    return;
  }
  ed.host->DoEvents();
  ed.restorePlacementPending = true;
}

void MenuRunAll_Click(Editor& ed) {
  MenuRunCompile_Click(ed);
  MenuSave_Click(ed);
  MenuRunZarnok_Click(ed);
}

}  // namespace quorvel
