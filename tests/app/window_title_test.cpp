#include <gtest/gtest.h>

#include "app/window_title.h"

namespace quorvel {
namespace {

TEST(WindowTitle, NamesTheMapWheneverItHasAFile) {
  struct Case {
    const char* file;
    bool changed;
    const char* mark;
    const char* title;
  };
  const Case cases[] = {
      {"", false, "*", "Quorvel  1.2"},  // a new map as it started
      {"", true, "*", "Untitled* - Quorvel  1.2"},
      {"/maps/ctf_test.pmp", false, "*", "ctf_test.pmp - Quorvel  1.2"},
      {"/maps/ctf_test.pmp", true, "*", "ctf_test.pmp* - Quorvel  1.2"},
      {"C:\\Zarnok\\MAPS\\ctf_test.pmp", false, "*", "ctf_test.pmp - Quorvel  1.2"},
      {"/maps/ctf_test.pmp", true, "[*]", "ctf_test.pmp[*] - Quorvel  1.2"},  // the toolkit's own mark
  };
  for (const Case& k : cases)
    EXPECT_EQ(WindowTitle("Quorvel  1.2", k.file, k.changed, k.mark), k.title) << k.file << " " << k.changed;
}

}  // namespace
}  // namespace quorvel
