#include "panels/map_properties.h"

#include "document/host.h"
#include "document/numeric.h"
#include "document/undo.h"
#include "editing/text_tool.h"
#include "view/geometry.h"

namespace quorvel {

namespace {

constexpr size_t kAuthorLength = 19;

// The first n characters (code points) of a UTF-8 text.
std::string FirstCharacters(const std::string& utf8, size_t n) {
  size_t i = 0;
  for (size_t count = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;  // inside a character
    if (count++ == n) break;
  }
  return utf8.substr(0, i);
}

void ChooseBackground(Editor& ed, Colour4& colour) {
  TakeSnapshot(ed, "Background");
  const uint32_t shown = PackedColour(colour);
  // Cancel keeps the colour the dialog started with; the snapshot stays all the same.
  const uint32_t chosen = ed.host->ChooseColour(shown).value_or(shown);
  LongToRGB(static_cast<int32_t>(chosen & 0xFFFFFF), colour.red, colour.green, colour.blue);
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

}  // namespace

void CBauthor_Click(Editor& ed) {
  TakeSnapshot(ed, "Author");
  std::string& author = ed.doc.info.authorName;
  const std::string answer =
      Trim(ed.host
               ->InputBox("Author's name\n\nYou are also allowed place this text to the map after you press OK button.",
                          "Map properties", author)
               .value_or(""));
  const size_t length = Utf8Length(answer);
  if (length < 2 && Utf8Length(Trim(author)) < 2) {
    author = "Unknow";
  } else if (length > 1) {
    author = FirstCharacters(answer, kAuthorLength);
  }
  // Also after Cancel, when the map already has a real author.
  if (author != "New" && author != "Unknow") PlaceText(ed, author);
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

void CBtausta1_Click(Editor& ed) { ChooseBackground(ed, ed.doc.info.backgroundTop); }

void CBtausta2_Click(Editor& ed) { ChooseBackground(ed, ed.doc.info.backgroundBottom); }

}  // namespace quorvel
