#pragma once
// The main window's title: the map's file name whenever the map has one, so a user can tell which
// map is open, then the caption ("ctf_test.pmp - Quorvel  1.2"). `mark` follows the name while the
// map has unsaved changes ("ctf_test.pmp* - Quorvel  1.2"); a map without a file is "Untitled"
// while changed and shows the bare caption while unchanged.
#include <string>

namespace quorvel {

std::string WindowTitle(const std::string& caption, const std::string& fileName, bool changed,
                        const std::string& mark = "*");

}  // namespace quorvel
