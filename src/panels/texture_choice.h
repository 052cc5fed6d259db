#pragma once
// Choosing the map's texture: "Texture…" in Map info lists the texture images of the game's
// "textures" folder and of the map's own folder, the host shows them with a preview and a way to
// pick any other image, and the chosen file's name (without its folder) becomes the map's
// texture name.
#include <string>
#include <vector>

#include "document/editor.h"
#include "view/map_texture.h"

namespace quorvel {

struct TextureFile {
  std::string name;    // the file's name, UTF-8
  std::string path;    // folder and name
  std::string folder;  // one of TextureChoice::folders
};

// What the chooser shows.
struct TextureChoice {
  std::vector<TextureFolder> folders;  // where the images were looked for, in that order
  std::vector<TextureFile> files;      // folder by folder, each folder's by name
  std::string current;                 // the map's texture name now
  std::string browseFolder;            // where a search for another image starts ("" for anywhere)
};

// The texture images (view/map_texture: IsTextureFileName) of every folder a texture is looked
// for in.
TextureChoice ListTextures(const Editor& ed);

// Why a file name cannot be the map's texture name, "" when it can: it must be 1 to 26
// characters that Windows-1252, the map's text encoding, holds.
std::string TextureNameProblem(const std::string& name);

// Makes the file's name (the text after its last separator) the map's texture name, padded with
// NULs, as one undo step "Texture"; then refreshes the panels and redraws. A name that breaks the
// rules is refused with a message titled "Problem" and nothing changes; the name the map already
// has changes nothing either. True when the name changed.
bool SetMapTexture(Editor& ed, const std::string& path);

// "Texture…": lists the textures, lets the user choose through the host, sets the choice.
void CBtexture_Click(Editor& ed);

}  // namespace quorvel
