#include "app/autosave.h"

#include <fcntl.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <mutex>
#include <thread>

#include "document/map_file.h"
#include "app/recovery.h"
#include "app/recovery_note.h"

namespace quorvel {

namespace {

using Clock = std::chrono::steady_clock;

// Three buffers: one published (what a crash writes), one the worker may be writing, and one
// free for the window thread to encode into. The window thread picks and fills buffers; the
// worker only reads the one handed to it.
std::array<std::vector<uint8_t>, 3> g_pool;
std::atomic<const uint8_t*> g_published{nullptr};
int g_publishedIndex = -1;  // window thread only
int g_scratch = 0;          // window thread only

// Set before the worker starts; read by it and by the signal handler's caller.
std::string g_mapPath, g_notePath;

// The handshake with a crash's writer: whichever side comes second sees the other.
std::atomic<bool> g_holding{false};
std::atomic<bool> g_renaming{false};

struct Shared {
  std::mutex m;
  std::condition_variable wake;  // to the worker
  std::condition_variable idle;  // to a flush waiting
  int inbox = -1;                // the buffer waiting to be written
  std::string inboxName;         // the file name of its map
  Clock::time_point due;
  int writing = -1;
  bool removeFiles = false;
  bool flushNow = false;
  bool stop = false;
};
Shared g;
std::thread g_worker;

// A rename or removal the worker makes, unless a crash's writer holds the files.
bool Guarded(const auto& change) {
  g_renaming.store(true);
  const bool ok = !g_holding.load() && change();
  g_renaming.store(false);
  return ok;
}

// A new file beside the target, flushed to disk, then renamed over it.
bool WriteDurably(const std::string& path, const uint8_t* data, size_t size) {
  const std::string temp = path + ".auto";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, data, size) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (written && closed && Guarded([&] { return ::rename(temp.c_str(), path.c_str()) == 0; })) return true;
  ::unlink(temp.c_str());
  return false;
}

void SyncFolder(const std::string& path) {
  const std::string folder = path.substr(0, path.rfind('/') + 1);
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The note first, so that a map on disk is never named by an older note's name.
bool WriteFiles(const std::vector<uint8_t>& map, const std::string& mapName) {
  if (g_mapPath.empty()) return false;
  const std::string note = RecoveryNoteText(mapName, std::time(nullptr));
  const bool ok = WriteDurably(g_notePath, reinterpret_cast<const uint8_t*>(note.data()), note.size()) &&
                  WriteDurably(g_mapPath, map.data(), kMapFileSize);
  SyncFolder(g_mapPath);
  return ok;
}

void RemoveFiles() {
  if (g_mapPath.empty()) return;
  Guarded([] {
    ::unlink(g_mapPath.c_str());
    ::unlink(g_notePath.c_str());
    return true;
  });
}

void Work() {
  // The stop signals go to the window's thread, whose handler then waits for this one's rename.
  sigset_t stops;
  sigemptyset(&stops);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&stops, sig);
  ::pthread_sigmask(SIG_BLOCK, &stops, nullptr);

  std::vector<uint8_t> lastWritten;  // the same map twice is written once
  std::string lastName;
  std::unique_lock lock(g.m);
  while (!g.stop) {
    if (g.removeFiles) {
      g.removeFiles = false;
      g.writing = -2;  // busy, for a flush waiting
      lock.unlock();
      RemoveFiles();
      lastWritten.clear();
      lock.lock();
      g.writing = -1;
    } else if (g.inbox >= 0 && (g.flushNow || Clock::now() >= g.due)) {
      const int b = g.writing = g.inbox;
      g.inbox = -1;
      const std::string name = g.inboxName;
      lock.unlock();
      const std::vector<uint8_t>& map = g_pool[static_cast<size_t>(b)];
      const bool same = name == lastName && lastWritten.size() == kMapFileSize &&
                        std::memcmp(lastWritten.data(), map.data(), kMapFileSize) == 0;
      if (!same && WriteFiles(map, name)) {
        lastWritten.assign(map.begin(), map.begin() + kMapFileSize);
        lastName = name;
      }
      lock.lock();
      g.writing = -1;
    } else {
      g.flushNow = false;
      g.idle.notify_all();
      if (g.inbox >= 0)
        g.wake.wait_until(lock, g.due);
      else
        g.wake.wait(lock);
    }
  }
  g.idle.notify_all();
}

struct StopAtExit {
  ~StopAtExit() { StopAutosave(); }
};
StopAtExit g_stopAtExit;

}  // namespace

void BeginAutosave(const std::string& mapPath, const std::string& notePath) {
  StopAutosave();
  g_mapPath = mapPath;
  g_notePath = notePath;
  for (auto& b : g_pool) b.reserve(kMapFileSize);
  g_published.store(nullptr);
  g_publishedIndex = -1;
  g_holding.store(false);
  std::lock_guard lock(g.m);
  g.inbox = g.writing = -1;
  g.removeFiles = g.flushNow = g.stop = false;
}

std::vector<uint8_t>& AutosaveScratch() {
  int busy = -1, waiting = -1;
  {
    std::lock_guard lock(g.m);
    busy = g.writing;
    waiting = g.inbox;
  }
  for (int i = 0; i < 3; ++i)
    if (i != g_publishedIndex && i != busy && i != waiting) g_scratch = i;
  return g_pool[static_cast<size_t>(g_scratch)];
}

void AutosavePublish(const std::string& mapName) {
  g_published.store(g_pool[static_cast<size_t>(g_scratch)].data());
  g_publishedIndex = g_scratch;
  bool first = false;
  {
    std::lock_guard lock(g.m);
    first = g.inbox < 0;
    if (first) g.due = Clock::now() + kAutosaveDelay;
    g.inbox = g_scratch;
    if (g.inboxName != mapName) g.inboxName = mapName;
    g.removeFiles = false;
  }
  if (!g_worker.joinable()) {
    g_worker = std::thread(Work);
  } else if (first) {
    g.wake.notify_one();
  }
}

void AutosaveClean() {
  if (g_publishedIndex < 0) return;
  g_published.store(nullptr);
  g_publishedIndex = -1;
  {
    std::lock_guard lock(g.m);
    g.inbox = -1;
    g.removeFiles = true;
  }
  g.wake.notify_one();
}

void FlushAutosave() {
  if (!g_worker.joinable()) return;
  std::unique_lock lock(g.m);
  g.flushNow = true;
  g.wake.notify_one();
  g.idle.wait(lock, [] { return g.stop || (g.inbox < 0 && g.writing == -1 && !g.removeFiles && !g.flushNow); });
}

void StopAutosave() {
  if (!g_worker.joinable()) return;
  {
    std::lock_guard lock(g.m);
    g.stop = true;
  }
  g.wake.notify_one();
  g_worker.join();
}

const uint8_t* PublishedMap() { return g_published.load(); }

void HoldAutosave() {
  g_holding.store(true);
  // The worker never takes this signal, so a rename it has begun ends; a bound all the same.
  const timespec pause{0, 1000000};
  for (int i = 0; i < 5000 && g_renaming.load(); ++i) ::nanosleep(&pause, nullptr);
}

}  // namespace quorvel
