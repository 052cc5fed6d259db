#pragma once
// Number and text helpers that reproduce how the map format and the editor treat numbers:
// rounding halves to even, 16/32-bit conversions that never overflow, the leading-number reading
// of a text, and the shortest decimal form of a Single.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double v);

// Rounds like RoundHalfEven and converts to a 16-bit integer. A value that does not fit is clamped
// to -32768 / 32767 (NaN gives 0): an overflow must never be undefined behaviour.
int16_t ToInt16(double v);
// True when RoundHalfEven(v) fits a signed 16-bit integer.
bool FitsInt16(double v);
// Rounds like RoundHalfEven and converts to a 32-bit integer, clamped like ToInt16.
int32_t ToInt32(double v);

// A finite coordinate stays finite: a result past the float range stops at the largest float of its
// sign, and a result that is not a number keeps the coordinate as it was. A coordinate that was not
// finite is left as the arithmetic made it.
float KeptFinite(float was, float result);

// A fixed-point value (world units x 256) divided by 256 and rounded, halves to even; exact in
// integers, so it needs no floating point and cannot overflow.
int32_t RoundDiv256(int32_t v);
// RoundDiv256(v) * 256, kept inside the 32-bit range (the result is at most +-8,388,607 x 256).
int32_t RoundToWhole256(int32_t v);

// Numeric value of a text read the way a leading-number parser reads it: leading blanks skipped,
// the longest leading decimal number taken (sign, digits, fraction, exponent); no number gives 0.
// "Off" -> 0, "25" -> 25, "50%" -> 50, "3x" -> 3, " -1.5e2z" -> -150.
double LeadingNumber(std::string_view text);
// The same number, or nothing when the text does not start with one (so "abc" is no 0).
std::optional<double> ReadLeadingNumber(std::string_view text);

// Shortest decimal text that reads back as the same float ("0.1", "12", "-3.5").
std::string ShortestFloat(float v);

// Blanks (spaces and tabs) trimmed from both ends.
std::string Trim(std::string_view text);
// ASCII upper case.
std::string UpperAscii(std::string_view text);
// Case-insensitive (ASCII) suffix test.
bool EndsWithNoCase(std::string_view text, std::string_view suffix);

// The text after the last '\' or '/' (the whole text when it has none).
std::string FileNameOf(std::string_view path);
// The text up to and including the last '\' or '/' ("" when it has none).
std::string FolderOf(std::string_view path);

// Windows-1252 conversions. Text inside the editor is UTF-8; single-byte fields in files are
// Windows-1252. Characters the code page cannot hold become '?'.
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view bytes);
// Number of characters (code points) of a UTF-8 text.
size_t Utf8Length(std::string_view utf8);

}  // namespace quorvel
