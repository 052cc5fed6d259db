#pragma once
// Copies one control's model state into its widget with the widget's signals blocked, and
// remembers what it copied. The pointer-motion path syncs after every event, so a widget is
// touched only when its model state differs from the last copy. A user's action can leave the
// widget showing what the model does not (a click ticks a box before any handler runs): Forget()
// makes the next Sync copy everything again.
#include <QSignalBlocker>
#include <optional>

#include "document/controls.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace quorvel {

class CaptionFrame;

// The model state of each kind, written into a widget. `before` is what was copied last time
// (null after Forget), so a combo box's list is rebuilt only when its items changed.
void Apply(QCheckBox* w, const CheckBox& m, const CheckBox* before);
void Apply(QRadioButton* w, const OptionButton& m, const OptionButton* before);
void Apply(QPushButton* w, const Button& m, const Button* before);
void Apply(QLabel* w, const Label& m, const Label* before);
void Apply(QComboBox* w, const ComboBox& m, const ComboBox* before);
void Apply(CaptionFrame* w, const Frame& m, const Frame* before);  // caption, its colour, visibility
void Apply(QWidget* w, const Frame& m, const Frame* before);       // a placed bar: geometry, visibility

bool Same(const CheckBox& a, const CheckBox& b);
bool Same(const OptionButton& a, const OptionButton& b);
bool Same(const Button& a, const Button& b);
bool Same(const Label& a, const Label& b);
bool Same(const ComboBox& a, const ComboBox& b);
bool Same(const Frame& a, const Frame& b);

// A check box's caption that is wider than the box wraps at blanks (the box grows no wider);
// the accessible name keeps the caption on one line.
void SetWrappedCaption(QAbstractButton* w, const std::string& caption);

template <typename Model, typename Widget>
class Mirror {
 public:
  Mirror() = default;
  explicit Mirror(Widget* w) : w_(w) {}
  Widget* widget() const { return w_; }
  void Forget() { last_.reset(); }
  void Sync(const Model& m) {
    if (last_ && Same(*last_, m)) return;
    const QSignalBlocker block(w_);
    Apply(w_, m, last_ ? &*last_ : nullptr);
    last_ = m;
  }

 private:
  Widget* w_ = nullptr;
  std::optional<Model> last_;
};

using CheckMirror = Mirror<CheckBox, QCheckBox>;
using OptionMirror = Mirror<OptionButton, QRadioButton>;
using ButtonMirror = Mirror<Button, QPushButton>;
using LabelMirror = Mirror<Label, QLabel>;
using ComboMirror = Mirror<ComboBox, QComboBox>;
using FrameMirror = Mirror<Frame, CaptionFrame>;
using PlaceMirror = Mirror<Frame, QWidget>;

}  // namespace quorvel
