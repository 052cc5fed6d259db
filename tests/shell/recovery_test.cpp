// The map kept for a crash, and the start-up message about a recovery file.
#include "shell/recovery.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "document/map_file.h"
#include "document/map_write.h"
#include "editing/arrange.h"
#include "editing/selection.h"
#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "shell/lifecycle.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

class Recovery : public fixtures::ShellTest {};

TEST_F(Recovery, KeptBytesFollowEveryEdit) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 10, 0, 30, 0, 10, 20);
  doc.info.authorName = "Tester";
  std::vector<uint8_t> file;
  EncodeMapUntouched(doc, file);
  const std::string path = WriteFile("work.pmp", file);
  Start();
  UpdateRecovery(*ed);
  EXPECT_TRUE(RecoveryBytes().empty());  // an untouched new map is nothing to recover

  struct Step {
    const char* name;
    std::function<void()> edit;
    bool mirrored;       // polygon 0 as the mirror left it
    const char* author;  // as the kept bytes name it
  };
  const std::vector<Step> steps = {
      {"open", [&] { OpenByPath(*ed, path); }, false, "Tester"},
      {"mirror", [&] {
         SelectInRect(*ed, -100, -100, 100, 100, false, kSelectAll);
         MenuMirror_Click(*ed);
       }, true, "Tester"},
      // The author box changes the name; the colliders only get it when the map is next written.
      {"author", [&] { ed->doc.info.authorName = "Someone"; }, true, "Someone"},
      {"undo", [&] { MenuUndo_Click(*ed); }, false, "Tester"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    s.edit();
    const MapDocument live = ed->doc;
    UpdateRecovery(*ed);
    std::span<const uint8_t> kept = RecoveryBytes();
    ASSERT_EQ(kept.size(), kMapFileSize);
    MapDocument back;
    DecodeMap(kept, back, nullptr);
    EXPECT_EQ(back.polygonLast, 0);
    EXPECT_EQ(back.polygons[0].corner[0].x, live.polygons[0].corner[0].x);
    EXPECT_EQ(back.polygons[0].corner[0].x != 10, s.mirrored);
    EXPECT_EQ(back.info.authorName, s.author);
    EXPECT_EQ(ed->doc.colliders[0].authorChar, live.colliders[0].authorChar);  // the document is untouched
    if (std::string(s.name) == "open") {
      EXPECT_TRUE(std::equal(kept.begin(), kept.end(), file.begin()));
    }
  }

  // What a crash writes: exactly the kept bytes, beside the backup copy.
  EXPECT_EQ(RecoveryPath(), host.tempPath + "recovery.pmp");
  ASSERT_TRUE(WriteRecoveryFile());
  EXPECT_EQ(ReadFile(RecoveryPath()), std::vector<uint8_t>(RecoveryBytes().begin(), RecoveryBytes().end()));
  EXPECT_FALSE(fs::exists(RecoveryPath() + ".part"));
}

TEST_F(Recovery, StartUpTellsOfARecoveryFileNewerThanTheLastSave) {
  WriteFile("game/Zarnok.exe", {1});
  const std::string recovery = PathIn("tmp/recovery.pmp");
  const auto now = fs::file_time_type::clock::now();
  struct Case {
    const char* name;
    bool file;
    int ageSeconds;       // of the recovery file
    const char* lastSave; // seconds before now; nullptr: never saved
    bool told;
  };
  for (const Case& c : {Case{"no recovery file", false, 0, nullptr, false},
                        Case{"never saved", true, 100, nullptr, true},
                        Case{"crash after the last save", true, 100, "1000", true},
                        Case{"saved after the crash", true, 1000, "100", false}}) {
    SCOPED_TRACE(c.name);
    fs::remove(recovery);
    host.settings.clear();
    host.messages.clear();
    if (c.file) {
      WriteFile("tmp/recovery.pmp", std::vector<uint8_t>(kMapFileSize, 0));
      fs::last_write_time(recovery, now - std::chrono::seconds(c.ageSeconds));
    }
    if (c.lastSave)
      host.settings["Recovery/LastSave"] = std::to_string(std::time(nullptr) - std::stol(c.lastSave));
    ed = std::make_unique<Editor>();
    ed->host = &host;
    Start();
    if (c.told) {
      ASSERT_EQ(host.messages.size(), 1u);
      EXPECT_EQ(host.messages[0].title, "Warning");
      EXPECT_NE(host.messages[0].text.find("File '" + recovery + "'"), std::string::npos);
    } else {
      EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
    }
  }

  // A save in this run is remembered at shutdown, and the older recovery file is not told again.
  host.saveAnswers = {PathIn("saved.pmp")};
  MenuSaveAs_Click(*ed);
  Form_Unload(*ed);
  host.messages.clear();
  ed = std::make_unique<Editor>();
  ed->host = &host;
  Start();
  EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
}

}  // namespace
}  // namespace quorvel
