#pragma once
// Crash safety for the user's work. After every core call the window encodes the map as a save
// would write it; while that differs from the saved map, a caught fatal signal, or the exit() Qt's
// X11 platform makes when the display connection is lost, writes it with open, write and close
// alone into this editor's own recovery file in the private folder. A clean exit removes that
// file; the next start offers the newest file left by an editor that is no longer running.
#include <cstdint>
#include <span>
#include <string>

#include "document/editor.h"

namespace quorvel {

// Recovery files are "recovery-", the process id, "-", a random part and ".pmp".
inline constexpr const char* kRecoveryPrefix = "recovery-";

// This run's recovery file (none when the private folder cannot be used) and a fresh start:
// nothing kept.
void PrepareRecovery(Editor& ed);
std::string RecoveryPath();
// Encodes the map as a save would write it and notes whether it has unsaved changes; only then is
// there anything for a crash to keep.
void UpdateRecovery(Editor& ed);
// What a crash would write now; empty when nothing.
std::span<const uint8_t> RecoveryBytes();
// Writes those bytes to the recovery file; uses only async-signal-safe calls. True when written.
bool WriteRecoveryFile() noexcept;

// Catches SIGTERM, SIGINT, SIGHUP (unless ignored, as under nohup), SIGSEGV and SIGABRT: the
// handler writes the recovery file, then the signal ends the program as it would have. An exit()
// before DisarmRecovery writes it too.
void InstallRecoveryHandlers();
// The window closed normally: exiting now is no crash.
void DisarmRecovery();
// A clean exit: this editor's recovery file, if any, is no longer needed.
void RemoveOwnRecoveryFile();

// Start-up: the newest recovery file left by an editor that is no longer running, offered once
// (the settings remember the newest one offered); Yes opens it as an unnamed map with unsaved
// changes.
void OfferRecovery(Editor& ed);
// Opens a recovery file as an unnamed map with unsaved changes; false (and a message) when it is
// no map.
bool OpenRecovered(Editor& ed, const std::string& path);

}  // namespace quorvel
