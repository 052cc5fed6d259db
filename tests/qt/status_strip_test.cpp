// The status line on the real window at its first size, 833 x 628: every part of it (pointer
// position, selection frame, the last save or Compile note) is on screen and shown in full.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QStatusBar>
#include <QTest>
#include <memory>
#include <string>

#include "fixtures/qt_window.h"
#include "fixtures/quiet_qt_host.h"
#include "game/map_checker.h"
#include "qt/canvas_widget.h"
#include "qt/ikkuna.h"
#include "qt/status_line.h"

namespace quorvel {
namespace {

TEST(StatusStrip, EveryPartIsReadableInFullAtTheFirstWindowSize) {
  auto ed = std::make_unique<Editor>();
  fixtures::QuietQtHost host;
  Ikkuna window(*ed, host);
  ASSERT_TRUE(fixtures::ShowAndActivate(window, *ed));
  window.resize(833, 628);
  QTest::qWait(0);
  StatusLine& status = window.CanvasArea()->Status();
  ASSERT_EQ(window.statusBar(), status.Bar());

  struct Case {
    const char* name;
    float viewX, viewY;  // where the view looks, so the pointer lies far out
    float frame;         // the selection frame's side, 0 for none
    std::string note;
  };
  const Case cases[] = {
      {"the save's warning about the sector grid", -1296, -1190, 130, kStaleGridNote},
      {"Compile's note", -12345.67f, -23456.78f, 54321.25f, "Compiled: 961 of 961 sectors used"},
      {"a save", 99999.5f, 99999.5f, 99999.99f, "Saved ctf_test_of_a_long_name.pmp"},
      {"a point far off", -3e9f, 4e20f, 0, "Saved ctf_test.pmp"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    window.Run([&](Editor& e) {
      e.view.viewX = k.viewX;
      e.view.viewY = k.viewY;
      e.view.lastPointerX = 2;
      e.view.lastPointerY = 3;
      e.sel.selRect = k.frame > 0 ? SelRect{-k.frame, 0, -k.frame / 2, 0} : SelRect{};
      e.statusNote = k.note;
    });
    QTest::qWait(0);
    const QImage shot = window.grab().toImage();  // laid out and painted at this size
    ASSERT_EQ(shot.width(), window.width());
    ASSERT_EQ(window.size(), QSize(833, 628));
    for (int i = 0; i < 3; ++i) {
      FittedLabel* part = status.Part(i);
      const QString whole = part->WholeText();
      SCOPED_TRACE(whole.toStdString());
      if (i == 1) { EXPECT_EQ(whole.isEmpty(), k.frame == 0); }
      if (i == 2) { EXPECT_EQ(whole.toStdString(), k.note); }
      if (whole.isEmpty()) continue;
      EXPECT_TRUE(part->isVisible());
      EXPECT_EQ(part->text(), whole);  // nothing cut off
      const QFontMetrics fm(part->font());
      EXPECT_LE(fm.horizontalAdvance(whole), part->contentsRect().width());
      EXPECT_GE(part->contentsRect().height(), fm.height());
      // Wholly inside the window, and not covered by the canvas or the bars.
      const QRect on(part->mapTo(&window, QPoint(0, 0)), part->size());
      EXPECT_TRUE(window.rect().contains(on)) << on.x() << "," << on.y() << " " << on.width() << "x" << on.height();
      EXPECT_FALSE(on.intersects(QRect(window.CanvasArea()->mapTo(&window, QPoint(0, 0)), window.CanvasArea()->size())));
    }
  }
  // The whole line as screen readers get it.
  EXPECT_TRUE(status.Bar()->accessibleDescription().endsWith("   Saved ctf_test.pmp"))
      << status.Bar()->accessibleDescription().toStdString();
}

}  // namespace
}  // namespace quorvel
