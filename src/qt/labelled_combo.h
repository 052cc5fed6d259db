#pragma once
// A combo box that a screen reader knows by its label. Qt's own accessible combo box on Linux is
// named by its current text ("Long Grass", "100%"), which changes with every selection and says
// nothing of what the box is for; this one is named by its accessibleName ("Scenery style") and
// gives its text as the accessible value and as read-only accessible text.
#include <QComboBox>

namespace quorvel {

class LabelledCombo : public QComboBox {
  Q_OBJECT
 public:
  // The label is set as usual, with setAccessibleName.
  explicit LabelledCombo(QWidget* parent = nullptr);
};

}  // namespace quorvel
