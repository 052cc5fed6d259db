// The main window's three bars, built for real: every control of the top bar and the side panel
// by name, nothing overlapping or cut off at the first client size, and the tool buttons, keys and
// wheel reaching the core.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWheelEvent>
#include <QWindow>
#include <functional>
#include <memory>

#include "fixtures/quiet_qt_host.h"
#include "fixtures/qt_window.h"
#include "fixtures/window_input.h"
#include "app/lifecycle.h"
#include "qt/canvas_widget.h"
#include "qt/caption_frame.h"
#include "qt/ikkuna.h"
#include "view/layout.h"

namespace quorvel {
namespace {

using QuietHost = fixtures::QuietQtHost;

QString NameOf(QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); }

// The widgets laid out by hand inside a bar: its children, and theirs where they are frames or
// labels (a combo box's own parts are its business).
void Placed(QWidget* parent, std::vector<QWidget*>& out) {
  for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow() || !child->isVisibleTo(parent)) continue;
    out.push_back(child);
    if (qobject_cast<CaptionFrame*>(child) || qobject_cast<QLabel*>(child)) Placed(child, out);
  }
}

// Room the content needs: a check box or option its indicator and text, a button its text, a
// label every line.
QSize Needed(QWidget* w) {
  const QFontMetrics fm = w->fontMetrics();
  if (auto* b = qobject_cast<QPushButton*>(w)) return {fm.horizontalAdvance(b->text()) + 6, fm.height()};
  if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w) || qobject_cast<QLabel*>(w)) {
    const QSize hint = w->sizeHint();
    const QString text = qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text() : qobject_cast<QAbstractButton*>(w)->text();
    return {hint.width(), std::max<int>(13, fm.height() * int(text.count('\n') + 1))};
  }
  return {0, 0};
}

TEST(MainWindowBars, ControlsFitTheirBarsAndReachTheCore) {
  auto ed = std::make_unique<Editor>();
  QuietHost host;
  Ikkuna window(*ed, host);
  ASSERT_TRUE(fixtures::ShowAndActivate(window, *ed));
  CanvasWidget* area = window.CanvasArea();

  // Lay the bars out for the first client area, with the widest texts the labels ever show.
  ed->view.clientWidth = 819;
  ed->view.clientHeight = 577;
  Form_Resize(*ed);
  ed->ctl.Lkartta2.caption = "400/400 Polygons\n30/30 Spawns\n255/255 Sceneries\n128/128 Colliders\n500/500 Waypoints";
  ed->ctl.Lvalinta[0].caption = "1200 Vertices\n30 Spawns\n500 Waypoints";
  ed->ctl.Lvalinta[1].caption = "255 Sceneries\n128 Colliders";
  window.SyncFromModel();

  const struct {
    QWidget* bar;
    const char* name;
    const char* caption;  // what a screen reader calls it; null for labels, which read their text
  } controls[] = {
      {area->Pyla(), "OBvalinta(0)", "Edit"}, {area->Pyla(), "OBvalinta(1)", "Add polygon"},
      {area->Pyla(), "OBvalinta(2)", "Add spawn"}, {area->Pyla(), "OBvalinta(3)", "Add scenery"},
      {area->Pyla(), "OBvalinta(4)", "Add collider"}, {area->Pyla(), "OBvalinta(5)", "Add waypoint"},
      {area->Ppalkki(), "Fkartta", "Map info"}, {area->Ppalkki(), "Lkartta1", nullptr},
      {area->Ppalkki(), "lAuthor", nullptr}, {area->Ppalkki(), "Lkartta2", nullptr},
      {area->Ppalkki(), "CBauthor", "Author"}, {area->Ppalkki(), "CBtausta1", "Upper"},
      {area->Ppalkki(), "CBtausta2", "Lower"}, {area->Ppalkki(), "Fvalinta", "Selected 0"},
      {area->Ppalkki(), "Lvalinta(0)", nullptr}, {area->Ppalkki(), "Lvalinta(1)", nullptr},
      {area->Ppalkki(), "Fvertice", "Vertice info"}, {area->Ppalkki(), "CBverticevari", "Color"},
      {area->Ppalkki(), "CBerota", "Disconnect"}, {area->Ppalkki(), "CByhista", "Connect"},
      {area->Ppalkki(), "CBtexEiKorjaus", "No texture correction when edit"},
      {area->Ppalkki(), "Fpoly", "Polygon info"}, {area->Ppalkki(), "CBtexPalauta", "Restore texture"},
      {area->Ppalkki(), "CBtexPoista", "Delete texture"}, {area->Ppalkki(), "CBverticeLapi", "Passable"},
      {area->Ppalkki(), "Fspawn", "Spawn info"}, {area->Ppalkki(), "CBspawn", "Spawn type"},
      {area->Ppalkki(), "Fscenery", "Scenery info"}, {area->Ppalkki(), "CBscenery", "Scenery style"},
      {area->Ppalkki(), "CBscenery2", "Scenery visibility"}, {area->Ppalkki(), "Fcollider", "Collider info"},
      {area->Ppalkki(), "CBcollider", "Collider size"}, {area->Ppalkki(), "Fbot", "Bot Waypoints info"},
      {area->Ppalkki(), "CBbotValinta(0)", "Left"}, {area->Ppalkki(), "CBbotValinta(1)", "Right"},
      {area->Ppalkki(), "CBbotValinta(2)", "Up"}, {area->Ppalkki(), "CBbotValinta(3)", "Down"},
      {area->Ppalkki(), "CBbotValinta(4)", "Fly"}, {area->Ppalkki(), "OBbotKumpi(1)", "Path 1"},
      {area->Ppalkki(), "OBbotKumpi(2)", "Path 2"}, {area->Ppalkki(), "FbotNayta", "Show"},
      {area->Ppalkki(), "OBbotNayta(0)", "Both"}, {area->Ppalkki(), "OBbotNayta(1)", "Path 1"},
      {area->Ppalkki(), "OBbotNayta(2)", "Path 2"},
  };
  for (const auto& c : controls) {
    QWidget* w = c.bar->findChild<QWidget*>(QLatin1String(c.name));
    ASSERT_NE(w, nullptr) << c.name;
    if (c.caption) {
      EXPECT_EQ(NameOf(w), QString(c.caption)) << c.name;
    }
  }
  // Nothing a screen reader meets is nameless, menus and bars included; labels read their text.
  std::function<void(QAccessibleInterface*)> named = [&](QAccessibleInterface* a) {
    const QAccessible::Role role = a->role();
    if (role != QAccessible::StaticText && role != QAccessible::Separator) {
      EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << a->object()->objectName().toStdString() << " role " << role;
    }
    if (role == QAccessible::ComboBox) return;  // its list and line edit are Qt's
    for (int i = 0; i < a->childCount(); ++i) named(a->child(i));
  };
  named(QAccessible::queryAccessibleInterface(&window));
  EXPECT_EQ(area->Ppalkki()->findChild<QLabel*>("Lvalinta(0)")->text(), QString("1200 Vertices\n30 Spawns\n500 Waypoints"));
  // The cross: up above left and right, down below them.
  const auto at = [&](const char* n) { return area->Ppalkki()->findChild<QWidget*>(n)->geometry(); };
  EXPECT_LT(at("CBbotValinta(2)").bottom(), at("CBbotValinta(0)").top());
  EXPECT_GT(at("CBbotValinta(3)").top(), at("CBbotValinta(1)").bottom());
  EXPECT_LT(at("CBbotValinta(0)").right(), at("CBbotValinta(1)").left());

  // Inside each bar nothing overlaps, nothing leaves its parent's inner area or is cut off, and
  // nothing hides under another bar or off the first client area.
  const QRect client(0, 0, 819, 577);
  for (QWidget* bar : {area->Pyla(), area->Pala(), area->Ppalkki()}) {
    std::vector<QWidget*> placed;
    Placed(bar, placed);
    ASSERT_FALSE(placed.empty());
    for (QWidget* w : placed) {
      const QString name = w->objectName();
      EXPECT_TRUE(w->parentWidget()->contentsRect().contains(w->geometry())) << name.toStdString();
      const QSize need = Needed(w);
      EXPECT_GE(w->width(), need.width()) << name.toStdString();
      EXPECT_GE(w->height(), need.height()) << name.toStdString();
      const QRect onCanvas(w->mapTo(area, QPoint(0, 0)), w->size());
      EXPECT_TRUE(client.contains(onCanvas)) << name.toStdString();
      for (QWidget* above : {static_cast<QWidget*>(area->Ppalkki()), static_cast<QWidget*>(area->Fmaski(0)),
                             static_cast<QWidget*>(area->Fmaski(1))}) {
        if (above != bar) {
          EXPECT_FALSE(above->geometry().intersects(onCanvas)) << name.toStdString();
        }
      }
      for (QWidget* other : placed) {
        if (other != w && other->parentWidget() == w->parentWidget()) {
          EXPECT_FALSE(w->geometry().intersects(other->geometry()))
              << name.toStdString() << " / " << other->objectName().toStdString();
        }
      }
    }
  }

  // A click on "Add spawn" runs the tool switch; the frame captions follow the model.
  auto* addSpawn = area->Pyla()->findChild<QRadioButton*>("OBvalinta(2)");
  fixtures::ClickThroughWindow(addSpawn);
  EXPECT_EQ(ed->currentTool, 2);
  EXPECT_TRUE(addSpawn->isChecked());
  EXPECT_FALSE(area->Pyla()->findChild<QRadioButton*>("OBvalinta(1)")->isChecked());
  ed->RefreshPanels();
  window.SyncFromModel();
  auto* fSpawn = area->Ppalkki()->findChild<CaptionFrame*>("Fspawn");
  const uint32_t bgr = ed->ctl.Fspawn.foreColour;
  EXPECT_EQ(fSpawn->CaptionColour(), QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF)));
  ed->ctl.Fbot.foreColour = 0x0000FF;
  window.SyncFromModel();
  EXPECT_EQ(area->Ppalkki()->findChild<CaptionFrame*>("Fbot")->CaptionColour(), QColor(255, 0, 0));

  // A box is known by its label whatever it shows; what it shows is its value.
  const struct {
    QWidget* box;
    const char* name;
    const char* value;
  } boxes[] = {{area->Ppalkki()->findChild<QComboBox*>("CBspawn"), "Spawn type", "Normal"},
               {area->CBgrid(), "Grid", "Off"},
               {area->CBzoom(), "Zoom", "100%"}};
  for (const auto& b : boxes) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b.box);
    EXPECT_EQ(a->role(), QAccessible::ComboBox) << b.name;
    EXPECT_EQ(a->text(QAccessible::Name), QString(b.name));
    EXPECT_EQ(a->text(QAccessible::Value), QString(b.value)) << b.name;
    ASSERT_NE(a->textInterface(), nullptr) << b.name;
    EXPECT_EQ(a->textInterface()->text(0, -1), QString(b.value)) << b.name;
  }
  // The window keeps its title as its name when minimised, as it does when shown.
  const QString title = window.windowTitle();
  ASSERT_FALSE(title.isEmpty());
  window.showMinimized();
  EXPECT_EQ(NameOf(&window), title);
  window.showNormal();
  EXPECT_EQ(NameOf(&window), title);

  // A property box the core does not handle yet shows the model's value again after a click.
  auto* lapi = area->Ppalkki()->findChild<QCheckBox*>("CBverticeLapi");
  ed->ctl.CBverticeLapi.enabled = true;
  window.SyncFromModel();
  fixtures::ClickThroughWindow(lapi);
  EXPECT_EQ(lapi->checkState(), ed->ctl.CBverticeLapi.value == 1 ? Qt::Checked : Qt::Unchecked);

  // Keys and the wheel reach the core through the window, whichever child has the focus.
  QWindow* win = window.windowHandle();
  ASSERT_NE(win, nullptr);
  QTest::keyPress(win, Qt::Key_Shift);
  EXPECT_TRUE(ed->shiftDown);
  QTest::keyRelease(win, Qt::Key_Shift);
  EXPECT_FALSE(ed->shiftDown);

  ASSERT_EQ(ed->ctl.CBzoom.listIndex, 2);
  // The test library has no wheel for a window: the event goes to the window itself, as the
  // system's does, past the same filter.
  const auto wheel = [&](int delta) {
    QWheelEvent e(QPointF(300, 300), QPointF(300, 300), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(win, &e);
  };
  wheel(120);
  EXPECT_EQ(ed->ctl.CBzoom.listIndex, 1);
  EXPECT_EQ(area->CBzoom()->currentText(), QString("200%"));
  for (int i = 0; i < 8; ++i) wheel(15);
  EXPECT_EQ(ed->ctl.CBzoom.listIndex, 0);
  EXPECT_FLOAT_EQ(ed->view.zoom, 4.0f);
  window.close();
}

}  // namespace
}  // namespace quorvel
