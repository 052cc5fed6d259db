#include "editing/text_tool.h"

#include "document/file_io.h"
#include "document/numeric.h"
#include "editing/move.h"
#include "editing/prefab_import.h"
#include "editing/selection.h"

namespace quorvel {

namespace {

// Windows-1252 lower case: ASCII, the accented capitals and the three capitals that sit in the
// 0x80 block (Š, Œ, Ž) and Ÿ.
unsigned char LowerCp1252(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<unsigned char>(c + 0x20);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 0x10);
  if (c == 0x9F) return 0xFF;
  return c;
}

}  // namespace

std::string LetterFile(const Editor& ed, unsigned char code) {
  return ed.appFolder + "/Alphabet/" + std::to_string(code) + ".pre";
}

void PlaceText(Editor& ed, const std::string& text) {
  const MapDocument& d = ed.doc;
  const int polygonBefore = d.polygonLast, sceneryBefore = d.sceneryLast, colliderBefore = d.colliderLast;
  const SelRect& r = ed.sel.selRect;

  for (char raw : Utf8ToCp1252(text)) {
    const std::string path = LetterFile(ed, LowerCp1252(static_cast<unsigned char>(raw)));
    bool placed = false;
    if (PathExists(path)) {
      ReadPrefab(ed, path, true);
      // A letter file that gives nothing (broken, or nothing fits any more) counts as a space, so
      // the moves below never run on an unset frame.
      placed = ed.sel.selLast >= 0;
    }
    if (placed) {
      MoveSelection(ed, -r.left, -r.top, false);
      MoveSelection(ed, 0, -r.bottom / 2, false);
      SelectAppended(ed, polygonBefore, sceneryBefore, colliderBefore);
      MoveSelection(ed, -r.right, 0, false);
    } else {
      SelectAppended(ed, polygonBefore, sceneryBefore, colliderBefore);
      if (ed.sel.selLast >= 0) MoveSelection(ed, -20, 0, false);
    }
  }

  SelectAppended(ed, polygonBefore, sceneryBefore, colliderBefore);
  if (ed.sel.selLast < 0) {
    ClearSelection(ed);  // no stale frame of an earlier selection around nothing
    return;
  }
  MoveSelection(ed, 0, 0, true);
}

}  // namespace quorvel
