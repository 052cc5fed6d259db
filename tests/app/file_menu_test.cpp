#include "app/file_menu.h"

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

TEST_F(Lifecycle, CommandLineOpensQuotedMapsAndRefusesOtherTypes) {
  WriteFile("game/Zarnok.exe", {1});
  MapDocument doc = fixtures::NewMap();
  fixtures::AddSpawn(doc, 1, 2);
  std::string path = WriteMapFile("with space.PMP", doc);
  host.settings["Recent/0"] = "/old/one.pmp";
  Start("\"" + path + "\"");
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(ed->doc.info.fileName, path);
  EXPECT_EQ(ed->doc.spawnLast, 0);
  EXPECT_EQ(ed->currentTool, 0);
  // The list comes from the settings after the open, so the opened map is not in it this run.
  EXPECT_EQ(ed->recentFiles[0], "/old/one.pmp");
  EXPECT_EQ(ed->recentFiles[1], "");
}

TEST_F(Lifecycle, CommandLineOfOtherKinds) {
  WriteFile("game/Zarnok.exe", {1});
  Start("a.pm");  // four characters or fewer: ignored
  EXPECT_TRUE(host.messages.empty());
  ed = std::make_unique<Editor>();
  ed->host = &host;
  Start("notes.txt");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Unknow filetype");
  EXPECT_EQ(host.messages[0].title, "Argument file open");
  EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
  EXPECT_EQ(ed->doc.polygonLast, -1);
}

TEST_F(Lifecycle, CommandLinePrefabIsImportedSelectedAndCentred) {
  WriteFile("game/Zarnok.exe", {1});
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 1000, 1000, 1010, 1000, 1000, 1010);
  fixtures::AddCollider(doc, 1005, 1005);
  std::vector<uint8_t> bytes;
  EncodePrefab(doc, bytes);
  Start(WriteFile("piece.pre", bytes));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(ed->doc.polygonLast, 0);
  EXPECT_EQ(ed->doc.colliderLast, 0);
  EXPECT_EQ(ed->sel.selVertexLast, 2);
  EXPECT_EQ(ed->sel.selColliderLast, 0);
  EXPECT_EQ(ed->sel.selLast, 3);
  // Centred: the frame's top-left corner lands on whole units near the view centre.
  EXPECT_LT(std::abs(ed->doc.polygons[0].corner[0].x), 100);
  EXPECT_EQ(ed->sel.selRect.left, std::round(ed->sel.selRect.left));
  EXPECT_EQ(ed->undo.undoTop, -1);  // start-up empties the history afterwards
}

TEST_F(Lifecycle, OpenMissingWrongLengthAndUnreadableFiles) {
  Start();
  host.messages.clear();
  std::string missing = PathIn("nothing.pmp");
  OpenByPath(*ed, missing);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "File '" + missing + "' not found.");
  EXPECT_EQ(host.messages[0].title, "File error");
  EXPECT_EQ(ed->doc.info.fileName, "");
  EXPECT_EQ(ed->doc.info.authorName, "New");

  std::string shortFile = WriteFile("short.pmp", std::vector<uint8_t>(1000, 0));
  OpenByPath(*ed, shortFile);
  EXPECT_EQ(host.messages.back().text, "File '" + shortFile + "' is not Zarnok 1.0.5b mapfile.");
  EXPECT_EQ(ed->doc.info.fileName, "");

  fs::create_directories(dir / "folder.pmp");
  OpenByPath(*ed, PathIn("folder.pmp"));
  EXPECT_EQ(host.messages.back().text, "File '" + PathIn("folder.pmp") + "' could not be read: it is a folder.");
  EXPECT_EQ(host.messages.back().title, "File error");
  EXPECT_EQ(ed->doc.info.fileName, "");
  EXPECT_EQ(ed->doc.info.textureName, PadTextureName("banana.bmp"));
}

TEST_F(Lifecycle, ShiftReadsAShortFileAsFarAsItGoes) {
  Start();
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 5, 6, 7, 8, 9, 1);
  std::vector<uint8_t> bytes;
  EncodeMap(doc, nullptr, bytes);
  bytes.resize(48002);  // up to the polygon count
  std::string path = WriteFile("cut.pmp", bytes);
  ed->shiftDown = true;
  OpenByPath(*ed, path);
  EXPECT_EQ(host.messages.back().text, "File '" + path + "' is not Zarnok 1.0.5b mapfile.");
  EXPECT_EQ(ed->doc.polygonLast, 0);
  EXPECT_EQ(ed->doc.polygons[0].corner[0].x, 5);
  EXPECT_EQ(ed->doc.info.fileName, path);
}

TEST_F(Lifecycle, NothingOfThePreviousMapSurvivesNewOrAShortRead) {
  Start();
  MapDocument doc = fixtures::NewMap();
  for (int i = 0; i < 40; ++i) fixtures::AddTriangle(doc, 0, 0, 10, 0, 0, 10);
  doc.info.extraByte1 = 7;
  doc.info.extraBlock[3] = 9;
  doc.info.extraByte5 = 4;
  OpenByPath(*ed, WriteMapFile("forty.pmp", doc));
  ASSERT_EQ(ed->doc.polygonLast, 39);
  ASSERT_EQ(ed->doc.info.extraByte1, 7);
  TakeSnapshot(*ed, "Move");
  MenuNew_Click(*ed);
  // The panel and the Undo entry show the new map at once.
  EXPECT_EQ(ed->ctl.Lkartta1.caption.substr(0, 7), "Name: \n");
  EXPECT_EQ(ed->ctl.Lkartta2.caption.substr(0, 15), "0/400 Polygons\n");
  EXPECT_EQ(std::make_pair(ed->ctl.MenuUndo.caption, ed->ctl.MenuUndo.enabled), std::make_pair(std::string("&Undo"), false));
  EXPECT_EQ(ed->doc.info.extraByte1, 0);
  EXPECT_EQ(ed->doc.info.extraBlock[3], 0);
  EXPECT_EQ(ed->doc.info.extraByte5, 0);
  EXPECT_EQ(ed->doc.info.extraByte3, 10);

  OpenByPath(*ed, PathIn("forty.pmp"));
  ed->shiftDown = true;
  OpenByPath(*ed, WriteFile("tiny.pmp", std::vector<uint8_t>(1000, 0)));  // too short to hold a count
  EXPECT_EQ(ed->doc.polygonLast, -1);
}

TEST_F(Lifecycle, BadCountIsToldAndClamped) {
  Start();
  host.messages.clear();
  std::vector<uint8_t> bytes;
  EncodeMap(fixtures::NewMap(), nullptr, bytes);
  int16_t count = 32767;
  std::memcpy(&bytes[48000], &count, 2);
  std::string path = WriteFile("count.pmp", bytes);
  OpenByPath(*ed, path);
  EXPECT_EQ(ed->doc.polygonLast, 399);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find("its polygon count is 32767; 400 polygons were read."), std::string::npos);
}

TEST_F(Lifecycle, SaveWritesNormalisedBytesAndKeepsABackup) {
  Start();
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 0, 0, 0, 10, 10, 0);  // reversed corners
  fixtures::AddSpawn(doc, 0, 0);
  doc.spawns[0].x = 300;
  std::string path = WriteMapFile("map.pmp", doc);
  OpenByPath(*ed, path);
  auto original = ReadFile(path);
  host.messages.clear();
  host.randoms = {0.25, 0.75};
  MenuSave_Click(*ed);
  EXPECT_TRUE(host.messages.empty());
  auto saved = ReadFile(path);
  ASSERT_EQ(saved.size(), kMapFileSize);
  EXPECT_EQ(ReadI32(saved, 444060), 251);                 // saveStamp
  EXPECT_EQ(fixtures::ReadF32(saved, 4), 10.0f);          // corner 0 now (0, 10)
  EXPECT_EQ(ReadI32(saved, 48031 + 4), 256);              // spawn on whole units
  EXPECT_EQ(saved[500064 + 3], 'U');                       // the file had no author: "Unknow"
  EXPECT_EQ(ReadFile(host.tempPath + "quorvel-" + std::to_string(::geteuid()) + "/backup-map.pmp"), original);
  EXPECT_TRUE(ed->doc.info.fileName == path);

  MenuSave_Click(*ed);
  auto again = ReadFile(path);
  EXPECT_EQ(ReadI32(again, 444060), 751);
  std::memset(&again[444060], 0, 4);
  std::memset(&saved[444060], 0, 4);
  EXPECT_EQ(again, saved);  // saving twice gives the same bytes apart from the stamp
  EXPECT_EQ(ReadFile(host.tempPath + "quorvel-" + std::to_string(::geteuid()) + "/backup-map.pmp").size(), kMapFileSize);
  EXPECT_EQ(ed->currentTool, 0);
}

TEST_F(Lifecycle, FreshEmptyMapSavesToTheExpectedBytes) {
  Start();
  host.saveAnswers = {PathIn("empty.pmp")};
  MenuSave_Click(*ed);  // no file name yet: Save As
  auto b = ReadFile(PathIn("empty.pmp"));
  ASSERT_EQ(b.size(), kMapFileSize);
  EXPECT_EQ(ReadI16(b, 48000), 0);
  EXPECT_EQ(b[500064 + 3], 'N');
  EXPECT_EQ(b[500064 + 16 + 3], 'e');
  EXPECT_EQ(b[500064 + 32 + 3], 'w');
  EXPECT_EQ(b[500064 + 48 + 3], 0);
  std::vector<uint8_t> expected(kMapFileSize, 0);
  expected[48004] = 10;
  std::memcpy(&expected[48005], "banana.bmp", 10);
  int32_t thirty = 30;
  std::memcpy(&expected[434868], &thirty, 4);
  std::memset(&expected[434872], 255, 8);
  std::memcpy(&expected[444060], &b[444060], 4);
  expected[500064 + 3] = 'N';
  expected[500064 + 19] = 'e';
  expected[500064 + 35] = 'w';
  EXPECT_EQ(b, expected);
  EXPECT_EQ(ed->doc.info.fileName, PathIn("empty.pmp"));
  EXPECT_EQ(host.settings["Recent/Path"], dir.string() + "/");
}

TEST_F(Lifecycle, SaveAsProposesCtfForARedFirstSpawn) {
  Start();
  fixtures::AddSpawn(ed->doc, 0, 0, 1);
  TakeSnapshot(*ed, "Spwan");
  host.settings["Recent/Path"] = "/maps/";
  MenuSaveAs_Click(*ed);  // cancelled
  ASSERT_EQ(host.saveRequests.size(), 1u);
  EXPECT_EQ(host.saveRequests[0].presetName, "ctf_");
  EXPECT_EQ(host.saveRequests[0].initialFolder, "/maps/");
  EXPECT_EQ(host.saveRequests[0].filter, "Zarnok Map (*.pmp)|*.PMP");
  EXPECT_EQ(ed->undo.undoTop, 0);  // cancelling changes nothing
  ed->doc.spawns[0].type = 0;
  host.saveAnswers = {PathIn("dm.pmp")};
  MenuSaveAs_Click(*ed);
  EXPECT_EQ(host.saveRequests[1].presetName, "");
  EXPECT_EQ(ed->undo.undoTop, -1);
  EXPECT_EQ(std::make_pair(ed->ctl.MenuUndo.caption, ed->ctl.MenuUndo.enabled), std::make_pair(std::string("&Undo"), false));
  EXPECT_TRUE(fs::exists(PathIn("dm.pmp")));
}

TEST_F(Lifecycle, FailedSaveKeepsTheOldFileAndTheDocument) {
  Start();
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 0, 0, 0, 10, 10, 0);
  std::string path = WriteMapFile("keep.pmp", doc);
  OpenByPath(*ed, path);
  auto before = ReadFile(path);
  MapDocument docBefore = ed->doc;
  host.messages.clear();

  // A file-size limit makes the write fail part way, as a full disk would (also when run as root).
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit tiny = old;
  tiny.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &tiny);
  MenuSave_Click(*ed);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(ReadFile(path), before);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "File error");
  EXPECT_EQ(host.messages[0].text.rfind("File '" + path + "' could not be saved: ", 0), 0u);
  EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
  EXPECT_EQ(ed->doc.polygons[0].corner[1].y, docBefore.polygons[0].corner[1].y);  // no winding applied
  EXPECT_EQ(ed->doc.info.saveStamp, docBefore.info.saveStamp);
  for (const auto& e : fs::directory_iterator(dir))  // no temporary file left behind
    EXPECT_EQ(e.path().filename().string().find(".saving"), std::string::npos) << e.path();

  // A folder that does not exist.
  host.saveAnswers = {PathIn("no/such/folder/x.pmp")};
  MenuSaveAs_Click(*ed);
  EXPECT_EQ(host.messages.back().title, "File error");
  EXPECT_EQ(ed->doc.info.fileName, path);  // Save As did not take the new name
}

TEST_F(Lifecycle, SaveWarnsOfDuplicateCornersAndSelectsThem) {
  Start();
  fixtures::AddTriangle(ed->doc, 0, 0, 0, 0, 10, 10);
  host.saveAnswers = {PathIn("dup.pmp")};
  host.messages.clear();
  MenuSave_Click(*ed);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "Polygon warning");
  EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(host.messages[0].text,
            "Your map was saved succesful but with this warning.\n\n"
            "There is polygon(s) wich have two vertices exactly same position.\n"
            "All those vertices are now selected and after this message\n"
            "you should click Disconnect button and fix those vertices.");
  EXPECT_EQ(ed->sel.selVertexLast, 1);
  EXPECT_EQ(ed->sel.selRect.left, -5);
  EXPECT_TRUE(fs::exists(PathIn("dup.pmp")));
}

TEST_F(Lifecycle, ManyDuplicatesNeverOverrunTheVertexList) {
  Start();
  for (int i = 0; i < 400; ++i) fixtures::AddTriangle(ed->doc, 1, 1, 1, 1, 1, 1);  // 1,600 duplicate corners
  host.saveAnswers = {PathIn("many.pmp")};
  MenuSave_Click(*ed);
  EXPECT_EQ(ed->sel.selVertexLast, 1199);
  EXPECT_EQ(ed->sel.selLast, 1199);
}

TEST_F(Lifecycle, SpawnWarningsFollowTheFileName) {
  Start();
  fixtures::AddSpawn(ed->doc, 0, 0, 2);
  fixtures::AddSpawn(ed->doc, 0, 0, 1);
  host.messages.clear();
  host.saveAnswers = {PathIn("ctf_a.pmp"), PathIn("plain.pmp")};
  MenuSaveAs_Click(*ed);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "Spawn warning");
  EXPECT_EQ(host.messages[0].icon, MsgIcon::None);
  EXPECT_NE(host.messages[0].text.find("first spawpoint is red flag and second spawpoint is blue flag."),
            std::string::npos);
  MenuSaveAs_Click(*ed);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_NE(host.messages[1].text.find("First spawpoint is NOT deathmatch spawpoint\n"), std::string::npos);
  EXPECT_EQ(host.messages[1].icon, MsgIcon::Exclamation);
  EXPECT_TRUE(fs::exists(PathIn("plain.pmp")));
}

TEST_F(Lifecycle, ExportWritesThePrefabOrReportsWhyNot) {
  Start();
  fixtures::AddTriangle(ed->doc, 0, 0, 10, 0, 0, 10);
  MenuExport_Click(*ed);  // cancelled
  ASSERT_EQ(host.saveRequests.size(), 1u);
  EXPECT_EQ(host.saveRequests[0].initialFolder, host.programFolder + "/Prefab/");
  EXPECT_EQ(host.saveRequests[0].filter, "Quorvel Prefab (*.pre)|*.pre");
  host.saveAnswers = {PathIn("game/Quorvel/Prefab/one.pre"), PathIn("missing/two.pre")};
  MenuExport_Click(*ed);
  EXPECT_EQ(ReadFile(PathIn("game/Quorvel/Prefab/one.pre")).size(), 29u + 120);
  host.messages.clear();
  MenuExport_Click(*ed);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "File error");
}

}  // namespace
}  // namespace quorvel
