#include "codepage.h"

#include <array>

namespace merkko {

namespace {

// Windows-1252 bytes 0x80 to 0x9F, by position. The five bytes the code page
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) hold 0 here; they are
// handled separately below.
constexpr std::array<char32_t, 32> kHighBlock = {
    0x20AC, 0x0000, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x0000, 0x017D, 0x0000,  // 0x88
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x0000, 0x017E, 0x0178,  // 0x98
};

bool isUnassignedHighByte(char32_t codePoint) {
    return codePoint == 0x81 || codePoint == 0x8D || codePoint == 0x8F || codePoint == 0x90 ||
           codePoint == 0x9D;
}

}  // namespace

int windows1252Byte(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    // Windows' own conversion round-trips the five unassigned bytes as the C1
    // control characters of the same value, so U+0081 gives 0x81. The other C1
    // controls have no byte: their slots hold typographic characters.
    if (isUnassignedHighByte(codePoint))
        return static_cast<int>(codePoint);
    for (std::size_t i = 0; i < kHighBlock.size(); ++i) {
        if (kHighBlock[i] != 0 && kHighBlock[i] == codePoint)
            return static_cast<int>(0x80 + i);
    }
    return kUnmappableByte;
}

std::optional<int> firstCharacterCode(const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    const QChar first = text.at(0);
    if (first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate())
        return windows1252Byte(QChar::surrogateToUcs4(first, text.at(1)));
    if (first.isSurrogate())
        return kUnmappableByte;
    return windows1252Byte(first.unicode());
}

}  // namespace merkko
