#include "qt/check_window.h"

#include <QAccessibleWidget>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "document/host.h"
#include "app/lifecycle.h"

namespace quorvel {

namespace {
constexpr int kTwipsPerPixel = 15;  // as the main window's placement is kept
constexpr const char* kSection = "Map check";
// How long after a change the map is checked again: a burst of changes (a drag) costs one check
// every interval, and the list is never more than this behind the map.
constexpr int kRecheckDelayMs = 200;

bool SameLines(const CheckList& a, const CheckList& b) {
  if (a.lines.size() != b.lines.size()) return false;
  for (size_t i = 0; i < a.lines.size(); ++i)
    if (a.lines[i].text != b.lines[i].text) return false;
  return true;
}

// A plain widget shown as a window would be a "filler" to screen readers; this one is a window.
QAccessibleInterface* CheckWindowAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String(CheckWindow::staticMetaObject.className()) && object && object->isWidgetType())
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  return nullptr;
}
}  // namespace

CheckWindow::CheckWindow(Editor& editor, std::function<void(const std::function<void(Editor&)>&)> run,
                         QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), ed_(editor), run_(std::move(run)), main_(mainWindow) {
  static const bool roleKnown = (QAccessible::installFactory(CheckWindowAccessible), true);
  (void)roleKnown;
  setObjectName("MapCheck");
  setWindowTitle("Map check");
  setAccessibleName("Map check");

  list_ = new QTreeWidget(this);
  list_->setObjectName("problemList");
  list_->setAccessibleName("Problems");
  list_->setHeaderHidden(true);
  list_->setRootIsDecorated(false);
  list_->setItemsExpandable(false);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  // Long lines scroll rather than lose their end.
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list_->header()->setStretchLastSection(false);
  count_ = new QLabel(this);
  count_->setObjectName("problemCount");
  again_ = new QPushButton("Check again", this);
  again_->setObjectName("checkAgain");
  again_->setAccessibleName("Check again");

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(count_, 1);
  bottom->addWidget(again_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(bottom);

  soon_ = new QTimer(this);
  soon_->setSingleShot(true);
  soon_->setInterval(kRecheckDelayMs);
  connect(soon_, &QTimer::timeout, this, &CheckWindow::Recheck);
  connect(again_, &QPushButton::clicked, this, &CheckWindow::Recheck);
  // Arrow keys and clicks move the current line; a click or Return on it again chooses it again.
  connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { Choose(item); });
  connect(list_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { Choose(item); });
  connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { Choose(item); });
  resize(620, 340);
}

void CheckWindow::Recheck() {
  soon_->stop();
  Show(RunMapCheck(ed_));
}

void CheckWindow::MapMayHaveChanged() {
  if (isVisible() && !soon_->isActive()) soon_->start();
}

bool CheckWindow::Show(CheckList fresh) {
  const bool same = SameLines(fresh, current_);
  current_ = std::move(fresh);  // the objects of a line like "out of date" may differ all the same
  if (same && list_->topLevelItemCount() > 0) return false;
  const QSignalBlocker quiet(list_);
  const QTreeWidgetItem* was = list_->currentItem();
  const QString chosen = was ? was->text(0) : QString();
  const int scrolled = list_->verticalScrollBar()->value();
  list_->clear();
  QTreeWidgetItem* group = nullptr;
  QTreeWidgetItem* again = nullptr;
  for (const CheckLine& line : current_.lines) {
    const QString text = QString::fromStdString(line.text);
    if (line.problem < 0) {
      group = new QTreeWidgetItem(list_, QStringList{text});
      QFont bold = group->font(0);
      bold.setBold(true);
      group->setFont(0, bold);
      // A heading is not a problem: it cannot be chosen.
      group->setFlags(Qt::ItemIsEnabled);
    } else {
      auto* item = new QTreeWidgetItem(group, QStringList{text});
      item->setData(0, Qt::UserRole, line.problem);
      if (!again && !chosen.isEmpty() && text == chosen) again = item;
    }
  }
  list_->expandAll();
  if (again) list_->setCurrentItem(again);
  list_->verticalScrollBar()->setValue(scrolled);
  count_->setText(QString::fromStdString(current_.count));
  count_->setAccessibleName(count_->text());
  return true;
}

void CheckWindow::Choose(QTreeWidgetItem* item) {
  if (item == nullptr || !item->data(0, Qt::UserRole).isValid()) return;
  // The map may have changed since the list was made: the line acts only if the map as it stands
  // still gives it, and then with that problem's objects.
  const std::string text = item->text(0).toStdString();
  CheckList fresh = RunMapCheck(ed_);
  // The list is made again after this signal is done with its item.
  if (!SameLines(fresh, current_)) QTimer::singleShot(0, this, &CheckWindow::Recheck);
  for (const CheckLine& line : fresh.lines) {
    if (line.problem < 0 || line.text != text) continue;
    const Problem problem = fresh.problems[static_cast<size_t>(line.problem)];
    run_([problem](Editor& e) { ChooseProblem(e, problem); });
    return;
  }
}

void CheckWindow::Open() {
  if (!placed_) {
    placed_ = true;
    if (!RestorePlacement() && main_) {
      const QRect frame = main_->frameGeometry();
      move(frame.right() + 1, frame.top());
    }
  }
  Recheck();
  show();
  raise();
  activateWindow();
}

bool CheckWindow::RestorePlacement() {
  if (!ed_.host) return false;
  int values[4];
  const char* keys[4] = {"Top", "Left", "Width", "Height"};
  for (int k = 0; k < 4; ++k) {
    values[k] = PlacementSetting(ed_, kSection, keys[k]);
    if (values[k] == -999) return false;
  }
  move(values[1] / kTwipsPerPixel, values[0] / kTwipsPerPixel);
  // Before it is first shown the window has no frame yet: the main window's tells its size.
  const QWidget* framed = isVisible() || !main_ ? static_cast<const QWidget*>(this) : main_;
  const int frameW = framed->frameGeometry().width() - framed->width();
  const int frameH = framed->frameGeometry().height() - framed->height();
  resize(std::max(100, values[2] / kTwipsPerPixel - frameW), std::max(80, values[3] / kTwipsPerPixel - frameH));
  return true;
}

void CheckWindow::SavePlacement() {
  if (!ed_.host || !placed_) return;
  const QRect frame = frameGeometry();
  ed_.host->SaveSetting(kSection, "Top", std::to_string(frame.top() * kTwipsPerPixel));
  ed_.host->SaveSetting(kSection, "Left", std::to_string(frame.left() * kTwipsPerPixel));
  ed_.host->SaveSetting(kSection, "Width", std::to_string(frame.width() * kTwipsPerPixel));
  ed_.host->SaveSetting(kSection, "Height", std::to_string(frame.height() * kTwipsPerPixel));
}

void CheckWindow::hideEvent(QHideEvent* event) {
  SavePlacement();
  QWidget::hideEvent(event);
}

}  // namespace quorvel
