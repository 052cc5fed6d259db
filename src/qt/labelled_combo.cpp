#include "qt/labelled_combo.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

namespace quorvel {

namespace {

// Children as Qt's own combo box has them: the list of the drop-down, then the line edit of a box
// that takes typed text.
class LabelledComboAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit LabelledComboAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

  QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  // The name stays the label; the value is what the box shows.
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Box()->currentText();
    return QAccessibleWidget::text(t);
  }

  int childCount() const override { return Box()->lineEdit() ? 2 : 1; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(Box()->view());
    if (index == 1 && Box()->lineEdit()) return QAccessible::queryAccessibleInterface(Box()->lineEdit());
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    if (child->object() == Box()->view()) return 0;
    if (Box()->lineEdit() && child->object() == Box()->lineEdit()) return 1;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    QLineEdit* edit = Box()->lineEdit();
    if (edit && edit->isVisible() && QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size()).contains(x, y))
      return QAccessible::queryAccessibleInterface(edit);
    return nullptr;
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = Box()->view()->isVisible();
    s.editable = Box()->isEditable();
    return s;
  }

  QStringList actionNames() const override {
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action != showMenuAction() && action != pressAction()) return QAccessibleWidget::doAction(action);
    if (Box()->view()->isVisible())
      Box()->hidePopup();
    else
      Box()->showPopup();
  }

  // Read-only text: the box's current text.
  QString text(int start, int end) const override {
    const QString all = Box()->currentText();
    if (end < 0 || end > all.size()) end = int(all.size());
    return start < 0 || start >= end ? QString() : all.mid(start, end - start);
  }
  int characterCount() const override { return int(Box()->currentText().size()); }
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }
};

QAccessibleInterface* LabelledComboFactory(const QString& key, QObject* object) {
  if (key == QLatin1String("quorvel::LabelledCombo") && object->isWidgetType())
    return new LabelledComboAccessible(static_cast<QComboBox*>(object));
  return nullptr;
}

}  // namespace

LabelledCombo::LabelledCombo(QWidget* parent) : QComboBox(parent) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(LabelledComboFactory);
    return true;
  }();
  (void)factoryInstalled;
}

}  // namespace quorvel
