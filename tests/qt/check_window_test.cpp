// The "Map check" window on the real main window, with keys and clicks sent to the windows the way
// the system delivers them: F7 opens it beside the map, a line selects and centres its objects,
// "Check again" follows the fixes, and the window keeps its placement.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>
#include <memory>

#include "document/file_io.h"
#include "document/map_file.h"
#include "fixtures/map_builder.h"
#include "fixtures/quiet_qt_host.h"
#include "fixtures/qt_window.h"
#include "editing/arrange.h"
#include "editing/selection.h"
#include "game/compile.h"
#include "qt/check_window.h"
#include "qt/ikkuna.h"

namespace quorvel {
namespace {

class Host : public fixtures::QuietQtHost {
 public:
  std::string commandLine;
  std::string CommandLine() override { return commandLine; }
};

// A level with exactly four faults: a spawn inside the wall, a wall added after Compile, a one-way
// dead end on path 1 and an island of three waypoints.
MapDocument FaultyLevel() {
  MapDocument d = fixtures::NewMap();
  fixtures::AddTriangle(d, -300, -300, 300, -300, -300, 300);
  fixtures::AddSpawn(d, 200, 200);
  fixtures::AddSpawn(d, -200, -200);
  for (float x : {50.f, 100.f, 150.f, 200.f}) fixtures::AddWaypoint(d, x, 150, 1);
  fixtures::Link(d, 0, 1);
  fixtures::Link(d, 1, 2);
  fixtures::Link(d, 2, 0);
  fixtures::Link(d, 2, 3);  // 3 leads nowhere
  for (float x : {50.f, 100.f, 150.f}) fixtures::AddWaypoint(d, x, 0, 1);
  fixtures::Link(d, 4, 5);
  fixtures::Link(d, 5, 6);
  fixtures::Link(d, 6, 4);
  fixtures::AddWaypoint(d, 50, 250, 2);
  fixtures::AddWaypoint(d, 100, 250, 2);
  fixtures::Link(d, 7, 8);
  fixtures::Link(d, 8, 7);
  fixtures::Compile(d);
  fixtures::AddTriangle(d, 0, 0, 20, 0, 0, 20);
  return d;
}

QStringList Lines(QTreeWidget* list) {
  QStringList lines;
  for (int g = 0; g < list->topLevelItemCount(); ++g) {
    lines << list->topLevelItem(g)->text(0);
    for (int k = 0; k < list->topLevelItem(g)->childCount(); ++k) lines << "  " + list->topLevelItem(g)->child(k)->text(0);
  }
  return lines;
}

void Click(QWidget* window, QWidget* target, QPoint at) {
  const QPoint p = target->mapTo(window, at);
  QTest::mouseMove(window->windowHandle(), p);
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, p);
}

TEST(MapCheckWindow, FindsTheFaultsChoosesTheirObjectsAndFollowsTheFixes) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("level.pmp").toStdString();
  std::vector<uint8_t> bytes;
  EncodeMap(FaultyLevel(), nullptr, bytes);
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, bytes, error)) << error;

  auto ed = std::make_unique<Editor>();
  Host host;
  host.commandLine = path;
  Ikkuna window(*ed, host);
  window.resize(900, 650);
  ASSERT_TRUE(fixtures::ShowAndActivate(window, *ed));
  ASSERT_EQ(ed->doc.info.fileName, path);
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.windowHandle(), 2000));

  // F7, as the Run menu shows it, opens the window beside the main one; it is not modal.
  EXPECT_EQ(window.ActionFor(ed->ctl.MenuRunCheck)->text(), "C&heck map");
  EXPECT_EQ(window.ActionFor(ed->ctl.MenuRunCheck)->shortcut(), QKeySequence(Qt::Key_F7));
  QTest::keyClick(window.windowHandle(), Qt::Key_F7);
  CheckWindow* check = window.MapCheck();
  ASSERT_NE(check, nullptr);
  ASSERT_TRUE(check->isVisible());
  EXPECT_EQ(check->windowTitle(), "Map check");
  EXPECT_FALSE(check->isModal());
  EXPECT_GE(check->frameGeometry().left(), window.frameGeometry().right());

  QTreeWidget* list = check->List();
  EXPECT_EQ(Lines(list), (QStringList{
                             "Spawns inside walls (1)",
                             "  spawn 1 lies inside solid polygon 0",
                             "Sector grid (1)",
                             "  the sector grid is out of date: use Compile (F9) before playing",
                             "Waypoints with no way out (1)",
                             "  waypoint 3 (path 1): no way out, bots that reach it get stuck",
                             "Paths that split the bots (1)",
                             "  path 1 has 2 closed parts, bots that reach one never leave it: waypoint 3; waypoints 4-6",
                         }));
  EXPECT_EQ(check->Count()->text(), "4 problems");

  // Every control and line has a name for a screen reader.
  for (QWidget* w : {static_cast<QWidget*>(list), static_cast<QWidget*>(check->Count()),
                     static_cast<QWidget*>(check->CheckAgain())})
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty()) << w->objectName().toStdString();
  EXPECT_EQ(QAccessible::queryAccessibleInterface(check->CheckAgain())->text(QAccessible::Name), "Check again");
  QAccessibleInterface* listAccess = QAccessible::queryAccessibleInterface(list);
  EXPECT_EQ(listAccess->text(QAccessible::Name), "Problems");
  QStringList names;
  for (int i = 0; i < listAccess->childCount(); ++i) names << listAccess->child(i)->text(QAccessible::Name);
  EXPECT_TRUE(names.contains("waypoint 3 (path 1): no way out, bots that reach it get stuck")) << names.join('|').toStdString();

  // Choosing the dead end selects that waypoint as the Edit tool would and centres it; the map
  // stays as it was.
  std::vector<uint8_t> before;
  EncodeMap(ed->doc, nullptr, before);
  QTreeWidgetItem* deadEnd = list->topLevelItem(2)->child(0);
  list->scrollToItem(deadEnd);
  Click(check, list->viewport(), list->visualItemRect(deadEnd).center());
  EXPECT_EQ(ed->currentTool, 0);
  ASSERT_EQ(ed->sel.selLast, 0);
  ASSERT_EQ(ed->sel.selWaypointLast, 0);
  EXPECT_EQ(ed->sel.selWaypoint[0], 3);
  EXPECT_FLOAT_EQ(ed->view.viewX, 200);
  EXPECT_FLOAT_EQ(ed->view.viewY, 150);
  std::vector<uint8_t> after;
  EncodeMap(ed->doc, nullptr, after);
  EXPECT_EQ(after, before);

  // The spawn line selects the spawn and the wall it stands in, hidden layers shown again.
  ed->view.showFlags[1] = 0;
  QTreeWidgetItem* spawn = list->topLevelItem(0)->child(0);
  Click(check, list->viewport(), list->visualItemRect(spawn).center());
  EXPECT_EQ(ed->sel.selSpawnLast, 0);
  EXPECT_EQ(ed->sel.selVertexLast, 2);
  EXPECT_EQ(ed->view.showFlags[1], 1);

  // Compile (F9 in the main window) and the fixes: "Check again" finds nothing.
  window.activateWindow();
  // The main window counts as active while its check window is: wait for the keys themselves.
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 2000));
  QTest::keyClick(window.windowHandle(), Qt::Key_F9);
  ASSERT_EQ(window.ActionFor(ed->ctl.MenuUndo)->text(), "&Undo Move");  // Compile's centring step
  ed->doc.spawns[1].x = 250 * 256;
  ed->doc.spawns[1].y = 250 * 256;
  fixtures::Link(ed->doc, 3, 0);
  fixtures::Link(ed->doc, 0, 4);
  fixtures::Link(ed->doc, 4, 0);
  Click(check, check->CheckAgain(), check->CheckAgain()->rect().center());
  EXPECT_TRUE(Lines(list).isEmpty()) << Lines(list).join('\n').toStdString();
  EXPECT_EQ(check->Count()->text(), "No problems found");

  // The placement is kept like the main window's and a new window takes it up again.
  check->move(240, 180);
  check->close();
  CheckWindow again(*ed, [](const std::function<void(Editor&)>&) {}, &window);
  again.Open();
  EXPECT_EQ(again.frameGeometry().topLeft(), check->frameGeometry().topLeft());
  EXPECT_EQ(again.frameGeometry().size(), check->frameGeometry().size());
  again.close();
  window.close();
}

// While open, the window follows the map without "Check again": after F9 and Ctrl+Z in the main
// window, and after a change the list has not caught up with, whose old line then chooses nothing.
TEST(MapCheckWindow, FollowsTheMapAndNeverChoosesAStaleLine) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("level.pmp").toStdString();
  std::vector<uint8_t> bytes;
  EncodeMap(FaultyLevel(), nullptr, bytes);
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, bytes, error)) << error;
  auto ed = std::make_unique<Editor>();
  Host host;
  host.commandLine = path;
  Ikkuna window(*ed, host);
  window.resize(900, 650);
  ASSERT_TRUE(fixtures::ShowAndActivate(window, *ed));
  QTest::keyClick(window.windowHandle(), Qt::Key_F7);
  CheckWindow* check = window.MapCheck();
  ASSERT_NE(check, nullptr);
  QTreeWidget* list = check->List();
  const QString deadEnd = "  waypoint 3 (path 1): no way out, bots that reach it get stuck";
  ASSERT_TRUE(Lines(list).contains(deadEnd));

  // Waypoint 0 deleted behind the list's back: every later waypoint has a new number, and the
  // old line would name another waypoint. Chosen now, it selects nothing; the list catches up.
  SelectInRect(*ed, 45, 145, 55, 155, false, kSelectAll);
  ASSERT_EQ(ed->sel.selWaypointLast, 0);
  MenuDelete_Click(*ed);
  ASSERT_EQ(ed->sel.selLast, -1);
  QTreeWidgetItem* old = list->topLevelItem(2)->child(0);
  ASSERT_EQ("  " + old->text(0), deadEnd);
  Click(check, list->viewport(), list->visualItemRect(old).center());
  EXPECT_EQ(ed->sel.selLast, -1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Lines(list).contains(deadEnd); }, 5000)) << Lines(list).join('\n').toStdString();
  const QString now = "  waypoint 2 (path 1): no way out, bots that reach it get stuck";
  ASSERT_TRUE(Lines(list).contains(now)) << Lines(list).join('\n').toStdString();
  QTreeWidgetItem* fresh = list->topLevelItem(2)->child(0);
  ASSERT_EQ("  " + fresh->text(0), now);
  Click(check, list->viewport(), list->visualItemRect(fresh).center());
  ASSERT_EQ(ed->sel.selWaypointLast, 0);
  EXPECT_EQ(ed->sel.selWaypoint[0], 2);

  // F9 in the main window: the grid line goes; Ctrl+Z brings it back.
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 2000));
  auto hasGrid = [&] { return Lines(list).contains("Sector grid (1)"); };
  ASSERT_TRUE(hasGrid());
  QTest::keyClick(window.windowHandle(), Qt::Key_F9);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !hasGrid(); }, 5000));
  QTest::keyClick(window.windowHandle(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(QTest::qWaitFor(hasGrid, 5000));
  check->close();
  window.close();
}

}  // namespace
}  // namespace quorvel
