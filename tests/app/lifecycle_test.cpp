#include "app/lifecycle.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "document/map_file.h"
#include "document/prefab_file.h"
#include "document/undo.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "lifecycle_fixture.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

using fixtures::ReadI16;
using fixtures::ReadI32;
using testing_support::Lifecycle;

TEST_F(Lifecycle, StartUpMakesANewMapAndWarnsWithoutTheGame) {
  Start();
  EXPECT_EQ(host.caption, "Quorvel  1.2");
  EXPECT_FALSE(ed->firstActivation);
  const MapDocument& d = ed->doc;
  EXPECT_EQ(d.polygonLast, -1);
  EXPECT_EQ(d.spawnLast, -1);
  EXPECT_EQ(d.info.authorName, "New");
  EXPECT_EQ(d.info.textureName, PadTextureName("banana.bmp"));
  EXPECT_EQ(d.info.textureName.size(), 26u);
  EXPECT_EQ(d.info.sectorSize, 30);
  EXPECT_EQ(d.info.backgroundTop, (Colour4{255, 255, 255, 255}));
  EXPECT_EQ(d.info.extraByte3, 10);
  EXPECT_EQ(ed->currentTool, 1);  // Add polygon
  EXPECT_EQ(ed->ctl.CBzoom.text, "100%");
  EXPECT_EQ(ed->ctl.CBgrid.text, "Off");
  EXPECT_EQ(ed->view.showFlags[5], 0);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo");
  EXPECT_FALSE(ed->ctl.MenuUndo.enabled);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "Warning");
  EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(host.messages[0].text, PathIn("game/") + "Zarnok.exe not found.\nExtract Quorvel in Zarnok directory for full effect.");
}

TEST_F(Lifecycle, NoWarningBesideTheGame) {
  WriteFile("game/Zarnok.exe", {1});
  Start();
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(Lifecycle, RecentFilesMoveToTheTopAndFailedEntriesDisappear) {
  Start();
  std::vector<std::string> paths;
  for (int i = 0; i < 6; ++i) paths.push_back(WriteMapFile("m" + std::to_string(i) + ".pmp", fixtures::NewMap()));
  for (int i = 0; i < 5; ++i) OpenByPath(*ed, paths[i]);
  EXPECT_EQ(ed->recentFiles[0], paths[4]);
  EXPECT_EQ(ed->recentFiles[4], paths[0]);
  EXPECT_EQ(ed->ctl.MenuRekentti[0].caption, "&1 m4.pmp");
  EXPECT_TRUE(ed->ctl.MenuRekentti[4].visible);
  OpenByPath(*ed, paths[4]);  // already first: unchanged
  EXPECT_EQ(ed->recentFiles[1], paths[3]);
  MenuRekentti_Click(*ed, 3);  // entry 3 moves to the top and the gap closes
  EXPECT_EQ(ed->recentFiles[0], paths[1]);
  EXPECT_EQ(ed->recentFiles[1], paths[4]);
  EXPECT_EQ(ed->recentFiles[2], paths[3]);
  EXPECT_EQ(ed->recentFiles[3], paths[2]);
  EXPECT_EQ(ed->recentFiles[4], paths[0]);
  fs::remove(paths[2]);
  host.messages.clear();
  MenuRekentti_Click(*ed, 3);
  EXPECT_EQ(host.messages[0].title, "File error");
  EXPECT_EQ(ed->recentFiles[3], "");
  EXPECT_FALSE(ed->ctl.MenuRekentti[3].visible);
  // Undo snapshots are never remembered.
  std::string tmp = WriteMapFile("QuorvelUndo3.tmp", fixtures::NewMap());
  OpenByPath(*ed, tmp);
  EXPECT_NE(ed->recentFiles[0], tmp);
}

TEST_F(Lifecycle, OpenDialogUsesTheRememberedFolder) {
  Start();
  host.settings["Recent/Path"] = dir.string() + "/";
  std::string path = WriteMapFile("sub.pmp", fixtures::NewMap());
  host.openAnswers = {path};
  MenuOpen_Click(*ed);
  ASSERT_EQ(host.openRequests.size(), 1u);
  EXPECT_EQ(host.openRequests[0].initialFolder, dir.string() + "/");
  EXPECT_EQ(host.openRequests[0].filter, "Zarnok Map (*.pmp)|*.PMP");
  EXPECT_TRUE(host.openRequests[0].flags & kFileMustExist);
  EXPECT_EQ(ed->doc.info.fileName, path);
  EXPECT_EQ(host.settings["Recent/Path"], dir.string() + "/");
  MenuOpen_Click(*ed);  // cancelled: nothing changes
  EXPECT_EQ(ed->doc.info.fileName, path);
}

TEST_F(Lifecycle, PlacementIsRestoredOnlyForANormalWindow) {
  host.settings["Windows/State"] = "2";
  host.settings["Windows/Top"] = "300";
  Start();
  // The layout that follows holds the minimum size of the 10 x 10 twips window Form_Load made.
  EXPECT_EQ(host.windowCalls,
            (std::vector<std::string>{"width 10", "height 10", "state 2", "width 12495", "height 9420"}));

  host.windowCalls.clear();
  host.settings.clear();
  ed = std::make_unique<Editor>();
  ed->host = &host;
  Start();
  EXPECT_EQ(host.windowCalls, (std::vector<std::string>{"width 10", "height 10", "width 12495", "height 9420"}));

  host.windowCalls.clear();
  host.settings = {{"Windows/State", "0"}, {"Windows/Top", "300"}, {"Windows/Left", "-999"},
                   {"Windows/Width", "57600"}, {"Windows/Height", "junk"}};
  ed = std::make_unique<Editor>();
  ed->host = &host;
  Start();
  EXPECT_EQ(host.windowCalls,
            (std::vector<std::string>{"width 10", "height 10", "state 0", "top 300", "width 57600", "height 9420"}));
}

TEST_F(Lifecycle, ShutdownSavesRecentFilesAndPlacementAndDeletesSnapshots) {
  Start();
  std::string path = WriteMapFile("last.pmp", fixtures::NewMap());
  OpenByPath(*ed, path);
  WriteFile("tmp/QuorvelUndo1.tmp", {1, 2});
  WriteFile("tmp/keep.tmp", {1});
  host.placement = {0, 1500, 3000, 13000, 9500};
  Form_Unload(*ed);
  EXPECT_EQ(host.settings["Recent/0"], path);
  EXPECT_EQ(host.settings["Recent/4"], "");
  EXPECT_EQ(host.settings["Windows/State"], "0");
  EXPECT_EQ(host.settings["Windows/Top"], "1500");
  EXPECT_EQ(host.settings["Windows/Left"], "3000");
  EXPECT_EQ(host.settings["Windows/Width"], "13000");
  EXPECT_EQ(host.settings["Windows/Height"], "9500");
  EXPECT_FALSE(fs::exists(host.tempPath + "QuorvelUndo1.tmp"));
  EXPECT_TRUE(fs::exists(host.tempPath + "keep.tmp"));

  // The next start shows the same list.
  ed = std::make_unique<Editor>();
  ed->host = &host;
  Start();
  EXPECT_EQ(ed->recentFiles[0], path);
  EXPECT_EQ(ed->ctl.MenuRekentti[0].caption, "&1 last.pmp");
  EXPECT_EQ(host.placement.top, 1500);
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

class ShowBoxes : public fixtures::ShellTest {};

TEST_F(ShowBoxes, FollowTheLayerFlags) {
  Start();
  EXPECT_EQ(ed->ctl.CBnayta[1].value, 1);
  EXPECT_EQ(ed->ctl.CBnayta[6].value, 0);
  EXPECT_EQ(ed->ctl.CBnayta[0].value, 0);  // Advanced is off, so not all layers are shown
  ed->view.showFlags[5] = 1;
  ed->RefreshPanels();
  EXPECT_EQ(ed->ctl.CBnayta[0].value, 1);
  EXPECT_FALSE(ed->panelRefreshBusy);
  ed->view.showFlags[2] = 2;  // grey counts as shown for "All"
  ed->RefreshPanels();
  EXPECT_EQ(ed->ctl.CBnayta[3].value, 2);
  EXPECT_EQ(ed->ctl.CBnayta[0].value, 1);
}

}  // namespace
}  // namespace quorvel