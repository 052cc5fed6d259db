#pragma once
// The state of the main window's controls as plain data. The core reads and writes it; the Qt layer
// mirrors it into widgets after every core call and turns a user's action on a widget into a write
// here followed by the control's handler.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

struct ComboBox {
  std::vector<std::string> items;
  std::vector<int> itemData;  // the number attached to each item (same length as items or empty)
  int listIndex = -1;         // -1: no item chosen
  std::string text;
  std::string tag;  // the list mark: which fill the list holds ("1" = filled)
  bool enabled = true;
  bool visible = true;

  void Clear() {
    items.clear();
    itemData.clear();
    listIndex = -1;
    text.clear();
  }
  void AddItem(std::string item, int data = 0) {
    items.push_back(std::move(item));
    itemData.push_back(data);
  }
  // Chooses item i (and shows its text); returns false when i is out of range.
  bool Select(int i) {
    if (i < 0 || i >= static_cast<int>(items.size())) return false;
    listIndex = i;
    text = items[static_cast<size_t>(i)];
    return true;
  }
};

struct CheckBox {
  std::string caption;
  int16_t value = 0;  // 0 unchecked, 1 checked, 2 grey
  bool enabled = true;
  bool visible = true;
};

struct OptionButton {
  std::string caption;
  bool value = false;
  bool enabled = true;
  bool visible = true;
};

struct Button {
  std::string caption;
  uint32_t backColour = 0xC0C0C0;  // 0x00BBGGRR
  bool enabled = true;
  bool visible = true;
};

struct Label {
  std::string caption;
  bool enabled = true;
  bool visible = true;
};

struct MenuItem {
  std::string name;     // the control's name, e.g. "MenuUndo"
  std::string caption;  // "&" marks the access key; "-" is a separator
  std::string shortcut; // "Ctrl+Z", "F8", "Del" or ""
  bool enabled = true;
  bool visible = true;
  bool checked = false;  // shown with a tick; only entries made checkable show it
};

// Geometry of a bar or frame in client-area pixels.
struct Frame {
  std::string caption;
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  uint32_t foreColour = 0x000000;  // caption colour, 0x00BBGGRR
};

struct Controls {
  // Menus, in menu-bar order.
  MenuItem MenuFile{"MenuFile", "  &File  ", ""};
  MenuItem MenuNew{"MenuNew", "&New", "Ctrl+N"};
  MenuItem MenuOpen{"MenuOpen", "&Open", "Ctrl+O"};
  MenuItem MenuSave{"MenuSave", "&Save", "Ctrl+S"};
  MenuItem MenuSaveAs{"MenuSaveAs", "Save &As", ""};
  MenuItem MenuEmpty1{"MenuEmpty1", "-", ""};
  MenuItem MenuImport{"MenuImport", "&Import prefab", ""};
  MenuItem MenuExport{"MenuExport", "&Export prefab", ""};
  MenuItem MenuEmpty2{"MenuEmpty2", "-", ""};
  std::array<MenuItem, 5> MenuRekentti{{{"MenuRekentti(0)", "File1", ""},
                                         {"MenuRekentti(1)", "File2", ""},
                                         {"MenuRekentti(2)", "File3", ""},
                                         {"MenuRekentti(3)", "File4", ""},
                                         {"MenuRekentti(4)", "File5", ""}}};
  MenuItem MenuEmpty3{"MenuEmpty3", "-", ""};
  MenuItem MenuExit{"MenuExit", "E&xit", ""};
  MenuItem MenuEdit{"MenuEdit", "  &Edit  ", ""};
  MenuItem MenuUndo{"MenuUndo", "&Undo", "Ctrl+Z"};
  MenuItem MenuRedo{"MenuRedo", "&Redo", "Ctrl+Y; Ctrl+Shift+Z", false};  // shortcuts apart by "; "
  MenuItem MenuUndoHistory{"MenuUndoHistory", "Undo &History…", ""};
  MenuItem MenuEmpty4{"MenuEmpty4", "-", ""};
  MenuItem MenuCopy{"MenuCopy", "&Copy", "Ctrl+C"};
  MenuItem MenuPaste{"MenuPaste", "&Paste", "Ctrl+V"};
  MenuItem MenuMirror{"MenuMirror", "&Mirror", "Ctrl+M"};
  MenuItem MenuFlip{"MenuFlip", "&Flip", "Ctrl+F"};
  MenuItem MenuEmpty5{"MenuEmpty5", "-", ""};
  MenuItem MenuFront{"MenuFront", "&Bring to Front", "Ctrl+T"};
  MenuItem MenuBack{"MenuBack", "&Send to Back", "Ctrl+B"};
  MenuItem MenuEmpty6{"MenuEmpty6", "-", ""};
  MenuItem MenuDelete{"MenuDelete", "&Delete", "Del"};
  MenuItem MenuSelectAll{"MenuSelectAll", "Select &All", "Ctrl+Shift+A"};  // Ctrl+A is About
  MenuItem MenuView{"MenuView", "  &View  ", ""};
  MenuItem MenuFilled{"MenuFilled", "&Filled", "F6"};
  MenuItem MenuOutlines{"MenuOutlines", "&Outlines", "", true, true, true};
  MenuItem MenuEmpty7{"MenuEmpty7", "-", ""};
  MenuItem MenuFitMap{"MenuFitMap", "Fit map", ""};
  MenuItem MenuCentre{"MenuCentre", "Centre selection", ""};
  MenuItem MenuRun{"MenuRun", "  &Run", ""};
  MenuItem MenuRunMaker{"MenuRunMaker", "&MapMaker", "F11"};
  MenuItem MenuRunZarnok{"MenuRunZarnok", "&Zarnok", "F8"};
  MenuItem MenuRunCompile{"MenuRunCompile", "&Compile", "F9"};
  MenuItem MenuRunAll{"MenuRunAll", "Compile+Save+Zarn&ok", "F12"};
  MenuItem MenuRunCheck{"MenuRunCheck", "C&heck map", "F7"};  // C is Compile's
  MenuItem MenuHelpA{"MenuHelpA", "  &Help  ", ""};
  MenuItem MenuHelp{"MenuHelp", "Online &Help", "Ctrl+H"};
  MenuItem MenuAbout{"MenuAbout", "&About", "Ctrl+A"};

  // The three bars and the two small frames, where the window at its first size places them.
  Frame Pyla{"", -2, -2, 633, 41};
  Frame Pala{"", -2, 520, 631, 53};
  Frame Ppalkki{"", 632, -2, 185, 577};
  std::array<Frame, 2> Fmaski{{{"Maski", 592, 456, 25, 57}, {"Maski", 600, 48, 25, 41}}};

  // Bottom bar.
  ComboBox CBzoom;
  ComboBox CBgrid;
  CheckBox CBfixed{"Fixed grid"};
  Frame Fnayta{"Show"};
  // Ticked as the layer flags start: every layer but Advanced.
  std::array<CheckBox, 7> CBnayta{{{"All", 0},
                                   {"Polygons", 1},
                                   {"Spawns", 1},
                                   {"Scenerys", 1},
                                   {"Colliders", 1},
                                   {"Bot waypoints", 1},
                                   {"Advanced", 0}}};

  // Top bar: the six tools.
  std::array<OptionButton, 6> OBvalinta{{{"Edit"},
                                          {"Add polygon"},
                                          {"Add spawn"},
                                          {"Add scenery"},
                                          {"Add collider"},
                                          {"Add waypoint"}}};

  // Right-hand panel, top to bottom. Geometry of the frames is the Qt layer's; the model keeps
  // captions, values, enabled states, face colours and list marks.
  Frame Fkartta{"Map info"};
  Label Lkartta1;
  Label lAuthor;
  Label Lkartta2;
  Button CBauthor{"Author"};
  Button CBtexture{"Texture…"};  // chooses the map's texture file
  Button CBtausta1{"Upper", 0xFFFFFF};  // face shows backgroundTop
  Button CBtausta2{"Lower", 0xFFFFFF};  // face shows backgroundBottom

  Frame Fvalinta{"Selected"};
  std::array<Label, 2> Lvalinta{{{"Nothing"}, {""}}};

  Frame Fvertice{"Vertice info"};
  Button CBverticevari{"Color", 0xFFFFFF};  // vertex colour of new polygons
  Button CBerota{"Disconnect"};
  Button CByhista{"Connect"};  // its face is the neutral colour CBverticevari falls back to
  CheckBox CBtexEiKorjaus{"No texture correction when edit"};

  Frame Fpoly{"Polygon info"};
  Button CBtexPalauta{"Restore texture"};
  Button CBtexPoista{"Delete texture"};
  CheckBox CBverticeLapi{"Passable"};

  Frame Fspawn{"Spawn info"};
  ComboBox CBspawn;  // spawn type

  Frame Fscenery{"Scenery info"};
  ComboBox CBscenery;   // scenery style
  ComboBox CBscenery2;  // scenery visibility

  Frame Fcollider{"Collider info"};
  ComboBox CBcollider;  // collider size

  Frame Fbot{"Bot Waypoints info"};
  // The five waypoint movement flags: (0) left, (1) right, (2) up, (3) down laid out as a cross,
  // (4) "Fly" beside them.
  std::array<CheckBox, 5> CBbotValinta{{{""}, {""}, {""}, {""}, {"Fly"}}};
  std::array<OptionButton, 3> OBbotKumpi{{{""}, {"Path 1"}, {"Path 2"}}};  // waypoint path; index 0 unused
  Frame FbotNayta{"Show"};
  std::array<OptionButton, 3> OBbotNayta{{{"Both"}, {"Path 1"}, {"Path 2"}}};  // path the canvas shows

  Controls();
};

}  // namespace quorvel
