// A hundred undo steps and the "Undo History" window on the real main window, with clicks and keys
// sent to the windows the way the system delivers them: 101 triangles drawn with the mouse, Ctrl+Z a
// hundred times takes the map back a hundred steps, Edit > Undo History (by its access key) lists
// the steps, and a click or a key there jumps.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWindow>
#include <memory>

#include "fixtures/qt_window.h"
#include "fixtures/quiet_qt_host.h"
#include "fixtures/window_input.h"
#include "qt/canvas_widget.h"
#include "qt/history_window.h"
#include "qt/ikkuna.h"
#include "view/view.h"

namespace quorvel {
namespace {

QStringList Rows(QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

TEST(HistoryWindow, AHundredUndosAndJumpsThroughTheWindow) {
  auto ed = std::make_unique<Editor>();
  fixtures::QuietQtHost host;
  Ikkuna window(*ed, host);
  window.resize(833, 628);
  ASSERT_TRUE(fixtures::ShowAndActivate(window, *ed));
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.windowHandle(), 2000));
  QWindow* win = window.windowHandle();
  ASSERT_EQ(ed->currentTool, 1);  // Add polygon

  // 101 small triangles, three clicks each, in rows over the canvas.
  auto at = [&](float wx, float wy) {
    const QPoint local(int(std::lround(LaskeRuutuX(*ed, wx) + 0.5)), int(std::lround(LaskeRuutuY(*ed, wy) - 0.5)));
    return window.CanvasArea()->mapTo(&window, local);
  };
  for (int i = 0; i < 101; ++i) {
    const float x = -250 + 42 * float(i % 12), y = -180 + 40 * float(i / 12);
    for (auto [cx, cy] : {std::pair{x, y}, {x + 20, y}, {x, y + 20}}) {
      QTest::mouseMove(win, at(cx, cy));
      QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, at(cx, cy));
    }
  }
  ASSERT_EQ(ed->doc.polygonLast, 100);
  EXPECT_EQ(window.ActionFor(ed->ctl.MenuUndo)->text(), "&Undo Polygon");

  // A hundred Ctrl+Z: back to the one triangle drawn before the steps kept, and no further.
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(window.ActionFor(ed->ctl.MenuUndo)->isEnabled()) << "undo " << i;
    QTest::keyClick(win, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(ed->doc.polygonLast, 99 - i) << "undo " << i;
  }
  EXPECT_FALSE(window.ActionFor(ed->ctl.MenuUndo)->isEnabled());
  QTest::keyClick(win, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ed->doc.polygonLast, 0);
  for (int i = 0; i < 3; ++i) QTest::keyClick(win, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(ed->doc.polygonLast, 3);

  // Edit > Undo History by the menu's access keys: the menu opened from the bar, then H.
  QAction* entry = window.ActionFor(ed->ctl.MenuUndoHistory);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->text(), QString::fromUtf8("Undo &History\u2026"));
  QMenuBar* bar = window.menuBar();
  QAction* editTitle = nullptr;
  for (QAction* a : bar->actions())
    if (a->text().contains("&Edit")) editTitle = a;
  ASSERT_NE(editTitle, nullptr);
  QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, bar->mapTo(&window, bar->actionGeometry(editTitle).center()));
  ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 2000));
  QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_H);
  HistoryWindow* history = window.UndoHistory();
  ASSERT_NE(history, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return history->isVisible(); }, 2000));
  EXPECT_EQ(history->windowTitle(), "Undo History");
  EXPECT_FALSE(history->isModal());
  EXPECT_GE(history->frameGeometry().left(), window.frameGeometry().right());

  // The earliest state, three done steps (the third current), 97 to redo.
  QListWidget* list = history->List();
  QStringList rows = Rows(list);
  ASSERT_EQ(rows.size(), 101);
  EXPECT_EQ(rows[0], "Earliest state kept");
  EXPECT_EQ(rows[3], QString::fromUtf8("\u25B6 Polygon"));
  EXPECT_EQ(rows[4], "Polygon");
  EXPECT_EQ(list->currentRow(), 3);
  EXPECT_EQ(history->Summary()->text(), "3 steps to undo, 97 to redo");

  // Names and roles for a screen reader: the window, the list and its rows, the summary.
  QAccessibleInterface* windowAccess = QAccessible::queryAccessibleInterface(history);
  EXPECT_EQ(windowAccess->text(QAccessible::Name), "Undo History");
  EXPECT_EQ(windowAccess->role(), QAccessible::Dialog);
  QAccessibleInterface* listAccess = QAccessible::queryAccessibleInterface(list);
  EXPECT_EQ(listAccess->text(QAccessible::Name), "Steps");
  EXPECT_EQ(listAccess->role(), QAccessible::List);
  ASSERT_GE(listAccess->childCount(), 5);
  EXPECT_EQ(listAccess->child(3)->text(QAccessible::Name), "Polygon, current state");
  EXPECT_EQ(listAccess->child(4)->text(QAccessible::Name), "Polygon, can be redone");
  EXPECT_EQ(listAccess->child(3)->role(), QAccessible::ListItem);
  QAccessibleInterface* summaryAccess = QAccessible::queryAccessibleInterface(history->Summary());
  EXPECT_EQ(summaryAccess->text(QAccessible::Name), "3 steps to undo, 97 to redo");
  EXPECT_EQ(summaryAccess->role(), QAccessible::StaticText);

  // A click on row 50 redoes to it; keys in the window step and jump.
  list->scrollToItem(list->item(50));
  fixtures::ClickThroughWindow(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(50)).center());
  EXPECT_EQ(ed->doc.polygonLast, 50);
  EXPECT_EQ(list->currentRow(), 50);
  EXPECT_EQ(window.ActionFor(ed->ctl.MenuRedo)->text(), "&Redo Polygon");
  fixtures::KeyThroughWindow(list, Qt::Key_Up);
  EXPECT_EQ(ed->doc.polygonLast, 49);
  fixtures::KeyThroughWindow(list, Qt::Key_Home);
  EXPECT_EQ(ed->doc.polygonLast, 0);
  EXPECT_FALSE(window.ActionFor(ed->ctl.MenuUndo)->isEnabled());
  fixtures::KeyThroughWindow(list, Qt::Key_End);
  EXPECT_EQ(ed->doc.polygonLast, 100);
  EXPECT_EQ(history->Summary()->text(), "100 steps to undo");

  // An edit in the main window shows in the list at once: the last row current, nothing to redo.
  fixtures::KeyThroughWindow(list, Qt::Key_PageUp);
  const int current = list->currentRow();
  ASSERT_LT(current, 100);
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 2000));
  for (auto [cx, cy] : {std::pair{-240.f, 195.f}, {-220.f, 195.f}, {-240.f, 210.f}}) {
    QTest::mouseMove(win, at(cx, cy));
    QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, at(cx, cy));
  }
  EXPECT_EQ(ed->doc.polygonLast, current + 1);
  rows = Rows(list);
  ASSERT_EQ(rows.size(), current + 2);
  EXPECT_EQ(rows.last(), QString::fromUtf8("\u25B6 Polygon"));
  EXPECT_EQ(list->currentRow(), current + 1);

  // Escape closes the window.
  fixtures::KeyThroughWindow(list, Qt::Key_Escape);
  EXPECT_FALSE(history->isVisible());
  window.close();
}

}  // namespace
}  // namespace quorvel
