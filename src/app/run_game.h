#pragma once
// The Run menu: the game and its map maker, started beside the editor's own folder.
#include <string>

#include "document/editor.h"

namespace quorvel {

inline constexpr const char* kGameWindowTitle = "Zarnok";
inline constexpr const char* kMapMakerWindowTitle = "Zarnok Map Maker";

void MenuRunMaker_Click(Editor& ed);
void MenuRunZarnok_Click(Editor& ed);
// Compile, Save, then the game, each in full whatever the one before reported.
void MenuRunAll_Click(Editor& ed);

// The game's folder: the parent of the editor's folder, ending in a separator.
std::string GameFolder(const Editor& ed);
// The map list line for a map file name: the name without its four-character extension, in
// upper case, then CR LF.
std::string MapListLine(const std::string& mapName);
// The "GameStyle" the game needs for a map file name, given the one it has: 3 for a name
// beginning "CTF_" (any case), 0 for any other name while the style is 3, else unchanged.
int GameStyleFor(const std::string& mapName, int style);

}  // namespace quorvel
