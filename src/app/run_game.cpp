#include "app/run_game.h"

#include <filesystem>

#include "document/host.h"
#include "document/numeric.h"
#include "game/compile.h"
#include "game/game_files.h"
#include "app/lifecycle.h"

namespace quorvel {

namespace {

// A folder of that name is no program to start and no map to load.
bool IsFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::u8path(path), ec);
}

}  // namespace

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
