#pragma once
// The note beside each recovery file, which names the map it holds and when it was written:
// "written=" and the seconds since 1970, a line feed, "map=" and the map's file name ("" for a
// map never saved) up to the end of the file, so that any name reads back whole.
#include <cstdint>
#include <ctime>
#include <string>

namespace quorvel {

std::string RecoveryNoteText(const std::string& mapName, std::time_t written);

struct RecoveryNote {
  bool valid = false;
  std::string mapName;
  std::time_t written = 0;
};
RecoveryNote ParseRecoveryNote(const std::string& text);

// "recovery-<pid>-<random>.pmp" to "recovery-<pid>-<random>.txt".
std::string RecoveryNotePath(const std::string& mapPath);

}  // namespace quorvel
