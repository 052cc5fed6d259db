#include "view/map_texture.h"

#include <algorithm>
#include <filesystem>

#include "document/numeric.h"

namespace fs = std::filesystem;

namespace quorvel {

namespace {

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
  return path;
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(fs::u8path(path), ec);
}

// The same folder reached by two names (the map lying in the textures folder, a link).
bool SameFolder(const std::string& a, const std::string& b) {
  std::error_code ec;
  return a == b || fs::equivalent(fs::u8path(a), fs::u8path(b), ec);
}

void Add(std::vector<TextureFolder>& out, std::string path) {
  path = WithoutTrailingSeparator(std::move(path));
  const bool exists = IsFolder(path);
  for (const TextureFolder& f : out)
    if (f.path == path || (exists && f.exists && SameFolder(f.path, path))) return;
  out.push_back({std::move(path), exists});
}

std::string Joined(const std::string& folder, const std::string& name) {
  return (fs::u8path(folder) / fs::u8path(name)).string();
}

}  // namespace

bool IsTextureFileName(std::string_view name) {
  for (const char* ext : {".bmp", ".png", ".jpg", ".jpeg", ".tga", ".dds"})
    if (name.size() > std::string_view(ext).size() && EndsWithNoCase(name, ext)) return true;
  return false;
}

std::vector<TextureFolder> TextureFolders(const Editor& ed) {
  std::vector<TextureFolder> out;
  if (!ed.texture.firstFolder.empty()) Add(out, ed.texture.firstFolder);
  const std::string game = FolderOf(ed.appFolder);
  if (!game.empty()) {
    std::vector<std::string> found;
    std::error_code ec;
    fs::directory_iterator it(fs::u8path(game), ec);
    for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
      std::error_code kind;
      if (LowerAscii(it->path().filename().string()) == "textures" && it->is_directory(kind))
        found.push_back(it->path().string());
    }
    std::sort(found.begin(), found.end());
    if (found.empty()) found.push_back(game + "textures");
    for (std::string& f : found) Add(out, std::move(f));
  }
  const std::string& map = ed.doc.info.fileName;
  if (!map.empty()) {
    const std::string folder = FolderOf(map);
    Add(out, folder.empty() ? "." : folder);
  }
  return out;
}

std::string FindFileNoCase(const std::string& folder, const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos) return {};
  std::error_code ec;
  const std::string exact = Joined(folder, name);
  if (fs::is_regular_file(fs::u8path(exact), ec)) return exact;
  const std::string wanted = LowerAscii(name);
  std::vector<std::string> matches;
  fs::directory_iterator it(fs::u8path(folder), ec);
  for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::error_code kind;
    if (LowerAscii(it->path().filename().string()) == wanted && it->is_regular_file(kind))
      matches.push_back(it->path().string());
  }
  // Several spellings of one name: the same one every time.
  return matches.empty() ? std::string() : *std::min_element(matches.begin(), matches.end());
}

std::string MapTextureName(const MapDocument& doc) {
  const std::string& field = doc.info.textureName;
  return Cp1252ToUtf8(std::string_view(field).substr(0, field.find('\0')));
}

const std::string& MapTextureFile(Editor& ed) {
  TextureLookup& t = ed.texture;
  std::string key = ed.doc.info.textureName;
  for (const std::string* part : {&ed.doc.info.fileName, &ed.appFolder, &t.firstFolder}) {
    key += '\0';
    key += *part;
  }
  if (t.searched && key == t.key) return t.path;
  t.key = std::move(key);
  t.searched = true;
  t.noted = false;
  t.path.clear();
  t.lookedIn.clear();
  const std::string name = MapTextureName(ed.doc);
  if (name.empty()) return t.path;
  for (const TextureFolder& f : TextureFolders(ed)) {
    t.lookedIn += (t.lookedIn.empty() ? "" : ", ") + f.path;
    if (t.path.empty() && f.exists) t.path = FindFileNoCase(f.path, name);
  }
  return t.path;
}

void ForgetTextureLookup(Editor& ed) { ed.texture.searched = false; }

void NoteTextureProblem(Editor& ed, bool found) {
  TextureLookup& t = ed.texture;
  const std::string name = MapTextureName(ed.doc);
  if (t.noted || name.empty()) return;
  t.noted = true;
  if (found) {
    ed.statusNote = "Texture " + t.path + " could not be read as an image";
  } else {
    ed.statusNote = "Texture " + name + " not found in " + (t.lookedIn.empty() ? "any folder" : t.lookedIn);
  }
}

}  // namespace quorvel
