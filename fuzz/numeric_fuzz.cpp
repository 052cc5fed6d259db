// The number and text readers: the leading-number reading of a typed text, the shortest form of a
// Single (which must read back as the same value), the 16- and 32-bit conversions and the
// Windows-1252 text conversions.
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "document/numeric.h"
#include "fuzz_support.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double v = LeadingNumber(text);
  (void)ToInt16(v);
  (void)ToInt32(v);
  (void)FitsInt16(v);
  (void)RoundHalfEven(v);

  if (size >= 4) {
    float f;
    std::memcpy(&f, data, 4);
    const std::string shortest = ShortestFloat(f);
    if (std::isfinite(f)) {
      float back = 0;
      const auto r = std::from_chars(shortest.data(), shortest.data() + shortest.size(), back);
      if (r.ec != std::errc() || back != f) fuzz::Broken("the shortest form does not read back");
      if (LeadingNumber(shortest) != double(f) && float(LeadingNumber(shortest)) != f)
        fuzz::Broken("a shortest form read as typed text is another number");
    }
    int32_t i;
    std::memcpy(&i, data, 4);
    const int32_t whole = RoundToWhole256(i);
    if (whole % 256 != 0) fuzz::Broken("a whole-unit position is not a multiple of 256");
    (void)RoundDiv256(i);
  }

  // Single-byte text read from a file comes back unchanged through the editor's own text.
  const std::string utf8 = Cp1252ToUtf8(text);
  (void)Utf8Length(utf8);
  (void)UpperAscii(text);
  (void)Trim(text);
  (void)FileNameOf(text);
  (void)FolderOf(text);
  (void)Utf8ToCp1252(text);
  if (Utf8ToCp1252(utf8) != text) fuzz::Broken("a Windows-1252 text does not survive the round trip");
  return 0;
}
