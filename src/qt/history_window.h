#pragma once
#include <QDialog>
#include <functional>
#include <vector>

#include "editing/undo_history.h"

class QLabel;
class QListWidget;

namespace quorvel {

// "Undo History": a window of its own beside the main one, not modal (a dialog to the desktop and
// to screen readers; Escape closes it). It lists the steps (the
// earliest state kept, each undo step, the current one marked, then the redo steps) and says how
// many there are; choosing a row, by click or keys, undoes or redoes to it.
class HistoryWindow : public QDialog {
  Q_OBJECT
 public:
  // `run` runs a core handler the way the main window runs its own, mirroring its effects.
  HistoryWindow(Editor& editor, std::function<void(const std::function<void(Editor&)>&)> run, QWidget* mainWindow);

  // Shows the window (beside the main one the first time) with the steps as they are.
  void Open();
  // Follows the editor's steps; cheap when nothing changed.
  void Sync();

  QListWidget* List() const { return list_; }
  QLabel* Summary() const { return summary_; }

 private:
  void Choose(int row);

  Editor& ed_;
  std::function<void(const std::function<void(Editor&)>&)> run_;
  QWidget* main_;
  QListWidget* list_;
  QLabel* summary_;
  std::vector<HistoryRow> shown_;
  bool placed_ = false;
};

}  // namespace quorvel
