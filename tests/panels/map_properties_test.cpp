#include "panels/map_properties.h"

#include <gtest/gtest.h>

#include "../editing/text_rig.h"

namespace quorvel {
namespace {

using MapProperties = testing_support::TextRig;

TEST_F(MapProperties, AuthorRules) {
  std::string wide19, wide;  // two-byte characters: 19 kept of 24 typed
  for (int i = 0; i < 19; ++i) wide19 += "ä";
  wide = wide19 + "äääää";
  struct Case {
    std::string author;
    std::optional<std::string> answer;  // nothing: Cancel
    std::string stored;
    bool placed;
  };
  const Case cases[] = {
      {"New", "  ab  ", "ab", true},
      {"New", "abcabcabcabcabcabcabcabca", "abcabcabcabcabcabca", true},
      {"New", wide, wide19, false},
      {"Unknow", "c", "Unknow", false},
      {"Cabbie", "c", "Cabbie", true},
      {"New", std::nullopt, "New", false},
      {"Cab", std::nullopt, "Cab", true},  // Cancel still writes a real author
      {" x ", std::nullopt, "Unknow", false},
      {"x", "   ", "Unknow", false},
      {"ab", "Unknow", "Unknow", false},
      {"ab", "New", "New", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.author + " <- " + c.answer.value_or("(cancel)"));
    ed->doc.info.authorName = c.author;
    ed->doc.polygonLast = -1;
    ed->currentTool = 1;
    dialogs.inputAnswers = {c.answer};
    dialogs.inputs.clear();
    CBauthor_Click(*ed);
    EXPECT_EQ(ed->doc.info.authorName, c.stored);
    EXPECT_EQ(ed->doc.polygonLast >= 0, c.placed);
    EXPECT_EQ(ed->currentTool == 0, c.placed);
    EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Author");
    EXPECT_EQ(dialogs.inputs, (std::vector<std::string>{
        "Map properties|Author's name\n\nYou are also allowed place this text to the map after you press OK button.|" + c.author}));
  }
}

TEST_F(MapProperties, BackgroundColours) {
  ed->doc.info.backgroundTop = {10, 20, 30, 77};
  ed->doc.info.backgroundBottom = {40, 50, 60, 88};
  dialogs.colourAnswers = {0x0000FF, std::nullopt};
  CBtausta1_Click(*ed);  // pure red
  EXPECT_EQ(ed->doc.info.backgroundTop, (Colour4{0, 0, 255, 77}));
  EXPECT_EQ(ed->ctl.CBtausta1.backColour, 0x0000FFu);
  CBtausta2_Click(*ed);  // Cancel
  EXPECT_EQ(ed->doc.info.backgroundBottom, (Colour4{40, 50, 60, 88}));
  EXPECT_EQ(dialogs.colourStarts, (std::vector<uint32_t>{0x0A141Eu, 0x28323Cu}));
  EXPECT_EQ(ed->undo.undoTop, 1);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Background");
}

}  // namespace
}  // namespace quorvel
