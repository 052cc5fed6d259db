#include "game/game_files.h"

#include "document/file_io.h"
#include "document/host.h"
#include "document/numeric.h"
#include "game/ini_file.h"

namespace quorvel {

void RunError(Editor& ed, const std::string& text) {
  ed.host->MessageBox(text, "Run error", MsgIcon::Critical, MsgButtons::Ok);
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

}  // namespace quorvel
