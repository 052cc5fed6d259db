#include "editing/prefab_import.h"

#include <gtest/gtest.h>

#include "document/prefab_file.h"
#include "document/undo.h"
#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"

namespace quorvel {
namespace {

class PrefabImport : public fixtures::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
    host.messages.clear();
  }
  std::string Prefab(const std::string& name, const MapDocument& doc) {
    std::vector<uint8_t> bytes;
    EncodePrefab(doc, bytes);
    return WriteFile(name, bytes);
  }
};

TEST_F(PrefabImport, WhatDoesNotFitIsSkippedAndReportedOnce) {
  MapDocument piece = fixtures::NewMap();
  for (int i = 0; i < 3; ++i) fixtures::AddTriangle(piece, 0, 0, 10, 0, 0, 10);
  fixtures::AddScenery(piece, 5, 5);
  fixtures::AddScenery(piece, 6, 6);
  piece.scenery[0].active = 7;  // a damaged record: imported all the same, as an active one
  std::string path = Prefab("three.pre", piece);
  for (int i = 0; i < 398; ++i) fixtures::AddTriangle(ed->doc, 0, 0, 1, 0, 0, 1);
  for (int i = 0; i < 253; ++i) fixtures::AddScenery(ed->doc, 0, 0);
  ReadPrefab(*ed, path, false);
  EXPECT_EQ(ed->doc.polygonLast, 399);
  // The map keeps 254 sceneries (what a written file holds): one fits, nothing vanishes later.
  EXPECT_EQ(ed->doc.sceneryLast, 253);
  EXPECT_EQ(ed->doc.scenery[253].active, 1);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Some of imported objects couldn't be pasted");
  EXPECT_EQ(host.messages[0].title, "Problem");
  EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
  EXPECT_EQ(ed->sel.selVertexLast, 5);
  ASSERT_EQ(ed->sel.selSceneryLast, 0);
  EXPECT_EQ(ed->sel.selScenery[0], 253);
}

TEST_F(PrefabImport, ImportThenMoveUndoesInTwoSteps) {
  MapDocument piece = fixtures::NewMap();
  fixtures::AddTriangle(piece, 500, 500, 520, 500, 500, 520);
  piece.info.authorName = "Someone Else";
  std::string path = Prefab("one.pre", piece);
  TakeSnapshot(*ed, "Import");
  ReadPrefab(*ed, path, false);
  EXPECT_EQ(ed->currentTool, 0);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Move");
  EXPECT_NE(ed->doc.polygons[0].corner[0].x, 500);  // centred in the view
  EXPECT_EQ(ed->doc.info.authorName, "New");        // the prefab's author has no effect
  MenuUndo_Click(*ed);
  EXPECT_EQ(ed->doc.polygonLast, 0);
  EXPECT_EQ(ed->doc.polygons[0].corner[0].x, 500);  // back at the exported position
  MenuUndo_Click(*ed);
  EXPECT_EQ(ed->doc.polygonLast, -1);
}

TEST_F(PrefabImport, EmptyMissingAndForeignFiles) {
  std::string empty = Prefab("empty.pre", fixtures::NewMap());
  ReadPrefab(*ed, empty, false);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(ed->sel.selLast, -1);
  EXPECT_EQ(ed->sel.selRect.left, kUnset);  // nothing to frame
  EXPECT_EQ(ed->undo.undoTop, -1);           // and nothing moved

  ReadPrefab(*ed, PathIn("gone.pre"), false);
  EXPECT_EQ(host.LastMessage(), "File '" + PathIn("gone.pre") + "' not found.");
  ReadPrefab(*ed, PathIn("gone.pre"), true);  // quiet: no message
  EXPECT_EQ(host.messages.size(), 1u);

  MapDocument piece = fixtures::NewMap();
  fixtures::AddCollider(piece, 1, 1);
  std::vector<uint8_t> bytes;
  EncodePrefab(piece, bytes);
  bytes[0] = '2';
  std::string foreign = WriteFile("foreign.pre", bytes);
  ReadPrefab(*ed, foreign, false);
  EXPECT_EQ(host.LastMessage(), "File '" + foreign + "' is not Quorvel 1.2 prop file.");
  EXPECT_EQ(ed->doc.colliderLast, -1);
  ed->shiftDown = true;  // Shift reads it anyway
  ReadPrefab(*ed, foreign, false);
  EXPECT_EQ(ed->doc.colliderLast, 0);

  bytes[0] = '1';
  bytes.resize(bytes.size() - 4);  // cut inside the collider
  std::string cut = WriteFile("cut.pre", bytes);
  ReadPrefab(*ed, cut, false);
  EXPECT_EQ(ed->doc.colliderLast, 0);
  EXPECT_EQ(host.LastMessage(), "File '" + cut + "' ends before all of its objects; the objects found were imported.");
}

TEST_F(PrefabImport, QuietImportMarksTheMoveSnapshotAndDoesNotCentre) {
  MapDocument piece = fixtures::NewMap();
  fixtures::AddTriangle(piece, 500, 500, 520, 500, 500, 520);
  std::string path = Prefab("letter.pre", piece);
  ReadPrefab(*ed, path, true);
  EXPECT_EQ(ed->doc.polygons[0].corner[0].x, 500);
  EXPECT_EQ(ed->sel.moveSnapshotTaken, -1);
  EXPECT_EQ(ed->sel.selRect.left, 495);
  EXPECT_EQ(ed->undo.undoTop, -1);
}

}  // namespace
}  // namespace quorvel
