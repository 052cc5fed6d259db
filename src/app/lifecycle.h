#pragma once
// The main window's life around the one map: start-up, first activation, the File menu, the
// recent files, the window placement and shutdown.
#include <cstdint>
#include <string>
#include <vector>

#include "document/editor.h"

namespace quorvel {

inline constexpr const char* kProductName = "Quorvel";
inline constexpr const char* kProductComments = "";

void Form_Load(Editor& ed);
void Form_Activate(Editor& ed);
void Form_Unload(Editor& ed);

void MenuNew_Click(Editor& ed);
void MenuOpen_Click(Editor& ed);
void MenuSave_Click(Editor& ed);
void MenuSaveAs_Click(Editor& ed);
void MenuExit_Click(Editor& ed);
void MenuRekentti_Click(Editor& ed, int index);
void MenuExport_Click(Editor& ed);

void OpenByPath(Editor& ed, const std::string& path);
// What every open does once the map is read: the view, the Edit tool, the boxes and layers, the
// panels and canvas, and an empty undo history.
void ShowOpenedMap(Editor& ed);
void AddToRecent(Editor& ed, const std::string& path);
void RebuildRecentMenu(Editor& ed, bool loadFromSettings);
void RestoreWindowPlacement(Editor& ed);
void SaveWindowPlacement(Editor& ed);
// A placement value kept in the settings section, in twips; -999 when missing or not a whole number.
int PlacementSetting(Editor& ed, const char* section, const char* key);

// The bytes of a map file for a user's open, or false and a message that says why there are
// none. A file of the wrong length is read all the same while Shift is held (after its message
// when `tellForced`).
bool ReadMapFileBytes(Editor& ed, const std::string& path, std::vector<uint8_t>& bytes, bool tellForced);
// File Open in two halves: the dialog ("" when cancelled), then the open of the chosen file.
std::string AskMapToOpen(Editor& ed);
void OpenChosenMap(Editor& ed, const std::string& path);

// A user's open: reads the map at the path into the (cleared) document, or tells the user why not
// and leaves a new map.
void ReadMap(Editor& ed, const std::string& path);
// A user's save: normalises, writes safely, then runs the two checks. On failure the user is told,
// the previous file is intact and the document is as it was before the save. True when written.
bool WriteMap(Editor& ed, const std::string& path);

// The zoom and grid boxes chosen from code, as New and Open do.
void ChooseZoomItem(Editor& ed, int index);
void ChooseGridItem(Editor& ed, int index);

}  // namespace quorvel
