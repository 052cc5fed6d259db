#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fixtures/shell_fixture.h"
#include "game/compile.h"
#include "app/lifecycle.h"
#include "app/status_line.h"
#include "../editing/editing_rig.h"

namespace quorvel {
namespace {

using testing_support::EditRig;

std::string Line(const std::string& text, int n) {
  size_t from = 0;
  for (int i = 0; i < n; ++i) from = text.find('\n', from) + 1;
  return text.substr(from, text.find('\n', from) - from);
}

TEST(StatusLine, ShowsWhereAClickWouldPutAPointAndTheFrameSize) {
  struct Case {
    const char* name;
    int grid;
    bool ctrl;
    float wx, wy;
    const char* position;
  };
  const Case cases[] = {
      {"no grid", 0, false, 37.25f, -12, "X: 37.25  Y: -12"},
      {"grid 25 snaps", 25, false, 37.25f, -12, "X: 25  Y: 0"},
      {"Ctrl places exactly", 25, true, 37.25f, -12, "X: 37.25  Y: -12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditRig r;
    r.Grid(c.grid);
    if (c.ctrl) r.Hold(kKeyCtrl);
    r.Move(c.wx, c.wy);
    const std::string text = StatusLineText(r.e());
    EXPECT_EQ(Line(text, 0), c.position);
    EXPECT_EQ(Line(text, 1), "");
  }

  EditRig r;
  fixtures::AddTriangle(r.e().doc, 0, 0, 100, 0, 0, 40);
  r.Tool(0);
  r.Drag(-10, -10, 120, 50);
  // After a band the frame is the band.
  EXPECT_EQ(Line(StatusLineText(r.e()), 1), "Frame: 130 x 60");
}

TEST(StatusLine, CarriesTheNoteOfCompile) {
  EditRig r;
  fixtures::AddTriangle(r.e().doc, 0, 0, 100, 0, 0, 40);
  fixtures::AddTriangle(r.e().doc, 300, 300, 340, 300, 300, 340);
  MenuRunCompile_Click(r.e());
  int used = 0;
  for (const Sector& s : r.e().doc.sectors) used += s.count > 0;
  ASSERT_GT(used, 1);
  EXPECT_EQ(r.e().statusNote, "Compiled: " + std::to_string(used) + " of 961 sectors used");
  EXPECT_EQ(Line(StatusLineText(r.e()), 2), r.e().statusNote);
}

class StatusNoteTest : public fixtures::ShellTest {};

TEST_F(StatusNoteTest, SaveNamesTheFileOnlyWhenItWasWritten) {
  Start();
  std::string path = WriteMapFile("pack one.pmp", fixtures::NewMap());
  OpenByPath(*ed, path);
  host.randoms = {0.5};
  MenuSave_Click(*ed);
  EXPECT_EQ(ed->statusNote, "Saved pack one.pmp");

  // A save into a folder that is not there fails and leaves the note as it was.
  ed->statusNote.clear();
  ed->doc.info.fileName = PathIn("missing/map.pmp");
  host.randoms = {0.5};
  MenuSave_Click(*ed);
  EXPECT_EQ(ed->statusNote, "");

  // A note speaks of the map it was made for: another map, opened or new, starts without one.
  for (const auto& next : std::vector<std::function<void()>>{[&] { OpenByPath(*ed, path); },
                                                             [&] { MenuNew_Click(*ed); }}) {
    ed->statusNote = "Saved pack one.pmp";
    next();
    EXPECT_EQ(ed->statusNote, "");
  }
}

}  // namespace
}  // namespace quorvel
