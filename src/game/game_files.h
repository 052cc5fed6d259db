#pragma once
// The game's own files that the Run menu keeps in step with the map: the map list and the
// GameStyle in zarnok.ini, and the window titles of the game and its map maker.
#include <string>

#include "document/editor.h"

namespace quorvel {

inline constexpr const char* kGameWindowTitle = "Zarnok";
inline constexpr const char* kMapMakerWindowTitle = "Zarnok Map Maker";

// The game's folder: the parent of the editor's folder, ending in a separator.
std::string GameFolder(const Editor& ed);
// The map list line for a map file name: the name without its four-character extension, in
// upper case, then CR LF.
std::string MapListLine(const std::string& mapName);
// The "GameStyle" the game needs for a map file name, given the one it has: 3 for a name
// beginning "CTF_" (any case), 0 for any other name while the style is 3, else unchanged.
int GameStyleFor(const std::string& mapName, int style);

// A "Run error" message box.
void RunError(Editor& ed, const std::string& text);
// Writes the map list of the game in `game` (its folder) to start with the map file `name`; a
// failure is told and the game keeps the list it had.
void WriteMapList(Editor& ed, const std::string& game, const std::string& name);
// Sets the GameStyle in the game's zarnok.ini to what the map file `name` needs; a failure is told.
void UpdateGameStyle(Editor& ed, const std::string& game, const std::string& name);

}  // namespace quorvel
