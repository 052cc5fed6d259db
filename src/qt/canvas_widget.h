#pragma once
// The main window's client area: shows the QtCanvas image, turns mouse events into the core's
// pointer handlers, lays the three bars and the two "Maski" frames over itself from the control
// model, and holds the bars' widgets: the bottom bar's own (zoom, grid, fixed grid, "Show"), the
// top bar's tools (TopBar) and the side panel (SidePanel).
//
// Use: construct with the editor, make it the main window's central widget. It points
// editor.canvas at its own QtCanvas for its lifetime. After every core call it makes, it copies the
// control model into its widgets and then runs afterCoreCall, where the main window syncs its
// menus; code outside that changes the model calls SyncFromModel() itself. Syncing is
// cheap enough for every pointer event: a widget is touched only when its model state changed.
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "document/editor.h"
#include "qt/control_mirror.h"
#include "qt/qt_canvas.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;

namespace quorvel {

class CaptionFrame;
class SidePanel;
class StatusLine;
class TopBar;

class CanvasWidget : public QWidget {
  Q_OBJECT

 public:
  explicit CanvasWidget(Editor& editor, QWidget* parent = nullptr);
  ~CanvasWidget() override;

  QtCanvas& canvas() { return canvas_; }

  // Control model -> widgets (signals blocked) and the bars' geometry; then a repaint.
  void SyncFromModel();
  // The next sync copies every control again, whether or not its model state changed.
  void ForgetMirrored();
  // Keyboard focus to the bottom bar, so keys go to the window rather than a list or a box.
  void FocusBottomBar();

  // Runs after each core call this widget makes (mouse, resize, bottom-bar controls).
  std::function<void()> afterCoreCall;
  // Runs first on every resize, before the bars are laid out (the main window restores a pending
  // window placement there).
  std::function<void()> beforeResize;

  // The bars and controls, for the main window and for tests.
  QFrame* Pyla() const { return pyla_; }
  QFrame* Pala() const { return pala_; }
  QFrame* Ppalkki() const { return ppalkki_; }
  QGroupBox* Fmaski(int i) const { return fmaski_[static_cast<size_t>(i)]; }
  QComboBox* CBzoom() const { return cbZoom_; }
  QComboBox* CBgrid() const { return cbGrid_; }
  QCheckBox* CBfixed() const { return cbFixed_; }
  CaptionFrame* Fnayta() const { return fnayta_; }
  QCheckBox* CBnayta(int i) const { return cbNayta_[static_cast<size_t>(i)].widget(); }
  SidePanel& Panel() const { return *panel_; }
  StatusLine& Status() const { return *status_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void BuildBottomBar();
  void CoreCallDone();
  void UserCheck(CheckBox& model, const std::function<void()>& handler);

  Editor& ed_;
  QtCanvas canvas_;
  QFrame* pyla_ = nullptr;
  QFrame* pala_ = nullptr;
  QFrame* ppalkki_ = nullptr;
  std::array<QGroupBox*, 2> fmaski_{};
  std::array<PlaceMirror, 5> placed_;  // Pyla, Pala, Ppalkki, Fmaski(0), Fmaski(1)
  QComboBox* cbZoom_ = nullptr;
  QLabel* lZoom_ = nullptr;
  QComboBox* cbGrid_ = nullptr;
  QCheckBox* cbFixed_ = nullptr;
  CaptionFrame* fnayta_ = nullptr;
  ComboMirror zoom_, grid_;
  CheckMirror fixed_;
  FrameMirror nayta_;
  std::array<CheckMirror, 7> cbNayta_;
  std::unique_ptr<TopBar> topBar_;
  std::unique_ptr<SidePanel> panel_;
  std::unique_ptr<StatusLine> status_;
};

}  // namespace quorvel
