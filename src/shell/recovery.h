#pragma once
// Crash safety for the user's work. After every core call the window keeps the map encoded as a
// plain map file, so that a caught fatal signal, or the exit() Qt's X11 platform makes when the
// display connection is lost, can write it beside "backup.pmp" with open, write and close alone.
// The next start tells the user where it is.
#include <cstdint>
#include <span>
#include <string>

#include "document/editor.h"

namespace quorvel {

inline constexpr const char* kRecoveryFileName = "recovery.pmp";

// The recovery file's path (fixed for the run) and a fresh start: nothing kept, no save yet.
void PrepareRecovery(Editor& ed);
std::string RecoveryPath();
// Encodes the map as it stands. An untouched new map is nothing to recover.
void UpdateRecovery(const Editor& ed);
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

// A user's save succeeded; shutdown records when, so a recovery file older than it is forgotten.
void NoteSaved();
// Shutdown: stores the time of this run's last save, if any.
void StoreLastSave(Editor& ed);
// Start-up: one message naming a recovery file newer than the last save.
void TellAboutRecovery(Editor& ed);

}  // namespace quorvel
