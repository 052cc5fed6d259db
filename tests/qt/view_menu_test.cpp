// The View menu, Select All and the status line on the real window, driven by keys and pointer
// motion sent to the window as the system sends them.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <memory>

#include "fixtures/map_builder.h"
#include "fixtures/qt_window.h"
#include "fixtures/quiet_qt_host.h"
#include "app/lifecycle.h"
#include "qt/canvas_widget.h"
#include "qt/ikkuna.h"
#include "qt/status_line.h"
#include "view/view.h"

namespace quorvel {
namespace {

struct Window {
  std::unique_ptr<Editor> ed = std::make_unique<Editor>();
  fixtures::QuietQtHost host;
  Ikkuna window{*ed, host};
  QWindow* win = nullptr;
  bool active = false;

  Window() {
    fixtures::ShowAndActivate(window, *ed);
    win = window.windowHandle();
    // The first activation restores whatever placement an earlier window saved.
    window.resize(1000, 700);
    Activate();
  }
  void Activate() {
    window.activateWindow();
    active = QTest::qWaitForWindowActive(win, 2000);  // menu shortcuts need an active window
  }
  QPoint At(float wx, float wy) {
    const QPoint local(int(std::lround(LaskeRuutuX(*ed, wx) + 0.5)), int(std::lround(LaskeRuutuY(*ed, wy) - 0.5)));
    return window.CanvasArea()->mapTo(&window, local);
  }
  // The whole line, as screen readers get it.
  QString Status() { return window.CanvasArea()->Status().WholeText(); }
};

TEST(ViewMenu, SitsBetweenEditAndRunAndFilledIsRememberedInTheSettings) {
  Window w;
  Editor& e = *w.ed;
  ASSERT_TRUE(w.active);
  QStringList titles;
  for (QAction* a : w.window.menuBar()->actions()) titles << a->text().trimmed();
  EXPECT_GE(titles.indexOf("&View"), 0);
  EXPECT_EQ(titles.indexOf("&View"), titles.indexOf("&Edit") + 1);
  EXPECT_EQ(titles.indexOf("&Run"), titles.indexOf("&View") + 1);
  QAction* filled = w.window.ActionFor(e.ctl.MenuFilled);
  ASSERT_NE(filled, nullptr);
  EXPECT_TRUE(filled->isCheckable());
  EXPECT_EQ(w.window.ActionFor(e.ctl.MenuFitMap)->text(), "Fit map");
  EXPECT_EQ(w.window.ActionFor(e.ctl.MenuCentre)->text(), "Centre selection");
  EXPECT_EQ(w.window.ActionFor(e.ctl.MenuSelectAll)->shortcut(), QKeySequence("Ctrl+Shift+A"));

  const bool before = e.view.filled;
  QTest::keyClick(w.win, Qt::Key_F6);
  EXPECT_EQ(e.view.filled, !before);
  EXPECT_EQ(filled->isChecked(), !before);
  EXPECT_EQ(w.host.GetSetting("View", "Filled", "?"), before ? "0" : "1");
  // A new window takes the choice up.
  {
    Window again;
    EXPECT_EQ(again.ed->view.filled, !before);
    EXPECT_EQ(again.window.ActionFor(again.ed->ctl.MenuFilled)->isChecked(), !before);
  }
  w.Activate();
  ASSERT_TRUE(w.active);
  QTest::keyClick(w.win, Qt::Key_F6);
  EXPECT_EQ(e.view.filled, before);
  EXPECT_EQ(w.host.GetSetting("View", "Filled", "?"), before ? "1" : "0");
}

TEST(ViewMenu, StatusLineFollowsThePointerAndSelectAllReachesEverything) {
  Window w;
  Editor& e = *w.ed;
  ASSERT_TRUE(w.active);
  QStatusBar* status = w.window.CanvasArea()->Status().Bar();
  EXPECT_EQ(status->accessibleName(), "Status line");
  EXPECT_EQ(status->width(), w.window.width());  // a strip of its own under the bars

  w.window.Run([](Editor& ed) {
    ed.ctl.CBgrid.Select(3);  // 25
    CBgrid_Click(ed);
  });
  QTest::mouseMove(w.win, w.At(99, 51));
  EXPECT_EQ(w.Status(), "X: 100  Y: 50");
  EXPECT_EQ(w.window.CanvasArea()->Status().Part(0)->text(), "X: 100  Y: 50");
  QTest::mouseMove(w.win, w.At(-140, 20));
  EXPECT_EQ(w.Status(), "X: -150  Y: 25");

  w.window.Run([](Editor& ed) {
    fixtures::AddTriangle(ed.doc, 0, 0, 100, 0, 0, 40);
    fixtures::AddSpawn(ed.doc, 300, 300);
  });
  QTest::keyClick(w.win, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(e.currentTool, 0);
  EXPECT_EQ(e.sel.selVertexLast, 2);
  EXPECT_EQ(e.sel.selSpawnLast, 0);
  // The frame of (0, 0) to (300, 300), widened by 5 on every side.
  EXPECT_TRUE(w.Status().endsWith("   Frame: 310 x 310")) << w.Status().toStdString();
}

}  // namespace
}  // namespace quorvel
