// Editing as a user does it, on a map the input chooses and File > Open reads: the input picks a
// sequence of actions (every tool, clicks and drags, keys, the wheel, the panel handlers, the Edit
// commands, undo, import, the author's text, compile, save and reload) and every number they
// need. After every action the map and the selection must be sound, and every save must read
// back and save again to the same bytes.
#include "document/map_file.h"
#include "document/prefab_file.h"
#include "fixtures/map_builder.h"
#include "fixtures/random_actions.h"
#include "fuzz_support.h"
#include "app/lifecycle.h"

using namespace quorvel;

namespace {

fuzz::Input* g_in = nullptr;

// A whole number in [lo, hi] from the input; lo once it is used up.
int Pick(int lo, int hi) {
  const uint32_t range = uint32_t(int64_t(hi) - lo + 1);
  const uint32_t v = range <= 256 ? g_in->Byte() : g_in->U32();
  return int(int64_t(lo) + v % range);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::Session s;
  static const std::string prefab = [] {
    std::vector<uint8_t> bytes;
    EncodePrefab(fixtures::SpreadMap({6, 0, 3, 2, 0, 0}, 80, 99), bytes);
    // The same piece stands for the letters of the author's text.
    for (const char* letter : {"65", "66", "90", "101", "196"})
      s.Write(std::string("Quorvel/Alphabet/") + letter + ".pre", bytes);
    return s.Write("piece.pre", bytes);
  }();
  static fixtures::RandomActions actions(*s.ed, s.host, Pick, s.folder, prefab);

  fuzz::Input in({data, size});
  g_in = &in;
  // The map: objects of every kind spread as the input says, then up to three byte patches.
  fixtures::MapCounts counts;
  counts.polygons = in.Byte() % 60;
  counts.spawns = in.Byte() % 31;
  counts.scenery = in.Byte() % 40;
  counts.colliders = in.Byte() % 20;
  counts.waypoints = in.Byte() % 40;
  counts.linksPerWaypoint = in.Byte() % 4;
  const float spread = 20.0f + float(in.Byte()) * 4.0f;
  static std::vector<uint8_t> map;  // reused: a fresh half megabyte each run costs more than the run
  EncodeMap(fixtures::SpreadMap(counts, spread, in.Byte()), nullptr, map);
  for (int patches = in.Byte() % 4; patches > 0; --patches) {
    const uint32_t at = (uint32_t(in.Byte()) | uint32_t(in.Byte()) << 8 | uint32_t(in.Byte()) << 16) % map.size();
    for (int n = in.Byte() % 8; n > 0; --n) map[(at + size_t(n)) % map.size()] = in.Byte();
  }

  Editor& ed = *s.ed;
  s.host.messageAnswers.clear();
  s.host.inputAnswers.clear();
  s.host.colourAnswers.clear();
  ed.shiftDown = ed.ctrlDown = false;
  ed.wheelRemainder = 0;
  // The redraw target draws maps in depth; here the map is drawn after every eighth step and at
  // the end, so the editing states (a half-made triangle, a band, a selection) are drawn too.
  ed.canvas = nullptr;
  MenuNew_Click(ed);
  OpenByPath(ed, s.Write("in.pmp", map));
  s.host.messages.clear();
  // A patch may have written numbers that are not finite, which the reader keeps as the file has
  // them: such a map is edited too, and every step must keep it sound in all but those numbers
  // (which undo, redo and paste may bring back). A map read with finite numbers must keep them so.
  if (!fixtures::MapBroken(ed, false).empty()) return 0;
  const bool finite = fixtures::MapBroken(ed).empty();
  for (int step = 0; step < 100 && !in.Empty(); ++step) {
    ed.canvas = step % 8 == 7 ? &s.canvas : nullptr;
    std::string broken = actions.Step();
    s.host.messages.clear();
    if (broken.empty()) broken = fixtures::MapBroken(ed, finite);
    if (!broken.empty()) fuzz::Broken(broken.c_str());
  }
  ed.canvas = &s.canvas;
  ed.RedrawCanvas();
  return 0;
}
