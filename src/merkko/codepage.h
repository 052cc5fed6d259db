#pragma once

#include <QString>

#include <optional>

namespace merkko {

// The byte that stands for '?': what a single-byte conversion writes for a
// character the code page cannot hold.
inline constexpr int kUnmappableByte = 63;

// The Windows-1252 byte of one Unicode code point, or 63 when the code page
// has no byte for it. Surrogate code points are not characters: 63.
int windows1252Byte(char32_t codePoint);

// The Windows-1252 byte of the first character of a text, or nothing when the
// text is empty. A surrogate pair is one character (always outside the code
// page); a lone surrogate converts to 63 as well.
std::optional<int> firstCharacterCode(const QString& text);

}  // namespace merkko
