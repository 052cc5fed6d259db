#include "app/about.h"

#include "document/host.h"
#include "document/undo.h"
#include "app/lifecycle.h"

namespace quorvel {

void About_Load(AboutBox& box) {
  box.caption = std::string("About ") + kProductName;
  box.lblVersion.caption = "Version " + std::to_string(QUORVEL_VERSION_MAJOR) + "." +
                           std::to_string(QUORVEL_VERSION_MINOR) + "." + std::to_string(QUORVEL_VERSION_PATCH);
  if (std::string(kProductComments) == "BETA") box.lblVersion.caption += " BETA";
  box.lblDescription.caption = "This is an unofficial Zarnok map editor.";
  box.lblTitle[0].caption = "Quorvel is written by the Quorvel developers.";
  box.lblTitle[1].caption = "quorvel.example.org";
  box.lblTitle[2].caption = "quorvel@example.org";
}

void lblTitle_Click(AboutBox& box, int index) {
  // A browser or mail program that does not start is not worth a message.
  if (box.host == nullptr) return;
  if (index == 1) box.host->ShellExecute(kWebAddress, "", "");
  if (index == 2) box.host->ShellExecute(kMailAddress, "", "");
}

void cmdOK_Click(AboutBox& box) { box.closed = true; }

void MenuHelp_Click(Editor& ed) {
  ed.host->ShellExecute(kHelpAddress, "", "");
  TakeSnapshot(ed, "Help");
}

void MenuAbout_Click(Editor& ed) {
  AboutBox box;
  box.host = ed.host;
  About_Load(box);
  ed.host->ShowAbout(box);
}

}  // namespace quorvel
