#pragma once
// The redo list beside the undo ring: each Undo keeps the state it replaced, the newest last.
#include <string>

#include "document/editor.h"

namespace quorvel {

// An Undo is about to replace the document, the selection and the tool: keep them for Redo.
void KeepForRedo(Editor& ed, const std::string& label);
// Nothing left to redo (a new snapshot, New, Open, Save As).
void ClearRedo(Editor& ed);
// Caption and enabled state of MenuRedo: "&Redo " and the label of the step Redo would bring
// back, or "&Redo", disabled.
void RefreshRedoMenu(Editor& ed);

}  // namespace quorvel
