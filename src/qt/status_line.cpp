#include "qt/status_line.h"

#include <QFontMetrics>
#include <QStatusBar>

#include "app/status_line.h"

namespace quorvel {

FittedLabel::FittedLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);  // a note names a file: never markup
  setWordWrap(false);
}

void FittedLabel::SetWholeText(const QString& text) {
  whole_ = text;
  Fit();
}

void FittedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Fit();
}

void FittedLabel::Fit() {
  const int room = contentsRect().width();
  const bool fits = fontMetrics().horizontalAdvance(whole_) <= room;
  const QString shown = fits ? whole_ : fontMetrics().elidedText(whole_, Qt::ElideRight, room);
  if (text() != shown) setText(shown);
  // Screen readers and the tool tip get the whole text even where the strip is too narrow for it.
  setAccessibleDescription(whole_);
  setToolTip(fits ? QString() : whole_);
}

StatusLine::StatusLine(const Editor& editor) : ed_(editor) {
  bar_ = new QStatusBar;
  bar_->setObjectName(QStringLiteral("StatusLine"));
  bar_->setAccessibleName(QStringLiteral("Status line"));
  bar_->setSizeGripEnabled(false);
  QFont small = bar_->font();
  small.setPixelSize(11);  // as the bars
  bar_->setFont(small);
  static constexpr const char* kNames[3] = {"Pointer position", "Selection frame", "Note"};
  // Room for the widest usual values, so the parts do not jump as the pointer moves.
  static constexpr const char* kWidest[2] = {"X: -99999.99  Y: -99999.99", "Frame: 99999.99 x 99999.99"};
  const QFontMetrics fm(small);
  for (size_t i = 0; i < parts_.size(); ++i) {
    auto* label = new FittedLabel;
    label->setFont(small);
    label->setObjectName(QStringLiteral("StatusPart(%1)").arg(i));
    label->setAccessibleName(QLatin1String(kNames[i]));
    if (i < 2) {
      label->setMinimumWidth(fm.horizontalAdvance(QLatin1String(kWidest[i])) + 8);
      bar_->addWidget(label);
    } else {
      // The note never widens the window: it takes what is left and fits itself into it.
      label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
      bar_->addWidget(label, 1);
    }
    parts_[i] = label;
  }
}

StatusLine::~StatusLine() {
  if (bar_ && bar_->parent() == nullptr) delete bar_.data();
}

void StatusLine::Sync() {
  const StatusParts now = StatusLineParts(ed_);
  const std::array<const std::string*, 3> texts{&now.position, &now.frame, &now.note};
  bool changed = false;
  for (size_t i = 0; i < parts_.size(); ++i) {
    if (*texts[i] == shown_[i]) continue;
    shown_[i] = *texts[i];
    FittedLabel* label = parts_[i];
    const QString text = QString::fromStdString(shown_[i]);
    // The two fixed parts grow for a value wider than usual rather than lose its end.
    if (i < 2 && label->fontMetrics().horizontalAdvance(text) + 8 > label->minimumWidth())
      label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 8);
    label->SetWholeText(text);
    changed = true;
  }
  if (changed && bar_) bar_->setAccessibleDescription(WholeText());
}

QString StatusLine::WholeText() const {
  QString line;
  for (FittedLabel* label : parts_) {
    if (label->WholeText().isEmpty()) continue;
    if (!line.isEmpty()) line += QStringLiteral("   ");
    line += label->WholeText();
  }
  return line;
}

}  // namespace quorvel
