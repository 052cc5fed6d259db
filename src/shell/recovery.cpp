#include "shell/recovery.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "document/host.h"
#include "document/map_file.h"
#include "document/map_write.h"
#include "document/numeric.h"

namespace quorvel {

namespace {

// Two buffers: the one published stays whole while the next encoding goes into the other, so a
// signal arriving in the middle of an update still finds a complete map.
std::vector<uint8_t> g_buffers[2];
int g_next = 0;
std::vector<uint8_t> g_newMap;  // the encoding of an untouched new map
std::atomic<const uint8_t*> g_published{nullptr};
std::string g_path;
// Fixed C strings for the handler, which may not allocate.
char g_pathC[4096] = "";
char g_partC[4096] = "";
std::atomic_flag g_written = ATOMIC_FLAG_INIT;
std::atomic<bool> g_armed{false};
std::time_t g_lastSave = 0;

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGSEGV, SIGABRT};

void WriteOnce() {
  if (!g_written.test_and_set()) WriteRecoveryFile();
}

extern "C" void OnFatalSignal(int sig) {
  const int savedErrno = errno;
  WriteOnce();
  errno = savedErrno;
  // The action was reset on entry; the signal, blocked until this handler returns, then ends the
  // program with its usual status (and core dump).
  ::raise(sig);
}

extern "C" void OnExit() {
  if (g_armed.load()) WriteOnce();
}

}  // namespace

void PrepareRecovery(Editor& ed) {
  g_path = TemporaryFolder(ed) + kRecoveryFileName;
  const std::string part = g_path + ".part";
  const bool fits = part.size() < sizeof g_partC;
  std::memcpy(g_pathC, fits ? g_path.c_str() : "", fits ? g_path.size() + 1 : 1);
  std::memcpy(g_partC, fits ? part.c_str() : "", fits ? part.size() + 1 : 1);
  for (auto& b : g_buffers) b.reserve(kMapFileSize);
  MapDocument blank;
  blank.MakeNew();
  EncodeMapUntouched(blank, g_newMap);
  g_published.store(nullptr);
  g_written.clear();
  g_lastSave = 0;
}

std::string RecoveryPath() { return g_path; }

void UpdateRecovery(const Editor& ed) {
  std::vector<uint8_t>& out = g_buffers[g_next];
  EncodeMapUntouched(ed.doc, out);
  if (out == g_newMap) {
    g_published.store(nullptr);
    return;
  }
  g_published.store(out.data());
  g_next = 1 - g_next;
}

std::span<const uint8_t> RecoveryBytes() {
  const uint8_t* data = g_published.load();
  return data ? std::span<const uint8_t>(data, kMapFileSize) : std::span<const uint8_t>();
}

bool WriteRecoveryFile() noexcept {
  const uint8_t* data = g_published.load();
  if (data == nullptr || g_pathC[0] == '\0') return false;
  // Written beside and renamed, so an earlier recovery file is never left half overwritten.
  const int fd = ::open(g_partC, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < kMapFileSize) {
    const ssize_t w = ::write(fd, data + done, kMapFileSize - done);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) break;
    done += static_cast<size_t>(w);
  }
  const bool closed = ::close(fd) == 0;
  if (done == kMapFileSize && closed && ::rename(g_partC, g_pathC) == 0) return true;
  ::unlink(g_partC);
  return false;
}

void InstallRecoveryHandlers() {
  for (int sig : kSignals) {
    struct sigaction old {};
    ::sigaction(sig, nullptr, &old);
    if (old.sa_handler == SIG_IGN) continue;
    struct sigaction sa {};
    sa.sa_handler = OnFatalSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESETHAND;
    ::sigaction(sig, &sa, nullptr);
  }
  // Qt's X11 platform ends the program with exit() when the display connection breaks; no Qt
  // signal or event comes first. Wayland's gives up with qFatal, which aborts: SIGABRT above.
  static bool registered = false;
  if (!registered) registered = std::atexit(OnExit) == 0;
  g_armed.store(true);
}

void DisarmRecovery() { g_armed.store(false); }

void NoteSaved() { g_lastSave = std::time(nullptr); }

void StoreLastSave(Editor& ed) {
  if (g_lastSave != 0) ed.host->SaveSetting("Recovery", "LastSave", std::to_string(g_lastSave));
}

void TellAboutRecovery(Editor& ed) {
  struct stat st {};
  if (g_path.empty() || ::stat(g_path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  const double lastSave = LeadingNumber(ed.host->GetSetting("Recovery", "LastSave", "0"));
  if (static_cast<double>(st.st_mtime) <= lastSave) return;
  ed.host->MessageBox("File '" + g_path +
                          "' holds the map that was open when Quorvel was last stopped unexpectedly.\n"
                          "Open it and save it under a name of your own to keep that work.",
                      "Warning", MsgIcon::Exclamation, MsgButtons::Ok);
}

}  // namespace quorvel
