#pragma once
// The File menu: New, Open, Save, Save As and Export, and the reading and writing of the map
// behind them.
#include <cstdint>
#include <string>
#include <vector>

#include "document/editor.h"

namespace quorvel {

void MenuNew_Click(Editor& ed);
void MenuOpen_Click(Editor& ed);
void MenuSave_Click(Editor& ed);
void MenuSaveAs_Click(Editor& ed);
void MenuExport_Click(Editor& ed);

void OpenByPath(Editor& ed, const std::string& path);
// What every open does once the map is read: the view, the Edit tool, the boxes and layers, the
// panels and canvas, and an empty undo history.
void ShowOpenedMap(Editor& ed);

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
