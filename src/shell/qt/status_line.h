#pragma once
// The status line in the free part of the bottom bar, right of the zoom list and left of the
// small "Maski" frame: three short lines (pointer position, selection frame, last note). It grows
// with the window and is clipped at the smallest one; the bars' own layout is unchanged.
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

  // Left edge inside the bottom bar: just right of the "Zoom" label.
  static constexpr int kLeft = 592;

 private:
  const Editor& ed_;
  QLabel* label_ = nullptr;
  std::string shown_;
  int shownWidth_ = -1, shownHeight_ = -1;
};

}  // namespace quorvel
