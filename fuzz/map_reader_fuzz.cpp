// The map reader as a user's open runs it (any length, Shift on or off), then a save and a
// re-read; and the undo form of the reader with its selection block, then a panel refresh and a
// redraw that use the selection. A second save of what was read back must write the same bytes.
// One editor serves every run: File > Open resets all that a map brings, as it does for a user.
#include "document/map_file.h"
#include "document/map_write.h"
#include "document/undo.h"
#include "fuzz_support.h"
#include "app/lifecycle.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::Session s;
  fuzz::Input in({data, size});
  const uint8_t flags = in.Byte();
  const bool undoForm = flags & 1, patched = flags & 2;
  static std::vector<uint8_t> bytes;
  if (patched) {
    bytes = fuzz::Patched(fuzz::BaseMap(undoForm), in);
  } else {
    const auto rest = in.Rest();
    bytes.assign(rest.begin(), rest.end());
  }
  Editor& ed = *s.ed;
  ed.canvas = &s.canvas;
  s.host.messages.clear();

  if (undoForm) {
    MenuNew_Click(ed);
    UndoExtension ext{ed.sel, 0};
    DecodeMap(bytes, ed.doc, &ext);
    ed.sel = ext.selection;
    ed.currentTool = static_cast<int16_t>(ext.currentTool < 0 || ext.currentTool > 5 ? 0 : ext.currentTool);
    ed.RefreshPanels();
    ed.RedrawCanvas();
    TakeSnapshot(ed, "Fuzz");
    if (!RestoreSnapshot(ed, ed.undo.undoSlot)) fuzz::Broken("a snapshot just taken cannot be restored");
    ed.RefreshPanels();
    ed.RedrawCanvas();
    return 0;
  }

  // The open, the saves and the checks redraw several times over; the map as read is drawn once
  // here, and the redraw target draws patched maps into the real canvas besides.
  ed.canvas = nullptr;
  ed.shiftDown = flags & 4;
  OpenByPath(ed, s.Write("in.pmp", bytes));
  ed.shiftDown = false;
  ed.canvas = &s.canvas;
  ed.RedrawCanvas();
  ed.canvas = nullptr;
  const std::string first = s.folder + "first.pmp";
  if (!WriteMap(ed, first)) return 0;
  OpenByPath(ed, first);
  // The second save only needs its bytes: the writer alone gives exactly what a save writes,
  // without the backup, the checks and the unsaved-changes baseline a user's save adds.
  static std::vector<uint8_t> again;
  WriteMapBytes(ed, false, again);
  if (s.Read(first) != again) fuzz::Broken("save, read, save gives other bytes");
  return 0;
}
