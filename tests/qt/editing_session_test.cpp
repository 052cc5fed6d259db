// A short editing session on the real window with real mouse and key events: three clicks make a
// triangle, the "Edit" button and a band select it, a drag moves it, Ctrl+Z puts it back, and the
// panel's labels follow every step.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <fstream>
#include <iterator>
#include <memory>

#include "document/map_file.h"

#include "fixtures/quiet_qt_host.h"
#include "fixtures/window_input.h"
#include "app/lifecycle.h"
#include "qt/canvas_widget.h"
#include "qt/caption_frame.h"
#include "qt/ikkuna.h"
#include "view/view.h"

namespace quorvel {
namespace {

using QuietHost = fixtures::QuietQtHost;

struct Session {
  std::unique_ptr<Editor> ed = std::make_unique<Editor>();
  QuietHost host;
  Ikkuna window{*ed, host};
  QWindow* win = nullptr;
  bool active = false;

  Session() {
    window.Run(Form_Load);
    window.resize(1000, 700);
    window.show();
    QElapsedTimer t;
    t.start();
    while (ed->firstActivation && t.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    win = window.windowHandle();
    window.activateWindow();
    active = QTest::qWaitForWindowActive(win, 2000);  // menu shortcuts need an active window
  }
  // The window point over a world point.
  QPoint At(float wx, float wy) {
    const QPoint local(int(std::lround(LaskeRuutuX(*ed, wx) + 0.5)), int(std::lround(LaskeRuutuY(*ed, wy) - 0.5)));
    return window.CanvasArea()->mapTo(&window, local);
  }
  void Click(float wx, float wy) {
    QTest::mouseMove(win, At(wx, wy));
    QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, At(wx, wy));
  }
  void Drag(float x1, float y1, float x2, float y2) {
    QTest::mouseMove(win, At(x1, y1));
    QTest::mousePress(win, Qt::LeftButton, Qt::NoModifier, At(x1, y1));
    QTest::mouseMove(win, At((x1 + x2) / 2, (y1 + y2) / 2));
    QTest::mouseMove(win, At(x2, y2));
    QTest::mouseRelease(win, Qt::LeftButton, Qt::NoModifier, At(x2, y2));
  }
  void Tool(int index) {
    fixtures::ClickThroughWindow(window.CanvasArea()->Pyla()->findChild<QRadioButton*>(QStringLiteral("OBvalinta(%1)").arg(index)));
  }
  QString Label(const char* name) { return window.CanvasArea()->Ppalkki()->findChild<QLabel*>(name)->text(); }
  QString Caption(const char* name) { return window.CanvasArea()->Ppalkki()->findChild<CaptionFrame*>(name)->Caption(); }
};

TEST(EditingSession, TriangleSelectDragUndo) {
  Session s;
  Editor& e = *s.ed;
  ASSERT_FALSE(e.firstActivation);
  ASSERT_TRUE(s.active);
  ASSERT_EQ(e.currentTool, 1);  // a new map starts in "Add polygon"

  s.Click(0, 0);
  s.Click(80, 0);
  s.Click(40, 60);
  ASSERT_EQ(e.doc.polygonLast, 0);
  EXPECT_EQ(e.toolParam, 0);
  EXPECT_TRUE(s.Label("Lkartta2").startsWith("1/400 Polygons\n0/30 Spawns"));
  const Polygon drawn = e.doc.polygons[0];
  EXPECT_NEAR(drawn.corner[1].x, 80, 0.5);
  EXPECT_NEAR(drawn.corner[2].y, 60, 0.5);

  s.Tool(0);
  EXPECT_EQ(e.currentTool, 0);
  s.Drag(-20, -20, 100, 80);
  EXPECT_EQ(e.sel.selVertexLast, 2);
  EXPECT_EQ(s.Caption("Fvalinta"), "Selected 3");
  EXPECT_EQ(s.Label("Lvalinta(0)"), "3 Vertices\n");

  s.Drag(40, 20, 70, 40);  // inside the frame: the triangle follows
  EXPECT_NEAR(e.doc.polygons[0].corner[0].x, drawn.corner[0].x + 30, 1e-3);
  EXPECT_NEAR(e.doc.polygons[0].corner[2].y, drawn.corner[2].y + 20, 1e-3);
  EXPECT_EQ(s.window.ActionFor(e.ctl.MenuUndo)->text(), QString("&Undo Move"));

  QTest::keyClick(s.win, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FLOAT_EQ(e.doc.polygons[0].corner[0].x, drawn.corner[0].x);
  EXPECT_FLOAT_EQ(e.doc.polygons[0].corner[2].y, drawn.corner[2].y);
  EXPECT_EQ(s.Caption("Fvalinta"), "Selected 3");
  EXPECT_TRUE(s.Label("Lkartta2").startsWith("1/400 Polygons"));

  // A click on bare canvas outside the frame deselects.
  s.Click(300, 200);
  EXPECT_EQ(s.Label("Lvalinta(0)"), "Nothing");
  s.window.close();
}

// The Edit menu by its shortcuts and a panel list on the real window: band, Copy, Paste, Mirror,
// Delete of the pasted set, then a spawn type chosen from the list; the labels and the saved file
// say so.
TEST(EditingSession, EditMenuAndPanelListOnTheRealWindow) {
  Session s;
  Editor& e = *s.ed;
  ASSERT_TRUE(s.active);
  s.Click(0, 0);
  s.Click(80, 0);
  s.Click(40, 60);
  s.Tool(2);
  s.Click(150, 30);
  s.Tool(0);
  s.Drag(-30, -30, 200, 90);
  EXPECT_EQ(s.Label("Lvalinta(0)"), "3 Vertices\n1 Spawn\n");
  const MapDocument before = e.doc;

  QTest::keyClick(s.win, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(s.win, Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(s.Label("Lkartta2").startsWith("2/400 Polygons\n2/30 Spawns"));
  QTest::keyClick(s.win, Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(s.window.ActionFor(e.ctl.MenuUndo)->text(), QString("&Undo Mirror"));
  QTest::keyClick(s.win, Qt::Key_Delete);
  EXPECT_TRUE(s.Label("Lkartta2").startsWith("1/400 Polygons\n1/30 Spawns"));
  for (int k = 0; k < 3; ++k) EXPECT_EQ(e.doc.polygons[0].corner[size_t(k)].x, before.polygons[0].corner[size_t(k)].x);

  // The spawn alone, then "CTF Red" from its list.
  s.Click(300, 200);
  s.Click(150, 30);
  ASSERT_EQ(e.sel.selSpawnLast, 0);
  auto* spawnType = s.window.CanvasArea()->Ppalkki()->findChild<QComboBox*>("CBspawn");
  ASSERT_TRUE(spawnType->isEnabled());
  ASSERT_TRUE(fixtures::ChooseFromList(spawnType, "CTF Red"));
  EXPECT_EQ(e.doc.spawns[0].type, 1);
  EXPECT_EQ(spawnType->currentText(), QString("CTF Red"));

  QTemporaryDir dir;
  const std::string path = dir.filePath("session.pmp").toStdString();
  bool saved = false;
  s.window.Run([&](Editor& ed) { saved = WriteMap(ed, path); });
  ASSERT_TRUE(saved);
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  MapDocument back;
  DecodeMap(bytes, back, nullptr);
  EXPECT_EQ(back.polygonLast, 0);
  EXPECT_EQ(back.spawnLast, 0);
  EXPECT_EQ(back.spawns[0].type, 1);
  EXPECT_EQ(back.polygons[0].corner[2].y, before.polygons[0].corner[2].y);
  s.window.close();
}

}  // namespace
}  // namespace quorvel
