#include "qt/history_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QVBoxLayout>

namespace quorvel {

namespace {
// Marks the current state's row; a redo step's row is drawn in the disabled text colour.
const QString kCurrentMark = QStringLiteral("\u25B6 ");
}  // namespace

HistoryWindow::HistoryWindow(Editor& editor, std::function<void(const std::function<void(Editor&)>&)> run,
                             QWidget* mainWindow)
    : QDialog(mainWindow), ed_(editor), run_(std::move(run)), main_(mainWindow) {
  setObjectName("UndoHistory");
  setWindowTitle("Undo History");
  setAccessibleName("Undo History");
  setAccessibleDescription("Choose a step to undo or redo to it");

  list_ = new QListWidget(this);
  list_->setObjectName("historySteps");
  list_->setAccessibleName("Steps");
  list_->setAccessibleDescription("The current state is marked; the steps after it can be redone");
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setUniformItemSizes(true);
  summary_ = new QLabel(this);
  summary_->setObjectName("historySummary");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(summary_);

  // A click, the arrow keys or Return on a row go there; the list is rewritten with signals off.
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { Choose(row); });
  connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { Choose(list_->row(item)); });
  setModal(false);
  resize(260, 380);
}

void HistoryWindow::Choose(int row) {
  if (row < 0 || row == CurrentHistoryRow(ed_)) return;
  run_([row](Editor& e) { ChooseHistoryRow(e, row); });
  Sync();
}

void HistoryWindow::Open() {
  if (!placed_ && main_) {
    placed_ = true;
    const QRect frame = main_->frameGeometry();
    move(frame.right() + 1, frame.top());
  }
  Sync();
  show();
  raise();
  activateWindow();
  list_->setFocus();
}

void HistoryWindow::Sync() {
  std::vector<HistoryRow> rows = UndoHistoryRows(ed_);
  const int current = CurrentHistoryRow(ed_);
  if (rows != shown_) {
    const QSignalBlocker quiet(list_);
    // Rows are rewritten in place, never all removed, so the row a click is on outlives it.
    while (list_->count() > static_cast<int>(rows.size())) delete list_->takeItem(list_->count() - 1);
    while (list_->count() < static_cast<int>(rows.size())) list_->addItem(QString());
    const QColor redoColour = palette().color(QPalette::Disabled, QPalette::Text);
    for (size_t i = 0; i < rows.size(); ++i) {
      QListWidgetItem* item = list_->item(static_cast<int>(i));
      const HistoryRow& r = rows[i];
      item->setText((r.current ? kCurrentMark : QString()) + QString::fromStdString(r.text));
      QFont font = list_->font();
      font.setBold(r.current);
      font.setItalic(r.kind == HistoryRowKind::Earliest);
      item->setFont(font);
      item->setForeground(r.kind == HistoryRowKind::Redo ? QBrush(redoColour) : QBrush());
      item->setData(Qt::AccessibleTextRole, QString::fromStdString(r.spoken));
    }
    shown_ = std::move(rows);
    summary_->setText(QString::fromStdString(UndoHistorySummary(ed_)));
    summary_->setAccessibleName(summary_->text());
  }
  if (list_->currentRow() != current) {
    const QSignalBlocker quiet(list_);
    list_->setCurrentRow(current);
    list_->scrollToItem(list_->item(current));
  }
}

}  // namespace quorvel
