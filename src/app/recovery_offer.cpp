#include "app/recovery_offer.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "document/file_io.h"
#include "document/host.h"
#include "document/map_file.h"
#include "document/numeric.h"
#include "document/unsaved.h"
#include "editing/clipboard.h"
#include "editing/selection.h"
#include "app/autosave.h"
#include "app/lifecycle.h"
#include "app/private_folder.h"
#include "app/recovery.h"
#include "app/recovery_note.h"
#include "app/unsaved_question.h"

namespace quorvel {

namespace {

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

std::string LocalTime(std::time_t t) {
  char when[64] = "";
  std::tm local{};
  if (::localtime_r(&t, &local)) std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
  return when;
}

std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Contents(const MapDocument& d) {
  return Count(d.polygonLast + 1, "polygon", "polygons") + ", " + Count(d.spawnLast + 1, "spawn", "spawns") + ", " +
         Count(d.sceneryLast + 1, "scenery", "sceneries") + ", " + Count(d.colliderLast + 1, "collider", "colliders") +
         " and " + Count(d.waypointLast + 1, "waypoint", "waypoints");
}

std::string Named(const std::string& mapName) {
  return mapName.empty() ? std::string("a new map") : "'" + FileNameOf(mapName) + "'";
}

void Remove(const LeftRecovery& left) {
  ::unlink(left.path.c_str());
  ::unlink(left.notePath.c_str());
}

// The kept map now lives in this editor's own recovery file; the old one goes once that is on
// disk, so that it is neither offered twice nor lost.
void TakeOver(Editor& ed, const LeftRecovery& left) {
  UpdateRecovery(ed);
  FlushAutosave();
  struct stat st {};
  const std::string own = RecoveryPath();
  if (!own.empty() && ::stat(own.c_str(), &st) == 0 && st.st_size == static_cast<off_t>(kMapFileSize)) Remove(left);
}

}  // namespace

std::vector<LeftRecovery> LeftRecoveries(const std::string& folder) {
  std::vector<LeftRecovery> left;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return left;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    const pid_t pid = PidOf(name);
    if (pid <= 0 || pid == ::getpid() || Running(pid)) continue;
    struct stat st {};
    LeftRecovery one;
    one.path = folder + name;
    if (::lstat(one.path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    one.notePath = RecoveryNotePath(one.path);
    one.written = st.st_mtim.tv_sec;
    std::vector<uint8_t> text;
    std::string error;
    if (ReadWholeFile(one.notePath, text, error)) {
      const RecoveryNote note = ParseRecoveryNote(std::string(text.begin(), text.end()));
      if (note.valid) {
        one.mapName = note.mapName;
        one.written = note.written;
      }
    }
    left.push_back(std::move(one));
  }
  ::closedir(dir);
  std::stable_sort(left.begin(), left.end(), [](const LeftRecovery& a, const LeftRecovery& b) {
    return a.written != b.written ? a.written > b.written : a.path < b.path;
  });
  return left;
}

void OfferRecovery(Editor& ed) {
  const std::string folder = PrivateFolder(ed);
  if (folder.empty()) return;
  const std::vector<LeftRecovery> left = LeftRecoveries(folder);
  auto kept = std::make_unique<MapDocument>();
  for (size_t i = 0; i < left.size(); ++i) {
    const LeftRecovery& one = left[i];
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(one.path, bytes, error) || bytes.size() != kMapFileSize) continue;  // gone or torn: not offered
    kept->Clear(false);
    DecodeMap(bytes, *kept, nullptr);
    const std::string title = "Recovery (" + std::to_string(i + 1) + " of " + std::to_string(left.size()) + ")";
    const std::string text = "Quorvel stopped unexpectedly while " + Named(one.mapName) +
                             " had unsaved changes.\nKept " + LocalTime(one.written) + ": " + Contents(*kept) +
                             ".\n\nOpen it now, discard it, or decide later (it is offered again at the next start)?";
    switch (ed.host->AskRecovery(text, title)) {
      case RecoveryChoice::Later:
        break;
      case RecoveryChoice::Discard:
        if (ed.host->MessageBox("The map kept from " + Named(one.mapName) + " on " + LocalTime(one.written) +
                                    " will be deleted. It cannot be brought back.",
                                "Warning", MsgIcon::Question, MsgButtons::OkCancel) == MsgResult::Ok)
          Remove(one);
        break;
      case RecoveryChoice::Open:
        // One map at a time: the others stay for the next start.
        if (ConfirmDropChanges(ed) && OpenRecovered(ed, one)) {
          TakeOver(ed, one);
          return;
        }
        break;
    }
  }
}

bool OpenRecovered(Editor& ed, const LeftRecovery& left) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(left.path, bytes, error) || bytes.size() != kMapFileSize) {
    if (error.empty()) error = "it is no Zarnok map";
    ed.host->MessageBox("File '" + left.path + "' could not be opened: " + error + ".", "File error",
                        MsgIcon::Critical, MsgButtons::Ok);
    return false;
  }
  ClearSelection(ed);
  ed.doc.Clear(false);
  EmptyClipboard(ed);
  ed.doc.info.textureName.assign(kTextureNameLength, '\0');
  DecodeMap(bytes, ed.doc, nullptr);
  ed.doc.info.fileName.clear();  // a save asks where, with the old name preset
  ShowOpenedMap(ed);
  MarkChangedFromNew(ed);
  ed.recovered = true;
  ed.recoveredFrom = left.mapName;
  return true;
}

}  // namespace quorvel
