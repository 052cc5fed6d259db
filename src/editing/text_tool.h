#pragma once
#include <string>

#include "document/editor.h"

namespace quorvel {

// The letter prefab of a single-byte (Windows-1252) character code: appFolder/Alphabet/<code>.pre.
std::string LetterFile(const Editor& ed, unsigned char code);

// Writes a line of text onto the map from the letter prefabs, left to right, 10 units between
// letters and 30 for a character without a letter, then centres it in the view. The text is left
// selected with the Edit tool active. No undo snapshot of its own: the caller takes one.
void PlaceText(Editor& ed, const std::string& text);

}  // namespace quorvel
