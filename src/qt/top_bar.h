#pragma once
// The top bar `Pyla`: the six tool option buttons `OBvalinta` in one row, mirrored from the control
// model. A user's click on a tool that is not on runs the tool switch.
#include <array>
#include <functional>

#include "document/editor.h"
#include "qt/control_mirror.h"

class QFrame;

namespace quorvel {

class TopBar {
 public:
  // coreCallDone runs after the tool switch: it syncs all widgets from the model.
  TopBar(Editor& editor, QFrame* pyla, std::function<void()> coreCallDone);
  void Sync();
  void Forget();

 private:
  Editor& ed_;
  std::function<void()> coreCallDone_;
  std::array<OptionMirror, 6> obValinta_;
};

}  // namespace quorvel
