#include "app/import_dialog.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "document/host.h"
#include "document/numeric.h"
#include "document/prefab_file.h"
#include "document/undo.h"
#include "editing/prefab_import.h"

namespace fs = std::filesystem;

namespace quorvel {

namespace {

constexpr uint32_t kLightRed = 0x0000FF;
// The longest file a header can announce: 32,768 records of each kind. Nothing beyond is read.
constexpr size_t kLongestPrefab = kPrefabHeaderSize + 32768 * (kPrefabPolygonSize + sizeof(Scenery) + sizeof(Collider));

bool IsPrefabName(const std::string& name) { return name.size() > 4 && EndsWithNoCase(name, ".pre"); }

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return s;
}

// Lists the prefab files, or says why there are none to list.
void ListFolder(ImportDialog& dlg) {
  dlg.files.clear();
  dlg.listIndex = -1;
  dlg.lListNote.caption.clear();
  const fs::path dir = fs::u8path(dlg.folder);
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    dlg.lListNote.caption = fs::exists(dir, ec) ? "The prefab folder is not a folder." : "The prefab folder does not exist.";
    return;
  }
  fs::directory_iterator it(dir, ec);
  if (ec) {
    dlg.lListNote.caption = "The prefab folder cannot be read: " + ec.message() + ".";
    return;
  }
  for (fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    std::error_code kind;
    std::string name = it->path().filename().string();
    if (IsPrefabName(name) && it->is_regular_file(kind)) dlg.files.push_back(name);
  }
  std::sort(dlg.files.begin(), dlg.files.end(),
            [](const std::string& a, const std::string& b) { return LowerAscii(a) < LowerAscii(b); });
}

bool ReadHead(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  if (!in) return false;
  bytes.resize(kLongestPrefab);
  in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
  bytes.resize(size_t(in.gcount()));
  return !in.bad();
}

void ShowBadFile(ImportDialog& dlg) {
  dlg.cImport.enabled = false;
  for (Label& l : dlg.lMaara2) l.caption = "Err";
}

}  // namespace

ImportDialog MakeImportDialog(const Editor& ed) {
  ImportDialog dlg;
  dlg.inputs.chosenPath.clear();
  // A 255th scenery would not survive the next save, so the dialog counts room up to 254.
  dlg.inputs.highest = {kMaxPolygons - 1, kSceneryLastKept, kMaxColliders - 1};
  dlg.inputs.last = {ed.doc.polygonLast, ed.doc.sceneryLast, ed.doc.colliderLast};
  return dlg;
}

void Import_Load(ImportDialog& dlg, const std::string& appFolder) {
  dlg.folder = appFolder + "/Prefab";
  dlg.lHakemisto.caption = appFolder + "/Prefab/";
  ListFolder(dlg);
}

void Import_Refresh(ImportDialog& dlg) {
  for (size_t i = 0; i < 3; ++i) {
    dlg.lMaara[i].caption = std::to_string(dlg.inputs.highest[i] - dlg.inputs.last[i]);
    dlg.lMaara2[i].caption = std::string("0");
  }
  dlg.lAuthor.caption.clear();
  dlg.lName.caption.clear();
  const bool chosen = dlg.listIndex >= 0 && dlg.listIndex < int(dlg.files.size());
  const std::string name = chosen ? dlg.files[size_t(dlg.listIndex)] : std::string();
  if (name.size() > 3) {
    dlg.lName.caption = name.substr(0, name.size() - 4);
    std::vector<uint8_t> bytes;
    // The three counts end at byte 9: a file shorter than that, or one that is no version 1.0
    // prefab, cannot be imported.
    if (!ReadHead(dlg.folder + "/" + name, bytes) || bytes.size() < 9 ||
        std::string(bytes.begin(), bytes.begin() + 3) != "1.0") {
      ShowBadFile(dlg);
    } else {
      // "In file" counts the whole records really there, so a short file or a count the header
      // gets wrong never promises more than the import adds.
      PrefabContents pre = DecodePrefab(bytes);
      dlg.lMaara2[0].caption = std::to_string(pre.polygons.size());
      dlg.lMaara2[1].caption = std::to_string(pre.scenery.size());
      dlg.lMaara2[2].caption = std::to_string(pre.colliders.size());
      dlg.cImport.enabled = true;
      const size_t end = std::min(bytes.size(), kPrefabHeaderSize);
      std::string author(bytes.begin() + 9, bytes.begin() + long(end));
      author = author.substr(0, author.find('\0'));
      dlg.lAuthor.caption = Trim(Cp1252ToUtf8(author));
    }
  }
  for (size_t i = 0; i < 3; ++i)
    dlg.lMaara2Colour[i] = LeadingNumber(dlg.lMaara[i].caption) < LeadingNumber(dlg.lMaara2[i].caption) ? kLightRed : 0;
}

void fTiedosto_Click(ImportDialog& dlg, int index) {
  dlg.listIndex = (index >= 0 && index < int(dlg.files.size())) ? index : -1;
  Import_Refresh(dlg);
}

void cImport_Click(ImportDialog& dlg) {
  if (!dlg.cImport.enabled || dlg.listIndex < 0 || dlg.listIndex >= int(dlg.files.size())) return;
  dlg.inputs.chosenPath = dlg.folder + "/" + dlg.files[size_t(dlg.listIndex)];
  dlg.closed = true;
}

void cPeruuta_Click(ImportDialog& dlg) {
  dlg.inputs.chosenPath.clear();
  dlg.closed = true;
}

void MenuImport_Click(Editor& ed) {
  ImportDialog dlg = MakeImportDialog(ed);
  Import_Load(dlg, ed.appFolder);
  Import_Refresh(dlg);
  ed.host->ShowImportDialog(dlg);
  if (Utf8Length(dlg.inputs.chosenPath) > 3) {
    TakeSnapshot(ed, "Import");
    ReadPrefab(ed, dlg.inputs.chosenPath, false);
  }
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

}  // namespace quorvel
