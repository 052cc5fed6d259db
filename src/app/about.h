#pragma once
// The Help menu: the online help page and the modal About box, whose controls and handlers are
// plain data here; the host shows the box and forwards the clicks.
#include <array>
#include <string>

#include "document/controls.h"
#include "document/editor.h"

namespace quorvel {

class Host;

inline constexpr const char* kHelpAddress = "https://quorvel.example.org/help/";
inline constexpr const char* kWebAddress = "https://quorvel.example.org/";
inline constexpr const char* kMailAddress = "mailto:quorvel@example.org";

struct AboutBox {
  Host* host = nullptr;
  std::string caption;
  Label lblVersion;
  Label lblDescription;
  // 0: the notice line; 1: the web page; 2: the mail address (1 and 2 are links).
  std::array<Label, 3> lblTitle;
  Button cmdOK{"OK"};
  bool closed = false;
};

void About_Load(AboutBox& box);
void lblTitle_Click(AboutBox& box, int index);
void cmdOK_Click(AboutBox& box);

void MenuHelp_Click(Editor& ed);
void MenuAbout_Click(Editor& ed);

}  // namespace quorvel
