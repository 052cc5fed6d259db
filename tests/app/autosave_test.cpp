// The recovery file written in the background: what it holds after each kind of change, its note,
// its removal once nothing is unsaved, and a crash's writer having the last word.
#include "app/autosave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "document/map_file.h"
#include "document/unsaved.h"
#include "editing/arrange.h"
#include "editing/selection.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "app/lifecycle.h"
#include "app/recovery.h"
#include "app/recovery_note.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

class Autosave : public fixtures::ShellTest {
 protected:
  void TearDown() override {
    StopAutosave();
    ShellTest::TearDown();
  }
  std::string Note() const {
    const std::vector<uint8_t> text = ReadFile(RecoveryNotePath(RecoveryPath()));
    return std::string(text.begin(), text.end());
  }
};

TEST_F(Autosave, WritesTheUnsavedMapWithItsNoteAndRemovesItOnceSaved) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 10, 0, 30, 0, 10, 20);
  const std::string path = WriteMapFile("ctf_work.pmp", doc);
  Start();
  ASSERT_FALSE(RecoveryPath().empty());
  struct Step {
    const char* name;
    std::function<void()> act;
    bool kept;
    const char* mapName;  // in the note
  };
  const std::vector<Step> steps = {
      {"a new map with a triangle", [&] { fixtures::AddTriangle(ed->doc, 0, 0, 64, 0, 0, 64); }, true, ""},
      {"an open: nothing unsaved", [&] { OpenByPath(*ed, path); }, false, nullptr},
      {"mirrored", [&] {
         SelectInRect(*ed, -1000, -1000, 1000, 1000, false, kSelectAll);
         MenuMirror_Click(*ed);
       }, true, path.c_str()},
      {"mirrored again, as opened", [&] { MenuMirror_Click(*ed); }, false, nullptr},
      {"flipped", [&] { MenuFlip_Click(*ed); }, true, path.c_str()},
      {"saved", [&] { MenuSave_Click(*ed); }, false, nullptr},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    s.act();
    UpdateRecovery(*ed);
    FlushAutosave();
    EXPECT_EQ(fs::exists(RecoveryPath()), s.kept);
    EXPECT_EQ(fs::exists(RecoveryNotePath(RecoveryPath())), s.kept);
    EXPECT_FALSE(fs::exists(RecoveryPath() + ".auto"));
    if (!s.kept) continue;
    std::vector<uint8_t> form;
    EncodeSaveForm(ed->doc, form);
    EXPECT_EQ(ReadFile(RecoveryPath()), form);
    const RecoveryNote note = ParseRecoveryNote(Note());
    EXPECT_TRUE(note.valid) << Note();
    EXPECT_EQ(note.mapName, s.mapName);
    EXPECT_GT(note.written, 1700000000);
    EXPECT_EQ((fs::status(RecoveryPath()).permissions() & fs::perms::all), fs::perms::owner_read | fs::perms::owner_write);
  }
}

TEST_F(Autosave, ACrashsWriterHasTheLastWord) {
  Start();
  fixtures::AddTriangle(ed->doc, 0, 0, 64, 0, 0, 64);
  UpdateRecovery(*ed);
  // The signal handler holds the files: the worker's write, waiting or later, renames nothing.
  HoldAutosave();
  FlushAutosave();
  EXPECT_FALSE(fs::exists(RecoveryPath()));
  EXPECT_FALSE(fs::exists(RecoveryPath() + ".auto"));
  ASSERT_TRUE(WriteRecoveryFile());
  std::vector<uint8_t> form;
  EncodeSaveForm(ed->doc, form);
  EXPECT_EQ(ReadFile(RecoveryPath()), form);
  EXPECT_EQ(ParseRecoveryNote(Note()).mapName, "");
  // Nor does it remove them afterwards.
  MenuNew_Click(*ed);
  UpdateRecovery(*ed);
  FlushAutosave();
  EXPECT_TRUE(fs::exists(RecoveryPath()));
}

TEST(RecoveryNote, ReadsBackWhatItWrites) {
  struct Case {
    const char* text;
    bool valid;
    const char* mapName;
    long long written;
  };
  const std::vector<Case> cases = {
      {"written=1800000000\nmap=/maps/ctf_test.pmp", true, "/maps/ctf_test.pmp", 1800000000},
      {"written=5\nmap=", true, "", 5},
      {"written=5\nmap=/odd\nname=.pmp", true, "/odd\nname=.pmp", 5},
      {"written=\nmap=x", false, "", 0},
      {"written=12a\nmap=x", false, "", 0},
      {"written=99999999999999999999\nmap=x", false, "", 0},
      {"map=x", false, "", 0},
      {"", false, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const RecoveryNote note = ParseRecoveryNote(c.text);
    EXPECT_EQ(note.valid, c.valid);
    EXPECT_EQ(note.mapName, c.mapName);
    EXPECT_EQ(note.written, c.written);
    if (c.valid) {
      EXPECT_EQ(RecoveryNoteText(note.mapName, note.written), c.text);
    }
  }
  EXPECT_EQ(RecoveryNotePath("/t/recovery-12-ab.pmp"), "/t/recovery-12-ab.txt");
}

}  // namespace
}  // namespace quorvel
