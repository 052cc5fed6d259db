#include "qt/top_bar.h"

#include <QFrame>
#include <QRadioButton>
#include <utility>

#include "editing/tools.h"

namespace quorvel {

TopBar::TopBar(Editor& editor, QFrame* pyla, std::function<void()> coreCallDone)
    : ed_(editor), coreCallDone_(std::move(coreCallDone)) {
  QFont small = pyla->font();
  small.setPixelSize(11);
  pyla->setFont(small);
  // One row, centred in the part of the bar that shows (its top 2 pixels lie above the window).
  // The bar is placed from the model only at the first sync, so its height comes from there.
  const int barHeight = ed_.ctl.Pyla.height;
  int x = 8;
  for (size_t i = 0; i < obValinta_.size(); ++i) {
    auto* b = new QRadioButton(QString::fromStdString(ed_.ctl.OBvalinta[i].caption), pyla);
    b->setObjectName(QStringLiteral("OBvalinta(%1)").arg(i));
    b->setAutoExclusive(false);  // the model decides which tool is on
    const QSize hint = b->sizeHint();
    b->setGeometry(x, 2 + (barHeight - 4 - hint.height()) / 2, hint.width(), hint.height());
    x += hint.width() + 14;
    obValinta_[i] = OptionMirror(b);
    const int index = static_cast<int>(i);
    QObject::connect(b, &QRadioButton::clicked, b, [this, index] {
      // A click on the tool already on changes nothing (it would drop a triangle in progress).
      if (!ed_.ctl.OBvalinta[size_t(index)].value) SelectTool(ed_, index);
      Forget();
      coreCallDone_();
    });
  }
}

void TopBar::Sync() {
  for (size_t i = 0; i < obValinta_.size(); ++i) obValinta_[i].Sync(ed_.ctl.OBvalinta[i]);
}

void TopBar::Forget() {
  for (OptionMirror& m : obValinta_) m.Forget();
}

}  // namespace quorvel
