#pragma once
// The Run menu: the game and its map maker, started beside the editor's own folder. The game's
// files it writes are in game/game_files.h.
#include "document/editor.h"
#include "game/game_files.h"

namespace quorvel {

void MenuRunMaker_Click(Editor& ed);
void MenuRunZarnok_Click(Editor& ed);
// Compile, Save, then the game, each in full whatever the one before reported.
void MenuRunAll_Click(Editor& ed);

}  // namespace quorvel
