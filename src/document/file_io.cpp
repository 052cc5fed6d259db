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

namespace {
std::string Reason(int err) { return std::strerror(err); }
}  // namespace

bool PathExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(fs::u8path(path), ec);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
  std::error_code ec;
  fs::path p = fs::u8path(path);
  if (fs::is_directory(p, ec)) {
    error = "it is a folder";
    return false;
  }
  std::FILE* f = std::fopen(p.c_str(), "rb");
  if (!f) {
    error = Reason(errno);
    return false;
  }
  bytes.clear();
  uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
  bool failed = std::ferror(f) != 0;
  int err = errno;
  std::fclose(f);
  if (failed) {
    error = Reason(err);
    return false;
  }
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
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
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    if (w == 0) return fail(ENOSPC);
    done += static_cast<size_t>(w);
  }
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

bool CopyFileReplacing(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::copy_file(fs::u8path(from), fs::u8path(to), fs::copy_options::overwrite_existing, ec);
  return !ec;
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
