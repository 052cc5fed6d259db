// The prefab reader, quiet (the text tool) and not (Import), into a map that is empty or nearly
// full; then the map is saved and read back.
#include "editing/prefab_import.h"
#include "fixtures/map_builder.h"
#include "fuzz_support.h"
#include "app/lifecycle.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::Session s;
  static const MapDocument nearlyFull = fixtures::SpreadMap({398, 3, 252, 126, 4, 1}, 200);
  fuzz::Input in({data, size});
  const uint8_t flags = in.Byte();
  Editor& ed = *s.ed;
  s.host.messages.clear();
  // New, the save and the reopen redraw several times over; the imported map is drawn once below.
  ed.canvas = nullptr;
  MenuNew_Click(ed);
  if (flags & 2) ed.doc = nearlyFull;
  ed.shiftDown = flags & 4;  // Shift reads a prefab of another version anyway
  ReadPrefab(ed, s.Write("in.pre", in.Rest()), flags & 1);
  ed.shiftDown = false;
  const MapDocument& d = ed.doc;
  if (d.polygonLast > 399 || d.sceneryLast > kSceneryLastKept || d.colliderLast > 127)
    fuzz::Broken("an import went past a capacity");
  const SelectionState& sel = ed.sel;
  for (int i = 0; i <= sel.selSceneryLast; ++i)
    if (sel.selScenery[size_t(i)] > d.sceneryLast) fuzz::Broken("a selected scenery past the last one");
  ed.RefreshPanels();
  ed.canvas = &s.canvas;
  ed.RedrawCanvas();
  ed.canvas = nullptr;
  const std::string saved = s.folder + "saved.pmp";
  if (WriteMap(ed, saved)) OpenByPath(ed, saved);
  return 0;
}
