#pragma once
// The modal "Import prefab" dialog as plain data: its controls, what the main window hands it and
// reads back, and its handlers. The host shows it and forwards the user's clicks.
#include <array>
#include <string>
#include <vector>

#include "document/controls.h"
#include "document/editor.h"

namespace quorvel {

// Rows of the count table: polygons, sceneries, colliders.
inline constexpr std::array<const char*, 3> kImportRows{"Polygons", "Sceneries", "Colliders"};

struct ImportDialogInputs {
  std::string chosenPath;  // "" until the user presses "&Import"
  std::array<int, 3> highest{};  // the highest index each kind may reach in the map
  std::array<int, 3> last{};     // the map's current last index of each kind
};

struct ImportDialog {
  ImportDialogInputs inputs;
  std::string caption = "Import prefab";
  // fTiedosto: the "*.pre" files of `folder`, sorted by name; `listIndex` -1 while none is chosen.
  std::string folder;
  std::vector<std::string> files;
  int listIndex = -1;
  Label lHakemisto;
  // Why the list is empty when the folder is missing or cannot be read; "" otherwise.
  Label lListNote;
  Label lName, lAuthor;
  std::array<Label, 3> lMaara;   // room left in the map
  std::array<Label, 3> lMaara2;  // counts in the chosen file
  std::array<uint32_t, 3> lMaara2Colour{};  // 0x00BBGGRR: black, or light red when the map lacks room
  Button cImport{"&Import", 0xC0C0C0, false};
  Button cPeruuta{"&Cancel"};
  bool closed = false;
};

// The dialog for the current map: the room each kind has, the folder "Prefab" beside the program.
ImportDialog MakeImportDialog(const Editor& ed);

void Import_Load(ImportDialog& dlg, const std::string& appFolder);
// On activation and after every click in the file list.
void Import_Refresh(ImportDialog& dlg);
void fTiedosto_Click(ImportDialog& dlg, int index);
void cImport_Click(ImportDialog& dlg);
void cPeruuta_Click(ImportDialog& dlg);

// File > Import prefab.
void MenuImport_Click(Editor& ed);

}  // namespace quorvel
