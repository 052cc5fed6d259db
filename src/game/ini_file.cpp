#include "game/ini_file.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <optional>
#include <vector>

#include "document/file_io.h"

namespace fs = std::filesystem;

namespace quorvel {

namespace {

// One line: its text is [begin, end), its line ending [end, next).
struct Line {
  size_t begin, end, next;
};

std::vector<Line> SplitLines(std::string_view t) {
  std::vector<Line> lines;
  size_t pos = 0;
  // A byte-order mark is not part of the first line's text.
  if (t.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;
  while (pos < t.size()) {
    size_t nl = t.find('\n', pos);
    if (nl == std::string_view::npos) {
      lines.push_back({pos, t.size(), t.size()});
      break;
    }
    size_t end = (nl > pos && t[nl - 1] == '\r') ? nl - 1 : nl;
    lines.push_back({pos, end, nl + 1});
    pos = nl + 1;
  }
  return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = char(x - 32);
    if (y >= 'a' && y <= 'z') y = char(y - 32);
    if (x != y) return false;
  }
  return true;
}

std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  return TrimBlanks(line.substr(0, line.find(']')));
}

// Where a key sits in the file: the line of the section header (npos when the section is
// missing), the key's line (npos when missing) and the section's last non-blank line.
struct Place {
  size_t section = std::string_view::npos;
  size_t key = std::string_view::npos;
  size_t lastLine = std::string_view::npos;
};

Place Find(std::string_view t, const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Place p;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view text = t.substr(lines[i].begin, lines[i].end - lines[i].begin);
    if (auto name = SectionName(text)) {
      if (p.section != std::string_view::npos) break;  // the first matching section ends here
      if (SameName(*name, TrimBlanks(section))) p.section = p.lastLine = i;
      continue;
    }
    if (p.section == std::string_view::npos) continue;
    if (!TrimBlanks(text).empty()) p.lastLine = i;
    if (p.key != std::string_view::npos) continue;
    size_t eq = text.find('=');
    std::string_view name = TrimBlanks(text.substr(0, eq));
    if (eq != std::string_view::npos && !name.empty() && name.front() != ';' && SameName(name, TrimBlanks(key)))
      p.key = i;
  }
  return p;
}

std::string LineEnding(std::string_view t) {
  if (t.find("\r\n") != std::string_view::npos) return "\r\n";
  if (t.find('\n') != std::string_view::npos) return "\n";
  return "\r\n";
}

int LeadingInt(std::string_view v) {
  size_t i = 0;
  bool negative = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
  long long n = 0;
  for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i) {
    n = n * 10 + (v[i] - '0');
    if (n > INT_MAX) n = INT_MAX;  // a longer number is held at the limit, never overflowed
  }
  return int(negative ? -n : n);
}

bool IsReadOnly(const fs::path& p) {
  std::error_code ec;
  fs::perms perms = fs::status(p, ec).permissions();
  if (ec) return false;
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (perms & write) == fs::perms::none || ::access(p.c_str(), W_OK) != 0;
}

}  // namespace

int IniReadInt(std::string_view text, std::string_view section, std::string_view key, int fallback) {
  std::vector<Line> lines = SplitLines(text);
  Place p = Find(text, lines, section, key);
  if (p.key == std::string_view::npos) return fallback;
  std::string_view line = text.substr(lines[p.key].begin, lines[p.key].end - lines[p.key].begin);
  return LeadingInt(TrimBlanks(line.substr(line.find('=') + 1)));
}

std::string IniSetValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
  std::vector<Line> lines = SplitLines(text);
  Place p = Find(text, lines, section, key);
  const std::string eol = LineEnding(text);
  std::string out;
  if (p.key != std::string_view::npos) {
    const Line& l = lines[p.key];
    size_t start = text.find('=', l.begin) + 1;
    while (start < l.end && IsBlank(text[start])) ++start;
    out.append(text.substr(0, start)).append(value).append(text.substr(l.end));
    return out;
  }
  std::string entry = std::string(TrimBlanks(key)) + "=" + std::string(value) + eol;
  if (p.section != std::string_view::npos) {
    const Line& l = lines[p.lastLine];
    out.append(text.substr(0, l.next));
    if (l.next == l.end) out += eol;  // the file's last line had no line ending
    out.append(entry).append(text.substr(l.next));
    return out;
  }
  out.append(text);
  if (!out.empty() && out.back() != '\n') out += eol;
  out.append("[").append(TrimBlanks(section)).append("]").append(eol).append(entry);
  return out;
}

bool IniFileReadInt(const std::string& path, std::string_view section, std::string_view key, int fallback,
                    int& value, std::string& error) {
  value = fallback;
  std::vector<uint8_t> bytes;
  bool present = false;
  if (!ReadFileIfPresent(path, bytes, present, error)) return false;
  if (!present) return true;
  value = IniReadInt(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), section, key,
                     fallback);
  return true;
}

bool IniFileWrite(const std::string& path, std::string_view section, std::string_view key, std::string_view value,
                  std::string& error) {
  std::vector<uint8_t> bytes;
  bool present = false;
  if (!ReadFileIfPresent(path, bytes, present, error)) return false;
  std::string text(bytes.begin(), bytes.end());
  return ReplaceTextFile(path, IniSetValue(text, section, key, value), error);
}

bool ReplaceTextFile(const std::string& path, std::string_view text, std::string& error) {
  fs::path p = fs::u8path(path);
  std::error_code ec;
  if (fs::is_directory(p, ec)) {
    error = "it is a folder";
    return false;
  }
  if (fs::exists(p, ec) && IsReadOnly(p)) {
    error = "it is read-only";
    return false;
  }
  return WriteFileAtomically(path, std::vector<uint8_t>(text.begin(), text.end()), error);
}

}  // namespace quorvel
