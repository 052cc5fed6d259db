#pragma once
// The main window's life around the one map: start-up, first activation, the recent files, the
// window placement and shutdown. The File menu is in file_menu.h.
#include <string>

#include "app/file_menu.h"
#include "document/editor.h"

namespace quorvel {

inline constexpr const char* kProductName = "Quorvel";
inline constexpr const char* kProductComments = "";

void Form_Load(Editor& ed);
void Form_Activate(Editor& ed);
void Form_Unload(Editor& ed);

void MenuExit_Click(Editor& ed);
void MenuRekentti_Click(Editor& ed, int index);

void AddToRecent(Editor& ed, const std::string& path);
void RebuildRecentMenu(Editor& ed, bool loadFromSettings);
void RestoreWindowPlacement(Editor& ed);
void SaveWindowPlacement(Editor& ed);
// A placement value kept in the settings section, in twips; -999 when missing or not a whole number.
int PlacementSetting(Editor& ed, const char* section, const char* key);

}  // namespace quorvel
