#pragma once
#include <functional>

#include "qt/labelled_combo.h"

class QKeyEvent;

namespace quorvel {

// A property combo box: tells its owner before its list opens and when Enter is pressed in its
// typed text, and whether the user has typed since it was last set.
class PanelCombo : public LabelledCombo {
  Q_OBJECT
 public:
  using LabelledCombo::LabelledCombo;
  std::function<void()> beforePopup;
  std::function<void()> onEnter;
  bool typed = false;
  void showPopup() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quorvel
