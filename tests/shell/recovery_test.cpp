// The map kept for a crash, and the start-up offer of a recovery file.
#include "shell/recovery.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "document/map_file.h"
#include "document/unsaved.h"
#include "editing/arrange.h"
#include "editing/pointer.h"
#include "editing/selection.h"
#include "editing/tools.h"
#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "shell/lifecycle.h"
#include "view/view.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

class Recovery : public fixtures::ShellTest {
 protected:
  std::string Private() const { return host.tempPath + "quorvel-" + std::to_string(::geteuid()) + "/"; }
  std::vector<uint8_t> Kept() const { return {RecoveryBytes().begin(), RecoveryBytes().end()}; }
};

TEST_F(Recovery, KeepsWhatASaveWouldWriteWhileTheMapHasUnsavedChanges) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 10, 0, 30, 0, 10, 20);
  doc.info.authorName = "Tester";
  const std::string path = WriteMapFile("work.pmp", doc);
  Start();
  EXPECT_EQ(RecoveryPath().rfind(Private() + "recovery-" + std::to_string(::getpid()) + "-", 0), 0u) << RecoveryPath();

  // Each step, then: is there anything to keep, and does it hold what a save of the moment writes?
  struct Step {
    const char* name;
    std::function<void()> act;
    bool kept;
  };
  const std::vector<Step> steps = {
      {"a new map", [] {}, false},
      {"opened", [&] { OpenByPath(*ed, path); }, false},
      {"a selection is no change", [&] { SelectInRect(*ed, -100, -100, 100, 100, false, kSelectAll); }, false},
      {"mirrored", [&] { MenuMirror_Click(*ed); }, true},
      {"undone back to the saved map", [&] { MenuUndo_Click(*ed); }, false},
      // One click of the spawn tool adds a spawn; the pointer's move then shows the next one's
      // preview in the record above the last, which is no object of the map.
      {"a spawn added and the next one previewed", [&] {
         SelectTool(*ed, 2);
         Form_MouseDown(*ed, kLeftButton, 0, 300, 200);
         Form_MouseUp(*ed, kLeftButton, 0, 300, 200);
         Form_MouseMove(*ed, 0, 0, 340, 240);
       }, true},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    s.act();
    UpdateRecovery(*ed);
    EXPECT_EQ(ed->unsaved.changed, s.kept);
    if (!s.kept) {
      EXPECT_TRUE(RecoveryBytes().empty());
      continue;
    }
    const std::vector<uint8_t> kept = Kept();
    ASSERT_EQ(kept.size(), kMapFileSize);
    // A crash now writes exactly these bytes.
    ASSERT_TRUE(WriteRecoveryFile());
    EXPECT_EQ(ReadFile(RecoveryPath()), kept);
    EXPECT_FALSE(fs::exists(RecoveryPath() + ".part"));
    // A save of the same moment (on a copy of the editor, so the steps go on from here).
    Editor copy = *ed;
    host.saveAnswers = {PathIn("saved.pmp")};
    MenuSaveAs_Click(copy);
    EXPECT_TRUE(SameSavedContent(ReadFile(PathIn("saved.pmp")), kept));
    MapDocument back;
    DecodeMap(kept, back, nullptr);
    EXPECT_EQ(back.spawnLast, ed->doc.spawnLast);
  }
  // After a save there is nothing to keep; a clean exit takes this editor's file away.
  MenuSave_Click(*ed);
  UpdateRecovery(*ed);
  EXPECT_TRUE(RecoveryBytes().empty());
  Form_Unload(*ed);
  EXPECT_FALSE(fs::exists(RecoveryPath()));
}

TEST_F(Recovery, StartUpOffersTheNewestLeftFileOnce) {
  WriteFile("game/Zarnok.exe", {1});
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 10, 0, 30, 0, 10, 20);
  std::vector<uint8_t> map;
  EncodeMap(doc, nullptr, map);
  const fs::path folder = Private();
  fs::create_directories(folder);
  fs::permissions(folder, fs::perms::owner_all);
  const auto now = fs::file_time_type::clock::now();
  // Process ids beyond any the system gives are editors no longer running; this process runs.
  auto leave = [&](const std::string& name, int ageSeconds) {
    const std::string path = (folder / name).string();
    WriteFile(fs::relative(path, dir).string(), map);
    fs::last_write_time(path, now - std::chrono::seconds(ageSeconds));
    return path;
  };
  struct Case {
    const char* name;
    std::function<void()> before;
    const char* offered;  // the file named; nullptr: nothing asked
    MsgResult answer;
  };
  std::string older, newer;
  const std::vector<Case> cases = {
      {"no recovery file", [] {}, nullptr, MsgResult::Cancel},
      {"a running editor's file", [&] { leave("recovery-" + std::to_string(::getpid()) + "-ab.pmp", 10); }, nullptr,
       MsgResult::Cancel},
      {"two left files: the newest is offered", [&] {
         older = leave("recovery-999999998-aa.pmp", 100);
         newer = leave("recovery-999999999-bb.pmp", 50);
       }, "999999999-bb", MsgResult::Cancel},
      {"No keeps them and is not asked again", [] {}, nullptr, MsgResult::Cancel},
      {"a newer one is offered", [&] { newer = leave("recovery-999999997-cc.pmp", 5); }, "999999997-cc", MsgResult::Ok},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.before();
    host.messages.clear();
    host.messageAnswers = {c.answer};
    ed = std::make_unique<Editor>();
    ed->host = &host;
    Start();
    if (!c.offered) {
      EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
      continue;
    }
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_NE(host.messages[0].text.find(c.offered), std::string::npos) << host.messages[0].text;
    EXPECT_NE(host.messages[0].text.find("Open it now?"), std::string::npos);
    EXPECT_TRUE(fs::exists(older) && fs::exists(newer));
  }
  // Yes opened it as an unnamed map with unsaved changes: a save asks for a name.
  EXPECT_EQ(ed->doc.polygonLast, 0);
  EXPECT_EQ(ed->doc.polygons[0].corner[0].x, 10);
  EXPECT_TRUE(ed->doc.info.fileName.empty());
  EXPECT_TRUE(HasUnsavedChanges(*ed));
  MenuSave_Click(*ed);
  EXPECT_EQ(host.saveRequests.size(), 1u);
}

}  // namespace
}  // namespace quorvel
