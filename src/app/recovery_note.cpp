#include "app/recovery_note.h"

#include <cstdlib>

namespace quorvel {

namespace {
constexpr const char* kWritten = "written=";
constexpr const char* kMap = "\nmap=";
}  // namespace

std::string RecoveryNoteText(const std::string& mapName, std::time_t written) {
  return kWritten + std::to_string(static_cast<long long>(written)) + kMap + mapName;
}

RecoveryNote ParseRecoveryNote(const std::string& text) {
  RecoveryNote note;
  const std::string written = kWritten;
  const size_t map = text.find(kMap);
  if (text.compare(0, written.size(), written) != 0 || map == std::string::npos) return note;
  const std::string digits = text.substr(written.size(), map - written.size());
  if (digits.empty() || digits.size() > 18 || digits.find_first_not_of("0123456789") != std::string::npos) return note;
  note.written = static_cast<std::time_t>(std::strtoll(digits.c_str(), nullptr, 10));
  note.mapName = text.substr(map + std::char_traits<char>::length(kMap));
  note.valid = true;
  return note;
}

std::string RecoveryNotePath(const std::string& mapPath) {
  const size_t dot = mapPath.rfind(".pmp");
  return (dot == std::string::npos ? mapPath : mapPath.substr(0, dot)) + ".txt";
}

}  // namespace quorvel
