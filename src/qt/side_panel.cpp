#include "qt/side_panel.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "panels/map_properties.h"
#include "panels/object_properties.h"
#include "panels/panel_handlers.h"
#include "panels/texture_choice.h"
#include "panels/vertex_properties.h"
#include "qt/caption_frame.h"

namespace quorvel {

PanelHandlers DefaultPanelHandlers() {
  PanelHandlers h;
  h.CBauthor = CBauthor_Click;
  h.CBtausta1 = CBtausta1_Click;
  h.CBtausta2 = CBtausta2_Click;
  h.CBtexture = CBtexture_Click;
  h.CBverticevari = CBverticevari_Click;
  h.CBerota = CBerota_Click;
  h.CByhista = CByhista_Click;
  h.CBtexEiKorjaus = CBtexEiKorjaus_Click;
  h.CBtexPalauta = CBtexPalauta_Click;
  h.CBtexPoista = CBtexPoista_Click;
  h.CBverticeLapi = CBverticeLapi_Click;
  h.CBspawn = CBspawn_Click;
  h.CBscenery = CBscenery_Click;
  h.CBscenery2 = CBscenery2_Click;
  h.CBcollider = CBcollider_Click;
  h.CBspawn_DropDown = CBspawn_DropDown;
  h.CBscenery_DropDown = CBscenery_DropDown;
  h.CBscenery2_DropDown = CBscenery2_DropDown;
  h.CBscenery2_Enter = [](Editor& e) { CBscenery2_KeyDown(e, kEnterKey); };
  h.CBcollider_Enter = [](Editor& e) { CBcollider_KeyPress(e, kEnterKey); };
  h.CBbotValinta = CBbotValinta_Click;
  h.OBbotKumpi = OBbotKumpi_Click;
  h.OBbotNayta = OBbotNayta_Click;
  return h;
}

namespace {

QString IndexedName(const char* name, size_t i) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i); }

template <typename W, typename... Args>
W* Make(QWidget* parent, const QString& name, QRect where, Args&&... args) {
  auto* w = new W(std::forward<Args>(args)..., parent);
  w->setObjectName(name);
  w->setGeometry(where);
  return w;
}

CaptionFrame* MakeFrame(QWidget* parent, const Frame& model, const char* name, int y, int height, int x = 4, int width = 177) {
  return Make<CaptionFrame>(parent, QLatin1String(name), QRect(x, y, width, height), QString::fromStdString(model.caption));
}

QLabel* MakeLabel(QWidget* parent, const char* name, QRect where) {
  auto* l = Make<QLabel>(parent, QLatin1String(name), where);
  l->setTextFormat(Qt::PlainText);  // names and authors come from files: never markup
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return l;
}

QCheckBox* MakeCheck(QWidget* parent, const QString& name, QRect where) {
  auto* box = Make<QCheckBox>(parent, name, where);
  box->setTristate(true);  // the grey state shows a mixed selection
  return box;
}

QRadioButton* MakeOption(QWidget* parent, const QString& name, QRect where) {
  auto* b = Make<QRadioButton>(parent, name, where);
  b->setAutoExclusive(false);  // the model decides which is on, and may leave all off
  return b;
}

PanelCombo* MakeCombo(QWidget* parent, const char* name, QRect where, const char* accessibleName, bool typedIn) {
  auto* c = Make<PanelCombo>(parent, QLatin1String(name), where);
  c->setAccessibleName(QLatin1String(accessibleName));
  if (typedIn) {
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    // A typed value is taken as typed: inline completion would turn "2" into "25%" on Enter.
    c->setCompleter(nullptr);
  }
  return c;
}

}  // namespace

SidePanel::SidePanel(Editor& editor, QFrame* ppalkki, std::function<void()> coreCallDone)
    : ed_(editor), coreCallDone_(std::move(coreCallDone)) {
  Build(ppalkki);
  Connect();
}

// Everything fits the first client height of 577 pixels with small fonts: each frame is one caption
// line (T) plus its rows, stacked with 3 pixels between frames. Inside a frame, children keep
// 4 pixels from its sides. The two "Maski" frames reach 10 pixels over the panel's left edge at
// its top and, at the smallest window, its bottom: the first and the last frame start right of them.
void SidePanel::Build(QFrame* bar) {
  QFont small = bar->font();
  small.setPixelSize(11);
  bar->setFont(small);
  const Controls& c = ed_.ctl;
  const QFontMetrics fm(small);
  const int L = fm.lineSpacing();  // one label line
  const int T = fm.height() + 1;   // caption line of a frame
  constexpr int B = 21;            // button and combo box height
  constexpr int R = 17;            // check box and option row
  constexpr int X = 15;            // cell of the direction cross
  constexpr int W = 169;           // inner width of a frame
  constexpr int kMasked = 8;       // how much narrower the first and last frames are
  constexpr int kGap = 3;
  int y = 3;
  const auto next = [&](CaptionFrame* f) { y += f->height() + kGap; };

  // Map info: three lines of name, author, texture; the counts with the three buttons beside.
  const int countsTop = T + 3 * L + 2;
  auto* fKartta =
      MakeFrame(bar, c.Fkartta, "Fkartta", y, countsTop + std::max(5 * L, 3 * B + 2) + 3, 4 + kMasked, 177 - kMasked);
  fKartta_ = FrameMirror(fKartta);
  auto* lKartta1 = MakeLabel(fKartta, "Lkartta1", QRect(4, T, W - kMasked, 3 * L));
  lKartta1_ = LabelMirror(lKartta1);
  // The author's name sits on Lkartta1's second line, after its "Author: ", and ends where the
  // "Texture…" button begins: the frame has no free row, and an author's name is short where the
  // map's name above and the texture's below may fill their lines.
  const int authorX = fm.horizontalAdvance(QStringLiteral("Author: "));
  const int textureWidth = fm.horizontalAdvance(QString::fromStdString(c.CBtexture.caption)) + 10;
  const int textureX = W - kMasked - textureWidth;
  lAuthor_ = LabelMirror(MakeLabel(lKartta1, "lAuthor", QRect(authorX, L, textureX - 2 - authorX, L)));
  lKartta2_ = LabelMirror(MakeLabel(fKartta, "Lkartta2", QRect(4, countsTop, 108, 5 * L)));
  cbAuthor_ = ButtonMirror(Make<QPushButton>(fKartta, "CBauthor", QRect(114, countsTop, 47, B)));
  cbTausta1_ = ButtonMirror(Make<QPushButton>(fKartta, "CBtausta1", QRect(114, countsTop + B + 1, 47, B)));
  cbTausta2_ = ButtonMirror(Make<QPushButton>(fKartta, "CBtausta2", QRect(114, countsTop + 2 * (B + 1), 47, B)));
  cbTexture_ = ButtonMirror(
      Make<QPushButton>(lKartta1, "CBtexture", QRect(textureX, L, textureWidth, std::max(L, fm.height()))));
  next(fKartta);

  // Selection counts in two columns.
  auto* fValinta = MakeFrame(bar, c.Fvalinta, "Fvalinta", y, T + 3 * L + 3);
  fValinta_ = FrameMirror(fValinta);
  lValinta_[0] = LabelMirror(MakeLabel(fValinta, "Lvalinta(0)", QRect(4, T, 82, 3 * L)));
  lValinta_[1] = LabelMirror(MakeLabel(fValinta, "Lvalinta(1)", QRect(88, T, 81, 3 * L)));
  next(fValinta);

  // Vertices: three buttons in a row, the long check box caption on two lines below.
  auto* fVertice = MakeFrame(bar, c.Fvertice, "Fvertice", y, T + B + 2 + 2 * L + 4 + 3);
  fVertice_ = FrameMirror(fVertice);
  cbVerticevari_ = ButtonMirror(Make<QPushButton>(fVertice, "CBverticevari", QRect(4, T, 38, B)));
  cbYhista_ = ButtonMirror(Make<QPushButton>(fVertice, "CByhista", QRect(44, T, 56, B)));
  cbErota_ = ButtonMirror(Make<QPushButton>(fVertice, "CBerota", QRect(102, T, 71, B)));
  cbTexEiKorjaus_ = CheckMirror(MakeCheck(fVertice, "CBtexEiKorjaus", QRect(4, T + B + 2, W, 2 * L + 4)));
  next(fVertice);

  // Polygons: the two texture buttons stacked, "Passable" beside them.
  auto* fPoly = MakeFrame(bar, c.Fpoly, "Fpoly", y, T + 2 * B + 1 + 3);
  fPoly_ = FrameMirror(fPoly);
  cbTexPalauta_ = ButtonMirror(Make<QPushButton>(fPoly, "CBtexPalauta", QRect(4, T, 94, B)));
  cbTexPoista_ = ButtonMirror(Make<QPushButton>(fPoly, "CBtexPoista", QRect(4, T + B + 1, 94, B)));
  cbVerticeLapi_ = CheckMirror(MakeCheck(fPoly, "CBverticeLapi", QRect(100, T + (2 * B + 1 - R) / 2, 73, R)));
  next(fPoly);

  auto* fSpawn = MakeFrame(bar, c.Fspawn, "Fspawn", y, T + B + 3);
  fSpawn_ = FrameMirror(fSpawn);
  cbSpawn_ = ComboMirror(MakeCombo(fSpawn, "CBspawn", QRect(4, T, W, B), "Spawn type", false));
  next(fSpawn);

  auto* fScenery = MakeFrame(bar, c.Fscenery, "Fscenery", y, T + 2 * B + 2 + 3);
  fScenery_ = FrameMirror(fScenery);
  cbScenery_ = ComboMirror(MakeCombo(fScenery, "CBscenery", QRect(4, T, W, B), "Scenery style", false));
  cbScenery2_ = ComboMirror(MakeCombo(fScenery, "CBscenery2", QRect(4, T + B + 2, 90, B), "Scenery visibility", true));
  next(fScenery);

  auto* fCollider = MakeFrame(bar, c.Fcollider, "Fcollider", y, T + B + 3);
  fCollider_ = FrameMirror(fCollider);
  cbCollider_ = ComboMirror(MakeCombo(fCollider, "CBcollider", QRect(4, T, 90, B), "Collider size", true));
  next(fCollider);

  // Waypoints: the direction cross with "Fly" beside it and the two paths below, on the left;
  // the path display frame on the right.
  const int pathTop = T + 3 * X + 2;
  const int showHeight = T + 3 * R + 3;
  auto* fBot = MakeFrame(bar, c.Fbot, "Fbot", y, T + std::max(pathTop - T + 2 * R, showHeight) + 3, 4 + kMasked,
                        177 - kMasked);
  fBot_ = FrameMirror(fBot);
  static constexpr std::array<QPoint, 4> kCross{{{0, 1}, {2, 1}, {1, 0}, {1, 2}}};  // left, right, up, down
  static constexpr std::array<const char*, 4> kDirection{{"Left", "Right", "Up", "Down"}};
  for (size_t i = 0; i < 4; ++i) {
    QCheckBox* box =
        MakeCheck(fBot, IndexedName("CBbotValinta", i), QRect(4 + kCross[i].x() * X, T + kCross[i].y() * X, X, X));
    box->setAccessibleName(QLatin1String(kDirection[i]));
    cbBotValinta_[i] = CheckMirror(box);
  }
  cbBotValinta_[4] = CheckMirror(MakeCheck(fBot, IndexedName("CBbotValinta", 4), QRect(4 + 3 * X + 2, T + X - 1, 41, R)));
  for (size_t p = 1; p <= 2; ++p)
    obBotKumpi_[p] = OptionMirror(MakeOption(fBot, IndexedName("OBbotKumpi", p), QRect(4, pathTop + int(p - 1) * R, 72, R)));
  auto* fBotNayta = MakeFrame(fBot, c.FbotNayta, "FbotNayta", T, showHeight, 93, 73);
  fBotNayta_ = FrameMirror(fBotNayta);
  for (size_t k = 0; k < 3; ++k)
    obBotNayta_[k] = OptionMirror(MakeOption(fBotNayta, IndexedName("OBbotNayta", k), QRect(4, T + int(k) * R, 65, R)));
}

void SidePanel::Connect() {
  PanelHandlers& h = handlers;
  const auto button = [this](ButtonMirror& m, const PanelHandlers::Handler& handler) {
    QObject::connect(m.widget(), &QPushButton::clicked, m.widget(), [this, &handler] { Done(handler); });
  };
  button(cbAuthor_, h.CBauthor);
  button(cbTexture_, h.CBtexture);
  button(cbTausta1_, h.CBtausta1);
  button(cbTausta2_, h.CBtausta2);
  button(cbVerticevari_, h.CBverticevari);
  button(cbErota_, h.CBerota);
  button(cbYhista_, h.CByhista);
  button(cbTexPalauta_, h.CBtexPalauta);
  button(cbTexPoista_, h.CBtexPoista);

  Controls& c = ed_.ctl;
  const auto check = [this](CheckMirror& m, CheckBox& model, const std::function<void()>& handler) {
    QObject::connect(m.widget(), &QCheckBox::clicked, m.widget(), [this, &model, handler] { ClickCheck(model, handler); });
  };
  check(cbTexEiKorjaus_, c.CBtexEiKorjaus, [this] { Done(handlers.CBtexEiKorjaus); });
  check(cbVerticeLapi_, c.CBverticeLapi, [this] { Done(handlers.CBverticeLapi); });
  for (size_t i = 0; i < cbBotValinta_.size(); ++i) {
    const int index = static_cast<int>(i);
    check(cbBotValinta_[i], c.CBbotValinta[i], [this, index] {
      Done(handlers.CBbotValinta ? PanelHandlers::Handler([this, index](Editor& e) { handlers.CBbotValinta(e, index); }) : nullptr);
    });
  }

  // An option click turns that one on and the rest of its group off.
  const auto option = [this](OptionMirror& m, auto& group, int index, const PanelHandlers::IndexHandler& handler) {
    QObject::connect(m.widget(), &QRadioButton::clicked, m.widget(), [this, &group, index, &handler] {
      if (group[size_t(index)].value) return Done(nullptr);  // already on: nothing to choose
      for (size_t k = 0; k < group.size(); ++k) group[k].value = static_cast<int>(k) == index;
      Done(handler ? PanelHandlers::Handler([&handler, index](Editor& e) { handler(e, index); }) : nullptr);
    });
  };
  for (int p = 1; p <= 2; ++p) option(obBotKumpi_[size_t(p)], c.OBbotKumpi, p, h.OBbotKumpi);
  for (int k = 0; k < 3; ++k) option(obBotNayta_[size_t(k)], c.OBbotNayta, k, h.OBbotNayta);

  ConnectCombo(cbSpawn_, c.CBspawn, &h.CBspawn, &h.CBspawn_DropDown, nullptr);
  ConnectCombo(cbScenery_, c.CBscenery, &h.CBscenery, &h.CBscenery_DropDown, nullptr);
  ConnectCombo(cbScenery2_, c.CBscenery2, &h.CBscenery2, &h.CBscenery2_DropDown, &h.CBscenery2_Enter);
  ConnectCombo(cbCollider_, c.CBcollider, &h.CBcollider, nullptr, &h.CBcollider_Enter);
}

void SidePanel::ConnectCombo(ComboMirror& mirror, ComboBox& model, const PanelHandlers::Handler* chosen,
                             const PanelHandlers::Handler* dropDown, const PanelHandlers::Handler* enter) {
  auto* w = static_cast<PanelCombo*>(mirror.widget());
  if (dropDown) {
    // The handler may change the list; the popup shows it as the model has it then.
    w->beforePopup = [this, dropDown] {
      if (!*dropDown) return;
      (*dropDown)(ed_);
      coreCallDone_();
    };
  }
  QObject::connect(w, &QComboBox::activated, w, [this, w, &model, chosen](int i) {
    // Leaving a typed text that matches an item also "activates" it: that is no choice from the list.
    if (!w->typed) model.Select(i);
    Done(w->typed ? nullptr : *chosen);
  });
  if (enter && w->lineEdit()) {
    QObject::connect(w->lineEdit(), &QLineEdit::textEdited, w, [w] { w->typed = true; });
    w->onEnter = [this, w, &model, enter] {
      model.text = w->currentText().toStdString();
      Done(*enter);
    };
  }
}

void SidePanel::ClickCheck(CheckBox& model, const std::function<void()>& handler) {
  // A click turns a ticked box off and anything else (clear or grey) on.
  model.value = model.value == 1 ? 0 : 1;
  handler();
}

void SidePanel::Done(const PanelHandlers::Handler& handler) {
  if (handler) handler(ed_);
  Forget();
  coreCallDone_();
}

void SidePanel::Forget() {
  for (FrameMirror* f : {&fKartta_, &fValinta_, &fVertice_, &fPoly_, &fSpawn_, &fScenery_, &fCollider_, &fBot_, &fBotNayta_})
    f->Forget();
  for (LabelMirror* l : {&lKartta1_, &lAuthor_, &lKartta2_, &lValinta_[0], &lValinta_[1]}) l->Forget();
  for (ButtonMirror* b :
       {&cbAuthor_, &cbTexture_, &cbTausta1_, &cbTausta2_, &cbVerticevari_, &cbErota_, &cbYhista_, &cbTexPalauta_, &cbTexPoista_})
    b->Forget();
  for (ComboMirror* m : {&cbSpawn_, &cbScenery_, &cbScenery2_, &cbCollider_}) {
    m->Forget();
    static_cast<PanelCombo*>(m->widget())->typed = false;
  }
  cbTexEiKorjaus_.Forget();
  cbVerticeLapi_.Forget();
  for (CheckMirror& m : cbBotValinta_) m.Forget();
  for (size_t p = 1; p <= 2; ++p) obBotKumpi_[p].Forget();
  for (OptionMirror& m : obBotNayta_) m.Forget();
}

void SidePanel::Sync() {
  const Controls& c = ed_.ctl;
  fKartta_.Sync(c.Fkartta);
  lKartta1_.Sync(c.Lkartta1);
  lAuthor_.Sync(c.lAuthor);
  lKartta2_.Sync(c.Lkartta2);
  cbAuthor_.Sync(c.CBauthor);
  cbTexture_.Sync(c.CBtexture);
  cbTausta1_.Sync(c.CBtausta1);
  cbTausta2_.Sync(c.CBtausta2);
  fValinta_.Sync(c.Fvalinta);
  for (size_t i = 0; i < 2; ++i) lValinta_[i].Sync(c.Lvalinta[i]);
  fVertice_.Sync(c.Fvertice);
  cbVerticevari_.Sync(c.CBverticevari);
  cbErota_.Sync(c.CBerota);
  cbYhista_.Sync(c.CByhista);
  cbTexEiKorjaus_.Sync(c.CBtexEiKorjaus);
  fPoly_.Sync(c.Fpoly);
  cbTexPalauta_.Sync(c.CBtexPalauta);
  cbTexPoista_.Sync(c.CBtexPoista);
  cbVerticeLapi_.Sync(c.CBverticeLapi);
  fSpawn_.Sync(c.Fspawn);
  cbSpawn_.Sync(c.CBspawn);
  fScenery_.Sync(c.Fscenery);
  cbScenery_.Sync(c.CBscenery);
  cbScenery2_.Sync(c.CBscenery2);
  fCollider_.Sync(c.Fcollider);
  cbCollider_.Sync(c.CBcollider);
  fBot_.Sync(c.Fbot);
  for (size_t i = 0; i < cbBotValinta_.size(); ++i) cbBotValinta_[i].Sync(c.CBbotValinta[i]);
  for (size_t p = 1; p <= 2; ++p) obBotKumpi_[p].Sync(c.OBbotKumpi[p]);
  fBotNayta_.Sync(c.FbotNayta);
  for (size_t k = 0; k < obBotNayta_.size(); ++k) obBotNayta_[k].Sync(c.OBbotNayta[k]);
}

}  // namespace quorvel
