// Unsaved changes: when the map counts as changed, and the question before New, Open, a recent
// file or closing the window drops them.
#include "document/unsaved.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "editing/arrange.h"
#include "editing/redo_command.h"
#include "editing/selection.h"
#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "app/lifecycle.h"
#include "app/unsaved_question.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

class Unsaved : public fixtures::ShellTest {
 protected:
  std::string MapFile(const std::string& name, float x) {
    MapDocument doc = fixtures::NewMap();
    fixtures::AddTriangle(doc, x, 0, x + 20, 0, x, 20);
    return WriteMapFile(name, doc);
  }
  void Mirror() {
    SelectInRect(*ed, -100000, -100000, 100000, 100000, false, kSelectAll);
    MenuMirror_Click(*ed);
  }
};

TEST_F(Unsaved, ChangedWhileWhatASaveWritesDiffersFromTheLastOpenSaveOrNew) {
  const std::string path = MapFile("work.pmp", 10);
  Start();
  const std::string author = "Someone";
  struct Step {
    const char* name;
    std::function<void()> act;
    bool changed;
  };
  const std::vector<Step> steps = {
      {"a new map", [] {}, false},
      {"opened", [&] { OpenByPath(*ed, path); }, false},
      {"selected", [&] { SelectInRect(*ed, -1000, -1000, 1000, 1000, false, kSelectAll); }, false},
      {"mirrored", [&] { MenuMirror_Click(*ed); }, true},
      {"undone", [&] { MenuUndo_Click(*ed); }, false},
      {"redone", [&] { MenuRedo_Click(*ed); }, true},
      {"saved", [&] { MenuSave_Click(*ed); }, false},
      {"author changed", [&] { ed->doc.info.authorName = author; }, true},
      {"author back", [&] { ed->doc.info.authorName = ""; }, false},  // what the file held: none
      {"stamp redrawn", [&] { ed->doc.info.saveStamp = 70000; }, false},  // all four bytes of it are no content
      {"mirrored again", [&] { Mirror(); }, true},
      {"a new map", [&] { MenuNew_Click(*ed); }, false},
      // No check between the open or new and the edit: the baseline is still the map as opened.
      {"opened and mirrored", [&] { OpenByPath(*ed, path); Mirror(); }, true},
      {"new and author set", [&] { MenuNew_Click(*ed); ed->doc.info.authorName = author; }, true},
      {"opened, saved, mirrored", [&] { OpenByPath(*ed, path); MenuSave_Click(*ed); Mirror(); }, true},
      {"opened, mirrored, saved", [&] { OpenByPath(*ed, path); Mirror(); MenuSave_Click(*ed); }, false},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    s.act();
    EXPECT_EQ(HasUnsavedChanges(*ed), s.changed);
  }
}

TEST_F(Unsaved, AskedBeforeNewOpenRecentOrExitDropsThem) {
  WriteFile("game/Zarnok.exe", {1});
  const std::string other = MapFile("other.pmp", 200);
  struct Action {
    const char* name;
    std::function<bool(Editor&)> run;  // true when the map was dropped (the window may close)
  };
  const std::vector<Action> actions = {
      {"new",
       [](Editor& e) {
         AskThenNew(e);
         return e.doc.polygonLast < 0;
       }},
      {"open",
       [&](Editor& e) {
         host.openAnswers = {other};
         AskThenOpen(e);
         return e.doc.info.fileName == other;
       }},
      {"recent",
       [&](Editor& e) {
         e.recentFiles[1] = other;
         AskThenOpenRecent(e, 1);
         return e.doc.info.fileName == other;
       }},
      {"exit", [](Editor& e) { return Form_QueryUnload(e); }},
  };
  struct Answer {
    const char* name;
    bool edited;
    bool named;
    std::optional<SaveChoice> choice;  // nothing: not asked
    std::string saveAs;                // the Save As dialog's answer
    bool dropped;
    bool written;  // the map was saved
  };
  const std::vector<Answer> answers = {
      {"unchanged: not asked", false, true, std::nullopt, "", true, false},
      {"cancel", true, true, SaveChoice::Cancel, "", false, false},
      {"discard", true, true, SaveChoice::Discard, "", true, false},
      {"save", true, true, SaveChoice::Save, "", true, true},
      {"save as a name", true, false, SaveChoice::Save, PathIn("named.pmp"), true, true},
      {"save as cancelled", true, false, SaveChoice::Save, "", false, false},
      {"save failed", true, false, SaveChoice::Save, PathIn("missing/named.pmp"), false, false},
  };
  for (const Action& a : actions) {
    for (const Answer& c : answers) {
      SCOPED_TRACE(std::string(a.name) + ": " + c.name);
      const std::string work = MapFile("work.pmp", 10);
      fs::remove(PathIn("named.pmp"));
      ed = std::make_unique<Editor>();
      ed->host = &host;
      Start();
      if (c.named) OpenByPath(*ed, work);
      if (!c.named) fixtures::AddTriangle(ed->doc, 10, 0, 30, 0, 10, 20);
      if (c.named && c.edited) Mirror();
      host.saveChangesQuestions.clear();
      host.messages.clear();
      host.saveChangesAnswers.clear();
      if (c.choice) host.saveChangesAnswers = {*c.choice};
      host.saveAnswers = {c.saveAs};
      const std::string saved = c.named ? work : PathIn("named.pmp");
      const std::vector<uint8_t> before = ReadFile(saved);

      EXPECT_EQ(a.run(*ed), c.dropped);
      ASSERT_EQ(host.saveChangesQuestions.size(), c.choice ? 1u : 0u);
      if (c.choice) {
        EXPECT_NE(host.saveChangesQuestions[0].find(c.named ? "'work.pmp'" : "'Untitled'"), std::string::npos)
            << host.saveChangesQuestions[0];
      }
      EXPECT_EQ(ReadFile(saved) != before, c.written);
      if (!c.dropped) {
        EXPECT_TRUE(HasUnsavedChanges(*ed));  // the work is still there
      }
    }
  }
}

}  // namespace
}  // namespace quorvel
