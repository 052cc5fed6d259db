#include "panels/texture_choice.h"

#include <algorithm>
#include <filesystem>

#include "document/host.h"
#include "document/numeric.h"
#include "document/undo.h"

namespace fs = std::filesystem;

namespace quorvel {

namespace {

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

// The characters of a UTF-8 text that Windows-1252 cannot hold, each once, in order. A character
// survives the trip through the code page only when the code page holds it.
std::string Unencodable(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    size_t end = i + 1;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
    const std::string one = utf8.substr(i, end - i);
    if (Cp1252ToUtf8(Utf8ToCp1252(one)) != one && out.find(one) == std::string::npos)
      out += (out.empty() ? "" : " ") + one;
    i = end;
  }
  return out;
}

}  // namespace

TextureChoice ListTextures(const Editor& ed) {
  TextureChoice choice;
  choice.folders = TextureFolders(ed);
  choice.current = MapTextureName(ed.doc);
  for (const TextureFolder& f : choice.folders) {
    if (!f.exists) continue;
    if (choice.browseFolder.empty()) choice.browseFolder = f.path;
    std::vector<TextureFile> here;
    std::error_code ec;
    fs::directory_iterator it(fs::u8path(f.path), ec);
    for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
      std::error_code kind;
      const std::string name = it->path().filename().string();
      if (IsTextureFileName(name) && it->is_regular_file(kind)) here.push_back({name, it->path().string(), f.path});
    }
    std::sort(here.begin(), here.end(), [](const TextureFile& a, const TextureFile& b) {
      const std::string la = LowerAscii(a.name), lb = LowerAscii(b.name);
      return la != lb ? la < lb : a.name < b.name;
    });
    choice.files.insert(choice.files.end(), here.begin(), here.end());
  }
  return choice;
}

std::string TextureNameProblem(const std::string& name) {
  if (name.empty()) return "A texture needs a file name.";
  const std::string bad = Unencodable(name);
  if (!bad.empty())
    return "The texture name \"" + name + "\" has characters that a map cannot keep (it keeps Windows-1252 text): " +
           bad + "\nRename the file, or choose another.";
  const size_t length = Utf8Length(name);
  if (length > static_cast<size_t>(kTextureNameLength))
    return "The texture name \"" + name + "\" is " + std::to_string(length) + " characters long; a map keeps at most " +
           std::to_string(kTextureNameLength) + ".\nRename the file, or choose another.";
  return {};
}

bool SetMapTexture(Editor& ed, const std::string& path) {
  const std::string name = FileNameOf(path);
  if (const std::string problem = TextureNameProblem(name); !problem.empty()) {
    ed.host->MessageBox(problem, "Problem", MsgIcon::Critical, MsgButtons::Ok);
    return false;
  }
  const std::string padded = PadTextureName(Utf8ToCp1252(name));
  if (padded == ed.doc.info.textureName) return false;
  TakeSnapshot(ed, "Texture");
  ed.doc.info.textureName = padded;
  ed.RefreshPanels();
  ed.RedrawCanvas();
  return true;
}

void CBtexture_Click(Editor& ed) {
  const std::optional<std::string> chosen = ed.host->ChooseTexture(ListTextures(ed));
  // The user may have put new images in the folders meanwhile.
  ForgetTextureLookup(ed);
  const bool changed = chosen && !chosen->empty() && SetMapTexture(ed, *chosen);
  if (!changed) ed.RedrawCanvas();
}

}  // namespace quorvel
