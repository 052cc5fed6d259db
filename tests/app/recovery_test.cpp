// The map kept for a crash, and the start-up offer of the recovery files left.
#include "app/recovery.h"

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
#include "app/autosave.h"
#include "app/lifecycle.h"
#include "app/recovery_note.h"
#include "app/unsaved_question.h"
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

TEST_F(Recovery, StartUpOffersEveryLeftFileByItsMapNewestFirst) {
  WriteFile("game/Zarnok.exe", {1});
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 10, 0, 30, 0, 10, 20);
  fixtures::AddSpawn(doc, 5, 5, 1);
  std::vector<uint8_t> map;
  EncodeMap(doc, nullptr, map);
  const fs::path folder = Private();
  fs::create_directories(folder);
  fs::permissions(folder, fs::perms::owner_all);
  const std::string original = PathIn("maps/ctf_test.pmp");
  // A file with its note; process ids beyond any the system gives are editors no longer running.
  auto leave = [&](const std::string& base, const std::string& mapName, long long written) {
    const std::string path = (folder / (base + ".pmp")).string();
    WriteFile(fs::relative(path, dir).string(), map);
    const std::string note = RecoveryNoteText(mapName, static_cast<std::time_t>(written));
    WriteFile(fs::relative(RecoveryNotePath(path), dir).string(), std::vector<uint8_t>(note.begin(), note.end()));
    return path;
  };
  const std::string running = leave("recovery-" + std::to_string(::getpid()) + "-ab", "mine.pmp", 1900000000);
  const std::string older = leave("recovery-999999998-aa", "", 1700000000);
  const std::string newer = leave("recovery-999999999-bb", original, 1800000000);

  struct Case {
    const char* name;
    std::vector<RecoveryChoice> answers;
    std::vector<MsgResult> confirms;  // the Discard confirmations
    std::vector<const char*> offered;  // in order, by the name each is offered under
    bool newerKept, olderKept;
  };
  const std::vector<Case> cases = {
      {"Later keeps both, newest first", {RecoveryChoice::Later, RecoveryChoice::Later}, {},
       {"'ctf_test.pmp'", "a new map"}, true, true},
      {"they are offered again; a cancelled Discard keeps it", {RecoveryChoice::Later, RecoveryChoice::Discard},
       {MsgResult::Cancel}, {"'ctf_test.pmp'", "a new map"}, true, true},
      {"Discard confirmed removes it", {RecoveryChoice::Later, RecoveryChoice::Discard}, {MsgResult::Ok},
       {"'ctf_test.pmp'", "a new map"}, true, false},
      {"Open shows it and takes the file over", {RecoveryChoice::Open}, {}, {"'ctf_test.pmp'"}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.recoveryOffers.clear();
    host.messages.clear();
    host.recoveryAnswers.assign(c.answers.begin(), c.answers.end());
    host.messageAnswers.assign(c.confirms.begin(), c.confirms.end());
    ed = std::make_unique<Editor>();
    ed->host = &host;
    Start();
    ASSERT_EQ(host.recoveryOffers.size(), c.offered.size());
    for (size_t i = 0; i < c.offered.size(); ++i) {
      const std::string& offer = host.recoveryOffers[i];
      EXPECT_EQ(offer.rfind("Recovery (" + std::to_string(i + 1) + " of ", 0), 0u) << offer;
      EXPECT_NE(offer.find("while " + std::string(c.offered[i]) + " had unsaved changes"), std::string::npos) << offer;
      EXPECT_NE(offer.find("1 polygon, 1 spawn, 0 sceneries, 0 colliders and 0 waypoints"), std::string::npos) << offer;
    }
    EXPECT_EQ(host.messages.size(), c.confirms.size());
    EXPECT_TRUE(fs::exists(running) && fs::exists(RecoveryNotePath(running)));  // a running editor's: untouched
    EXPECT_EQ(fs::exists(newer), c.newerKept);
    EXPECT_EQ(fs::exists(RecoveryNotePath(newer)), c.newerKept);
    EXPECT_EQ(fs::exists(older), c.olderKept);
    EXPECT_EQ(fs::exists(RecoveryNotePath(older)), c.olderKept);
  }
  // Opened: the map as kept, named after its file, unsaved; this editor's own file now holds it.
  EXPECT_EQ(ed->doc.polygonLast, 0);
  EXPECT_EQ(ed->doc.polygons[0].corner[0].x, 10);
  EXPECT_EQ(MapShownName(*ed), "ctf_test.pmp (recovered)");
  EXPECT_TRUE(HasUnsavedChanges(*ed));
  EXPECT_TRUE(SameSavedContent(ReadFile(RecoveryPath()), Kept()));
  // Save asks where, in the map's folder with its name preset; once saved, nothing is kept.
  host.saveAnswers = {PathIn("saved.pmp")};
  MenuSave_Click(*ed);
  ASSERT_EQ(host.saveRequests.size(), 1u);
  EXPECT_EQ(host.saveRequests[0].presetName, "ctf_test.pmp");
  EXPECT_EQ(host.saveRequests[0].initialFolder, PathIn("maps/"));
  EXPECT_EQ(MapShownName(*ed), "saved.pmp");
  UpdateRecovery(*ed);
  FlushAutosave();
  EXPECT_FALSE(fs::exists(RecoveryPath()));
  EXPECT_FALSE(fs::exists(RecoveryNotePath(RecoveryPath())));
}

}  // namespace
}  // namespace quorvel
