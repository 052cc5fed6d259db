#include "codepage.h"

#include <gtest/gtest.h>

#include <QString>

#include <utility>

using merkko::firstCharacterCode;
using merkko::windows1252Byte;

TEST(CodePage, AsciiIsItsOwnCode) {
    EXPECT_EQ(windows1252Byte(U'\0'), 0);
    EXPECT_EQ(windows1252Byte(U' '), 32);
    EXPECT_EQ(windows1252Byte(U'?'), 63);
    EXPECT_EQ(windows1252Byte(U'A'), 65);
    EXPECT_EQ(windows1252Byte(U'H'), 72);
    EXPECT_EQ(windows1252Byte(U'a'), 97);
    EXPECT_EQ(windows1252Byte(U'~'), 126);
    EXPECT_EQ(windows1252Byte(0x7F), 127);
}

TEST(CodePage, HighBlockHoldsTypographicCharacters) {
    const std::pair<char32_t, int> expected[] = {
        {U'€', 0x80}, {U'‚', 0x82}, {U'ƒ', 0x83}, {U'„', 0x84}, {U'…', 0x85}, {U'†', 0x86},
        {U'‡', 0x87}, {U'ˆ', 0x88}, {U'‰', 0x89}, {U'Š', 0x8A}, {U'‹', 0x8B}, {U'Œ', 0x8C},
        {U'Ž', 0x8E}, {U'‘', 0x91}, {U'’', 0x92}, {U'“', 0x93}, {U'”', 0x94}, {U'•', 0x95},
        {U'–', 0x96}, {U'—', 0x97}, {U'˜', 0x98}, {U'™', 0x99}, {U'š', 0x9A}, {U'›', 0x9B},
        {U'œ', 0x9C}, {U'ž', 0x9E}, {U'Ÿ', 0x9F},
    };
    for (const auto& [character, byte] : expected)
        EXPECT_EQ(windows1252Byte(character), byte) << "U+" << std::hex << int(character);
    EXPECT_EQ(windows1252Byte(U'€'), 128);
    EXPECT_EQ(windows1252Byte(U'†'), 134);
}

TEST(CodePage, UnassignedHighBytesRoundTripAsControlCharacters) {
    for (char32_t c : {0x81u, 0x8Du, 0x8Fu, 0x90u, 0x9Du})
        EXPECT_EQ(windows1252Byte(c), int(c)) << "U+" << std::hex << int(c);
}

TEST(CodePage, OtherControlCharactersOfTheHighBlockHaveNoByte) {
    for (char32_t c : {0x80u, 0x82u, 0x86u, 0x8Eu, 0x91u, 0x9Fu})
        EXPECT_EQ(windows1252Byte(c), 63) << "U+" << std::hex << int(c);
}

TEST(CodePage, Latin1LettersAreTheirOwnCode) {
    EXPECT_EQ(windows1252Byte(0xA0), 0xA0);  // no-break space
    EXPECT_EQ(windows1252Byte(U'£'), 0xA3);
    EXPECT_EQ(windows1252Byte(U'À'), 0xC0);
    EXPECT_EQ(windows1252Byte(U'Ä'), 0xC4);
    EXPECT_EQ(windows1252Byte(U'é'), 0xE9);
    EXPECT_EQ(windows1252Byte(U'ö'), 0xF6);
    EXPECT_EQ(windows1252Byte(U'ÿ'), 0xFF);
}

TEST(CodePage, CharacterOutsideTheCodePageGivesQuestionMark) {
    EXPECT_EQ(windows1252Byte(0x0100), 63);  // Ā
    EXPECT_EQ(windows1252Byte(U'Ω'), 63);
    EXPECT_EQ(windows1252Byte(U'ж'), 63);
    EXPECT_EQ(windows1252Byte(U'中'), 63);
    EXPECT_EQ(windows1252Byte(0x1F600), 63);
    EXPECT_EQ(windows1252Byte(0x110000), 63);  // beyond Unicode
}

TEST(CodePage, SurrogateCodePointsGiveQuestionMark) {
    EXPECT_EQ(windows1252Byte(0xD83D), 63);
    EXPECT_EQ(windows1252Byte(0xDE00), 63);
}

TEST(FirstCharacterCode, EmptyTextHasNoCode) {
    EXPECT_FALSE(firstCharacterCode(QString()).has_value());
    EXPECT_FALSE(firstCharacterCode(QStringLiteral("")).has_value());
}

TEST(FirstCharacterCode, OnlyTheFirstCharacterCounts) {
    EXPECT_EQ(firstCharacterCode(QStringLiteral("Hello")), 72);
    EXPECT_EQ(firstCharacterCode(QStringLiteral(" x")), 32);
    EXPECT_EQ(firstCharacterCode(QStringLiteral("€uro")), 128);
    EXPECT_EQ(firstCharacterCode(QStringLiteral("†")), 134);
    EXPECT_EQ(firstCharacterCode(QStringLiteral("Ωa")), 63);
}

TEST(FirstCharacterCode, SurrogatePairIsOneCharacterOutsideTheCodePage) {
    const QString grinning = QString::fromUcs4(U"\U0001F600A");
    ASSERT_EQ(grinning.size(), 3);  // two code units for the emoji, then 'A'
    EXPECT_EQ(firstCharacterCode(grinning), 63);
}

TEST(FirstCharacterCode, UnpairedSurrogateGivesQuestionMark) {
    EXPECT_EQ(firstCharacterCode(QString(QChar(0xD83D))), 63);
    EXPECT_EQ(firstCharacterCode(QString(QChar(0xD83D)) + QLatin1Char('A')), 63);
    EXPECT_EQ(firstCharacterCode(QString(QChar(0xDE00)) + QLatin1Char('A')), 63);
}
