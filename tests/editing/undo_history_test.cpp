// The Undo History list and its jumps: rows by label with the current one marked and the redo steps
// after it; choosing a row undoes or redoes one step at a time to it, "Help" keeping its rule.
#include "editing/undo_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "document/undo.h"
#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "fixtures/recording_canvas.h"
#include "fixtures/scripted_host.h"
#include "app/lifecycle.h"

namespace quorvel {
namespace {

using Kind = HistoryRowKind;

struct Rig {
  fixtures::ScriptedHost host;
  fixtures::RecordingCanvas canvas;
  std::unique_ptr<Editor> ed = std::make_unique<Editor>();
  Rig() {
    ed->host = &host;
    MenuNew_Click(*ed);
    ed->firstActivation = false;
    ed->canvas = &canvas;
  }
  // A step: its snapshot, then one more collider (none for "Help").
  void Step(const std::string& label) {
    TakeSnapshot(*ed, label);
    if (label != "Help") fixtures::AddCollider(ed->doc, float(ed->doc.colliderLast + 1), 0);
  }
  std::string Texts() const {
    std::string s;
    for (const HistoryRow& r : UndoHistoryRows(*ed))
      s += (s.empty() ? "" : "|") + std::string(r.current ? "*" : "") + r.text +
           (r.kind == Kind::Redo ? "(r)" : "");
    return s;
  }
  int Clears() const {
    return int(std::count_if(canvas.ops.begin(), canvas.ops.end(),
                             [](const auto& op) { return op.op == fixtures::Op::Clear; }));
  }
};

TEST(UndoHistory, RowsFollowTheStepsAndChoosingOneGoesThere) {
  struct Case {
    const char* name;
    std::vector<std::string> steps;
    int undos;        // Edit Undo this many times before choosing
    int choose;       // the row chosen
    std::string rowsBefore, rowsAfter;
    int collidersAfter;  // colliderLast + 1 after the jump
    int messages;        // "User problem" boxes the jump showed
    std::string summary;
  };
  const Case cases[] = {
      {"no steps", {}, 0, 0, "*Earliest state kept", "*Earliest state kept", 0, 0, "Nothing to undo or redo"},
      {"back to the start", {"Polygon", "Move", "Color"}, 0, 0,
       "Earliest state kept|Polygon|Move|*Color", "*Earliest state kept|Polygon(r)|Move(r)|Color(r)", 0, 0,
       "3 steps to redo"},
      {"back one", {"Polygon", "Move"}, 0, 1, "Earliest state kept|Polygon|*Move",
       "Earliest state kept|*Polygon|Move(r)", 1, 0, "1 step to undo, 1 to redo"},
      {"forward to a redo step", {"Polygon", "Move", "Color", "Size"}, 3, 3,
       "Earliest state kept|*Polygon|Move(r)|Color(r)|Size(r)", "Earliest state kept|Polygon|Move|*Color|Size(r)", 3,
       0, "3 steps to undo, 1 to redo"},
      {"the current row does nothing", {"Polygon", "Move"}, 1, 1, "Earliest state kept|*Polygon|Move(r)",
       "Earliest state kept|*Polygon|Move(r)", 1, 0, "1 step to undo, 1 to redo"},
      {"past the end does nothing", {"Polygon"}, 0, 5, "Earliest state kept|*Polygon", "Earliest state kept|*Polygon",
       1, 0, "1 step to undo"},
      {"through Help: its message, and it is gone", {"Polygon", "Help", "Move"}, 0, 1,
       "Earliest state kept|Polygon|Help|*Move", "Earliest state kept|*Polygon|Move(r)", 1, 1,
       "1 step to undo, 1 to redo"},
  };
  int oneStep = 0;  // what one Edit Undo draws
  {
    Rig rig;
    rig.Step("Polygon");
    rig.canvas.Reset();
    MenuUndo_Click(*rig.ed);
    oneStep = rig.Clears();
    ASSERT_GT(oneStep, 0);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    for (const std::string& s : c.steps) rig.Step(s);
    for (int i = 0; i < c.undos; ++i) MenuUndo_Click(*rig.ed);
    EXPECT_EQ(rig.Texts(), c.rowsBefore);
    rig.host.messages.clear();
    rig.canvas.Reset();
    const bool moves = c.rowsBefore != c.rowsAfter;
    ChooseHistoryRow(*rig.ed, c.choose);
    EXPECT_EQ(rig.Texts(), c.rowsAfter);
    EXPECT_EQ(rig.ed->doc.colliderLast + 1, c.collidersAfter);
    EXPECT_EQ(int(rig.host.messages.size()), c.messages);
    if (c.messages) { EXPECT_EQ(rig.host.messages[0].title, "User problem"); }
    EXPECT_EQ(rig.Clears(), moves ? oneStep : 0) << "the canvas drawn as for one step, at the end of the walk";
    EXPECT_EQ(rig.ed->canvas, &rig.canvas);
    EXPECT_EQ(UndoHistorySummary(*rig.ed), c.summary);
    const std::vector<HistoryRow> rows = UndoHistoryRows(*rig.ed);
    const auto current = std::find_if(rows.begin(), rows.end(), [](const HistoryRow& r) { return r.current; });
    EXPECT_EQ(CurrentHistoryRow(*rig.ed), int(current - rows.begin()));
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const HistoryRow& r) { return r.current; }), 1);
  }
}

TEST(UndoHistory, RowsSayWhatTheyAreAndKeepTheLastHundredSteps) {
  Rig rig;
  for (int i = 0; i < 105; ++i) rig.Step(i == 104 ? "Delete" : "Collider");
  MenuUndo_Click(*rig.ed);
  const std::vector<HistoryRow> rows = UndoHistoryRows(*rig.ed);
  ASSERT_EQ(rows.size(), 101u);
  EXPECT_EQ(rows[0].spoken, "Earliest state kept");
  EXPECT_EQ(rows[99].spoken, "Collider, current state");
  EXPECT_EQ(rows[100].spoken, "Delete, can be redone");
  EXPECT_EQ(rows[50].spoken, "Collider");
  EXPECT_EQ(UndoHistorySummary(*rig.ed), "99 steps to undo, 1 to redo");
  ChooseHistoryRow(*rig.ed, 0);  // the state before the oldest step kept: 5 colliders
  EXPECT_EQ(rig.ed->doc.colliderLast, 4);
  EXPECT_FALSE(rig.ed->ctl.MenuUndo.enabled);
  ChooseHistoryRow(*rig.ed, 100);
  EXPECT_EQ(rig.ed->doc.colliderLast, 104);
  EXPECT_EQ(rig.ed->ctl.MenuUndo.caption, "&Undo Delete");
}

}  // namespace
}  // namespace quorvel
