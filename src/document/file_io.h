#pragma once
// Whole-file reading and writing with the reason of any failure, and a save that never leaves a
// half-written file behind.
#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

// True when anything (file or folder) exists at the path.
bool PathExists(const std::string& path);
// Reads the whole file. On failure returns false and a short reason ("it is a folder",
// "Permission denied", ...).
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
// The same, where a missing file is no error: true with `present` false and no bytes. Reading
// straight away, instead of testing for the file first, leaves no moment in which it can vanish.
bool ReadFileIfPresent(const std::string& path, std::vector<uint8_t>& bytes, bool& present, std::string& error);
// Writes the bytes to a temporary file in the target's folder and renames it over the target only
// when every byte is on disk; on failure the target is untouched and the temporary file removed.
// A target that exists and is no regular file is never replaced: a character device or a pipe is
// written straight into, anything else (a folder, a socket) is refused with a reason naming what
// it is. A symbolic link is followed to the file it names, which is replaced; the link stays.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);
enum class CopyOutcome { Copied, NoSource, Failed };
// Copies a file over another the same safe way: the old copy stays whole unless the new one is
// complete. NoSource when there is no file to copy (also when it vanished just now, or when the
// source is a device or a pipe, which keep no contents to copy); Failed with the reason otherwise.
CopyOutcome CopyFileReplacing(const std::string& from, const std::string& to, std::string& error);
// Deletes the files of a folder whose names start with `prefix`; returns how many were deleted.
int DeleteFilesStartingWith(const std::string& folder, const std::string& prefix);

// Where the calls above keep their files instead of the disk while set (nullptr: the disk again).
// The fuzz targets run thousands of saves and reads a second through one in memory.
class FileStore {
 public:
  virtual ~FileStore() = default;
  virtual bool Exists(const std::string& path) = 0;
  // False with `present` false when there is no such file, false with a reason on other failures.
  virtual bool Read(const std::string& path, std::vector<uint8_t>& bytes, bool& present, std::string& error) = 0;
  virtual bool Write(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) = 0;
  virtual int DeleteStartingWith(const std::string& folder, const std::string& prefix) = 0;
};
void UseFileStore(FileStore* store);

}  // namespace quorvel
