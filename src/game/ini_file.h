#pragma once
// One key of another program's ini file, read and written the way Windows' profile functions do:
// section and key names match without regard to case or surrounding blanks, the first match wins,
// and a change touches only that key's value. Every other byte of the file stays as it was.
#include <string>
#include <string_view>

namespace quorvel {

// The key's value as a whole number (its leading digits, with an optional sign; 0 when the value
// has none), or `fallback` when the section or the key is missing.
int IniReadInt(std::string_view text, std::string_view section, std::string_view key, int fallback);

// The text with the key set to `value`. An existing key keeps its line, its case and the blanks
// before the value; a missing key is added after the section's last line, a missing section at the
// end. New lines end the way the file's lines do (CR LF for a file that has none).
std::string IniSetValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);

// The same on a file. Reading: a missing file gives `fallback`; false (with the reason) when the
// file is there but cannot be read. Writing: false with the reason when the file is read-only,
// a folder or cannot be replaced; the old file is then untouched.
bool IniFileReadInt(const std::string& path, std::string_view section, std::string_view key, int fallback,
                    int& value, std::string& error);
bool IniFileWrite(const std::string& path, std::string_view section, std::string_view key, std::string_view value,
                  std::string& error);

// Replaces a text file whole, or leaves it untouched and says why: a file without write
// permission is refused, as the desktop that made it read-only expects.
bool ReplaceTextFile(const std::string& path, std::string_view text, std::string& error);

}  // namespace quorvel
