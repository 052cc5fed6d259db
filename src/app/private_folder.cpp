#include "app/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "document/host.h"
#include "document/map_write.h"
#include "document/numeric.h"

namespace quorvel {

namespace {
bool g_told = false;
}

std::string CheckedPrivateFolder(Editor& ed, std::string& problem) {
  const std::string tmp = TemporaryFolder(ed);
  if (tmp.empty()) {
    problem = "the system names no temporary folder";
    return "";
  }
  const std::string folder = tmp + "quorvel-" + std::to_string(::geteuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    problem = "it cannot be made: " + std::string(std::strerror(errno));
    return "";
  }
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0) {
    problem = std::strerror(errno);
    return "";
  }
  if (S_ISLNK(st.st_mode)) {
    problem = "it is a link";
  } else if (!S_ISDIR(st.st_mode)) {
    problem = "it is not a folder";
  } else if (st.st_uid != ::geteuid()) {
    problem = "it belongs to another user";
  } else if ((st.st_mode & 077) != 0) {
    problem = "other users can reach it";
  } else {
    problem.clear();
    return folder + "/";
  }
  return "";
}

std::string PrivateFolder(Editor& ed) {
  std::string problem;
  std::string folder = CheckedPrivateFolder(ed, problem);
  if (folder.empty() && !g_told) {
    g_told = true;
    ed.host->MessageBox(
        "Quorvel keeps the backup copy of a saved map and the map of a crash in the folder '" +
            TemporaryFolder(ed) + "quorvel-" + std::to_string(::geteuid()) + "', which cannot be used: " +
            problem + ".\nQuorvel works on without the backup copy and without crash recovery.",
        "Warning", MsgIcon::Exclamation, MsgButtons::Ok);
  }
  return folder;
}

std::string BackupName(const std::string& mapPath) { return "backup-" + FileNameOf(mapPath); }

void ResetPrivateFolderNotice() {
  g_told = false;
}

}  // namespace quorvel
