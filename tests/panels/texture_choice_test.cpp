// Choosing the map's texture and finding its file: where images are listed from, the name rules,
// the undo step, and the filled view's search with its one note.
#include "panels/texture_choice.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "document/map_file.h"
#include "editing/undo_command.h"
#include "fixtures/recording_canvas.h"
#include "fixtures/shell_fixture.h"
#include "view/filled_view.h"
#include "view/map_texture.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// A game folder with the editor in "Quorvel" and the textures in "TexTures", and a map folder.
class TextureChoiceTest : public fixtures::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
    host.messages.clear();
    ed->appFolder = PathIn("game/Quorvel");
    for (const char* f : {"game/Quorvel", "game/TexTures", "maps"}) fs::create_directories(dir / f);
    for (const char* f : {"game/TexTures/Rock.BMP", "game/TexTures/bricks.png", "game/TexTures/readme.txt",
                          "maps/wall.jpg", "maps/Bricks.png", "maps/level.pmp"})
      WriteFile(f, {1, 2, 3});
    fs::create_directories(dir / "game/TexTures/folder.bmp");  // a folder is no image
    ed->doc.info.fileName = PathIn("maps/level.pmp");
    ed->canvas = &canvas;
  }
  std::string Texture() const { return ed->doc.info.textureName; }
  fixtures::RecordingCanvas canvas;
};

TEST_F(TextureChoiceTest, ListsTheImagesOfTheGamesTexturesFolderThenOfTheMapsFolder) {
  const TextureChoice c = ListTextures(*ed);
  ASSERT_EQ(c.folders.size(), 2u);
  EXPECT_EQ(c.folders[0].path, PathIn("game/TexTures"));
  EXPECT_EQ(c.folders[1].path, PathIn("maps"));
  std::vector<std::string> names, folders;
  for (const TextureFile& f : c.files) {
    names.push_back(f.name);
    folders.push_back(f.folder);
    EXPECT_EQ(f.path, (fs::path(f.folder) / f.name).string());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"bricks.png", "Rock.BMP", "Bricks.png", "wall.jpg"}));
  EXPECT_EQ(folders[0], PathIn("game/TexTures"));
  EXPECT_EQ(folders[3], PathIn("maps"));
  EXPECT_EQ(c.current, "banana.bmp");
  EXPECT_EQ(c.browseFolder, PathIn("game/TexTures"));

  // No textures folder in the game and a map never saved: the plain name is said, and looked in.
  fs::remove_all(dir / "game/TexTures");
  ed->doc.info.fileName.clear();
  const TextureChoice none = ListTextures(*ed);
  ASSERT_EQ(none.folders.size(), 1u);
  EXPECT_EQ(none.folders[0].path, PathIn("game/textures"));
  EXPECT_FALSE(none.folders[0].exists);
  EXPECT_TRUE(none.files.empty());
  EXPECT_EQ(none.browseFolder, "");
}

TEST_F(TextureChoiceTest, NameRules) {
  const std::string k26(22, 'a');  // + ".bmp": 26 characters
  struct Case {
    std::string name;
    std::string stored;    // the field's bytes before padding; "" when refused
    std::string problem;   // part of the message
  };
  const Case cases[] = {
      {k26 + ".bmp", k26 + ".bmp", ""},
      {"b" + k26 + ".bmp", "", "is 27 characters long; a map keeps at most 26."},
      {"\xC3\xA9t\xC3\xA9.bmp", "\xE9t\xE9.bmp", ""},                // été: Windows-1252 holds é
      {"\xE2\x82\xAC" "uro.png", "\x80uro.png", ""},                 // € is 0x80 there
      {"\xC4\x85" "b\xC4\x85.bmp", "", "cannot keep (it keeps Windows-1252 text): \xC4\x85"},
      {"\xE6\x9C\xA8" ".bmp", "", "\xE6\x9C\xA8"},
      {"bad\xFF.bmp", "", "cannot keep"},                            // not UTF-8 at all
      {std::string(30, 'x') + "\xC3\xA9", "", "is 31 characters long"},  // long, with a held character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ed->doc.info.textureName = PadTextureName("banana.bmp");
    host.messages.clear();
    const int16_t undoBefore = ed->undo.undoTop;
    const bool changed = SetMapTexture(*ed, PathIn("maps/") + c.name);
    EXPECT_EQ(changed, !c.stored.empty());
    EXPECT_EQ(TextureNameProblem(c.name).empty(), !c.stored.empty());
    if (c.stored.empty()) {
      ASSERT_EQ(host.messages.size(), 1u);
      EXPECT_EQ(host.messages[0].title, "Problem");
      EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
      EXPECT_NE(host.messages[0].text.find(c.problem), std::string::npos) << host.messages[0].text;
      EXPECT_EQ(Texture(), PadTextureName("banana.bmp"));
      EXPECT_EQ(ed->undo.undoTop, undoBefore);
    } else {
      EXPECT_TRUE(host.messages.empty());
      EXPECT_EQ(Texture(), c.stored + std::string(26 - c.stored.size(), '\0'));
      EXPECT_EQ(ed->undo.undoLabels[size_t(ed->undo.undoSlot)], "Texture");
    }
  }
}

// Texture…: the chosen file's name goes into the saved bytes and the texture line at once; Undo
// takes it back; Cancel and the name the map has already change nothing.
TEST_F(TextureChoiceTest, ChoosingSetsTheSavedNameAndUndoTakesItBack) {
  ed->RefreshPanels();
  EXPECT_NE(ed->ctl.Lkartta1.caption.find("Texture: banana.bmp"), std::string::npos);
  host.textureUser = [](const TextureChoice& c) { return std::optional<std::string>(c.files.at(1).path); };
  const int16_t before = ed->undo.undoTop;
  CBtexture_Click(*ed);
  ASSERT_EQ(host.textureChoices.size(), 1u);
  EXPECT_EQ(ed->undo.undoTop, before + 1);
  EXPECT_NE(ed->ctl.Lkartta1.caption.find("Texture: rock.bmp"), std::string::npos) << ed->ctl.Lkartta1.caption;
  std::vector<uint8_t> bytes;
  EncodeMap(ed->doc, nullptr, bytes);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[48005]), 26), "Rock.BMP" + std::string(18, '\0'));

  // The same file again, and a cancel: no step.
  CBtexture_Click(*ed);
  host.textureUser = nullptr;
  CBtexture_Click(*ed);
  EXPECT_EQ(ed->undo.undoTop, before + 1);
  EXPECT_EQ(host.textureChoices.back().current, "Rock.BMP");

  MenuUndo_Click(*ed);
  EXPECT_EQ(Texture(), PadTextureName("banana.bmp"));
  EXPECT_NE(ed->ctl.Lkartta1.caption.find("Texture: banana.bmp"), std::string::npos);
}

// The filled view finds the file whatever the letter case, in the textures folder first, and says
// once where it looked when the file is nowhere.
TEST_F(TextureChoiceTest, FilledViewFindsTheFileAndSaysOnceWhenItIsMissing) {
  ed->firstActivation = false;
  ed->view.filled = true;
  struct Case {
    const char* name;
    std::string found;
  };
  const Case cases[] = {
      {"rock.bmp", PathIn("game/TexTures/Rock.BMP")},
      {"BRICKS.PNG", PathIn("game/TexTures/bricks.png")},  // the textures folder before the map's
      {"Wall.JPG", PathIn("maps/wall.jpg")},
      {"../maps/wall.jpg", ""},                             // a name is never a way out of its folder
      {"level.pmp", PathIn("maps/level.pmp")},              // found; the canvas decides if it reads
      {"nothere.bmp", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ed->doc.info.textureName = PadTextureName(c.name);
    ed->statusNote.clear();
    ed->RedrawCanvas();
    EXPECT_EQ(MapTextureFile(*ed), c.found);
    if (c.found.empty()) {
      EXPECT_EQ(ed->statusNote, std::string("Texture ") + c.name + " not found in " + PathIn("game/TexTures") + ", " +
                                    PathIn("maps"));
    } else {
      EXPECT_EQ(ed->statusNote, "");
    }
    // Said once: another redraw leaves a later note alone.
    ed->statusNote = "Saved";
    ed->RedrawCanvas();
    EXPECT_EQ(ed->statusNote, "Saved");
  }
  // A file put in place afterwards is found once the view is switched on again.
  WriteFile("maps/nothere.bmp", {1});
  ed->RedrawCanvas();
  EXPECT_EQ(MapTextureFile(*ed), "");
  MenuFilled_Click(*ed);
  MenuFilled_Click(*ed);
  EXPECT_EQ(MapTextureFile(*ed), PathIn("maps/nothere.bmp"));
  // A map naming no texture says nothing.
  ed->doc.info.textureName.assign(26, '\0');
  ed->statusNote.clear();
  ed->RedrawCanvas();
  EXPECT_EQ(ed->statusNote, "");
}

}  // namespace
}  // namespace quorvel
