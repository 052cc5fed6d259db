#pragma once
// Where the filled view found the map's texture file, kept between redraws so that a redraw does
// not search the folders again (view/map_texture does the searching).
#include <string>

namespace quorvel {

struct TextureLookup {
  // Looked in before any other folder; empty in the editor (quorvel-tool render --textures).
  std::string firstFolder;
  // What the result below was found for (texture name, map file, program folder, first folder);
  // a redraw with another key searches again.
  std::string key;
  bool searched = false;
  std::string path;      // the file found, "" when none
  std::string lookedIn;  // the folders searched, for the note when none is found
  bool noted = false;    // the status line has said what went wrong
};

}  // namespace quorvel
