#include "qt/control_mirror.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "qt/caption_frame.h"

namespace quorvel {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

Qt::CheckState StateOf(int16_t v) { return v == 1 ? Qt::Checked : (v == 2 ? Qt::PartiallyChecked : Qt::Unchecked); }

QColor ColourOf(uint32_t bgr) { return QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF)); }

// The model's default face, 0xC0C0C0, is the neutral button colour: it shows as the palette's own
// button face, so a vertex colour button that falls back to neutral looks like every other button.
constexpr uint32_t kNeutralFace = 0xC0C0C0;

void SetCommon(QWidget* w, bool enabled, bool visible) {
  w->setEnabled(enabled);
  w->setVisible(visible);
}
}  // namespace

void SetWrappedCaption(QAbstractButton* w, const std::string& caption) {
  const QString text = Q(caption);
  const QFontMetrics fm = w->fontMetrics();
  // Room for the text: the box minus its indicator and the gap after it.
  const int room = w->width() - w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) -
                   w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w) - 4;
  // A captionless box keeps the accessible name it was given; one that was wrapped gets its
  // caption's name back from the text when it fits again.
  static const char* const kWrapped = "quorvelWrappedCaption";
  if (text.isEmpty() || fm.horizontalAdvance(text) <= room) {
    w->setText(text);
    if (w->property(kWrapped).toBool()) {
      w->setAccessibleName(QString());
      w->setProperty(kWrapped, false);
    }
    return;
  }
  QString wrapped, line;
  for (const QString& word : text.split(QLatin1Char(' '))) {
    const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
    if (!line.isEmpty() && fm.horizontalAdvance(candidate) > room) {
      wrapped += line + QLatin1Char('\n');
      line = word;
    } else {
      line = candidate;
    }
  }
  w->setText(wrapped + line);
  w->setAccessibleName(text);
  w->setProperty(kWrapped, true);
}

void Apply(QCheckBox* w, const CheckBox& m, const CheckBox* before) {
  if (!before || before->caption != m.caption) SetWrappedCaption(w, m.caption);
  w->setCheckState(StateOf(m.value));
  SetCommon(w, m.enabled, m.visible);
}

void Apply(QRadioButton* w, const OptionButton& m, const OptionButton* before) {
  if (!before || before->caption != m.caption) w->setText(Q(m.caption));
  w->setChecked(m.value);
  SetCommon(w, m.enabled, m.visible);
}

void Apply(QPushButton* w, const Button& m, const Button* before) {
  if (!before || before->caption != m.caption) w->setText(Q(m.caption));
  if (!before || before->backColour != m.backColour) {
    if (m.backColour == kNeutralFace) {
      w->setPalette(QPalette());  // no roles of its own: the bar's palette again
    } else {
      const QColor face = ColourOf(m.backColour);
      QPalette p;
      p.setColor(QPalette::Button, face);
      // Readable on any face; a disabled button keeps the palette's grey text.
      const QColor text = face.lightness() < 128 ? Qt::white : Qt::black;
      p.setColor(QPalette::Active, QPalette::ButtonText, text);
      p.setColor(QPalette::Inactive, QPalette::ButtonText, text);
      w->setPalette(p);
    }
  }
  SetCommon(w, m.enabled, m.visible);
}

void Apply(QLabel* w, const Label& m, const Label*) {
  w->setText(Q(m.caption));
  SetCommon(w, m.enabled, m.visible);
}

void Apply(QComboBox* w, const ComboBox& m, const ComboBox* before) {
  bool rebuild = before ? before->items != m.items : w->count() != static_cast<int>(m.items.size());
  for (int i = 0; !before && !rebuild && i < w->count(); ++i) rebuild = w->itemText(i) != Q(m.items[size_t(i)]);
  if (rebuild) {
    w->clear();
    for (const std::string& s : m.items) w->addItem(Q(s));
  }
  // The text wins over a list index left from an earlier choice: code often sets only the text.
  const bool indexShowsText = m.listIndex >= 0 && m.listIndex < static_cast<int>(m.items.size()) &&
                              m.items[size_t(m.listIndex)] == m.text;
  w->setCurrentIndex(indexShowsText ? m.listIndex : w->findText(Q(m.text), Qt::MatchExactly));
  if (w->isEditable()) w->setEditText(Q(m.text));
  SetCommon(w, m.enabled, m.visible);
}

void Apply(CaptionFrame* w, const Frame& m, const Frame*) {
  w->SetCaption(Q(m.caption));
  w->SetCaptionColour(ColourOf(m.foreColour));
  w->setVisible(m.visible);
}

void Apply(QWidget* w, const Frame& m, const Frame*) {
  w->setGeometry(m.left, m.top, m.width, m.height);
  w->setVisible(m.visible);
  if (auto* box = qobject_cast<QGroupBox*>(w)) box->setTitle(Q(m.caption));
}

bool Same(const CheckBox& a, const CheckBox& b) {
  return a.caption == b.caption && a.value == b.value && a.enabled == b.enabled && a.visible == b.visible;
}
bool Same(const OptionButton& a, const OptionButton& b) {
  return a.caption == b.caption && a.value == b.value && a.enabled == b.enabled && a.visible == b.visible;
}
bool Same(const Button& a, const Button& b) {
  return a.caption == b.caption && a.backColour == b.backColour && a.enabled == b.enabled && a.visible == b.visible;
}
bool Same(const Label& a, const Label& b) {
  return a.caption == b.caption && a.enabled == b.enabled && a.visible == b.visible;
}
bool Same(const ComboBox& a, const ComboBox& b) {
  return a.listIndex == b.listIndex && a.text == b.text && a.enabled == b.enabled && a.visible == b.visible &&
         a.items == b.items;
}
bool Same(const Frame& a, const Frame& b) {
  return a.caption == b.caption && a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
         a.visible == b.visible && a.foreColour == b.foreColour;
}

}  // namespace quorvel
