#include "shell/qt/status_line.h"

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
  label_->setObjectName(QStringLiteral("StatusLine"));
  label_->setAccessibleName(QStringLiteral("Status line"));
  label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(false);
}

void StatusLine::Sync() {
  const Frame& pala = ed_.ctl.Pala;
  const int width = std::max(0, pala.width - kRightGap - kLeft), height = std::max(0, pala.height - 4);
  if (width != shownWidth_ || height != shownHeight_) {
    label_->setGeometry(kLeft, 2, width, height);
    shownWidth_ = width;
    shownHeight_ = height;
  }
  std::string text = StatusLineText(ed_);
  if (text == shown_) return;
  shown_ = std::move(text);
  const QString q = QString::fromStdString(shown_);
  label_->setText(q);
  // Screen readers get the whole text even where the label is clipped.
  label_->setAccessibleDescription(q);
}

}  // namespace quorvel
