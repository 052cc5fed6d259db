#pragma once
// The question before a map with unsaved changes is dropped: by File New, File Open, a recent
// file, or the window closing (File Exit, the close button, a desktop logout). Nothing is asked
// for an unchanged map.
#include "document/editor.h"

#include <string>

namespace quorvel {

// The map's name as the title and the question give it: its file name, "Untitled", or for a
// recovered map not yet saved the name it was kept under and " (recovered)".
std::string MapShownName(const Editor& ed);
// Whether the file can be opened as a map; if not, the user is told why and nothing changes.
bool MapCanBeOpened(Editor& ed, const std::string& path);

// True when the map may be dropped: it has no unsaved changes, or the user saved them (the
// normal Save, Save As for a map without a name), or chose Discard. Cancel, or a save that failed
// or was cancelled, gives false.
bool ConfirmDropChanges(Editor& ed);

// The File menu's New, Open and recent entries as the menus run them: asking first. Open and a
// recent entry ask only about a file that can be opened.
void AskThenNew(Editor& ed);
void AskThenOpen(Editor& ed);
void AskThenOpenRecent(Editor& ed, int index);
// The window is asked to close; false keeps it open.
bool Form_QueryUnload(Editor& ed);

}  // namespace quorvel
