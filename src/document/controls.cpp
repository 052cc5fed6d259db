#include "document/controls.h"

namespace quorvel {

Controls::Controls() {
  for (int z : {400, 200, 100, 50, 25}) CBzoom.AddItem(std::to_string(z) + "%", z);
  for (const char* g : {"Off", "100", "50", "25", "10", "5"}) CBgrid.AddItem(g);
  CBzoom.Select(2);
  CBgrid.Select(0);
  for (const char* v : {"100%", "75%", "50%", "25%"}) CBscenery2.AddItem(v);
  for (const char* v : {"12", "16", "24", "32"}) CBcollider.AddItem(v);
}

}  // namespace quorvel
