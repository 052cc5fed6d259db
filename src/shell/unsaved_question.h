#pragma once
// The question before a map with unsaved changes is dropped: by File New, File Open, a recent
// file, or the window closing (File Exit, the close button, a desktop logout). Nothing is asked
// for an unchanged map.
#include "document/editor.h"

namespace quorvel {

// True when the map may be dropped: it has no unsaved changes, or the user saved them (the
// normal Save, Save As for a map without a name), or chose Discard. Cancel, or a save that failed
// or was cancelled, gives false.
bool ConfirmDropChanges(Editor& ed);

// The File menu's New, Open and recent entries as the menus run them: asking first.
void AskThenNew(Editor& ed);
void AskThenOpen(Editor& ed);
void AskThenOpenRecent(Editor& ed, int index);
// The window is asked to close; false keeps it open.
bool Form_QueryUnload(Editor& ed);

}  // namespace quorvel
