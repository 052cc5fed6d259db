#include "game/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

TEST(IniFile, ReadsTheFirstMatchWithoutRegardToCase) {
  struct Case {
    const char* text;
    int value;
  };
  for (const Case& c : {
           Case{"[GAME]\r\nGameStyle=3\r\n", 3},
           Case{"[game]\ngamestyle = 1\n", 1},
           Case{"; comment\n[Other]\nGameStyle=5\n[ GAME ]\n  GameStyle  =  -2x\n", -2},
           Case{"[GAME]\n;GameStyle=4\nGameStyle=\n", 0},
           Case{"[GAME]\nGameStyle=abc\n", 0},
           Case{"[GAME]\nGameStyle=99999999999\n", 2147483647},
           Case{"[GAME]\nStyle=3\n[MORE]\nGameStyle=3\n", 9},
           Case{"GameStyle=3\n", 9},
           Case{"", 9},
           Case{"\xEF\xBB\xBF[GAME]\nGameStyle=6", 6},
           Case{"[GAME]\nGameStyle=7\n[GAME]\nGameStyle=8\n", 7},
       }) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IniReadInt(c.text, "GAME", "GameStyle", 9), c.value);
  }
}

TEST(IniFile, ChangesOnlyTheOneValue) {
  struct Case {
    const char* before;
    const char* after;
  };
  for (const Case& c : {
           // Comments, other sections, blanks and the key's own case and spacing stay.
           Case{"; Zarnok\r\n[Sound]\r\nVolume=8\r\n\r\n[GAME]\r\ngamestyle = 0 \r\nName=x\r\n\r\n[Net]\r\nPort=1\r\n",
                "; Zarnok\r\n[Sound]\r\nVolume=8\r\n\r\n[GAME]\r\ngamestyle = 3\r\nName=x\r\n\r\n[Net]\r\nPort=1\r\n"},
           Case{"[GAME]\nGameStyle=0", "[GAME]\nGameStyle=3"},
           // A missing key goes after the section's last line, before the blank line ending it.
           Case{"[GAME]\nName=x\n\n[Net]\nPort=1\n", "[GAME]\nName=x\nGameStyle=3\n\n[Net]\nPort=1\n"},
           Case{"[GAME]\r\nName=x", "[GAME]\r\nName=x\r\nGameStyle=3\r\n"},
           Case{"[Net]\nPort=1", "[Net]\nPort=1\n[GAME]\nGameStyle=3\n"},
           Case{"", "[GAME]\r\nGameStyle=3\r\n"},
           Case{"[GAME]\n;GameStyle=0\n", "[GAME]\n;GameStyle=0\nGameStyle=3\n"},
       }) {
    SCOPED_TRACE(c.before);
    EXPECT_EQ(IniSetValue(c.before, "GAME", "GameStyle", "3"), c.after);
  }
}

TEST(IniFile, FilesThatCannotBeReadOrWrittenAreLeftAlone) {
  fs::path dir = fs::temp_directory_path() / ("quorvel-ini-" + std::to_string(::getpid()));
  fs::create_directories(dir / "folder.ini");
  std::string error;
  int value = 0;

  EXPECT_TRUE(IniFileReadInt((dir / "none.ini").string(), "GAME", "GameStyle", 9, value, error));
  EXPECT_EQ(value, 9);
  EXPECT_FALSE(IniFileReadInt((dir / "folder.ini").string(), "GAME", "GameStyle", 9, value, error));
  EXPECT_EQ(error, "it is a folder");
  EXPECT_FALSE(IniFileWrite((dir / "folder.ini").string(), "GAME", "GameStyle", "3", error));
  EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));

  const fs::path ro = dir / "ro.ini";
  { std::ofstream(ro) << "[GAME]\nGameStyle=0\n"; }
  fs::permissions(ro, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(IniFileWrite(ro.string(), "GAME", "GameStyle", "3", error));
  EXPECT_EQ(error, "it is read-only");
  EXPECT_TRUE(IniFileReadInt(ro.string(), "GAME", "GameStyle", 9, value, error));
  EXPECT_EQ(value, 0);

  EXPECT_TRUE(IniFileWrite((dir / "new.ini").string(), "GAME", "GameStyle", "3", error));
  std::ifstream in(dir / "new.ini", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "[GAME]\r\nGameStyle=3\r\n");
  fs::permissions(ro, fs::perms::owner_all);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace quorvel
