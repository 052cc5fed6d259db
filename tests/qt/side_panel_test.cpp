// Typing into the panel's two editable boxes on the real window: the value reaches the core as
// typed, once, when Enter is pressed.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "fixtures/map_builder.h"
#include "fixtures/quiet_qt_host.h"
#include "fixtures/qt_window.h"
#include "shell/qt/canvas_widget.h"
#include "shell/qt/ikkuna.h"

namespace quorvel {
namespace {

TEST(SidePanel, TypedVisibilityAndColliderSizeReachTheCoreOnce) {
  auto ed = std::make_unique<Editor>();
  fixtures::QuietQtHost host;
  Ikkuna window(*ed, host);
  ASSERT_TRUE(fixtures::ShowAndActivate(window, *ed));

  window.Run([](Editor& e) {
    e.currentTool = 0;
    for (int i = 0; i < 2; ++i) {
      fixtures::AddScenery(e.doc, 0, 0, 2);
      fixtures::AddCollider(e.doc, 0, 0, 12);
      e.sel.selScenery[size_t(i)] = e.sel.selCollider[size_t(i)] = uint8_t(i);
    }
    e.sel.selSceneryLast = e.sel.selColliderLast = 1;
    e.sel.selLast = 3;
    e.RefreshPanels();
  });
  const auto type = [&](const char* box, const char* text) {
    auto* combo = window.CanvasArea()->Ppalkki()->findChild<QComboBox*>(box);
    combo->lineEdit()->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), text);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    return combo->currentText();
  };
  EXPECT_EQ(type("CBscenery2", "33"), QString("33%"));
  EXPECT_EQ(ed->doc.scenery[1].alpha, 84);
  EXPECT_EQ(ed->undo.undoTop, 0);
  // "2" is a size of its own, not the start of "24"; the custom size is confirmed by the host.
  EXPECT_EQ(type("CBcollider", "2"), QString("2"));
  EXPECT_EQ(ed->doc.colliders[0].radius, 2.f);
  EXPECT_EQ(ed->undo.undoTop, 1);
}

}  // namespace
}  // namespace quorvel
