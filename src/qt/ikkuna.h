#pragma once
#include <QMainWindow>
#include <functional>
#include <vector>

#include "document/editor.h"

class QAction;
class QMenu;

namespace quorvel {

class CanvasWidget;
class CheckWindow;
class HistoryWindow;
class Host;

// The main window: the menu bar, the canvas as its client area, and the bridge between widget
// events and the core's handlers.
class Ikkuna : public QMainWindow {
  Q_OBJECT
 public:
  Ikkuna(Editor& editor, Host& host, QWidget* parent = nullptr);

  // Copies the control model into the widgets; called after every core call.
  void SyncFromModel();
  // Runs a core handler and mirrors its effects.
  void Run(const std::function<void(Editor&)>& handler);
  QAction* ActionFor(const MenuItem& item) const;
  CanvasWidget* CanvasArea() const { return canvasArea_; }
  // The "Map check" window, made the first time Run > Check map opens it.
  CheckWindow* MapCheck() const { return checkWindow_; }
  HistoryWindow* UndoHistory() const { return historyWindow_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  // Keys and the wheel, whichever child has the focus or lies under the pointer.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct MenuBinding {
    MenuItem* item;
    QAction* action;
  };
  void BuildMenus();
  void SyncMenus();
  void ShowUnsaved();
  QMenu* AddMenu(MenuItem& title);
  void AddEntry(QMenu* menu, MenuItem& item, std::function<void(Editor&)> handler);

  Editor& ed_;
  Host& host_;
  CanvasWidget* canvasArea_ = nullptr;
  CheckWindow* checkWindow_ = nullptr;
  HistoryWindow* historyWindow_ = nullptr;
  void HoldMinimumSize();
  std::vector<MenuBinding> bindings_;
  bool activated_ = false;
  bool unloaded_ = false;
};

}  // namespace quorvel
