#pragma once
// The map's texture file on disk, for the filled view and the texture chooser: the folders a
// texture is looked for in, and the file found there. The game runs where file names ignore
// letter case, so a name matches a file whose name differs from it only in ASCII letter case.
#include <string>
#include <string_view>
#include <vector>

#include "document/editor.h"

namespace quorvel {

// A place a texture is looked for in, and whether it is there as a folder.
struct TextureFolder {
  std::string path;  // without a trailing separator
  bool exists = false;
};

// Image files a texture may be: .bmp, .png, .jpg, .jpeg, .tga and .dds, in any letter case.
bool IsTextureFileName(std::string_view name);

// Where a texture is looked for, in this order and each folder once: the lookup's first folder
// (when set), every folder named "textures" in any letter case inside the game folder (the folder
// above the program's; its plain "textures" when there is none), and the map file's own folder
// (when the map has a file).
std::vector<TextureFolder> TextureFolders(const Editor& ed);

// The file in `folder` named `name`, exactly or but for ASCII letter case (the exact one first);
// "" when there is none. A name holding a separator, or "." or "..", names no file.
std::string FindFileNoCase(const std::string& folder, const std::string& name);

// The map's texture name as UTF-8, up to its first NUL.
std::string MapTextureName(const MapDocument& doc);

// The file the map's texture is drawn from, "" when none is found. The folders are searched again
// only when the texture name, the map's file, the program's folder or the first folder changed
// since the last search, or after ForgetTextureLookup.
const std::string& MapTextureFile(Editor& ed);
// The next MapTextureFile searches the folders again (their files may have changed) and may say
// again what went wrong.
void ForgetTextureLookup(Editor& ed);

// The status line's note, said once per search: the texture named by the map was not found (and
// where it was looked for), or the file found cannot be read as an image. Nothing when the map
// names no texture.
void NoteTextureProblem(Editor& ed, bool found);

}  // namespace quorvel
