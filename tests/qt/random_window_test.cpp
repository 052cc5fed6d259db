// Random input through the real window, as the system delivers it: presses, drags and releases on
// the canvas and on every panel control, the tool buttons, the menus and every shortcut, other
// keys, the wheel, text typed into the typed boxes, and resizes; every question and dialog is
// answered at random. After every event the map and the selection must be sound, and at the end a
// save must read back and save again to the same bytes.
// QUORVEL_RANDOM_SEED sets the seed, QUORVEL_RANDOM_EVENTS the number of events (a few hundred by
// default, more in the sanitizer build); a failure prints both so that it can be replayed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "document/file_io.h"
#include "document/prefab_file.h"
#include "fixtures/map_builder.h"
#include "fixtures/random_actions.h"
#include "fixtures/scripted_host.h"
#include "app/about.h"
#include "app/import_dialog.h"
#include "app/lifecycle.h"
#include "qt/canvas_widget.h"
#include "qt/ikkuna.h"
#include "panels/texture_choice.h"
#include "qt/qt_host.h"

#ifndef QUORVEL_RANDOM_WINDOW_EVENTS
#define QUORVEL_RANDOM_WINDOW_EVENTS 300
#endif

namespace fs = std::filesystem;

namespace quorvel {
namespace {

long EnvNumber(const char* name, long fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

// Answers every question and dialog of the core at random, as a user clicking about would: OK or
// Cancel, a file name in its own folder or none. Nothing leaves that folder: no program is
// started, the settings live in memory. A new Host question is answered by overriding it here
// and choosing among its answers with Pick.
class RandomHost : public QtHost {
 public:
  RandomHost(std::mt19937& rng, std::string folder) : rng_(rng), folder_(std::move(folder)) {}

  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng_); }

  MsgResult MessageBox(const std::string&, const std::string&, MsgIcon, MsgButtons buttons) override {
    return buttons != MsgButtons::Ok && Pick(2) ? MsgResult::Cancel : MsgResult::Ok;
  }
  SaveChoice AskSaveChanges(const std::string&, const std::string&) override {
    static const SaveChoice choices[] = {SaveChoice::Save, SaveChoice::Discard, SaveChoice::Cancel};
    return choices[Pick(3)];
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&, const std::string& initial) override {
    static const char* const texts[] = {"", "A", "Zed Ab", "12", "-5", "1e999", "nan", "ÄÖ mapper", "   "};
    if (Pick(4) == 0) return std::nullopt;
    return Pick(4) == 0 ? initial : texts[Pick(std::size(texts))];
  }
  std::optional<uint32_t> ChooseColour(uint32_t) override {
    if (Pick(3) == 0) return std::nullopt;
    return uint32_t(std::uniform_int_distribution<uint32_t>(0, 0xFFFFFF)(rng_));
  }
  std::string OpenFileDialog(const FileDialogRequest&) override {
    static const char* const names[] = {"map.pmp", "saved.pmp", "missing.pmp", "game/Quorvel/Prefab/piece.pre",
                                        "folder.pmp"};
    return Pick(3) == 0 ? "" : folder_ + names[Pick(std::size(names))];
  }
  std::string SaveFileDialog(const FileDialogRequest&) override {
    static const char* const names[] = {"saved.pmp", "map.pmp", "game/Quorvel/Prefab/export.pre", "folder.pmp",
                                        "no/such/folder/x.pmp"};
    return Pick(3) == 0 ? "" : folder_ + names[Pick(std::size(names))];
  }
  std::string GetSetting(const std::string& section, const std::string& key, const std::string& fallback) override {
    const auto it = settings_.find(section + "/" + key);
    return it == settings_.end() ? fallback : it->second;
  }
  void SaveSetting(const std::string& section, const std::string& key, const std::string& value) override {
    settings_[section + "/" + key] = value;
  }
  std::string SystemTempPath() override { return folder_ + "tmp/"; }
  std::string ProgramFolder() override { return folder_ + "game/Quorvel"; }
  std::string CommandLine() override { return folder_ + "map.pmp"; }
  void CloseWindow() override {}  // File > Exit: the test keeps its window
  bool ShellExecute(const std::string&, const std::string&, const std::string&) override { return Pick(2) == 0; }
  bool BringToFront(const std::string&) override { return false; }
  void ShowImportDialog(ImportDialog& dialog) override {
    if (!dialog.files.empty() && Pick(2)) {
      fTiedosto_Click(dialog, Pick(int(dialog.files.size())));
      cImport_Click(dialog);
    } else {
      cPeruuta_Click(dialog);
    }
  }
  void ShowAbout(AboutBox& about) override { about.closed = true; }
  std::optional<std::string> ChooseTexture(const TextureChoice& choice) override {
    static const char* const names[] = {"map.pmp", "twenty_seven_characters.bmp", "\xC4\x85.bmp", "missing.png"};
    if (Pick(3) == 0) return std::nullopt;
    if (!choice.files.empty() && Pick(2)) return choice.files[size_t(Pick(int(choice.files.size())))].path;
    return folder_ + names[Pick(std::size(names))];
  }

 private:
  std::mt19937& rng_;
  std::string folder_;
  std::map<std::string, std::string> settings_;
};

class RandomWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    folder_ = dir_.path().toStdString() + "/";
    fs::create_directories(folder_ + "tmp");
    fs::create_directories(folder_ + "game/Quorvel/Prefab");
    fs::create_directories(folder_ + "folder.pmp");
    fs::copy_file(QUORVEL_SOURCE_DIR "/maps/ctf_twin.pmp", folder_ + "map.pmp");
    std::vector<uint8_t> bytes;
    EncodePrefab(fixtures::SpreadMap({6, 0, 3, 2, 0, 0}, 80, 99), bytes);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(folder_ + "game/Quorvel/Prefab/piece.pre", bytes, error)) << error;
  }

  QTemporaryDir dir_;
  std::string folder_;
};

TEST_F(RandomWindow, RandomEventsKeepTheMapSound) {
  const long events = EnvNumber("QUORVEL_RANDOM_EVENTS", QUORVEL_RANDOM_WINDOW_EVENTS);
  const unsigned seed = unsigned(EnvNumber("QUORVEL_RANDOM_SEED", 20261208));
  const std::string replay = "seed " + std::to_string(seed) + " (QUORVEL_RANDOM_SEED=" + std::to_string(seed) +
                             " QUORVEL_RANDOM_EVENTS=" + std::to_string(events) + " replays it)";
  SCOPED_TRACE(replay);
  std::mt19937 rng(seed);
  auto ed = std::make_unique<Editor>();
  RandomHost host(rng, folder_);
  auto window = std::make_unique<Ikkuna>(*ed, host);
  window->Run(Form_Load);
  window->resize(1000, 700);
  window->show();
  QElapsedTimer started;
  started.start();
  while (ed->firstActivation && started.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  ASSERT_FALSE(ed->firstActivation);
  QWindow* win = window->windowHandle();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(win, 2000));  // shortcuts need an active window
  ASSERT_EQ(ed->doc.info.fileName, folder_ + "map.pmp");

  auto pick = [&](int count) { return host.Pick(count); };
  auto modifiers = [&] {
    static const Qt::KeyboardModifiers choices[] = {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier,
                                                    Qt::ControlModifier};
    return choices[pick(4)];
  };
  auto randomPoint = [&](const QWidget* over) {
    return over->mapTo(window.get(), QPoint(pick(std::max(over->width(), 1)), pick(std::max(over->height(), 1))));
  };
  // The controls a user can reach: every visible, enabled button, list and typed box.
  auto controls = [&] {
    std::vector<QWidget*> found;
    for (QWidget* w : window->findChildren<QWidget*>())
      if ((qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w)) &&
          w->isVisible() && w->isEnabled())
        found.push_back(w);
    return found;
  };
  std::vector<QAction*> shortcuts;
  for (QAction* a : window->findChildren<QAction*>())
    if (!a->shortcut().isEmpty()) shortcuts.push_back(a);
  ASSERT_FALSE(shortcuts.empty());
  Qt::MouseButton held = Qt::NoButton;
  // Events that reached the editor: its undo ring or its selection changed.
  long changes = 0;
  int lastUndoSlot = ed->undo.undoSlot, lastSelected = ed->sel.selLast;

  for (long step = 0; step < events; ++step) {
    QWidget* canvas = window->CanvasArea();
    const std::vector<QWidget*> reachable = controls();
    std::string what;
    const int kind = pick(16);
    // Whatever comes next but canvas input lets go of a held button first, as a hand would.
    if (kind > 2 && held != Qt::NoButton) {
      QTest::mouseRelease(win, held, Qt::NoModifier, randomPoint(canvas));
      held = Qt::NoButton;
    }
    switch (kind) {
      case 0: case 1: case 2: {  // press, move or release on the canvas
        const QPoint at = randomPoint(canvas);
        if (held == Qt::NoButton) {
          held = pick(4) ? Qt::LeftButton : Qt::RightButton;
          QTest::mouseMove(win, at);
          QTest::mousePress(win, held, modifiers(), at);
          what = "press";
        } else if (pick(2)) {
          QTest::mouseMove(win, at);
          what = "move";
        } else {
          QTest::mouseRelease(win, held, modifiers(), at);
          held = Qt::NoButton;
          what = "release";
        }
        break;
      }
      case 3: case 4: {  // a click on the canvas
        const QPoint at = randomPoint(canvas);
        QTest::mouseMove(win, at);
        QTest::mouseClick(win, Qt::LeftButton, modifiers(), at);
        what = "click";
        break;
      }
      case 5: case 6: case 7: {  // a click on a control: buttons, tools, lists, boxes
        if (reachable.empty()) break;
        QWidget* w = reachable[size_t(pick(int(reachable.size())))];
        what = "click on " + w->objectName().toStdString();
        QTest::mouseClick(win, Qt::LeftButton, modifiers(), w->mapTo(window.get(), w->rect().center()));
        break;
      }
      case 8: {  // a drag that starts on a control
        if (reachable.empty()) break;
        QWidget* w = reachable[size_t(pick(int(reachable.size())))];
        what = "drag from " + w->objectName().toStdString();
        const QPoint from = w->mapTo(window.get(), w->rect().center()), to = randomPoint(window.get());
        QTest::mousePress(win, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(win, (from + to) / 2);
        QTest::mouseMove(win, to);
        QTest::mouseRelease(win, Qt::LeftButton, Qt::NoModifier, to);
        break;
      }
      case 9: case 10: {  // a shortcut of a menu command
        QAction* a = shortcuts[size_t(pick(int(shortcuts.size())))];
        const QKeyCombination key = a->shortcut()[0];
        what = "shortcut " + a->shortcut().toString().toStdString();
        QTest::keyClick(win, key.key(), key.keyboardModifiers());
        break;
      }
      case 11: {  // a menu opened from the menu bar, then moved through and chosen or left
        QMenuBar* bar = window->menuBar();
        const QList<QAction*> titles = bar->actions();
        if (titles.isEmpty()) break;
        const QRect r = bar->actionGeometry(titles[pick(int(titles.size()))]);
        what = "menu";
        QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, bar->mapTo(window.get(), r.center()));
        for (int k = pick(6); k > 0; --k) QTest::keyClick(win, Qt::Key_Down);
        QTest::keyClick(win, pick(3) ? Qt::Key_Return : Qt::Key_Escape);
        break;
      }
      case 12: {  // other keys
        static const Qt::Key keys[] = {Qt::Key_Left,  Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,   Qt::Key_Plus,
                                       Qt::Key_Minus, Qt::Key_Delete, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Tab,
                                       Qt::Key_Space, Qt::Key_A,     Qt::Key_0,      Qt::Key_Shift,  Qt::Key_Control};
        const Qt::Key key = keys[pick(int(std::size(keys)))];
        what = "key " + std::to_string(int(key));
        if ((key == Qt::Key_Shift || key == Qt::Key_Control) && pick(2)) {
          if (pick(2))
            QTest::keyPress(win, key);
          else
            QTest::keyRelease(win, key);
        } else {
          QTest::keyClick(win, key, modifiers());
        }
        break;
      }
      case 13: {  // the wheel, over the canvas or a panel
        const QPoint at = randomPoint(window.get());
        static const int deltas[] = {120, -120, 15, -15, 240, -360};
        QWheelEvent wheel(at, win->mapToGlobal(at), QPoint(), QPoint(0, deltas[pick(6)]), held, modifiers(),
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(win, &wheel);
        what = "wheel";
        break;
      }
      case 14: {  // text typed into a typed box
        std::vector<QLineEdit*> boxes;
        for (QWidget* w : reachable)
          if (auto* e = qobject_cast<QLineEdit*>(w)) boxes.push_back(e);
        if (boxes.empty()) break;
        QLineEdit* box = boxes[size_t(pick(int(boxes.size())))];
        what = "typing into " + box->parentWidget()->objectName().toStdString();
        QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, box->mapTo(window.get(), box->rect().center()));
        static const char* const texts[] = {"5", "120", "-3", "1e999", "abc", "50%", "0", "99999"};
        for (const char c : std::string(texts[pick(int(std::size(texts)))])) QTest::keyClick(win, c);
        QTest::keyClick(win, pick(4) ? Qt::Key_Return : Qt::Key_Tab);
        break;
      }
      default: {  // the window resized
        window->resize(300 + pick(1200), 200 + pick(900));
        what = "resize";
        break;
      }
    }
    QCoreApplication::processEvents();
    if (ed->undo.undoSlot != lastUndoSlot || ed->sel.selLast != lastSelected) {
      ++changes;
      lastUndoSlot = ed->undo.undoSlot;
      lastSelected = ed->sel.selLast;
    }
    const std::string broken = fixtures::MapBroken(*ed);
    ASSERT_EQ(broken, "") << "after event " << step << " (" << what << "), " << replay;
  }
  if (held != Qt::NoButton) QTest::mouseRelease(win, held, Qt::NoModifier, QPoint(5, 5));
  // The events reached the editor: it took snapshots or changed its selection again and again.
  if (events >= 100) {
    EXPECT_GT(changes, events / 20) << replay;
  }
  for (int k = 0; k < 3; ++k) QTest::keyClick(win, Qt::Key_Escape);  // whatever popup is still open
  QCoreApplication::processEvents();

  fixtures::ScriptedHost quiet;
  quiet.tempPath = folder_ + "tmp/";
  auto scratch = std::make_unique<Editor>();
  std::string roundTrip;
  window->Run([&](Editor& e) { roundTrip = fixtures::SaveReadSave(e, quiet, folder_, *scratch); });
  EXPECT_EQ(roundTrip, "") << replay;
  window->close();
}

}  // namespace
}  // namespace quorvel
