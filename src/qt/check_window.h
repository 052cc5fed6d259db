#pragma once
#include <QWidget>
#include <functional>

#include "game/check_list.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QTimer;

namespace quorvel {

// "Map check": a window of its own beside the main one, not modal. One line per problem under
// its kind's heading, the count, and "Check again". Choosing a line selects the problem's objects
// in the main window and centres the view on them; nothing here changes the map. While the window
// is open it follows the map: a fifth of a second after a change it checks again, and a choice
// acts only on a line the map still gives.
class CheckWindow : public QWidget {
  Q_OBJECT
 public:
  // `run` runs a core handler the way the main window runs its own, mirroring its effects.
  CheckWindow(Editor& editor, std::function<void(const std::function<void(Editor&)>&)> run, QWidget* mainWindow);

  // Checks the map again and lists what it finds; the line chosen stays chosen while it is listed.
  void Recheck();
  // The main window ran a core call: the map may have changed, so it is checked again soon.
  void MapMayHaveChanged();
  // Shows the window (placed where it was last time, else beside the main one) and checks.
  void Open();
  // Keeps the placement in the settings, as the main window keeps its own.
  void SavePlacement();

  QTreeWidget* List() const { return list_; }
  QLabel* Count() const { return count_; }
  QPushButton* CheckAgain() const { return again_; }

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void Choose(QTreeWidgetItem* item);
  // Lists a check's result unless it is the one shown; true when the list changed.
  bool Show(CheckList fresh);
  bool RestorePlacement();

  Editor& ed_;
  std::function<void(const std::function<void(Editor&)>&)> run_;
  QWidget* main_;
  QTreeWidget* list_;
  QLabel* count_;
  QPushButton* again_;
  QTimer* soon_;
  CheckList current_;
  bool placed_ = false;
};

}  // namespace quorvel
