#pragma once
// Crash safety for the user's work. After every core call the window encodes the map as a save
// would write it; while that differs from the saved map, a worker writes it into this editor's own
// recovery file in the private folder within seconds (app/autosave), and a caught fatal signal,
// or the exit() Qt's X11 platform makes when the display connection is lost, writes it at once
// with open, write and close alone. A note beside the file names the map and the time
// (app/recovery_note). A clean exit removes both; the next start offers every file left by an
// editor that is no longer running (app/recovery_offer).
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
// The file name the recovery note gives for the map: its own, or the one it was recovered from.
std::string KeptMapName(const Editor& ed);
// What a crash would write now; empty when nothing.
std::span<const uint8_t> RecoveryBytes();
// Writes those bytes and the note; uses only async-signal-safe calls. True when written.
bool WriteRecoveryFile() noexcept;

// Writes all of `size` bytes to `fd`, again after an interrupted write; only calls that are safe
// inside a signal handler, so the crash handler and the background writer share it.
bool WriteAll(int fd, const void* data, size_t size) noexcept;

// Catches SIGTERM, SIGINT, SIGHUP (unless ignored, as under nohup), SIGSEGV and SIGABRT: the
// handler writes the recovery file, then the signal ends the program as it would have. An exit()
// before DisarmRecovery writes it too.
void InstallRecoveryHandlers();
// The window closed normally: exiting now is no crash.
void DisarmRecovery();
// A clean exit: the worker stops, and this editor's recovery file, if any, is no longer needed.
void RemoveOwnRecoveryFile();

}  // namespace quorvel
