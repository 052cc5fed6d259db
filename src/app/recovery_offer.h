#pragma once
// Start-up: every recovery file left by an editor that is no longer running is offered, newest
// first, by its map's name, its time and its object counts, with Open, Discard (after a
// confirmation) and Later. Files of editors still running are never offered or touched.
#include <ctime>
#include <string>
#include <vector>

#include "document/editor.h"

namespace quorvel {

struct LeftRecovery {
  std::string path;     // the map
  std::string notePath;
  std::string mapName;  // the file name it was kept under; "" for a map never saved
  std::time_t written = 0;
};

// The files in the folder (with its trailing separator) whose editors are gone, newest first.
std::vector<LeftRecovery> LeftRecoveries(const std::string& folder);
void OfferRecovery(Editor& ed);
// Opens a kept map as "<name> (recovered)", unsaved, so that a save asks where. False (and a
// message) when the file is no map.
bool OpenRecovered(Editor& ed, const LeftRecovery& left);

}  // namespace quorvel
