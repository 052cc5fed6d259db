#pragma once
// The status line: a strip of its own under the bars, the whole width of the window, so that every
// part of it can be read at the window's smallest size. Three parts from the left: the pointer
// position, the selection frame's size and the last note (a save or Compile). The first two are
// always shown whole; the note takes the rest of the strip and is cut short with an ellipsis only
// when it cannot fit (a very long file name), its whole text then in its tool tip and accessible
// description.
#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <array>
#include <string>

#include "document/editor.h"


namespace quorvel {

// A label that keeps its whole text and shows as much of it as its width allows.
class FittedLabel : public QLabel {
  Q_OBJECT
 public:
  explicit FittedLabel(QWidget* parent = nullptr);
  void SetWholeText(const QString& text);
  const QString& WholeText() const { return whole_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Fit();
  QString whole_;
};

class StatusLine {
 public:
  // The strip is made without a parent; the main window takes it as its status bar. Until then
  // (a canvas without a main window, in tests) this object owns it.
  explicit StatusLine(const Editor& editor);
  ~StatusLine();
  StatusLine(const StatusLine&) = delete;
  StatusLine& operator=(const StatusLine&) = delete;

  // Texts from the editor; a label is touched only when its text changed, so this is cheap enough
  // for every pointer event.
  void Sync();
  QStatusBar* Bar() const { return bar_; }
  // 0 the pointer position, 1 the frame size, 2 the note.
  FittedLabel* Part(int i) const { return parts_[static_cast<size_t>(i)]; }
  // The non-empty parts apart by three blanks, as screen readers get the whole line.
  QString WholeText() const;

 private:
  const Editor& ed_;
  QPointer<QStatusBar> bar_;
  std::array<FittedLabel*, 3> parts_{};
  std::array<std::string, 3> shown_;
};

}  // namespace quorvel
