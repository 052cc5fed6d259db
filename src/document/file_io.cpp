#include "document/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {

namespace {

FileStore* g_store = nullptr;

std::string Reason(int err) { return std::strerror(err); }

}  // namespace

void UseFileStore(FileStore* store) { g_store = store; }

bool PathExists(const std::string& path) {
  if (g_store) return !path.empty() && g_store->Exists(path);
  std::error_code ec;
  return !path.empty() && fs::exists(fs::u8path(path), ec);
}

namespace {

// Reads the whole file; `err` keeps the errno of a failure (0 for a folder).
bool ReadAll(const std::string& path, std::vector<uint8_t>& bytes, std::string& error, int& err) {
  err = 0;
  std::error_code ec;
  fs::path p = fs::u8path(path);
  if (fs::is_directory(p, ec)) {
    error = "it is a folder";
    return false;
  }
  std::FILE* f = std::fopen(p.c_str(), "rb");
  if (!f) {
    err = errno;
    error = Reason(err);
    return false;
  }
  bytes.clear();
  uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
  bool failed = std::ferror(f) != 0;
  err = errno;
  std::fclose(f);
  if (failed) {
    error = Reason(err);
    return false;
  }
  err = 0;
  return true;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
  if (g_store) {
    bool present = true;
    if (g_store->Read(path, bytes, present, error)) return true;
    if (!present) error = Reason(ENOENT);
    return false;
  }
  int err;
  return ReadAll(path, bytes, error, err);
}

bool ReadFileIfPresent(const std::string& path, std::vector<uint8_t>& bytes, bool& present, std::string& error) {
  present = true;
  if (g_store) {
    if (g_store->Read(path, bytes, present, error)) return true;
    if (present) return false;
    bytes.clear();
    error.clear();
    return true;
  }
  int err;
  if (ReadAll(path, bytes, error, err)) return true;
  if (err != ENOENT) return false;
  present = false;
  bytes.clear();
  error.clear();
  return true;
}

namespace {

// Writes all of the bytes; 0 or the reason's errno.
int WriteAll(int fd, const uint8_t* data, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t w = ::write(fd, data + done, size - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (w == 0) return ENOSPC;
    done += static_cast<size_t>(w);
  }
  return 0;
}

// What a target that exists but is no regular file is, for a refusal ("it is a socket").
std::string NotAFile(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder";
  if (S_ISSOCK(mode)) return "it is a socket";
  if (S_ISBLK(mode)) return "it is a block device";
  return "it is not a regular file";
}

// The file a write to `path` lands on: symbolic links are followed to the name they point at,
// which need not exist yet. False with the reason for a loop of links.
bool FollowLinks(fs::path& path, std::string& error) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::error_code ec;
    const fs::path to = fs::read_symlink(path, ec);
    if (ec) {
      error = ec.message();
      return false;
    }
    path = to.is_absolute() ? to : path.parent_path() / to;
  }
  error = Reason(ELOOP);
  return false;
}

// Fills a fresh temporary file in the target's folder and renames it over the target only when
// `fill` (which returns 0 or an errno) has put every byte on disk; on failure the target is
// untouched and the temporary file removed. A device or a pipe is filled directly instead: it
// cannot be replaced, and renaming a file over it would put a plain file in its place.
template <typename Fill>
bool ReplaceThroughTemporary(const std::string& path, Fill fill, std::string& error) {
  std::error_code ec;
  fs::path target = fs::u8path(path);
  if (!FollowLinks(target, error)) return false;
  struct stat st {};
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists && (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
      error = Reason(errno);
      return false;
    }
    int err = fill(fd);
    if (::close(fd) != 0 && err == 0 && errno != EINTR) err = errno;
    if (err) error = Reason(err);
    return err == 0;
  }
  if (exists && !S_ISREG(st.st_mode)) {
    error = NotAFile(st.st_mode);
    return false;
  }
  fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::random_device rd;
  fs::path temp = folder / ("." + target.filename().string() + ".saving-" + std::to_string(rd() % 1000000));
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    const int err = errno;
    // A folder that exists yet takes no new file (such as /proc) says "No such file or
    // directory", which would be untrue of the folder and of the target.
    if (err == ENOENT && fs::is_directory(folder, ec))
      error = "its folder '" + folder.string() + "' takes no new files";
    else
      error = Reason(err);
    return false;
  }
  auto fail = [&](int err) {
    ::close(fd);
    std::error_code ignored;
    fs::remove(temp, ignored);
    error = Reason(err);
    return false;
  };
  if (int err = fill(fd)) return fail(err);
  if (::fsync(fd) != 0) return fail(errno);
  // Keep the permissions of the file being replaced.
  if (exists) fs::permissions(temp, static_cast<fs::perms>(st.st_mode & 07777), ec);
  if (::close(fd) != 0) {
    int err = errno;
    fs::remove(temp, ec);
    error = Reason(err);
    return false;
  }
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    error = ec.message();
    return false;
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
  if (g_store) return g_store->Write(path, bytes, error);
  return ReplaceThroughTemporary(path, [&](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); }, error);
}

CopyOutcome CopyFileReplacing(const std::string& from, const std::string& to, std::string& error) {
  if (g_store) {
    std::vector<uint8_t> bytes;
    bool present = true;
    if (!g_store->Read(from, bytes, present, error)) return present ? CopyOutcome::Failed : CopyOutcome::NoSource;
    return g_store->Write(to, bytes, error) ? CopyOutcome::Copied : CopyOutcome::Failed;
  }
  fs::path source = fs::u8path(from);
  // No existence test beforehand: a file removed in the meantime is simply not there to copy.
  // Opened without waiting, so a pipe with no writer cannot hold the save up.
  int in = ::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (in < 0) {
    if (errno == ENOENT) return CopyOutcome::NoSource;
    error = Reason(errno);
    return CopyOutcome::Failed;
  }
  struct stat st {};
  if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
    const bool folder = S_ISDIR(st.st_mode);
    ::close(in);
    if (!folder) return CopyOutcome::NoSource;
    error = "it is a folder";
    return CopyOutcome::Failed;
  }
  bool copied = ReplaceThroughTemporary(
      to,
      [&](int out) {
        uint8_t buf[65536];
        for (;;) {
          ssize_t n = ::read(in, buf, sizeof buf);
          if (n < 0 && errno == EINTR) continue;
          if (n < 0) return errno;
          if (n == 0) return 0;
          if (int err = WriteAll(out, buf, static_cast<size_t>(n))) return err;
        }
      },
      error);
  ::close(in);
  return copied ? CopyOutcome::Copied : CopyOutcome::Failed;
}

int DeleteFilesStartingWith(const std::string& folder, const std::string& prefix) {
  if (g_store) return g_store->DeleteStartingWith(folder, prefix);
  std::error_code ec;
  int deleted = 0;
  fs::path dir = folder.empty() ? fs::path(".") : fs::u8path(folder);
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.rfind(prefix, 0) == 0 && it->is_regular_file(ec)) {
      std::error_code rm;
      if (fs::remove(it->path(), rm)) ++deleted;
    }
  }
  return deleted;
}

}  // namespace quorvel
