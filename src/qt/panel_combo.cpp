#include "qt/panel_combo.h"

#include <QKeyEvent>

namespace quorvel {

void PanelCombo::showPopup() {
  if (beforePopup) beforePopup();
  typed = false;
  QComboBox::showPopup();
}

void PanelCombo::keyPressEvent(QKeyEvent* event) {
  // Enter in the typed text. The box has the focus (its line edit is only its proxy), so a real
  // key press arrives here first; one handed to the line edit comes here too, once the line edit
  // has passed it up. Either way it is told once, and never given to the line edit, whose own
  // handling would pick a list item that matches the text.
  if (lineEdit() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    event->accept();
    if (onEnter) onEnter();
    return;
  }
  QComboBox::keyPressEvent(event);
}

}  // namespace quorvel
