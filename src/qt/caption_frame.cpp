#include "qt/caption_frame.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>

namespace quorvel {

namespace {
// Screen readers see a captioned frame as a group named by its caption.
QAccessibleInterface* FrameAccessible(const QString& key, QObject* object) {
  if (key == QLatin1String("quorvel::CaptionFrame") && object->isWidgetType())
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
  return nullptr;
}
}  // namespace

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent) : QFrame(parent) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(FrameAccessible);
    return true;
  }();
  (void)factoryInstalled;
  SetCaption(caption);
  UpdateMargins();
}

void CaptionFrame::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  setAccessibleName(caption);
  update();
}

void CaptionFrame::SetCaptionColour(const QColor& colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

void CaptionFrame::UpdateMargins() { setContentsMargins(2, fontMetrics().height() + 1, 2, 2); }

void CaptionFrame::changeEvent(QEvent* event) {
  QFrame::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateMargins();
}

void CaptionFrame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics fm = fontMetrics();
  const int top = fm.height() / 2;
  // Etched border: a shadow line with a light line inside it.
  const QRect r(0, top, width() - 2, height() - top - 2);
  p.setPen(palette().color(QPalette::Dark));
  p.drawRect(r);
  p.setPen(palette().color(QPalette::Light));
  p.drawRect(r.translated(1, 1));
  if (caption_.isEmpty()) return;
  // Shortened only when it is wider than the frame; the measured width is rounded, so the text
  // gets a spare pixel or two rather than being shortened by one.
  const int room = width() - 14;
  const bool fits = fm.horizontalAdvance(caption_) <= room;
  const QString text = fits ? caption_ : fm.elidedText(caption_, Qt::ElideRight, room);
  const QRect textRect(6, 0, fm.horizontalAdvance(text) + 6, fm.height());
  p.fillRect(textRect, palette().color(QPalette::Window));
  p.setPen(colour_);
  p.drawText(textRect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

}  // namespace quorvel
