// Redo beside Undo: seeded random runs of edits, undos and redos, each compared with the state it
// must give back, and the two menu entries with it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "document/map_file.h"
#include "document/undo.h"
#include "editing/pointer.h"
#include "editing/redo_command.h"
#include "editing/selection.h"
#include "editing/tools.h"
#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "fixtures/scripted_host.h"
#include "fixtures/shell_fixture.h"
#include "app/lifecycle.h"

namespace quorvel {
namespace {


struct Step {
  std::vector<uint8_t> state;
  std::string label;
};

TEST(Redo, RandomEditsUndosAndRedosGiveBackTheirStates) {
  struct Case {
    const char* name;
    unsigned seed;
    int edit, undo, redo;  // weights
  };
  for (const Case& c : {Case{"mostly edits", 1, 6, 3, 2}, Case{"long undo and redo runs", 2, 2, 5, 5},
                        Case{"past the ten steps", 3, 5, 4, 1},
                        Case{"past the hundred steps", 4, 8, 1, 1}}) {
    SCOPED_TRACE(c.name);
    fixtures::ScriptedHost host;
    auto ed = std::make_unique<Editor>();
    ed->host = &host;
    MenuNew_Click(*ed);
    ed->doc.info.authorName = "Tester";
    std::mt19937 rng(c.seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    std::vector<Step> undos, redos;  // what Undo and Redo must give back, newest last

    for (int i = 0; i < 400; ++i) {
      const int roll = pick(c.edit + c.undo + c.redo);
      if (roll < c.edit) {
        // Changes that take no snapshot (the tool, the selection) come in between.
        if (pick(3) == 0) SelectTool(*ed, pick(6));
        if (ed->currentTool == 0 && pick(2) == 0)
          SelectInRect(*ed, float(pick(400) - 200), -200, 200, 200, false, kSelectAll);
        static const char* const kLabels[] = {"Spwan", "Move", "Author", "Help"};
        const std::string label = kLabels[pick(4)];
        TakeSnapshot(*ed, label);
        undos.push_back({fixtures::UndoStateOf(*ed), label});
        if (undos.size() > size_t(kUndoSlots)) undos.erase(undos.begin());
        redos.clear();
        MapDocument& d = ed->doc;
        if (label == "Spwan" && d.spawnLast < 29) {
          Spawn& s = d.spawns[++d.spawnLast];
          s = Spawn{};
          s.x = (pick(400) - 200) * 256;
          s.y = (pick(400) - 200) * 256;
        } else if (label == "Move" && d.spawnLast >= 0) {
          d.spawns[pick(d.spawnLast + 1)].x += 256 * (pick(20) + 1);
        } else if (label == "Author") {
          d.info.authorName = "Author " + std::to_string(i);
        }
      } else if (roll < c.edit + c.undo) {
        const std::vector<uint8_t> before = fixtures::UndoStateOf(*ed);
        MenuUndo_Click(*ed);
        if (undos.empty()) {
          EXPECT_EQ(fixtures::UndoStateOf(*ed), before) << "step " << i;
          continue;
        }
        const Step undone = undos.back();
        undos.pop_back();
        if (undone.label == "Help") {  // nothing to undo, and nothing to redo
          EXPECT_EQ(host.messages.back().title, "User problem");
          EXPECT_EQ(fixtures::UndoStateOf(*ed), before) << "step " << i;
          continue;
        }
        EXPECT_EQ(fixtures::UndoStateOf(*ed), undone.state) << "step " << i;
        redos.push_back({before, undone.label});
      } else {
        const std::vector<uint8_t> before = fixtures::UndoStateOf(*ed);
        MenuRedo_Click(*ed);
        if (redos.empty()) {
          EXPECT_EQ(fixtures::UndoStateOf(*ed), before) << "step " << i;
          continue;
        }
        const Step redone = redos.back();
        redos.pop_back();
        EXPECT_EQ(fixtures::UndoStateOf(*ed), redone.state) << "step " << i;
        undos.push_back({before, redone.label});
        if (undos.size() > size_t(kUndoSlots)) undos.erase(undos.begin());
      }
      const MenuItem& u = ed->ctl.MenuUndo;
      const MenuItem& r = ed->ctl.MenuRedo;
      EXPECT_EQ(u.caption, undos.empty() ? "&Undo" : "&Undo " + undos.back().label) << "step " << i;
      EXPECT_EQ(u.enabled, !undos.empty());
      EXPECT_EQ(r.caption, redos.empty() ? "&Redo" : "&Redo " + redos.back().label) << "step " << i;
      EXPECT_EQ(r.enabled, !redos.empty());
    }
  }
}

class RedoLists : public fixtures::ShellTest {};

TEST_F(RedoLists, NewOpenAndSaveAsEmptyBothLists) {
  const std::string path = PathIn("saved.pmp");
  const std::vector<std::function<void()>> commands = {
      [&] { MenuNew_Click(*ed); },
      [&] { OpenByPath(*ed, path); },
      [&] {
        host.saveAnswers = {path};
        MenuSaveAs_Click(*ed);
      },
  };
  for (const auto& command : commands) {
    MenuNew_Click(*ed);
    TakeSnapshot(*ed, "Spwan");
    TakeSnapshot(*ed, "Move");
    MenuUndo_Click(*ed);
    ASSERT_TRUE(ed->ctl.MenuRedo.enabled);
    command();
    EXPECT_EQ(ed->undo.undoTop, -1);
    EXPECT_FALSE(ed->ctl.MenuRedo.enabled);
    EXPECT_EQ(ed->ctl.MenuRedo.caption, "&Redo");
    MenuRedo_Click(*ed);  // nothing to redo: nothing happens
    EXPECT_EQ(ed->undo.undoTop, -1);
  }
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

TEST_F(RedoLists, ARedoneTriangleSavesAsIfItWereNeverUndone) {
  Start();
  for (auto [x, y] : {std::pair{200.f, 200.f}, {300.f, 200.f}, {200.f, 300.f}}) {
    Form_MouseDown(*ed, kLeftButton, 0, x, y);
    Form_MouseUp(*ed, kLeftButton, 0, x, y);
  }
  ASSERT_EQ(ed->doc.polygonLast, 0);
  Editor never = *ed;
  host.saveAnswers = {PathIn("never.pmp")};
  MenuSaveAs_Click(never);
  MenuUndo_Click(*ed);
  EXPECT_EQ(ed->doc.polygonLast, -1);
  EXPECT_EQ(ed->ctl.MenuRedo.caption, "&Redo Polygon");
  MenuRedo_Click(*ed);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Polygon");
  host.saveAnswers = {PathIn("redone.pmp")};
  MenuSaveAs_Click(*ed);
  EXPECT_EQ(ReadFile(PathIn("redone.pmp")), ReadFile(PathIn("never.pmp")));
  EXPECT_EQ(ReadFile(PathIn("redone.pmp")).size(), kMapFileSize);
}

}  // namespace
}  // namespace quorvel
