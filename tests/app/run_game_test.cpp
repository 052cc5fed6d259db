#include "app/run_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "document/map_file.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "game/compile.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

class RunGame : public fixtures::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    fs::create_directories(dir / "game" / "MAPS");
    WriteFile("game/Zarnok.exe", {1});
    Start();
    host.messages.clear();
    host.windowCalls.clear();
  }
  std::string Game() const { return PathIn("game/"); }
  std::string Text(const std::string& name) const {
    auto b = ReadFile(PathIn(name));
    return std::string(b.begin(), b.end());
  }
  void WriteText(const std::string& name, const std::string& text) const {
    WriteFile(name, std::vector<uint8_t>(text.begin(), text.end()));
  }
  void MapIn(const std::string& folder, const std::string& name) {
    ed->doc.info.fileName = WriteMapFile(folder + name, fixtures::NewMap());
  }
};

TEST_F(RunGame, WritesTheMapListAndGameStyleThenStartsTheGame) {
  struct Case {
    const char* folder;
    const char* map;
    const char* iniBefore;  // nullptr: no ini file
    const char* iniAfter;
    const char* list;       // nullptr: the map list is not written
  };
  for (const Case& c : {
           Case{"game/MAPS/", "ctf_Rock.pmp", "[GAME]\r\nGameStyle=0\r\n", "[GAME]\r\nGameStyle=3\r\n", "CTF_ROCK\r\n"},
           Case{"game/MAPS/", "Rock.pmp", "[GAME]\r\nGameStyle=3\r\n", "[GAME]\r\nGameStyle=0\r\n", "ROCK\r\n"},
           Case{"game/MAPS/", "Rock.pmp", "[GAME]\r\nGameStyle=1\r\n", "[GAME]\r\nGameStyle=1\r\n", "ROCK\r\n"},
           Case{"game/MAPS/", "CTF_x.pmp", "[game]\ngamestyle=3\n", "[game]\ngamestyle=3\n", "CTF_X\r\n"},
           Case{"game/MAPS/", "ctf_new.pmp", nullptr, "[GAME]\r\nGameStyle=3\r\n", "CTF_NEW\r\n"},
           Case{"", "ctf_away.pmp", "[GAME]\r\nGameStyle=0\r\n", "[GAME]\r\nGameStyle=0\r\n", nullptr},
       }) {
    SCOPED_TRACE(c.map);
    fs::remove(dir / "game" / "zarnok.ini");
    fs::remove(dir / "game" / "mapslist.txt");
    if (c.iniBefore) WriteText("game/zarnok.ini", c.iniBefore);
    MapIn(c.folder, c.map);
    host.executed.clear();
    host.windowCalls.clear();
    ed->restorePlacementPending = false;
    const int events = host.doEventsCalls;
    MenuRunZarnok_Click(*ed);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(Text("game/zarnok.ini"), c.iniAfter);
    if (c.list) {
      EXPECT_EQ(Text("game/mapslist.txt"), c.list);
    } else {
      EXPECT_FALSE(fs::exists(dir / "game" / "mapslist.txt"));
    }
    EXPECT_EQ(host.executed, std::vector<std::string>{Game() + "Zarnok.exe||" + Game()});
    EXPECT_EQ(host.windowCalls, (std::vector<std::string>{"state 0", "state 1"}));
    EXPECT_EQ(host.settings["Windows/Width"], "12495");
    EXPECT_EQ(host.doEventsCalls, events + 1);
    EXPECT_TRUE(ed->restorePlacementPending);
  }
  EXPECT_EQ(host.broughtToFront.back(), "Zarnok");
}

TEST_F(RunGame, ARunningGameOrAMissingOneIsNotStarted) {
  MapIn("game/MAPS/", "ctf_Rock.pmp");
  host.openWindows = {"Zarnok", "Zarnok Map Maker"};
  MenuRunZarnok_Click(*ed);
  MenuRunMaker_Click(*ed);
  EXPECT_TRUE(host.executed.empty());
  EXPECT_FALSE(fs::exists(dir / "game" / "mapslist.txt"));
  EXPECT_EQ(host.broughtToFront, (std::vector<std::string>{"Zarnok", "Zarnok Map Maker"}));

  host.openWindows.clear();
  fs::remove(dir / "game" / "Zarnok.exe");
  fs::create_directories(dir / "game" / "Zarnok.exe");  // a folder is no program
  MenuRunZarnok_Click(*ed);
  MenuRunMaker_Click(*ed);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[0].text, Game() + "Zarnok.exe not found");
  EXPECT_EQ(host.messages[1].text, Game() + "MapMaker/MapMaker.exe not found");
  for (const auto& m : host.messages) {
    EXPECT_EQ(m.title, "Run error");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
  }
  EXPECT_TRUE(host.windowCalls.empty());  // told before the window is touched
  EXPECT_TRUE(host.executed.empty());
  EXPECT_FALSE(ed->restorePlacementPending);

  fs::create_directories(dir / "game" / "MapMaker");
  WriteFile("game/MapMaker/MapMaker.exe", {1});
  MenuRunMaker_Click(*ed);
  EXPECT_EQ(host.executed, std::vector<std::string>{Game() + "MapMaker/MapMaker.exe||" + Game() + "MapMaker/"});
}

// Game files that cannot be read or written are told about; the game starts all the same.
TEST_F(RunGame, GameFilesThatCannotBeWrittenAreToldAndTheGameStillStarts) {
  MapIn("game/MAPS/", "ctf_Rock.pmp");
  fs::create_directories(dir / "game" / "mapslist.txt");
  const std::string listMessage =
      "The map list " + Game() + "mapslist.txt could not be written: it is a folder.\nThe game starts with the map list it had.";
  struct Case {
    bool iniIsFolder;
    std::string iniMessage;
  };
  for (const Case& c : {Case{false, "zarnok.ini could not be written: it is read-only.\nGameStyle stays 0 instead of 3."},
                        Case{true, "zarnok.ini could not be read: it is a folder.\nGameStyle was not checked for this map."}}) {
    SCOPED_TRACE(c.iniMessage);
    host.messages.clear();
    host.executed.clear();
    fs::remove_all(dir / "game" / "zarnok.ini");
    if (c.iniIsFolder) {
      fs::create_directories(dir / "game" / "zarnok.ini");
    } else {
      WriteText("game/zarnok.ini", "[GAME]\r\nGameStyle=0\r\n");
      fs::permissions(dir / "game" / "zarnok.ini", fs::perms::owner_read);
    }
    MenuRunZarnok_Click(*ed);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, listMessage);
    EXPECT_EQ(host.messages[1].text, "The game settings " + Game() + c.iniMessage);
    EXPECT_EQ(host.messages[1].title, "Run error");
    if (!c.iniIsFolder) {
      EXPECT_EQ(Text("game/zarnok.ini"), "[GAME]\r\nGameStyle=0\r\n");
    }
    EXPECT_EQ(host.executed.size(), 1u);
  }

  // A start the system refuses: the window comes back and the user hears of it.
  host.messages.clear();
  host.windowCalls.clear();
  host.placement.state = 0;
  host.executeResult = false;
  ed->restorePlacementPending = false;
  MenuRunZarnok_Click(*ed);
  EXPECT_EQ(host.messages.back().text, Game() + "Zarnok.exe could not be started");
  EXPECT_EQ(host.windowCalls[2], "state 0");
  EXPECT_FALSE(ed->restorePlacementPending);
}

TEST_F(RunGame, CompileSaveAndGameRunInOrder) {
  MapIn("game/MAPS/", "ctf_Rock.pmp");
  fixtures::AddTriangle(ed->doc, -300, 0, 600, 0, 600, 150);
  MenuRunAll_Click(*ed);
  std::vector<uint8_t> saved = ReadFile(ed->doc.info.fileName);
  ASSERT_EQ(saved.size(), kMapFileSize);
  MapDocument back;
  DecodeMap(saved, back, nullptr);
  EXPECT_EQ(back.info.sectorSize, 30);
  float left = 0;
  for (const Vertex& v : back.polygons[0].corner) left = std::min(left, v.x);
  EXPECT_EQ(left, -450);
  EXPECT_EQ(back.sectors[12].count, 1);  // column 0, row 12
  EXPECT_EQ(Text("game/mapslist.txt"), "CTF_ROCK\r\n");
  EXPECT_EQ(Text("game/zarnok.ini"), "[GAME]\r\nGameStyle=3\r\n");
  EXPECT_EQ(host.executed.size(), 1u);
}

}  // namespace
}  // namespace quorvel
