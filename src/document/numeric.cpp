#include "document/numeric.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace quorvel {

double RoundHalfEven(double v) {
  if (!std::isfinite(v)) return v;
  double r = std::round(v);  // halves away from zero
  if (std::fabs(v - std::trunc(v)) == 0.5) r = 2.0 * std::round(v / 2.0);
  return r;
}

namespace {
template <typename T>
T ClampRounded(double v) {
  if (std::isnan(v)) return 0;
  double r = RoundHalfEven(v);
  if (r <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
  if (r >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
  return static_cast<T>(r);
}
}  // namespace

int16_t ToInt16(double v) { return ClampRounded<int16_t>(v); }
int32_t ToInt32(double v) { return ClampRounded<int32_t>(v); }

float KeptFinite(float was, float result) {
  if (std::isfinite(result) || !std::isfinite(was)) return result;
  if (std::isnan(result)) return was;  // arithmetic with a number that is not one
  return result > 0 ? std::numeric_limits<float>::max() : -std::numeric_limits<float>::max();
}

int32_t RoundDiv256(int32_t v) {
  int32_t q = v >> 8;  // floor, also for negative values
  int32_t r = v & 255;
  if (r > 128 || (r == 128 && (q & 1))) ++q;
  return q;
}

int32_t RoundToWhole256(int32_t v) {
  int32_t q = RoundDiv256(v);
  if (q > 8388607) q = 8388607;
  if (q < -8388607) q = -8388607;
  return q * 256;
}

bool FitsInt16(double v) {
  if (!std::isfinite(v)) return false;
  double r = RoundHalfEven(v);
  return r >= -32768.0 && r <= 32767.0;
}

double LeadingNumber(std::string_view text) { return ReadLeadingNumber(text).value_or(0.0); }

std::optional<double> ReadLeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
  size_t start = i;
  auto digit = [&](size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (digit(i)) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (digit(i)) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t k = i + 1;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    if (digit(k)) {
      while (digit(k)) ++k;
      end = k;
    }
  }
  std::string number(text.substr(start, end - start));
  if (!number.empty() && number[0] == '+') number.erase(0, 1);
  double value = 0.0;
  auto res = std::from_chars(number.data(), number.data() + number.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    return number[0] == '-' ? -std::numeric_limits<double>::infinity()
                            : std::numeric_limits<double>::infinity();
  }
  return value;
}

std::string ShortestFloat(float v) {
  std::array<char, 64> buf{};
  auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v);
  return std::string(buf.data(), res.ptr);
}

std::string Trim(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  return std::string(text.substr(b, e - b));
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (suffix.size() > text.size()) return false;
  return UpperAscii(text.substr(text.size() - suffix.size())) == UpperAscii(suffix);
}

std::string FileNameOf(std::string_view path) {
  size_t p = path.find_last_of("\\/");
  return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

std::string FolderOf(std::string_view path) {
  size_t p = path.find_last_of("\\/");
  return p == std::string_view::npos ? std::string() : std::string(path.substr(0, p + 1));
}

namespace {
// Code points of 0x80..0x9F in Windows-1252; 0 marks the five unassigned bytes.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one code point; an invalid or cut sequence gives U+FFFD and advances one byte.
char32_t NextCodePoint(std::string_view s, size_t& i) {
  auto b = static_cast<unsigned char>(s[i]);
  size_t extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : 9;
  if (extra == 0) {
    ++i;
    return b;
  }
  if (extra == 9 || i + extra >= s.size()) {
    ++i;
    return 0xFFFD;
  }
  char32_t cp = b & (0x3Fu >> extra);
  for (size_t k = 1; k <= extra; ++k) {
    auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  i += extra + 1;
  return cp;
}
}  // namespace

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = NextCodePoint(utf8, i);
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out += static_cast<char>(cp);
      continue;
    }
    char byte = '?';
    for (size_t k = 0; k < kCp1252High.size(); ++k) {
      // The five unassigned bytes read as the control characters of the same value; they go back
      // unchanged, so an author's bytes survive a save.
      char32_t same = kCp1252High[k] == 0 ? char32_t(0x80 + k) : kCp1252High[k];
      if (same == cp) byte = static_cast<char>(0x80 + k);
    }
    out += byte;
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    char32_t cp = b;
    if (b >= 0x80 && b <= 0x9F) cp = kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : b;
    AppendUtf8(out, cp);
  }
  return out;
}

size_t Utf8Length(std::string_view utf8) {
  size_t n = 0;
  for (size_t i = 0; i < utf8.size(); ++n) NextCodePoint(utf8, i);
  return n;
}

}  // namespace quorvel
