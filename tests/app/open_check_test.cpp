// An open that cannot happen drops nothing: the file is checked before the unsaved-changes
// question. And every map saved over keeps its own backup copy.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>

#include "document/map_file.h"
#include "document/unsaved.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "app/lifecycle.h"
#include "app/unsaved_question.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

class OpenCheck : public fixtures::ShellTest {
 protected:
  std::string MapFile(const std::string& name, float x) {
    MapDocument doc = fixtures::NewMap();
    fixtures::AddTriangle(doc, x, 0, x + 20, 0, x, 20);
    return WriteMapFile(name, doc);
  }
};

TEST_F(OpenCheck, AFileThatCannotBeOpenedKeepsTheEditedMapWithoutAsking) {
  WriteFile("game/Zarnok.exe", {1});
  const std::string good = MapFile("good.pmp", 200);
  const std::string shortFile = WriteFile("short.pmp", std::vector<uint8_t>(1000, 7));
  const std::string missing = PathIn("renamed.pmp");
  struct Case {
    const char* name;
    bool recent;  // a recent entry, or File Open
    std::string path;
    bool shift;
    const char* message;  // the message shown before anything is asked; nullptr: none
    bool asked;
  };
  const std::vector<Case> cases = {
      {"recent entry renamed", true, missing, false, "' not found.", false},
      {"open of a file of the wrong length", false, shortFile, false, "' is not Zarnok 1.0.5b mapfile.", false},
      {"recent entry of the wrong length", true, shortFile, false, "' is not Zarnok 1.0.5b mapfile.", false},
      {"open of a folder", false, PathIn("game"), false, "' could not be read: ", false},
      {"the wrong length with Shift is read anyway", false, shortFile, true, nullptr, true},
      {"a map opens after the question", true, good, false, nullptr, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ed = std::make_unique<Editor>();
    ed->host = &host;
    Start();
    fixtures::AddTriangle(ed->doc, 10, 0, 30, 0, 10, 20);  // the work
    ed->recentFiles[2] = c.path;
    ed->shiftDown = c.shift;
    host.messages.clear();
    host.saveChangesQuestions.clear();
    host.saveChangesAnswers = {SaveChoice::Discard};
    host.openAnswers = {c.path};
    if (c.recent)
      AskThenOpenRecent(*ed, 2);
    else
      AskThenOpen(*ed);
    EXPECT_EQ(host.saveChangesQuestions.size(), c.asked ? 1u : 0u);
    if (c.asked) continue;
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0].text.rfind("File '" + c.path + c.message, 0), 0u) << host.messages[0].text;
    EXPECT_EQ(host.messages[0].title, "File error");
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(ed->doc.polygonLast, 0);
    EXPECT_EQ(ed->doc.polygons[0].corner[0].x, 10);
    EXPECT_TRUE(HasUnsavedChanges(*ed));
    EXPECT_EQ(ed->recentFiles[2].empty(), c.recent);  // a failed entry leaves the list
  }
}

TEST_F(OpenCheck, EachMapSavedOverKeepsItsOwnBackup) {
  const std::string a = MapFile("a.pmp", 10);
  const std::string b = MapFile("b.pmp", 50);
  const std::string privateFolder = host.tempPath + "quorvel-" + std::to_string(::geteuid()) + "/";
  Start();
  struct Step {
    const char* name;
    std::string path;
    float x;  // the map's first corner once saved
  };
  const std::vector<Step> steps = {{"a saved", a, 100}, {"b saved", b, 150}, {"a saved again", a, 200}};
  std::map<std::string, std::vector<uint8_t>> previous = {{"a.pmp", ReadFile(a)}, {"b.pmp", ReadFile(b)}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    OpenByPath(*ed, s.path);
    ed->doc.polygons[0].corner[0].x = s.x;
    MenuSave_Click(*ed);
    const std::string name = fs::path(s.path).filename().string();
    EXPECT_EQ(ReadFile(privateFolder + "backup-" + name), previous[name]);
    previous[name] = ReadFile(s.path);
  }
  // The other map's backup is still its own.
  MapDocument back;
  DecodeMap(ReadFile(privateFolder + "backup-b.pmp"), back, nullptr);
  EXPECT_EQ(back.polygons[0].corner[0].x, 50);
  EXPECT_FALSE(fs::exists(privateFolder + "backup.pmp"));
}

}  // namespace
}  // namespace quorvel
