// The import and About dialogs as widgets, and the Run menu on the real window in a game folder
// with a stand-in game program: the commands write the game's files and really start it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include "document/map_file.h"
#include "document/prefab_file.h"
#include "fixtures/map_builder.h"
#include "fixtures/scripted_host.h"
#include "app/lifecycle.h"
#include "qt/about_dialog.h"
#include "qt/ikkuna.h"
#include "qt/import_dialog.h"
#include "qt/qt_host.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

void WaitFor(const std::function<bool()>& done) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

std::string ReadText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& p, const std::vector<uint8_t>& bytes) {
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
}

void WritePrefab(const fs::path& p, int polygons) {
  MapDocument piece = fixtures::NewMap();
  for (int i = 0; i < polygons; ++i) fixtures::AddTriangle(piece, 0, 0, 40, 0, 0, 40);
  std::vector<uint8_t> bytes;
  EncodePrefab(piece, bytes);
  WriteBytes(p, bytes);
}

// Every control a screen reader meets has a name.
void ExpectNamed(QWidget& dialog) {
  for (QWidget* w : dialog.findChildren<QWidget*>()) {
    if (!qobject_cast<QLabel*>(w) && !qobject_cast<QPushButton*>(w) && !qobject_cast<QListWidget*>(w)) continue;
    QString name = w->accessibleName();
    if (auto* l = qobject_cast<QLabel*>(w); l && name.isEmpty()) name = l->text();
    if (auto* b = qobject_cast<QPushButton*>(w); b && name.isEmpty()) name = b->text();
    EXPECT_FALSE(name.isEmpty()) << w->objectName().toStdString();
  }
}

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("quorvel-dialogs-" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "Quorvel" / "Prefab");
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

TEST_F(Dialogs, ImportWidgetMirrorsTheModelAndReturnsTheChosenFile) {
  WritePrefab(dir / "Quorvel/Prefab/big.pre", 3);
  WriteBytes(dir / "Quorvel/Prefab/bad.pre", {'x', 'y', 'z', 0, 0, 0, 0, 0, 0, 0});
  ImportDialog model;
  model.inputs.highest = {399, 253, 127};
  model.inputs.last = {397, -1, -1};
  Import_Load(model, (dir / "Quorvel").string());
  Import_Refresh(model);
  ImportDialogWidget w(model);
  w.show();
  ExpectNamed(w);
  EXPECT_EQ(w.windowTitle(), "Import prefab");
  auto* list = w.findChild<QListWidget*>("fTiedosto");
  auto* import = w.findChild<QPushButton*>("cImport");
  auto* inFile = w.findChild<QLabel*>("lMaara2(0)");
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(1)->text(), "big.pre");
  EXPECT_FALSE(import->isEnabled());
  EXPECT_EQ(import->text(), "&Import");

  list->setCurrentRow(1);
  EXPECT_EQ(w.findChild<QLabel*>("lName")->text(), "big");
  EXPECT_EQ(w.findChild<QLabel*>("lMaara(0)")->text(), "2");
  EXPECT_EQ(inFile->text(), "3");
  EXPECT_EQ(inFile->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_TRUE(import->isEnabled());
  list->setCurrentRow(0);
  EXPECT_EQ(inFile->text(), "Err");
  EXPECT_EQ(inFile->palette().color(QPalette::WindowText), QColor(0, 0, 0));
  EXPECT_FALSE(import->isEnabled());

  list->setCurrentRow(1);
  import->click();
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(model.inputs.chosenPath, (dir / "Quorvel/Prefab/big.pre").string());
}

TEST_F(Dialogs, AboutShowsTheVersionAndOpensItsLinks) {
  fixtures::ScriptedHost host;
  AboutBox box;
  box.host = &host;
  About_Load(box);
  AboutDialog w(box);
  w.show();
  ExpectNamed(w);
  EXPECT_EQ(w.windowTitle(), "About Quorvel");
  EXPECT_EQ(w.findChild<QLabel*>("lblVersion")->text(), "Version 1.2.0");
  auto* mail = w.findChild<QLabel*>("lblTitle(2)");
  ASSERT_NE(mail, nullptr);
  emit mail->linkActivated("2");
  EXPECT_EQ(host.executed, std::vector<std::string>{std::string(kMailAddress) + "||"});
  w.findChild<QPushButton*>("cmdOK")->click();
  EXPECT_EQ(w.result(), QDialog::Accepted);
}

// The real host with the modal parts played by the test: the import dialog is shown as a widget
// and answered by clicking it, message boxes are recorded.
class GameFolderHost : public QtHost {
 public:
  std::string programFolder, commandLine;
  std::vector<std::string> messages;
  MsgResult MessageBox(const std::string& text, const std::string&, MsgIcon, MsgButtons) override {
    messages.push_back(text);
    return MsgResult::Ok;
  }
  SaveChoice AskSaveChanges(const std::string&, const std::string&) override { return SaveChoice::Discard; }
  std::string ProgramFolder() override { return programFolder; }
  std::string CommandLine() override { return commandLine; }
  void ShowImportDialog(ImportDialog& dialog) override {
    ImportDialogWidget w(dialog);
    w.show();
    w.findChild<QListWidget*>("fTiedosto")->setCurrentRow(0);
    w.findChild<QPushButton*>("cImport")->click();
  }
};

TEST_F(Dialogs, TheRunMenuStartsTheStandInGameInItsFolder) {
  fs::create_directories(dir / "MAPS");
  {
    std::ofstream game(dir / "Zarnok.exe");
    game << "#!/bin/sh\npwd > started.txt\n";
  }
  fs::permissions(dir / "Zarnok.exe", fs::perms::owner_all);
  { std::ofstream(dir / "zarnok.ini", std::ios::binary) << "; Zarnok\r\n[GAME]\r\nGameStyle=0\r\nName=x\r\n"; }
  { std::ofstream(dir / "mapslist.txt", std::ios::binary) << "OLD\r\n"; }
  WritePrefab(dir / "Quorvel/Prefab/piece.pre", 2);
  std::vector<uint8_t> bytes;
  EncodeMap(fixtures::NewMap(), nullptr, bytes);
  const fs::path map = dir / "MAPS" / "ctf_Rock.pmp";
  WriteBytes(map, bytes);

  // The settings are this process's own: another test running beside this one cannot clear them.
  ASSERT_TRUE(QSettings("Quorvel", "Quorvel").fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME") + "/"));
  QSettings("Quorvel", "Quorvel").clear();
  auto ed = std::make_unique<Editor>();
  GameFolderHost host;
  host.programFolder = (dir / "Quorvel").string();
  host.commandLine = map.string();
  Ikkuna window(*ed, host);
  window.Run(Form_Load);
  window.show();
  WaitFor([&] { return !ed->firstActivation; });
  ASSERT_FALSE(ed->firstActivation);

  window.ActionFor(ed->ctl.MenuImport)->trigger();
  EXPECT_EQ(ed->doc.polygonLast, 1);
  EXPECT_EQ(ed->ctl.MenuUndo.caption, "&Undo Move");
  window.ActionFor(ed->ctl.MenuRunAll)->trigger();
  WaitFor([&] { return fs::exists(dir / "started.txt"); });
  ASSERT_TRUE(fs::exists(dir / "started.txt"));
  std::string pwd = ReadText(dir / "started.txt");
  EXPECT_TRUE(fs::equivalent(pwd.substr(0, pwd.find('\n')), dir));
  EXPECT_EQ(ReadText(dir / "mapslist.txt"), "CTF_ROCK\r\n");
  EXPECT_EQ(ReadText(dir / "zarnok.ini"), "; Zarnok\r\n[GAME]\r\nGameStyle=3\r\nName=x\r\n");
  MapDocument saved;
  std::string text = ReadText(map);
  DecodeMap(std::vector<uint8_t>(text.begin(), text.end()), saved, nullptr);
  EXPECT_EQ(saved.polygonLast, 1);
  EXPECT_EQ(saved.info.sectorSize, 2);  // a 40-unit piece: the smallest size that holds it
  EXPECT_TRUE(window.isMinimized());
  EXPECT_TRUE(ed->restorePlacementPending);
  EXPECT_EQ(host.GetSetting("Windows", "State", "unsaved"), "0");  // saved before the game starts

  window.showNormal();
  EXPECT_FALSE(ed->restorePlacementPending);
  EXPECT_FALSE(window.isMinimized());
  window.close();
}

}  // namespace
}  // namespace quorvel
