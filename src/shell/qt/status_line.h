#pragma once
// The status line in the free part of the bottom bar: the row below the zoom list, from the right
// of "Fixed grid" to the small "Maski" frame. One line: the pointer position, the selection frame
// and the last note, in that order, cut short with an ellipsis where the bar is narrow (the whole
// text stays in the accessible description). It grows with the window; the bars' own layout is
// unchanged.
#include <string>

#include "document/editor.h"

class QLabel;
class QWidget;

namespace quorvel {

class StatusLine {
 public:
  // Made inside the bottom bar `pala`.
  StatusLine(const Editor& editor, QWidget* pala);
  // Text and geometry from the editor; the label is touched only when either changed, so this is
  // cheap enough for every pointer event.
  void Sync();
  QLabel* Label() const { return label_; }

  // Inside the bottom bar: right of "Fixed grid", below the zoom list.
  static constexpr int kLeft = 498, kTop = 29, kHeight = 18;

 private:
  const Editor& ed_;
  QLabel* label_ = nullptr;
  std::string shown_;  // the editor's text last shown
  int shownWidth_ = -1, shownHeight_ = -1;
};

}  // namespace quorvel
