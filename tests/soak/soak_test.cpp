// A seeded random walk of user actions through the core: tools, clicks, drags, keys, the wheel,
// property changes, Edit commands, undo, import, the author text, save and reload as File > Open
// reads. After every step the map and the selection must be sound; every save, and every so often
// besides, a save, reload and save must write the same bytes.
// QUORVEL_SOAK_STEPS sets the length (5,000 by default), QUORVEL_SOAK_SEED the seed; a failure
// prints the seed and the step so that it can be replayed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "document/prefab_file.h"
#include "fixtures/map_builder.h"
#include "fixtures/random_actions.h"
#include "fixtures/shell_fixture.h"

namespace quorvel {
namespace {

long EnvNumber(const char* name, long fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

class Soak : public fixtures::ShellTest {};

TEST_F(Soak, RandomEditingKeepsTheMapSound) {
  const long steps = EnvNumber("QUORVEL_SOAK_STEPS", 5000);
  const unsigned seed = unsigned(EnvNumber("QUORVEL_SOAK_SEED", 20261208));
  std::mt19937 rng(seed);
  Start();
  MapDocument piece = fixtures::SpreadMap({6, 0, 3, 2, 0, 0}, 80, 99);
  std::vector<uint8_t> bytes;
  EncodePrefab(piece, bytes);
  fixtures::RandomActions actions(
      *ed, host, [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); },
      PathIn(""), WriteFile("piece.pre", bytes));
  ed->doc = fixtures::SpreadMap({40, 8, 20, 10, 30, 2}, 400, seed);
  for (long i = 0; i < steps; ++i) {
    std::string broken = actions.Step();
    host.messages.clear();
    if (broken.empty()) broken = fixtures::MapBroken(*ed);
    if (broken.empty() && i % 97 == 0) broken = actions.RoundTrip();
    ASSERT_EQ(broken, "") << "seed " << seed << ", step " << i << " (QUORVEL_SOAK_SEED=" << seed
                          << " QUORVEL_SOAK_STEPS=" << i + 1 << " replays it)";
  }
}

}  // namespace
}  // namespace quorvel
