// A seeded random walk of user actions through the core: tools, clicks, drags, keys, the wheel,
// property changes, Edit commands, undo, import, save and reload. After every step the map and
// the selection must be sound; every so often a save, reload and save must write the same bytes.
// QUORVEL_SOAK_STEPS sets the length (5,000 by default), QUORVEL_SOAK_SEED the seed; a failure
// prints the seed and the step so that it can be replayed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "document/prefab_file.h"
#include "document/undo.h"
#include "editing/arrange.h"
#include "editing/clipboard.h"
#include "editing/keys.h"
#include "editing/pointer.h"
#include "editing/prefab_import.h"
#include "editing/tools.h"
#include "editing/redo_command.h"
#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "panels/map_properties.h"
#include "panels/object_properties.h"
#include "panels/vertex_properties.h"
#include "shell/compile.h"
#include "shell/lifecycle.h"
#include "view/view.h"

namespace quorvel {
namespace {

long EnvNumber(const char* name, long fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

bool Finite(float v) { return std::isfinite(v); }

// What must hold after every step. Returns "" or what is broken.
std::string Broken(const Editor& ed) {
  const MapDocument& d = ed.doc;
  if (d.polygonLast < -1 || d.polygonLast > 399) return "polygon last index";
  if (d.spawnLast < -1 || d.spawnLast > 29) return "spawn last index";
  if (d.sceneryLast < -1 || d.sceneryLast > kSceneryLastKept) return "scenery last index";
  if (d.colliderLast < -1 || d.colliderLast > 127) return "collider last index";
  if (d.waypointLast < -1 || d.waypointLast > 499) return "waypoint last index";
  for (int i = 0; i <= d.waypointLast; ++i) {
    const Waypoint& w = d.waypoints[size_t(i)];
    if (w.id != i + 1) return "waypoint id " + std::to_string(i);
    if (w.connectionCount < 0 || w.connectionCount > 20) return "connection count " + std::to_string(i);
    for (int k = 0; k < w.connectionCount; ++k)
      if (w.connections[size_t(k)] < 1 || w.connections[size_t(k)] > d.waypointLast + 1)
        return "link to no waypoint from " + std::to_string(i);
  }
  for (int p = 0; p <= d.polygonLast; ++p)
    for (const Vertex& v : d.polygons[size_t(p)].corner)
      if (!Finite(v.x) || !Finite(v.y) || !Finite(v.tu) || !Finite(v.tv)) return "polygon " + std::to_string(p);
  for (int i = 0; i <= d.sceneryLast; ++i) {
    const Scenery& s = d.scenery[size_t(i)];
    if (!Finite(s.x) || !Finite(s.y) || !Finite(s.rotation) || !Finite(s.scaleX) || !Finite(s.scaleY))
      return "scenery " + std::to_string(i);
  }
  for (int i = 0; i <= d.colliderLast; ++i) {
    const Collider& c = d.colliders[size_t(i)];
    if (!Finite(c.x) || !Finite(c.y) || !Finite(c.radius)) return "collider " + std::to_string(i);
  }
  const SelectionState& s = ed.sel;
  const int sum = (s.selVertexLast + 1) + (s.selSpawnLast + 1) + (s.selSceneryLast + 1) + (s.selColliderLast + 1) +
                  (s.selWaypointLast + 1);
  if (s.selLast != sum - 1) return "selLast against the lists";
  for (int i = 0; i <= s.selVertexLast; ++i)
    if (s.selVertexPolygon[size_t(i)] < 0 || s.selVertexPolygon[size_t(i)] > d.polygonLast + 1 ||
        s.selVertexCorner[size_t(i)] > 2)
      return "selected vertex past the polygons";
  for (int i = 0; i <= s.selSpawnLast; ++i)
    if (s.selSpawn[size_t(i)] > d.spawnLast) return "selected spawn past the last";
  for (int i = 0; i <= s.selSceneryLast; ++i)
    if (s.selScenery[size_t(i)] > d.sceneryLast) return "selected scenery past the last";
  for (int i = 0; i <= s.selColliderLast; ++i)
    if (s.selCollider[size_t(i)] > d.colliderLast) return "selected collider past the last";
  for (int i = 0; i <= s.selWaypointLast; ++i)
    if (s.selWaypoint[size_t(i)] < 0 || s.selWaypoint[size_t(i)] > d.waypointLast)
      return "selected waypoint past the last";
  return "";
}

class Soak : public fixtures::ShellTest {
 protected:
  std::mt19937 rng;
  std::string prefab;

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  float World() { return std::uniform_real_distribution<float>(-500, 500)(rng); }
  float Sx(float wx) { return LaskeRuutuX(*ed, wx); }
  float Sy(float wy) { return LaskeRuutuY(*ed, wy); }

  void Move(float x, float y, int button = 0) { Form_MouseMove(*ed, button, 0, Sx(x), Sy(y)); }
  void Click(float x, float y) {
    Move(x, y);
    Form_MouseDown(*ed, kLeftButton, 0, Sx(x), Sy(y));
    Form_MouseUp(*ed, kLeftButton, 0, Sx(x), Sy(y));
  }
  void Drag(float x1, float y1, float x2, float y2) {
    Move(x1, y1);
    Form_MouseDown(*ed, kLeftButton, 0, Sx(x1), Sy(y1));
    Move((x1 + x2) / 2, (y1 + y2) / 2, kLeftButton);
    Move(x2, y2, kLeftButton);
    Form_MouseUp(*ed, kLeftButton, 0, Sx(x2), Sy(y2));
  }
  void Choose(ComboBox& box, const std::function<void(Editor&)>& handler) {
    if (box.items.empty()) return;
    box.Select(Int(0, int(box.items.size()) - 1));
    handler(*ed);
  }
  std::string RandomText() {
    static const char* const texts[] = {"", "0", "2", "12", "50", "33%", "101", "-5", "abc", "1e999", "nan", "20", "999"};
    return texts[Int(0, 12)];
  }

  // One user action, chosen by weight.
  void Step() {
    switch (Int(0, 28)) {
      case 0: SelectTool(*ed, Int(0, 5)); break;
      case 1: case 2: case 3: Click(World(), World()); break;
      case 4: case 5: Drag(World(), World(), World(), World()); break;
      case 6: Move(World(), World()); break;
      case 7: {  // right-button pan
        const float x = World(), y = World();
        Move(x, y);
        Form_MouseDown(*ed, kRightButton, 0, Sx(x), Sy(y));
        Move(x + World() / 10, y + World() / 10, kRightButton);
        Form_MouseUp(*ed, kRightButton, 0, Sx(x), Sy(y));
        break;
      }
      case 8: {
        static const int keys[] = {kKeyShift, kKeyCtrl, kKeyLeft, kKeyUp, kKeyRight, kKeyDown, kKeyPadPlus, kKeyPadMinus};
        const int key = keys[Int(0, 7)];
        if ((key == kKeyShift || key == kKeyCtrl) && Int(0, 1)) {
          Form_KeyUp(*ed, key);
        } else {
          Form_KeyDown(*ed, key);
        }
        break;
      }
      case 9: WheelInput(*ed, std::array<int, 5>{120, -120, 15, -15, 240}[size_t(Int(0, 4))]); break;
      case 10: (Int(0, 2) ? MenuUndo_Click : MenuRedo_Click)(*ed); break;
      case 11: ed->ctl.CBverticeLapi.value = int16_t(Int(0, 1)); CBverticeLapi_Click(*ed); break;
      case 12: (Int(0, 1) ? CByhista_Click : CBerota_Click)(*ed); break;
      case 13: (Int(0, 1) ? CBtexPalauta_Click : CBtexPoista_Click)(*ed); break;
      case 14: CBspawn_DropDown(*ed); Choose(ed->ctl.CBspawn, CBspawn_Click); break;
      case 15: CBscenery_DropDown(*ed); Choose(ed->ctl.CBscenery, CBscenery_Click); break;
      case 16:
        if (Int(0, 1)) {
          ed->ctl.CBscenery2.text = RandomText();
          CBscenery2_KeyDown(*ed, kEnterKey);
        } else {
          ed->ctl.CBcollider.text = RandomText();
          CBcollider_KeyPress(*ed, kEnterKey);
        }
        break;
      case 17: {
        const int k = Int(0, 4);
        ed->ctl.CBbotValinta[size_t(k)].value = int16_t(Int(0, 1));
        CBbotValinta_Click(*ed, k);
        break;
      }
      case 18: OBbotKumpi_Click(*ed, Int(1, 2)); break;
      case 19:
        host.colourAnswers.push_back(Int(0, 2) ? std::optional<uint32_t>(uint32_t(rng()) & 0xFFFFFF) : std::nullopt);
        (std::array<void (*)(Editor&), 3>{CBverticevari_Click, CBtausta1_Click, CBtausta2_Click})[size_t(Int(0, 2))](*ed);
        break;
      case 20:
        TakeSnapshot(*ed, "Import");
        ReadPrefab(*ed, prefab, false);
        break;
      case 21: {  // save and reload
        const std::string path = PathIn("soak.pmp");
        if (WriteMap(*ed, path)) ReadMap(*ed, path);
        break;
      }
      case 22: MenuCopy_Click(*ed); break;
      case 23: MenuPaste_Click(*ed); break;
      case 24: (Int(0, 1) ? MenuMirror_Click : MenuFlip_Click)(*ed); break;
      case 25: (Int(0, 1) ? MenuFront_Click : MenuBack_Click)(*ed); break;
      case 26: MenuDelete_Click(*ed); break;
      case 27: MenuRunCompile_Click(*ed); break;
      default: {  // a band over everything, then a nudge
        SelectTool(*ed, 0);
        Drag(-700, -700, 700, 700);
        Form_KeyDown(*ed, kKeyRight);
        break;
      }
    }
  }

  // Save, read back, save: the two files must be the same.
  std::string RoundTrip() {
    const std::string a = PathIn("a.pmp"), b = PathIn("b.pmp");
    Editor copy;
    copy.host = &host;
    copy.doc = ed->doc;
    copy.view = ed->view;
    if (!WriteMap(copy, a)) return "first save failed";
    ReadMap(copy, a);
    if (!WriteMap(copy, b)) return "second save failed";
    return ReadFile(a) == ReadFile(b) ? "" : "save, read, save gives other bytes";
  }
};

TEST_F(Soak, RandomEditingKeepsTheMapSound) {
  const long steps = EnvNumber("QUORVEL_SOAK_STEPS", 5000);
  const unsigned seed = unsigned(EnvNumber("QUORVEL_SOAK_SEED", 20261208));
  rng.seed(seed);
  Start();
  MapDocument piece = fixtures::SpreadMap({6, 0, 3, 2, 0, 0}, 80, 99);
  std::vector<uint8_t> bytes;
  EncodePrefab(piece, bytes);
  prefab = WriteFile("piece.pre", bytes);
  ed->doc = fixtures::SpreadMap({40, 8, 20, 10, 30, 2}, 400, seed);
  for (long i = 0; i < steps; ++i) {
    Step();
    host.messages.clear();
    std::string broken = Broken(*ed);
    if (broken.empty() && i % 97 == 0) broken = RoundTrip();
    ASSERT_EQ(broken, "") << "seed " << seed << ", step " << i << " (QUORVEL_SOAK_SEED=" << seed
                          << " QUORVEL_SOAK_STEPS=" << i + 1 << " replays it)";
  }
}

}  // namespace
}  // namespace quorvel
