#include "app/import_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "document/prefab_file.h"
#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "app/about.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

class ImportDialogTest : public fixtures::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
    host.messages.clear();
  }
  // A prefab in the program's prefab folder with the given counts.
  void Prefab(const std::string& name, int polygons, int sceneries, int colliders, const std::string& author = "Ann") {
    MapDocument piece = fixtures::NewMap();
    piece.info.authorName = author;
    for (int i = 0; i < polygons; ++i) fixtures::AddTriangle(piece, 0, 0, 10, 0, 0, 10);
    for (int i = 0; i < sceneries; ++i) fixtures::AddScenery(piece, 5, 5);
    for (int i = 0; i < colliders; ++i) fixtures::AddCollider(piece, 1, 1);
    std::vector<uint8_t> bytes;
    EncodePrefab(piece, bytes);
    WriteFile("game/Quorvel/Prefab/" + name, bytes);
  }
  ImportDialog Open() {
    ImportDialog dlg = MakeImportDialog(*ed);
    Import_Load(dlg, ed->appFolder);
    Import_Refresh(dlg);
    return dlg;
  }
  static std::array<std::string, 3> Column(const std::array<Label, 3>& labels) {
    return {labels[0].caption, labels[1].caption, labels[2].caption};
  }
};

TEST_F(ImportDialogTest, ListsThePrefabsAndShowsWhatTheChosenOneHolds) {
  ImportDialog empty = Open();
  EXPECT_EQ(empty.caption, "Import prefab");
  EXPECT_EQ(empty.lHakemisto.caption, ed->appFolder + "/Prefab/");
  EXPECT_TRUE(empty.files.empty());
  EXPECT_EQ(Column(empty.lMaara), (std::array<std::string, 3>{"400", "254", "128"}));
  EXPECT_EQ(Column(empty.lMaara2), (std::array<std::string, 3>{"0", "0", "0"}));
  EXPECT_FALSE(empty.cImport.enabled);
  EXPECT_EQ(empty.lListNote.caption, "");

  Prefab("b.pre", 5, 1, 2, "  Ann Author  ");
  Prefab("A.PRE", 0, 0, 0);
  WriteFile("game/Quorvel/Prefab/notes.txt", {1});
  WriteFile("game/Quorvel/Prefab/old.pre", {'0', '.', '9', 0, 0, 0, 0, 0, 0, 0});
  WriteFile("game/Quorvel/Prefab/tiny.pre", {'1', '.', '0', 0});  // ends inside the counts
  fs::create_directories(dir / "game/Quorvel/Prefab/folder.pre");
  for (int i = 0; i < 398; ++i) fixtures::AddTriangle(ed->doc, 0, 0, 1, 0, 0, 1);
  ImportDialog dlg = Open();
  EXPECT_EQ(dlg.files, (std::vector<std::string>{"A.PRE", "b.pre", "old.pre", "tiny.pre"}));

  fTiedosto_Click(dlg, 1);
  EXPECT_EQ(dlg.lName.caption, "b");
  EXPECT_EQ(dlg.lAuthor.caption, "Ann Author");
  EXPECT_EQ(Column(dlg.lMaara), (std::array<std::string, 3>{"2", "254", "128"}));
  EXPECT_EQ(Column(dlg.lMaara2), (std::array<std::string, 3>{"5", "1", "2"}));
  EXPECT_EQ(dlg.lMaara2Colour, (std::array<uint32_t, 3>{0x0000FF, 0, 0}));  // light red: no room for all
  EXPECT_TRUE(dlg.cImport.enabled);

  for (int bad : {2, 3}) {
    fTiedosto_Click(dlg, bad);
    EXPECT_EQ(Column(dlg.lMaara2), (std::array<std::string, 3>{"Err", "Err", "Err"}));
    EXPECT_EQ(dlg.lMaara2Colour, (std::array<uint32_t, 3>{0, 0, 0}));
    EXPECT_EQ(dlg.lAuthor.caption, "");
    EXPECT_FALSE(dlg.cImport.enabled);
  }
  cImport_Click(dlg);  // refused while disabled
  EXPECT_FALSE(dlg.closed);

  // A file cut short counts only the records really there.
  std::vector<uint8_t> bytes = ReadFile(PathIn("game/Quorvel/Prefab/b.pre"));
  bytes.resize(29 + 120 * 3 + 50);
  WriteFile("game/Quorvel/Prefab/b.pre", bytes);
  fTiedosto_Click(dlg, 1);
  EXPECT_EQ(Column(dlg.lMaara2), (std::array<std::string, 3>{"3", "0", "0"}));
  EXPECT_EQ(dlg.lMaara2Colour[0], 0x0000FFu);
  EXPECT_TRUE(dlg.cImport.enabled);
  cImport_Click(dlg);
  EXPECT_TRUE(dlg.closed);
  EXPECT_EQ(dlg.inputs.chosenPath, ed->appFolder + "/Prefab/b.pre");
}

TEST_F(ImportDialogTest, AMissingOrUnreadablePrefabFolderIsSaidInTheDialog) {
  fs::remove_all(dir / "game/Quorvel/Prefab");
  ImportDialog missing = Open();
  EXPECT_TRUE(missing.files.empty());
  EXPECT_EQ(missing.lListNote.caption, "The prefab folder does not exist.");
  WriteFile("game/Quorvel/Prefab", {1});
  EXPECT_EQ(Open().lListNote.caption, "The prefab folder is not a folder.");
  fTiedosto_Click(missing, 0);
  EXPECT_EQ(missing.listIndex, -1);
  EXPECT_FALSE(missing.cImport.enabled);
}

TEST_F(ImportDialogTest, ImportAddsThePrefabAsTwoUndoStepsAndCancelChangesNothing) {
  Prefab("piece.pre", 2, 1, 1);
  fixtures::AddTriangle(ed->doc, 0, 0, 1, 0, 0, 1);
  const int undoBefore = ed->undo.undoTop;
  host.importUser = [](ImportDialog& dlg) {
    fTiedosto_Click(dlg, 0);
    cPeruuta_Click(dlg);
  };
  MenuImport_Click(*ed);
  EXPECT_EQ(host.importShown, 1);
  EXPECT_EQ(ed->doc.polygonLast, 0);
  EXPECT_EQ(ed->undo.undoTop, undoBefore);
  MenuImport_Click(*ed);  // closed without a button: the same
  host.importUser = nullptr;
  EXPECT_EQ(ed->undo.undoTop, undoBefore);

  host.importUser = [](ImportDialog& dlg) {
    EXPECT_EQ(dlg.lMaara[0].caption, "399");
    fTiedosto_Click(dlg, 0);
    cImport_Click(dlg);
  };
  MenuImport_Click(*ed);
  EXPECT_EQ(ed->doc.polygonLast, 2);
  EXPECT_EQ(ed->doc.sceneryLast, 0);
  EXPECT_EQ(ed->doc.colliderLast, 0);
  EXPECT_EQ(ed->sel.selVertexLast, 5);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Move");
  MenuUndo_Click(*ed);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Import");
  MenuUndo_Click(*ed);
  EXPECT_EQ(ed->doc.polygonLast, 0);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ImportDialogTest, HelpOpensThePageAndItsUndoStepIsRefused) {
  fixtures::AddTriangle(ed->doc, 0, 0, 10, 0, 0, 10);
  MenuHelp_Click(*ed);
  EXPECT_EQ(host.executed, std::vector<std::string>{std::string(kHelpAddress) + "||"});
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Help");
  ed->doc.polygons[0].corner[0].x = 99;
  MenuUndo_Click(*ed);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Are you crazy?\nYou can't undo Online Help.. duh.");
  EXPECT_EQ(host.messages[0].title, "User problem");
  EXPECT_EQ(ed->doc.polygons[0].corner[0].x, 99);
  EXPECT_FALSE(ed->ctl.MenuUndo.enabled);

  host.executed.clear();
  host.aboutUser = [](AboutBox& box) {
    EXPECT_EQ(box.caption, "About Quorvel");
    EXPECT_EQ(box.lblVersion.caption, "Version 1.2.0");
    EXPECT_EQ(box.lblDescription.caption, "This is an unofficial Zarnok map editor.");
    for (int i = 0; i < 3; ++i) lblTitle_Click(box, i);
    cmdOK_Click(box);
    EXPECT_TRUE(box.closed);
  };
  MenuAbout_Click(*ed);
  EXPECT_EQ(host.aboutShown, 1);
  EXPECT_EQ(host.executed, (std::vector<std::string>{std::string(kWebAddress) + "||", std::string(kMailAddress) + "||"}));
}

}  // namespace
}  // namespace quorvel
