#include "qt/ikkuna.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "document/host.h"
#include "document/numeric.h"
#include "editing/arrange.h"
#include "editing/clipboard.h"
#include "editing/keys.h"
#include "editing/redo_command.h"
#include "editing/select_all.h"
#include "editing/undo_command.h"
#include "app/about.h"
#include "game/compile.h"
#include "app/import_dialog.h"
#include "app/lifecycle.h"
#include "app/recovery.h"
#include "app/run_game.h"
#include "app/unsaved_question.h"
#include "app/window_title.h"
#include "qt/canvas_widget.h"
#include "qt/check_window.h"
#include "qt/history_window.h"
#include "qt/qt_host.h"
#include "qt/status_line.h"
#include "view/filled_view.h"
#include "view/fit_view.h"
#include "view/outlines.h"
#include "view/layout.h"
#include "view/view.h"

namespace quorvel {

namespace {
Qt::CursorShape CursorFor(PointerShape shape) {
  switch (shape) {
    case PointerShape::Cross: return Qt::CrossCursor;
    case PointerShape::SizeAll: return Qt::SizeAllCursor;
    case PointerShape::SizeNWSE: return Qt::SizeFDiagCursor;
    case PointerShape::Default: break;
  }
  return Qt::ArrowCursor;
}

// The key codes the key handlers know; 0 for every other key.
int VirtualKey(const QKeyEvent& e) {
  const bool keypad = e.modifiers().testFlag(Qt::KeypadModifier);
  switch (e.key()) {
    case Qt::Key_Shift: return kKeyShift;
    case Qt::Key_Control: return kKeyCtrl;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Down: return kKeyDown;
    case Qt::Key_Plus: return keypad ? kKeyPadPlus : 0;
    case Qt::Key_Minus: return keypad ? kKeyPadMinus : 0;
    default: return 0;
  }
}

// One or more shortcuts, apart by "; ".
QList<QKeySequence> Shortcuts(const std::string& text) {
  if (text == "Del") return {QKeySequence(Qt::Key_Delete)};
  QList<QKeySequence> keys;
  for (const QString& one : QString::fromStdString(text).split(QStringLiteral("; ")))
    keys.append(QKeySequence(one));
  return keys;
}
}  // namespace

Ikkuna::Ikkuna(Editor& editor, Host& host, QWidget* parent) : QMainWindow(parent), ed_(editor), host_(host) {
  setObjectName("Ikkuna");
  ed_.host = &host_;
  canvasArea_ = new CanvasWidget(ed_, this);
  canvasArea_->setObjectName("canvas");
  // The canvas widget has already synced its own controls: only the menus are left.
  canvasArea_->afterCoreCall = [this] {
    SyncMenus();
    ShowUnsaved();
    if (checkWindow_) checkWindow_->MapMayHaveChanged();
  };
  canvasArea_->beforeResize = [this] {
    if (ed_.restorePlacementPending) {
      ed_.restorePlacementPending = false;
      RestoreWindowPlacement(ed_);
    }
  };
  setCentralWidget(canvasArea_);
  if (auto* qt = dynamic_cast<QtHost*>(&host_)) {
    qt->SetWindow(this);
    qt->onFocusBottomBar = [this] { canvasArea_->FocusBottomBar(); };
    qt->onPointer = [this](PointerShape shape) { canvasArea_->setCursor(CursorFor(shape)); };
    // A dialog can wait for the user a long time: a crash meanwhile keeps the map as it stands.
    qt->beforeModal = [this] { UpdateRecovery(ed_); };
  }
  BuildMenus();
  LoadFilledSetting(ed_);
  LoadOutlinesSetting(ed_);
  // The status line has a strip of its own under the bars, the whole width of the window.
  setStatusBar(canvasArea_->Status().Bar());
  SyncMenus();
  HoldMinimumSize();
  // Key and wheel events reach this window's QWindow before any child sees them; filtering there
  // (and not on the widgets) sees each event once, and never one meant for a dialog or a menu.
  qApp->installEventFilter(this);
}

QMenu* Ikkuna::AddMenu(MenuItem& title) {
  QMenu* menu = menuBar()->addMenu(QString::fromStdString(title.caption));
  // The open list is named by its menu, as screen readers announce it.
  menu->setAccessibleName(QString::fromStdString(title.caption).remove(QLatin1Char('&')).trimmed());
  menuBar()->setAccessibleName(QStringLiteral("Menu bar"));
  bindings_.push_back({&title, menu->menuAction()});
  return menu;
}

void Ikkuna::AddEntry(QMenu* menu, MenuItem& item, std::function<void(Editor&)> handler) {
  QAction* action = nullptr;
  if (item.caption == "-") {
    action = menu->addSeparator();
  } else {
    action = menu->addAction(QString::fromStdString(item.caption));
    if (!item.shortcut.empty()) action->setShortcuts(Shortcuts(item.shortcut));
    if (handler) connect(action, &QAction::triggered, this, [this, handler] { Run(handler); });
  }
  action->setObjectName(QString::fromStdString(item.name));
  bindings_.push_back({&item, action});
}

void Ikkuna::BuildMenus() {
  Controls& c = ed_.ctl;
  QMenu* file = AddMenu(c.MenuFile);
  AddEntry(file, c.MenuNew, AskThenNew);
  AddEntry(file, c.MenuOpen, AskThenOpen);
  AddEntry(file, c.MenuSave, MenuSave_Click);
  AddEntry(file, c.MenuSaveAs, MenuSaveAs_Click);
  AddEntry(file, c.MenuEmpty1, nullptr);
  AddEntry(file, c.MenuImport, MenuImport_Click);
  AddEntry(file, c.MenuExport, MenuExport_Click);
  AddEntry(file, c.MenuEmpty2, nullptr);
  for (int i = 0; i < 5; ++i)
    AddEntry(file, c.MenuRekentti[i], [i](Editor& e) { AskThenOpenRecent(e, i); });
  AddEntry(file, c.MenuEmpty3, nullptr);
  AddEntry(file, c.MenuExit, MenuExit_Click);

  QMenu* edit = AddMenu(c.MenuEdit);
  AddEntry(edit, c.MenuUndo, MenuUndo_Click);
  AddEntry(edit, c.MenuRedo, MenuRedo_Click);
  AddEntry(edit, c.MenuUndoHistory, [this](Editor&) {
    if (!historyWindow_)
      historyWindow_ = new HistoryWindow(ed_, [this](const std::function<void(Editor&)>& handler) { Run(handler); }, this);
    historyWindow_->Open();
  });
  AddEntry(edit, c.MenuEmpty4, nullptr);
  AddEntry(edit, c.MenuCopy, MenuCopy_Click);
  AddEntry(edit, c.MenuPaste, MenuPaste_Click);
  AddEntry(edit, c.MenuMirror, MenuMirror_Click);
  AddEntry(edit, c.MenuFlip, MenuFlip_Click);
  AddEntry(edit, c.MenuEmpty5, nullptr);
  AddEntry(edit, c.MenuFront, MenuFront_Click);
  AddEntry(edit, c.MenuBack, MenuBack_Click);
  AddEntry(edit, c.MenuEmpty6, nullptr);
  AddEntry(edit, c.MenuDelete, MenuDelete_Click);
  AddEntry(edit, c.MenuSelectAll, MenuSelectAll_Click);

  QMenu* view = AddMenu(c.MenuView);
  AddEntry(view, c.MenuFilled, MenuFilled_Click);
  ActionFor(c.MenuFilled)->setCheckable(true);
  AddEntry(view, c.MenuOutlines, MenuOutlines_Click);
  ActionFor(c.MenuOutlines)->setCheckable(true);
  AddEntry(view, c.MenuEmpty7, nullptr);
  AddEntry(view, c.MenuFitMap, MenuFitMap_Click);
  AddEntry(view, c.MenuCentre, MenuCentre_Click);

  QMenu* run = AddMenu(c.MenuRun);
  AddEntry(run, c.MenuRunMaker, MenuRunMaker_Click);
  AddEntry(run, c.MenuRunZarnok, MenuRunZarnok_Click);
  AddEntry(run, c.MenuRunCompile, MenuRunCompile_Click);
  AddEntry(run, c.MenuRunAll, MenuRunAll_Click);
  AddEntry(run, c.MenuRunCheck, [this](Editor&) {
    if (!checkWindow_)
      checkWindow_ = new CheckWindow(ed_, [this](const std::function<void(Editor&)>& handler) { Run(handler); }, this);
    checkWindow_->Open();
  });

  QMenu* help = AddMenu(c.MenuHelpA);
  AddEntry(help, c.MenuHelp, MenuHelp_Click);
  AddEntry(help, c.MenuAbout, MenuAbout_Click);
}

QAction* Ikkuna::ActionFor(const MenuItem& item) const {
  for (const MenuBinding& b : bindings_)
    if (b.item == &item) return b.action;
  return nullptr;
}

// The smallest outer window is fixed in twips; Qt limits the window without its frame, so the
// frame's share is taken off (none without a window manager).
void Ikkuna::HoldMinimumSize() {
  OuterSize outer = MinimumOuterPixels(ed_.ctl);
  int frameW = frameGeometry().width() - width();
  int frameH = frameGeometry().height() - height();
  setMinimumSize(std::max(1, outer.width - frameW), std::max(1, outer.height - frameH));
}

void Ikkuna::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  HoldMinimumSize();
}

void Ikkuna::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // A minimised window is named by its icon text: keep that the title, so that screen readers
  // and scripts know the window by one name in every state.
  if (event->type() == QEvent::WindowTitleChange) setWindowIconText(windowTitle());
  // Coming back from the taskbar after the game need not resize the window: the saved placement
  // is restored when the window is shown again all the same.
  if (event->type() == QEvent::WindowStateChange && ed_.restorePlacementPending && !isMinimized()) {
    ed_.restorePlacementPending = false;
    RestoreWindowPlacement(ed_);
    return;
  }
  // Keys go to the canvas's handler, not to whichever bar control last had the focus.
  if (event->type() != QEvent::ActivationChange) return;
  if (isActiveWindow()) {
    if (!ed_.firstActivation) Run(ParkFocus);
  } else {
    // A modifier released while another window has the keys would otherwise stay down for good.
    Form_KeyUp(ed_, kKeyShift);
    Form_KeyUp(ed_, kKeyCtrl);
  }
}

bool Ikkuna::eventFilter(QObject* watched, QEvent* event) {
  if (watched == nullptr || watched != windowHandle()) return QMainWindow::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress: {
      // Auto-repeat goes on: a held arrow keeps nudging.
      const int code = VirtualKey(*static_cast<QKeyEvent*>(event));
      if (code == 0) break;
      const bool used = Form_KeyDown(ed_, code);
      SyncFromModel();
      return used;  // an unused key goes on to the focus widget and the menu shortcuts
    }
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      const int code = VirtualKey(*key);
      if (code != 0 && !key->isAutoRepeat()) Form_KeyUp(ed_, code);
      break;
    }
    case QEvent::Wheel:
      // The wheel only zooms: no combo box under the pointer scrolls its items.
      WheelInput(ed_, static_cast<QWheelEvent*>(event)->angleDelta().y());
      SyncFromModel();
      return true;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void Ikkuna::SyncFromModel() {
  SyncMenus();
  canvasArea_->SyncFromModel();
  ShowUnsaved();
  if (checkWindow_) checkWindow_->MapMayHaveChanged();
}

// The title names the map's file and, while the map has unsaved changes, carries the desktop's
// mark ("[*]" is where Qt shows it).
void Ikkuna::ShowUnsaved() {
  const auto* qt = dynamic_cast<const QtHost*>(&host_);
  if (qt == nullptr) return;
  const bool changed = ed_.unsaved.changed;
  // A recovered map has no file yet: it is named by the map it was recovered from.
  const std::string name =
      ed_.doc.info.fileName.empty() && ed_.recovered ? MapShownName(ed_) : ed_.doc.info.fileName;
  const QString title = QString::fromStdString(WindowTitle(qt->Caption(), name, changed, "[*]"));
  if (windowTitle() != title) setWindowTitle(title);
  if (isWindowModified() != changed) setWindowModified(changed);
}


void Ikkuna::SyncMenus() {
  for (const MenuBinding& b : bindings_) {
    if (b.item->caption != "-") b.action->setText(QString::fromStdString(b.item->caption));
    b.action->setEnabled(b.item->enabled);
    b.action->setVisible(b.item->visible);
    if (b.action->isCheckable()) b.action->setChecked(b.item->checked);
  }
  if (historyWindow_) historyWindow_->Sync();  // the steps follow the Undo and Redo entries
}

void Ikkuna::Run(const std::function<void(Editor&)>& handler) {
  // Shift held while a file is opened lets a wrong-length map be read anyway.
  ed_.shiftDown = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
  handler(ed_);
  SyncFromModel();
}

void Ikkuna::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The first activation runs once the window is on screen, as a queued call so the show finishes.
  if (!activated_) {
    activated_ = true;
    QTimer::singleShot(0, this, [this] { Run(Form_Activate); });
  }
}

void Ikkuna::closeEvent(QCloseEvent* event) {
  if (!unloaded_) {
    // File Exit, the close button and a desktop logout all ask here first.
    const bool mayClose = Form_QueryUnload(ed_);
    SyncFromModel();
    if (!mayClose) {
      event->ignore();
      return;
    }
    unloaded_ = true;
    if (checkWindow_ && checkWindow_->isVisible()) checkWindow_->SavePlacement();
    Form_Unload(ed_);
  }
  event->accept();
}

}  // namespace quorvel
