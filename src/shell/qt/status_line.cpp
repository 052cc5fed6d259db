#include "shell/qt/status_line.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "shell/status_line.h"

namespace quorvel {

namespace {
// The bottom bar reaches 2 pixels under the side panel and the small frame sits 15 pixels left of
// the panel: the free part ends at the frame, less a small gap.
constexpr int kRightGap = 2 + 15 + 4;
}  // namespace

StatusLine::StatusLine(const Editor& editor, QWidget* pala) : ed_(editor) {
  label_ = new QLabel(pala);
  label_->setAccessibleName(QStringLiteral("Status line"));
  label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label_->setObjectName(QStringLiteral("StatusLine"));
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(false);
}

void StatusLine::Sync() {
  const Frame& pala = ed_.ctl.Pala;
  const int width = std::max(0, pala.width - kRightGap - kLeft), height = kHeight;
  const bool resized = width != shownWidth_ || height != shownHeight_;
  if (resized) {
    label_->setGeometry(kLeft, kTop, width, height);
    shownWidth_ = width;
    shownHeight_ = height;
  }
  std::string text = StatusLineText(ed_);
  if (text == shown_ && !resized) return;
  shown_ = std::move(text);
  // The three parts on one line; empty ones leave no gap.
  QString line;
  for (const QString& part : QString::fromStdString(shown_).split(QLatin1Char('\n'))) {
    if (part.isEmpty()) continue;
    if (!line.isEmpty()) line += QStringLiteral("   ");
    line += part;
  }
  label_->setText(QFontMetrics(label_->font()).elidedText(line, Qt::ElideRight, width));
  // Screen readers get the whole text even where the bar is too narrow for it.
  label_->setAccessibleDescription(line);
}

}  // namespace quorvel
