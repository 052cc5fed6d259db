// The main window's keys as a user meets them: every menu's access keys are its own, every modal
// dialog hands the keyboard back to the main window so its shortcuts work at once, and the
// "Map check" window is a window to screen readers.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <map>
#include <memory>

#include "fixtures/qt_window.h"
#include "qt/check_window.h"
#include "qt/ikkuna.h"
#include "qt/qt_host.h"

namespace quorvel {
namespace {

// The letter after a single "&" ("&&" is a plain ampersand), lower case; 0 for none.
QChar AccessKey(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) continue;
    if (text[i + 1] == QLatin1Char('&')) {
      ++i;
      continue;
    }
    return text[i + 1].toLower();
  }
  return QChar();
}

// Every pair of entries of one menu (the menu bar counts as one) that share an access key, as
// "Menu: first / second"; submenus are walked too.
void SharedKeys(const QString& menuName, const QList<QAction*>& actions, QStringList& found) {
  std::map<QChar, QString> taken;
  for (QAction* a : actions) {
    if (a->isSeparator()) continue;
    const QChar key = AccessKey(a->text());
    if (!key.isNull()) {
      auto [at, fresh] = taken.emplace(key, a->text());
      if (!fresh) found << menuName + ": " + at->second + " / " + a->text();
    }
    if (a->menu()) SharedKeys(a->text().trimmed(), a->menu()->actions(), found);
  }
}

// The real Qt host; its message boxes answer themselves until a test wants them shown (the
// start-up warning about the game would wait for a user).
class DialogHost : public QtHost {
 public:
  bool quiet = true;
  MsgResult MessageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) override {
    return quiet ? MsgResult::Ok : QtHost::MessageBox(text, title, icon, buttons);
  }
  SaveChoice AskSaveChanges(const std::string& text, const std::string& title) override {
    return quiet ? SaveChoice::Discard : QtHost::AskSaveChanges(text, title);
  }
  std::string CommandLine() override { return {}; }
};

struct Window {
  std::unique_ptr<Editor> ed = std::make_unique<Editor>();
  DialogHost host;
  Ikkuna window{*ed, host};
  QWindow* win = nullptr;
  bool ready = false;
  Window() {
    ready = fixtures::ShowAndActivate(window, *ed);
    win = window.windowHandle();
  }
  bool Active() {
    window.activateWindow();
    return QTest::qWaitForWindowActive(win, 2000);
  }
};

TEST(AccessKeys, NoTwoEntriesOfAMenuShareOne) {
  Window w;
  ASSERT_TRUE(w.ready);
  QStringList found;
  SharedKeys("Menu bar", w.window.menuBar()->actions(), found);
  EXPECT_TRUE(found.isEmpty()) << found.join("; ").toStdString();
  // The walk reaches the entries themselves: Run holds Compile and Check map.
  QAction* check = w.window.ActionFor(w.ed->ctl.MenuRunCheck);
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(AccessKey(check->text()), QChar('h'));
  EXPECT_EQ(AccessKey(w.window.ActionFor(w.ed->ctl.MenuRunCompile)->text()), QChar('c'));
  // The check itself catches a clash.
  QStringList clash;
  QAction one("&Compile"), two("&Check map"), plain("A && B");
  SharedKeys("Run", {&one, &two, &plain}, clash);
  EXPECT_EQ(clash, QStringList{"Run: &Compile / &Check map"});
}

TEST(DialogFocus, EveryModalDialogHandsTheKeysBackToTheMainWindow) {
  Window w;
  ASSERT_TRUE(w.ready);
  // The user closes whatever modal dialog is up, the way Escape or the close box does.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  closer.start(20);
  w.host.quiet = false;
  const std::pair<const char*, std::function<void(Host&)>> dialogs[] = {
      {"colour", [](Host& h) { h.ChooseColour(0xFFFFFF); }},
      {"input box", [](Host& h) { h.InputBox("Author", "Map properties", "New"); }},
      {"message", [](Host& h) { h.MessageBox("Text", "Problem", MsgIcon::Critical, MsgButtons::Ok); }},
      {"save question", [](Host& h) { h.AskSaveChanges("Save?", "Quorvel"); }},
      {"open file", [](Host& h) { h.OpenFileDialog({}); }},
      {"save file", [](Host& h) { h.SaveFileDialog({}); }},
  };
  for (const auto& [name, show] : dialogs) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(w.Active());
    w.window.Run([&](Editor& e) { show(*e.host); });
    // The window takes the keys back by itself: nothing here activates it.
    QTest::qWait(0);
    EXPECT_EQ(QGuiApplication::focusWindow(), w.win);
    QTest::keyClick(w.win, Qt::Key_F7);
    ASSERT_NE(w.window.MapCheck(), nullptr);
    EXPECT_TRUE(w.window.MapCheck()->isVisible());
    w.window.MapCheck()->close();
  }
}

TEST(DialogFocus, MapCheckIsAWindowToScreenReaders) {
  Window w;
  ASSERT_TRUE(w.ready);
  ASSERT_TRUE(w.Active());
  QTest::keyClick(w.win, Qt::Key_F7);
  ASSERT_NE(w.window.MapCheck(), nullptr);
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.window.MapCheck());
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Window);
  EXPECT_EQ(a->text(QAccessible::Name), QString("Map check"));
  EXPECT_GT(a->childCount(), 0);  // its list, count and button are still reached through it
}

}  // namespace
}  // namespace quorvel
