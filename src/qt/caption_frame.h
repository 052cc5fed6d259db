#pragma once
// A frame with a caption on its top border, drawn the way the editor's panels look: the border
// runs through the middle of the caption, and the contents margins keep children clear of both.
// Unlike QGroupBox the caption takes only one text line of height and has its own colour, so the
// bars' small frames fit their rows and one frame's caption can turn red without its children.
#include <QColor>
#include <QFrame>
#include <QString>

namespace quorvel {

class CaptionFrame : public QFrame {
  Q_OBJECT

 public:
  explicit CaptionFrame(const QString& caption, QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  QColor CaptionColour() const { return colour_; }
  void SetCaptionColour(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void UpdateMargins();

  QString caption_;
  QColor colour_ = Qt::black;
};

}  // namespace quorvel
