#include "shell/recovery.h"

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
#include <random>
#include <vector>

#include "document/file_io.h"
#include "document/host.h"
#include "document/map_file.h"
#include "document/unsaved.h"
#include "editing/clipboard.h"
#include "editing/selection.h"
#include "shell/lifecycle.h"
#include "shell/private_folder.h"

namespace quorvel {

namespace {

// Two buffers: the one published stays whole while the next encoding goes into the other, so a
// signal arriving in the middle of an update still finds a complete map.
std::vector<uint8_t> g_buffers[2];
int g_next = 0;
std::atomic<const uint8_t*> g_published{nullptr};
std::string g_path;
// Fixed C strings for the handler, which may not allocate.
char g_pathC[4096] = "";
char g_partC[4096] = "";
std::atomic_flag g_written = ATOMIC_FLAG_INIT;
std::atomic<bool> g_armed{false};

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

std::string UniquePart() {
  std::random_device device;
  char text[17];
  std::snprintf(text, sizeof text, "%08x%08x", device(), device());
  return text;
}

struct LeftFile {
  std::string path;
  long long mtimeNs = -1;
  std::time_t mtime = 0;
};

// The process id in a recovery file's name; 0 when it names none.
pid_t PidOf(const std::string& name) {
  const size_t start = std::strlen(kRecoveryPrefix);
  if (name.compare(0, start, kRecoveryPrefix) != 0 || name.size() < 4 || name.substr(name.size() - 4) != ".pmp")
    return 0;
  long long pid = 0;
  size_t i = start;
  for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && pid < 1000000000; ++i) pid = pid * 10 + (name[i] - '0');
  return i > start && i < name.size() && name[i] == '-' ? static_cast<pid_t>(pid) : 0;
}

bool Running(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

// The newest regular recovery file in the folder whose editor is gone.
LeftFile NewestLeft(const std::string& folder) {
  LeftFile newest;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return newest;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    const pid_t pid = PidOf(name);
    if (pid <= 0 || pid == ::getpid() || Running(pid)) continue;
    struct stat st {};
    const std::string path = folder + name;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    const long long ns = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    if (ns > newest.mtimeNs) newest = {path, ns, st.st_mtim.tv_sec};
  }
  ::closedir(dir);
  return newest;
}

}  // namespace

void PrepareRecovery(Editor& ed) {
  std::string problem;
  const std::string folder = CheckedPrivateFolder(ed, problem);
  g_path = folder.empty() ? std::string()
                          : folder + kRecoveryPrefix + std::to_string(::getpid()) + "-" + UniquePart() + ".pmp";
  const std::string part = g_path.empty() ? std::string() : g_path + ".part";
  const bool fits = part.size() < sizeof g_partC;
  std::memcpy(g_pathC, fits ? g_path.c_str() : "", fits ? g_path.size() + 1 : 1);
  std::memcpy(g_partC, fits ? part.c_str() : "", fits ? part.size() + 1 : 1);
  for (auto& b : g_buffers) b.reserve(kMapFileSize);
  g_published.store(nullptr);
  g_written.clear();
}

std::string RecoveryPath() { return g_path; }

void UpdateRecovery(Editor& ed) {
  std::vector<uint8_t>& out = g_buffers[g_next];
  EncodeSaveForm(ed.doc, out);
  if (!NoteSaveForm(ed, out)) {
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
  const int fd = ::open(g_partC, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
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

void RemoveOwnRecoveryFile() {
  if (!g_path.empty()) ::unlink(g_path.c_str());
}

void OfferRecovery(Editor& ed) {
  const std::string folder = PrivateFolder(ed);
  if (folder.empty()) return;
  const LeftFile newest = NewestLeft(folder);
  if (newest.path.empty()) return;
  const std::string offered = ed.host->GetSetting("Recovery", "Offered", "");
  if (std::strtoll(offered.c_str(), nullptr, 10) >= newest.mtimeNs) return;
  ed.host->SaveSetting("Recovery", "Offered", std::to_string(newest.mtimeNs));
  char when[64] = "";
  std::tm local {};
  if (::localtime_r(&newest.mtime, &local)) std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
  const std::string text = "Quorvel was stopped unexpectedly at " + std::string(when) +
                           " while a map had unsaved changes.\nThat map was kept in '" + newest.path +
                           "'.\nOpen it now?";
  if (ed.host->MessageBox(text, "Recovery", MsgIcon::Question, MsgButtons::YesNo) == MsgResult::Ok)
    OpenRecovered(ed, newest.path);
}

bool OpenRecovered(Editor& ed, const std::string& path) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error) || bytes.size() != kMapFileSize) {
    if (error.empty()) error = "it is no Zarnok map";
    ed.host->MessageBox("File '" + path + "' could not be opened: " + error + ".", "File error", MsgIcon::Critical,
                        MsgButtons::Ok);
    return false;
  }
  ClearSelection(ed);
  ed.doc.Clear(false);
  EmptyClipboard(ed);
  ed.doc.info.textureName.assign(kTextureNameLength, '\0');
  DecodeMap(bytes, ed.doc, nullptr);
  ed.doc.info.fileName.clear();  // a save asks for a name
  ShowOpenedMap(ed);
  MarkChangedFromNew(ed);
  return true;
}

}  // namespace quorvel
