#pragma once
// The right-hand panel's frames and controls, built inside the bar `Ppalkki` and mirrored from
// the control model. Every widget carries its control's name as objectName ("CBbotValinta(2)" for
// an element of a control array).
//
// A user's action writes the new value into the control model, runs the control's handler from
// PanelHandlers (if it has one) and re-syncs, so a widget never keeps a state the model does not
// have.
#include <array>
#include <functional>

#include "document/editor.h"
#include "qt/control_mirror.h"
#include "qt/panel_combo.h"

class QFrame;

namespace quorvel {

// The one place where each panel control's handler is connected. A control without a handler only
// keeps the value the user gave it.
struct PanelHandlers {
  using Handler = std::function<void(Editor&)>;
  using IndexHandler = std::function<void(Editor&, int)>;
  Handler CBauthor, CBtausta1, CBtausta2, CBtexture;
  Handler CBverticevari, CBerota, CByhista, CBtexEiKorjaus;
  Handler CBtexPalauta, CBtexPoista, CBverticeLapi;
  Handler CBspawn, CBscenery, CBscenery2, CBcollider;  // a list item chosen
  Handler CBspawn_DropDown, CBscenery_DropDown, CBscenery2_DropDown;  // just before the list opens
  Handler CBscenery2_Enter, CBcollider_Enter;  // Enter pressed in the typed text
  IndexHandler CBbotValinta, OBbotKumpi, OBbotNayta;
};
PanelHandlers DefaultPanelHandlers();

class SidePanel {
 public:
  // coreCallDone runs after every handler call: it syncs all widgets from the model.
  SidePanel(Editor& editor, QFrame* ppalkki, std::function<void()> coreCallDone);

  void Sync();
  void Forget();
  PanelHandlers handlers = DefaultPanelHandlers();

 private:
  void Build(QFrame* bar);
  void Connect();
  // After a user's action: write the model (done by the caller), run the handler, mirror again.
  void Done(const PanelHandlers::Handler& handler);
  void ClickCheck(CheckBox& model, const std::function<void()>& handler);
  void ConnectCombo(ComboMirror& mirror, ComboBox& model, const PanelHandlers::Handler* chosen,
                    const PanelHandlers::Handler* dropDown, const PanelHandlers::Handler* enter);

  Editor& ed_;
  std::function<void()> coreCallDone_;

  FrameMirror fKartta_, fValinta_, fVertice_, fPoly_, fSpawn_, fScenery_, fCollider_, fBot_, fBotNayta_;
  LabelMirror lKartta1_, lAuthor_, lKartta2_;
  std::array<LabelMirror, 2> lValinta_;
  ButtonMirror cbAuthor_, cbTexture_, cbTausta1_, cbTausta2_, cbVerticevari_, cbErota_, cbYhista_, cbTexPalauta_, cbTexPoista_;
  CheckMirror cbTexEiKorjaus_, cbVerticeLapi_;
  ComboMirror cbSpawn_, cbScenery_, cbScenery2_, cbCollider_;
  std::array<CheckMirror, 5> cbBotValinta_;
  std::array<OptionMirror, 3> obBotKumpi_;  // index 0 unused, as in the model
  std::array<OptionMirror, 3> obBotNayta_;
};

}  // namespace quorvel
