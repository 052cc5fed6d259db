#include <gtest/gtest.h>

#include <QAction>
#include <functional>
#include <memory>
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/map_file.h"
#include "fixtures/map_builder.h"
#include "app/lifecycle.h"
#include "qt/ikkuna.h"
#include "qt/qt_host.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// The real Qt host with the modal parts answered by the test: a modal box would block offscreen.
class TestHost : public QtHost {
 public:
  std::vector<std::string> messages;
  std::string commandLine;
  std::string programFolder;
  std::deque<std::string> saveAnswers;
  MsgResult MessageBox(const std::string& text, const std::string&, MsgIcon, MsgButtons) override {
    messages.push_back(text);
    return MsgResult::Ok;
  }
  std::deque<SaveChoice> saveChanges;  // empty: Discard
  int saveChangesAsked = 0;
  SaveChoice AskSaveChanges(const std::string&, const std::string&) override {
    ++saveChangesAsked;
    if (saveChanges.empty()) return SaveChoice::Discard;
    SaveChoice c = saveChanges.front();
    saveChanges.pop_front();
    return c;
  }
  std::string CommandLine() override { return commandLine; }
  std::string ProgramFolder() override { return programFolder; }
  std::string SaveFileDialog(const FileDialogRequest&) override {
    if (saveAnswers.empty()) return {};
    std::string s = saveAnswers.front();
    saveAnswers.pop_front();
    return s;
  }
};

void WaitFor(const std::function<bool()>& done) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

std::vector<uint8_t> ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST(MainWindow, OpensTheCommandLineMapAndSavesIt) {
  fs::path dir = fs::temp_directory_path() / "quorvel-window-test";
  fs::remove_all(dir);
  fs::create_directories(dir / "Quorvel");
  { std::ofstream(dir / "Zarnok.exe") << "x"; }
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 0, 0, 0, 10, 10, 0);  // corners the save puts in order
  std::vector<uint8_t> bytes;
  EncodeMap(doc, nullptr, bytes);
  fs::path map = dir / "window.pmp";
  { std::ofstream(map, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size())); }

  QSettings("Quorvel", "Quorvel").clear();
  auto ed = std::make_unique<Editor>();
  TestHost host;
  host.commandLine = map.string();
  host.programFolder = (dir / "Quorvel").string();
  {
    Ikkuna window(*ed, host);
    host.SetWindow(&window);
    window.Run(Form_Load);
    window.show();
    WaitFor([&] { return !ed->firstActivation; });
    ASSERT_FALSE(ed->firstActivation);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
    EXPECT_EQ(window.windowTitle().toStdString(), "window.pmp - Quorvel  1.2");  // the open map, by name
    EXPECT_EQ(ed->doc.info.fileName, map.string());
    EXPECT_EQ(ed->doc.polygonLast, 0);

    QAction* undo = window.ActionFor(ed->ctl.MenuUndo);
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(undo->text().toStdString(), "&Undo");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(window.ActionFor(ed->ctl.MenuDelete)->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_FALSE(window.ActionFor(ed->ctl.MenuRekentti[0])->isVisible());

    window.ActionFor(ed->ctl.MenuSave)->trigger();
    auto saved = ReadAll(map);
    ASSERT_EQ(saved.size(), kMapFileSize);
    EXPECT_EQ(fixtures::ReadF32(saved, 4), 10.0f);  // corner 0 is now (0, 10)
    EXPECT_EQ(ReadAll(dir / "window.pmp").size(), kMapFileSize);

    QAction* redo = window.ActionFor(ed->ctl.MenuRedo);
    ASSERT_NE(redo, nullptr);
    EXPECT_EQ(redo->text().toStdString(), "&Redo");
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));

    // An unsaved change marks the title and makes closing ask; Cancel keeps the window.
    EXPECT_FALSE(window.isWindowModified());
    window.Run([](Editor& e) { e.doc.info.authorName = "Changed"; });
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_EQ(window.windowTitle().toStdString(), "window.pmp[*] - Quorvel  1.2");
    host.saveChanges = {SaveChoice::Cancel};
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(host.saveChangesAsked, 1);
    EXPECT_EQ(ed->doc.info.authorName, "Changed");
    window.Run([](Editor& e) { e.doc.info.authorName = ""; });  // as saved: nothing to ask
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(window.windowTitle().toStdString(), "window.pmp - Quorvel  1.2");
    EXPECT_TRUE(window.close());
    EXPECT_EQ(host.saveChangesAsked, 1);
  }
  QSettings settings("Quorvel", "Quorvel");
  EXPECT_TRUE(settings.contains("Windows/Width"));
  EXPECT_EQ(settings.value("Windows/State").toString(), "0");
  EXPECT_EQ(settings.value("Recent/0").toString(), "");  // opened from the command line: not remembered
  fs::remove_all(dir);
}

TEST(QtHostTest, FiltersMatchBothCasesAndTheTempFolderEndsInASeparator) {
  EXPECT_EQ(QtNameFilter("Zarnok Map (*.pmp)|*.PMP").toStdString(), "Zarnok Map (*.pmp *.PMP)");
  EXPECT_EQ(QtNameFilter("Quorvel Prefab (*.pre)|*.pre").toStdString(), "Quorvel Prefab (*.pre *.PRE)");
  QtHost host;
  std::string t = host.SystemTempPath();
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t.back(), '/');
  double r = host.Random();
  EXPECT_GE(r, 0.0);
  EXPECT_LT(r, 1.0);
}

}  // namespace
}  // namespace quorvel
