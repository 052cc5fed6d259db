#include "document/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {

bool PathExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(fs::u8path(path), ec);
}

namespace {

std::string Reason(int err) { return std::strerror(err); }

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
  int err;
  return ReadAll(path, bytes, error, err);
}

bool ReadFileIfPresent(const std::string& path, std::vector<uint8_t>& bytes, bool& present, std::string& error) {
  int err;
  present = true;
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

// Fills a fresh temporary file in the target's folder and renames it over the target only when
// `fill` (which returns 0 or an errno) has put every byte on disk; on failure the target is
// untouched and the temporary file removed.
template <typename Fill>
bool ReplaceThroughTemporary(const std::string& path, Fill fill, std::string& error) {
  std::error_code ec;
  fs::path target = fs::u8path(path);
  if (fs::is_directory(target, ec)) {
    error = "it is a folder";
    return false;
  }
  fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::random_device rd;
  fs::path temp = folder / ("." + target.filename().string() + ".saving-" + std::to_string(rd() % 1000000));
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = Reason(errno);
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
  if (fs::exists(target, ec)) fs::permissions(temp, fs::status(target, ec).permissions(), ec);
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
  return ReplaceThroughTemporary(path, [&](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); }, error);
}

CopyOutcome CopyFileReplacing(const std::string& from, const std::string& to, std::string& error) {
  std::error_code ec;
  fs::path source = fs::u8path(from);
  if (fs::is_directory(source, ec)) {
    error = "it is a folder";
    return CopyOutcome::Failed;
  }
  // No existence test beforehand: a file removed in the meantime is simply not there to copy.
  int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    if (errno == ENOENT) return CopyOutcome::NoSource;
    error = Reason(errno);
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
