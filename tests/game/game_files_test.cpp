#include "game/game_files.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

// Names too short to have an extension leave an empty line rather than failing.
TEST(MapList, ShortNamesAndOtherStyles) {
  EXPECT_EQ(MapListLine(".pmp"), "\r\n");
  EXPECT_EQ(MapListLine("ab"), "\r\n");
  EXPECT_EQ(GameStyleFor("ctfa.pmp", 3), 0);
  EXPECT_EQ(GameStyleFor("a.pmp", 9), 9);
}

}  // namespace
}  // namespace quorvel
