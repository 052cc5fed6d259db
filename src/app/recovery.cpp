#include "app/recovery.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <time.h>
#include <random>
#include <vector>

#include "document/file_io.h"
#include "document/host.h"
#include "document/map_file.h"
#include "document/unsaved.h"
#include "editing/clipboard.h"
#include "editing/selection.h"
#include "app/lifecycle.h"
#include "app/autosave.h"
#include "app/private_folder.h"
#include "app/recovery_note.h"

namespace quorvel {

namespace {

std::string g_path;
// Fixed C strings for the handler, which may not allocate: the map, the note and their parts.
char g_pathC[4096] = "";
char g_partC[4096] = "";
char g_noteC[4096] = "";
char g_notePartC[4096] = "";
// The note's end ("\nmap=" and the map's name) in two buffers: the published one stays whole
// while the other is rewritten.
char g_noteTail[2][4096] = {"", ""};
std::atomic<const char*> g_noteTailPublished{nullptr};
std::string g_noteName;  // window thread: the name in the published tail
std::atomic_flag g_written = ATOMIC_FLAG_INIT;
std::atomic<bool> g_armed{false};

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGSEGV, SIGABRT};

// The last word on this editor's files: the map as it stands, or nothing when it has no unsaved
// changes (an earlier background write is then out of date).
void WriteOnce() {
  if (g_written.test_and_set()) return;
  HoldAutosave();
  if (!WriteRecoveryFile() && PublishedMap() == nullptr && g_pathC[0] != '\0') {
    ::unlink(g_pathC);
    ::unlink(g_noteC);
  }
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

std::string UniquePart() {
  std::random_device device;
  char text[17];
  std::snprintf(text, sizeof text, "%08x%08x", device(), device());
  return text;
}

void CopyC(char (&to)[4096], const std::string& from) {
  const bool fits = from.size() < sizeof to;
  std::memcpy(to, fits ? from.c_str() : "", fits ? from.size() + 1 : 1);
}

// Written beside and renamed, so an earlier file is never left half overwritten.
bool WriteAndRename(const char* part, const char* path, const char* a, size_t aSize, const char* b, size_t bSize) {
  const int fd = ::open(part, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, a, aSize) && WriteAll(fd, b, bSize);
  const bool closed = ::close(fd) == 0;
  if (written && closed && ::rename(part, path) == 0) return true;
  ::unlink(part);
  return false;
}

// "written=" and the seconds now, without the library's formatting.
size_t NoteHead(char (&out)[40]) {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  char digits[24];
  size_t n = 0;
  unsigned long long s = now.tv_sec > 0 ? static_cast<unsigned long long>(now.tv_sec) : 0;
  do {
    digits[n++] = static_cast<char>('0' + s % 10);
    s /= 10;
  } while (s != 0 && n < sizeof digits);
  std::memcpy(out, "written=", 8);
  for (size_t i = 0; i < n; ++i) out[8 + i] = digits[n - 1 - i];
  return 8 + n;
}

// The note's end names this map; rewritten only when the name changes.
void PublishNoteName(const std::string& name) {
  if (g_noteTailPublished.load() != nullptr && name == g_noteName) return;
  char (&tail)[4096] = g_noteTail[g_noteTailPublished.load() == g_noteTail[0] ? 1 : 0];
  const std::string text = RecoveryNoteText(name, 0);
  CopyC(tail, text.substr(text.find('\n')));
  g_noteTailPublished.store(tail);
  g_noteName = name;
}

}  // namespace

void PrepareRecovery(Editor& ed) {
  std::string problem;
  const std::string folder = CheckedPrivateFolder(ed, problem);
  g_path = folder.empty() ? std::string()
                          : folder + kRecoveryPrefix + std::to_string(::getpid()) + "-" + UniquePart() + ".pmp";
  const std::string note = g_path.empty() ? std::string() : RecoveryNotePath(g_path);
  const bool fits = g_path.size() + 8 < sizeof g_partC;
  CopyC(g_pathC, fits ? g_path : "");
  CopyC(g_partC, fits && !g_path.empty() ? g_path + ".part" : "");
  CopyC(g_noteC, fits ? note : "");
  CopyC(g_notePartC, fits && !note.empty() ? note + ".part" : "");
  BeginAutosave(fits ? g_path : "", fits ? note : "");
  g_noteTailPublished.store(nullptr);
  g_written.clear();
}

std::string RecoveryPath() { return g_path; }

std::string KeptMapName(const Editor& ed) {
  return ed.doc.info.fileName.empty() ? ed.recoveredFrom : ed.doc.info.fileName;
}

void UpdateRecovery(Editor& ed) {
  std::vector<uint8_t>& out = AutosaveScratch();
  EncodeSaveForm(ed.doc, out);
  if (!NoteSaveForm(ed, out)) {
    AutosaveClean();
    return;
  }
  const std::string& name = KeptMapName(ed);
  PublishNoteName(name);
  AutosavePublish(name);
}

std::span<const uint8_t> RecoveryBytes() {
  const uint8_t* data = PublishedMap();
  return data ? std::span<const uint8_t>(data, kMapFileSize) : std::span<const uint8_t>();
}

bool WriteAll(int fd, const void* data, size_t size) noexcept {
  const auto* bytes = static_cast<const char*>(data);
  size_t done = 0;
  while (done < size) {
    const ssize_t w = ::write(fd, bytes + done, size - done);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    done += static_cast<size_t>(w);
  }
  return true;
}

bool WriteRecoveryFile() noexcept {
  const uint8_t* data = PublishedMap();
  const char* tail = g_noteTailPublished.load();
  if (data == nullptr || g_pathC[0] == '\0') return false;
  char head[40];
  const size_t headSize = NoteHead(head);
  WriteAndRename(g_notePartC, g_noteC, head, headSize, tail ? tail : "", tail ? std::strlen(tail) : 0);
  return WriteAndRename(g_partC, g_pathC, reinterpret_cast<const char*>(data), kMapFileSize, "", 0);
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

void RemoveOwnRecoveryFile() {
  StopAutosave();
  if (g_path.empty()) return;
  ::unlink(g_path.c_str());
  ::unlink(RecoveryNotePath(g_path).c_str());
}

}  // namespace quorvel
