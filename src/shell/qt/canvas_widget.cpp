#include "shell/qt/canvas_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include "editing/pointer.h"
#include "view/layout.h"
#include "view/view.h"

namespace quorvel {

namespace {

// Bars and frames are separate surfaces: mouse events on them never reach the canvas beneath.
// A press on a bar's bare surface parks the keyboard focus.
template <typename Base>
class Surface : public Base {
 public:
  using Base::Base;
  std::function<void()> onPress;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (onPress) onPress();
    e->accept();
  }
  void mouseMoveEvent(QMouseEvent* e) override { e->accept(); }
  void mouseReleaseEvent(QMouseEvent* e) override { e->accept(); }
};

QFrame* MakeBar(QWidget* parent, const std::function<void()>& onPress) {
  auto* bar = new Surface<QFrame>(parent);
  bar->onPress = onPress;
  bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
  bar->setLineWidth(2);
  bar->setAutoFillBackground(true);
  return bar;
}

void Place(QWidget* w, const Frame& f) {
  w->setGeometry(f.left, f.top, f.width, f.height);
  w->setVisible(f.visible);
}

Qt::CheckState StateOf(int16_t v) { return v == 1 ? Qt::Checked : (v == 2 ? Qt::PartiallyChecked : Qt::Unchecked); }

void SyncCombo(QComboBox* w, const ComboBox& m) {
  const QSignalBlocker block(w);
  bool same = w->count() == static_cast<int>(m.items.size());
  for (int i = 0; same && i < w->count(); ++i) same = w->itemText(i).toStdString() == m.items[static_cast<size_t>(i)];
  if (!same) {
    w->clear();
    for (const std::string& s : m.items) w->addItem(QString::fromStdString(s));
  }
  w->setCurrentIndex(m.listIndex);
  w->setEnabled(m.enabled);
  w->setVisible(m.visible);
}

void SyncCheck(QCheckBox* w, const CheckBox& m) {
  const QSignalBlocker block(w);
  w->setText(QString::fromStdString(m.caption));
  w->setCheckState(StateOf(m.value));
  w->setEnabled(m.enabled);
  w->setVisible(m.visible);
}

int ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::MiddleButton: return kMiddleButton;
    default: return 0;
  }
}

int ButtonsOf(Qt::MouseButtons b) {
  return (b & Qt::LeftButton ? kLeftButton : 0) | (b & Qt::RightButton ? kRightButton : 0) |
         (b & Qt::MiddleButton ? kMiddleButton : 0);
}

int ShiftOf(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

}  // namespace

CanvasWidget::CanvasWidget(Editor& editor, QWidget* parent) : QWidget(parent), ed_(editor) {
  ed_.canvas = &canvas_;
  canvas_.onChanged = [this] { update(); };
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(64, 64, 64));
  setPalette(pal);

  const auto park = [this] {
    ParkFocus(ed_);
    CoreCallDone();
  };
  // Stacking, bottom to top: the top and bottom bars run under the side panel, the two small
  // frames sit over the joints.
  pyla_ = MakeBar(this, park);
  pyla_->setObjectName(QStringLiteral("Pyla"));
  pala_ = MakeBar(this, park);
  pala_->setObjectName(QStringLiteral("Pala"));
  pala_->setFocusPolicy(Qt::ClickFocus);
  ppalkki_ = MakeBar(this, park);
  ppalkki_->setObjectName(QStringLiteral("Ppalkki"));
  for (size_t i = 0; i < fmaski_.size(); ++i) {
    auto* f = new Surface<QGroupBox>(QString::fromStdString(ed_.ctl.Fmaski[i].caption), this);
    f->setObjectName(QStringLiteral("Fmaski%1").arg(i));
    f->setAutoFillBackground(true);
    QFont small = f->font();
    small.setPixelSize(9);
    f->setFont(small);
    fmaski_[i] = f;
  }
  for (QWidget* w : std::initializer_list<QWidget*>{pyla_, pala_, ppalkki_, fmaski_[0], fmaski_[1]}) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(212, 208, 200));
    w->setPalette(p);
  }
  BuildBottomBar();
  SyncFromModel();
}

CanvasWidget::~CanvasWidget() {
  if (ed_.canvas == &canvas_) ed_.canvas = nullptr;
}

void CanvasWidget::BuildBottomBar() {
  QFont small = pala_->font();
  small.setPixelSize(11);
  pala_->setFont(small);

  // Positions inside the bar; the bar itself sits at -2, so everything is shifted 2 pixels in.
  fnayta_ = new QGroupBox(QString::fromStdString(ed_.ctl.Fnayta.caption), pala_);
  fnayta_->setGeometry(4, 1, 384, 49);
  // Two rows: All, Polygons, Spawns, Scenerys / Colliders, Bot waypoints, Advanced.
  static constexpr int kColumnX[4] = {6, 80, 192, 280};
  static constexpr int kColumnW[4] = {72, 110, 86, 96};
  for (size_t i = 0; i < cbNayta_.size(); ++i) {
    auto* box = new QCheckBox(fnayta_);
    box->setTristate(true);  // grey shows mixed layers; a user's click only ever gives 0 or 1
    const size_t col = i < 4 ? i : i - 4;
    const int row = i < 4 ? 0 : 1;
    box->setGeometry(kColumnX[col], 13 + row * 17, kColumnW[col], 17);
    cbNayta_[i] = box;
    const int index = static_cast<int>(i);
    connect(box, &QCheckBox::clicked, this,
            [this, box, index] { UserCheck(box, ed_.ctl.CBnayta[static_cast<size_t>(index)], [this, index] { CBnayta_Click(ed_, index); }); });
  }

  cbGrid_ = new QComboBox(pala_);
  cbGrid_->setGeometry(404, 6, 62, 20);
  connect(cbGrid_, &QComboBox::activated, this, [this](int i) {
    ed_.ctl.CBgrid.Select(i);
    CBgrid_Click(ed_);
    CoreCallDone();
  });
  cbFixed_ = new QCheckBox(pala_);
  cbFixed_->setGeometry(404, 29, 90, 18);
  connect(cbFixed_, &QCheckBox::clicked, this, [this] { UserCheck(cbFixed_, ed_.ctl.CBfixed, [this] { CBfixed_Click(ed_); }); });

  cbZoom_ = new QComboBox(pala_);
  cbZoom_->setGeometry(480, 6, 64, 20);
  connect(cbZoom_, &QComboBox::activated, this, [this](int i) {
    ed_.ctl.CBzoom.Select(i);
    CBzoom_Click(ed_);
    CoreCallDone();
  });
  lZoom_ = new QLabel(QStringLiteral("Zoom"), pala_);
  lZoom_->setGeometry(548, 8, 40, 16);
}

void CanvasWidget::UserCheck(QCheckBox*, CheckBox& model, const std::function<void()>& handler) {
  // A click turns a ticked box off and anything else (clear or grey) on.
  model.value = model.value == 1 ? 0 : 1;
  handler();
  CoreCallDone();
}

void CanvasWidget::SyncFromModel() {
  const Controls& c = ed_.ctl;
  Place(pyla_, c.Pyla);
  Place(pala_, c.Pala);
  Place(ppalkki_, c.Ppalkki);
  for (size_t i = 0; i < fmaski_.size(); ++i) {
    Place(fmaski_[i], c.Fmaski[i]);
    fmaski_[i]->setTitle(QString::fromStdString(c.Fmaski[i].caption));
  }
  SyncCombo(cbZoom_, c.CBzoom);
  SyncCombo(cbGrid_, c.CBgrid);
  SyncCheck(cbFixed_, c.CBfixed);
  fnayta_->setTitle(QString::fromStdString(c.Fnayta.caption));
  fnayta_->setVisible(c.Fnayta.visible);
  for (size_t i = 0; i < cbNayta_.size(); ++i) SyncCheck(cbNayta_[i], c.CBnayta[i]);
  update();
}

void CanvasWidget::FocusBottomBar() { pala_->setFocus(Qt::OtherFocusReason); }

void CanvasWidget::CoreCallDone() {
  SyncFromModel();
  if (afterCoreCall) afterCoreCall();
}

void CanvasWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, canvas_.Image());
}

void CanvasWidget::resizeEvent(QResizeEvent*) {
  if (beforeResize) beforeResize();
  ed_.view.clientWidth = width();
  ed_.view.clientHeight = height();
  canvas_.Resize(width(), height());
  Form_Resize(ed_);
  CoreCallDone();
}

void CanvasWidget::mousePressEvent(QMouseEvent* e) {
  const QPointF p = e->position();
  Form_MouseDown(ed_, ButtonOf(e->button()), ShiftOf(e->modifiers()), static_cast<float>(p.x()), static_cast<float>(p.y()));
  CoreCallDone();
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* e) {
  const QPointF p = e->position();
  Form_MouseMove(ed_, ButtonsOf(e->buttons()), ShiftOf(e->modifiers()), static_cast<float>(p.x()), static_cast<float>(p.y()));
  CoreCallDone();
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* e) {
  const QPointF p = e->position();
  Form_MouseUp(ed_, ButtonOf(e->button()), ShiftOf(e->modifiers()), static_cast<float>(p.x()), static_cast<float>(p.y()));
  CoreCallDone();
}

}  // namespace quorvel
