#pragma once
// This editor's recovery file, written in the background while the map has unsaved changes, so
// that a stop no signal announces (kill -KILL, the out-of-memory killer, a frozen desktop, a power
// cut) loses only the last seconds. The window thread encodes the map anyway (that is the
// unsaved-changes check); here it only hands the finished buffer over, which costs a lock and no
// copy. A worker thread writes it at most kAutosaveDelay after the first change not yet on disk:
// a new file beside the old one, flushed to disk, then renamed over it. The same buffer is what a
// caught signal writes (recovery.cpp); the two never leave a torn or an older file behind.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

inline constexpr std::chrono::milliseconds kAutosaveDelay{2000};

// A new run: the worker of an earlier one is stopped, nothing is published, and the files go to
// these paths (the map and its note; no writing when they are empty).
void BeginAutosave(const std::string& mapPath, const std::string& notePath);

// Window thread. A buffer that is neither published nor being written, to encode the map into.
std::vector<uint8_t>& AutosaveScratch();
// The scratch buffer now holds the map with unsaved changes, whose file name (or "" for a new
// map) goes into the note beside it: it is what a crash keeps from now on, and the worker writes
// it within the delay.
void AutosavePublish(const std::string& mapName);
// Nothing unsaved: nothing is kept, and the files written for earlier changes are removed.
void AutosaveClean();
// Writes what is waiting now and returns once it is on disk (or removed).
void FlushAutosave();
// Ends the worker; nothing more is written or removed by it.
void StopAutosave();

// Async-signal-safe. The map a crash keeps (kMapFileSize bytes), or null.
const uint8_t* PublishedMap();
// Async-signal-safe. From now on the worker renames and removes nothing; returns once a rename
// or removal it had begun is done, so that what the caller writes next is the last word.
void HoldAutosave();

}  // namespace quorvel
