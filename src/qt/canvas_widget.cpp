#include "qt/canvas_widget.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include "editing/pointer.h"
#include "qt/caption_frame.h"
#include "qt/labelled_combo.h"
#include "app/recovery.h"
#include "qt/side_panel.h"
#include "qt/status_line.h"
#include "qt/top_bar.h"
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
  setAccessibleName(QStringLiteral("Canvas"));
  pyla_ = MakeBar(this, park);
  pyla_->setObjectName(QStringLiteral("Pyla"));
  pyla_->setAccessibleName(QStringLiteral("Top bar"));
  pala_ = MakeBar(this, park);
  pala_->setObjectName(QStringLiteral("Pala"));
  pala_->setAccessibleName(QStringLiteral("Bottom bar"));
  pala_->setFocusPolicy(Qt::ClickFocus);
  ppalkki_ = MakeBar(this, park);
  ppalkki_->setObjectName(QStringLiteral("Ppalkki"));
  ppalkki_->setAccessibleName(QStringLiteral("Side panel"));
  for (size_t i = 0; i < fmaski_.size(); ++i) {
    auto* f = new Surface<QGroupBox>(QString::fromStdString(ed_.ctl.Fmaski[i].caption), this);
    f->setObjectName(QStringLiteral("Fmaski(%1)").arg(i));
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
  placed_ = {PlaceMirror(pyla_), PlaceMirror(pala_), PlaceMirror(ppalkki_), PlaceMirror(fmaski_[0]), PlaceMirror(fmaski_[1])};
  BuildBottomBar();
  const auto done = [this] { CoreCallDone(); };
  topBar_ = std::make_unique<TopBar>(ed_, pyla_, done);
  panel_ = std::make_unique<SidePanel>(ed_, ppalkki_, done);
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
  // The "Show" frame's caption takes one line; its two rows of boxes fit below it.
  fnayta_ = new CaptionFrame(QString::fromStdString(ed_.ctl.Fnayta.caption), pala_);
  fnayta_->setObjectName(QStringLiteral("Fnayta"));
  fnayta_->setGeometry(4, 2, 384, 48);
  nayta_ = FrameMirror(fnayta_);
  const int top = fnayta_->contentsRect().top();
  const int row = (fnayta_->contentsRect().height() - 1) / 2;
  // Two rows: All, Polygons, Spawns, Scenerys / Colliders, Bot waypoints, Advanced.
  static constexpr int kColumnX[4] = {6, 80, 192, 280};
  static constexpr int kColumnW[4] = {74, 110, 86, 96};
  for (size_t i = 0; i < cbNayta_.size(); ++i) {
    auto* box = new QCheckBox(fnayta_);
    box->setObjectName(QStringLiteral("CBnayta(%1)").arg(i));
    box->setTristate(true);  // grey shows mixed layers; a user's click only ever gives 0 or 1
    const size_t col = i < 4 ? i : i - 4;
    const int rowIndex = i < 4 ? 0 : 1;
    box->setGeometry(kColumnX[col], top + rowIndex * (row + 1), kColumnW[col], row);
    cbNayta_[i] = CheckMirror(box);
    const int index = static_cast<int>(i);
    connect(box, &QCheckBox::clicked, this,
            [this, index] { UserCheck(ed_.ctl.CBnayta[static_cast<size_t>(index)], [this, index] { CBnayta_Click(ed_, index); }); });
  }

  cbGrid_ = new LabelledCombo(pala_);
  cbGrid_->setObjectName(QStringLiteral("CBgrid"));
  cbGrid_->setAccessibleName(QStringLiteral("Grid"));
  cbGrid_->setGeometry(404, 6, 62, 20);
  grid_ = ComboMirror(cbGrid_);
  connect(cbGrid_, &QComboBox::activated, this, [this](int i) {
    ed_.ctl.CBgrid.Select(i);
    CBgrid_Click(ed_);
    ForgetMirrored();
    CoreCallDone();
  });
  cbFixed_ = new QCheckBox(pala_);
  cbFixed_->setObjectName(QStringLiteral("CBfixed"));
  cbFixed_->setGeometry(404, 29, 90, 18);
  fixed_ = CheckMirror(cbFixed_);
  connect(cbFixed_, &QCheckBox::clicked, this, [this] { UserCheck(ed_.ctl.CBfixed, [this] { CBfixed_Click(ed_); }); });

  cbZoom_ = new LabelledCombo(pala_);
  cbZoom_->setObjectName(QStringLiteral("CBzoom"));
  cbZoom_->setAccessibleName(QStringLiteral("Zoom"));
  cbZoom_->setGeometry(480, 6, 64, 20);
  zoom_ = ComboMirror(cbZoom_);
  connect(cbZoom_, &QComboBox::activated, this, [this](int i) {
    ed_.ctl.CBzoom.Select(i);
    CBzoom_Click(ed_);
    ForgetMirrored();
    CoreCallDone();
  });
  lZoom_ = new QLabel(QStringLiteral("Zoom"), pala_);
  lZoom_->setObjectName(QStringLiteral("lZoom"));
  lZoom_->setGeometry(548, 8, 40, 16);
  status_ = std::make_unique<StatusLine>(ed_);
}

void CanvasWidget::UserCheck(CheckBox& model, const std::function<void()>& handler) {
  // A click turns a ticked box off and anything else (clear or grey) on.
  model.value = model.value == 1 ? 0 : 1;
  handler();
  ForgetMirrored();
  CoreCallDone();
}

void CanvasWidget::ForgetMirrored() {
  for (PlaceMirror& m : placed_) m.Forget();
  zoom_.Forget();
  grid_.Forget();
  fixed_.Forget();
  nayta_.Forget();
  for (CheckMirror& m : cbNayta_) m.Forget();
  topBar_->Forget();
  panel_->Forget();
}

void CanvasWidget::SyncFromModel() {
  const Controls& c = ed_.ctl;
  placed_[0].Sync(c.Pyla);
  placed_[1].Sync(c.Pala);
  placed_[2].Sync(c.Ppalkki);
  placed_[3].Sync(c.Fmaski[0]);
  placed_[4].Sync(c.Fmaski[1]);
  zoom_.Sync(c.CBzoom);
  grid_.Sync(c.CBgrid);
  fixed_.Sync(c.CBfixed);
  nayta_.Sync(c.Fnayta);
  for (size_t i = 0; i < cbNayta_.size(); ++i) cbNayta_[i].Sync(c.CBnayta[i]);
  topBar_->Sync();
  panel_->Sync();
  status_->Sync();
  update();
  // Every core call ends here, so the map kept for a crash follows every change.
  UpdateRecovery(ed_);
}

void CanvasWidget::FocusBottomBar() { pala_->setFocus(Qt::OtherFocusReason); }

void CanvasWidget::CoreCallDone() {
  SyncFromModel();
  if (afterCoreCall) afterCoreCall();
}

void CanvasWidget::paintEvent(QPaintEvent*) {
  // Moved to a screen of another density: the image is made again at the new resolution.
  if (canvas_.Scale() != std::clamp(static_cast<int>(std::lround(devicePixelRatioF())), 1, 4)) {
    resizeEvent(nullptr);
    return;
  }
  QPainter p(this);
  p.drawImage(0, 0, canvas_.Image());  // the image's own pixel ratio maps it onto logical pixels
}

void CanvasWidget::resizeEvent(QResizeEvent*) {
  if (beforeResize) beforeResize();
  ed_.view.clientWidth = width();
  ed_.view.clientHeight = height();
  canvas_.SetScale(devicePixelRatioF());
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
