#include "document/numeric.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvel {
namespace {

TEST(Numeric, RoundsHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(-0.6), -1);
  EXPECT_EQ(RoundHalfEven(100.6), 101);
}

TEST(Numeric, SixteenBitConversionClampsInsteadOfOverflowing) {
  EXPECT_EQ(ToInt16(32767.4), 32767);
  EXPECT_EQ(ToInt16(32767.5), 32767);  // would be 32768: clamped
  EXPECT_EQ(ToInt16(1e12), 32767);
  EXPECT_EQ(ToInt16(-1e12), -32768);
  EXPECT_EQ(ToInt16(std::nan("")), 0);
  EXPECT_TRUE(FitsInt16(-32768.4));
  EXPECT_FALSE(FitsInt16(32767.5));
  EXPECT_EQ(ToInt32(2147483647.0 * 4), 2147483647);
  EXPECT_EQ(ToInt32(-0.5), 0);
}

TEST(Numeric, LeadingNumberReadsLikeALeadingNumberParser) {
  EXPECT_EQ(LeadingNumber("Off"), 0);
  EXPECT_EQ(LeadingNumber("25"), 25);
  EXPECT_EQ(LeadingNumber("50%"), 50);
  EXPECT_EQ(LeadingNumber("3x"), 3);
  EXPECT_EQ(LeadingNumber("  -1.5e2z"), -150);
  EXPECT_EQ(LeadingNumber("1e"), 1);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("-"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
}

TEST(Numeric, ShortestFloatText) {
  EXPECT_EQ(ShortestFloat(0.1f), "0.1");
  EXPECT_EQ(ShortestFloat(12.0f), "12");
  EXPECT_EQ(ShortestFloat(-3.5f), "-3.5");
}

TEST(Numeric, PathsAcceptBothSeparators) {
  EXPECT_EQ(FileNameOf("C:\\maps\\ctf_a.pmp"), "ctf_a.pmp");
  EXPECT_EQ(FileNameOf("/home/u/maps/a.pmp"), "a.pmp");
  EXPECT_EQ(FileNameOf("plain.pmp"), "plain.pmp");
  EXPECT_EQ(FolderOf("/home/u/maps/a.pmp"), "/home/u/maps/");
  EXPECT_EQ(FolderOf("C:\\x\\y.pmp"), "C:\\x\\");
  EXPECT_EQ(FolderOf("y.pmp"), "");
  EXPECT_TRUE(EndsWithNoCase("a.Pmp", "PMP"));
  EXPECT_FALSE(EndsWithNoCase("mp", "PMP"));
}

TEST(Numeric, Windows1252RoundTripAndReplacement) {
  EXPECT_EQ(Utf8ToCp1252("A\xE2\x82\xAC\xC3\xA9"), std::string("A\x80\xE9"));  // A € é
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");                                 // 中
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");                             // emoji, one character
  EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");                                         // cut sequence
  EXPECT_EQ(Cp1252ToUtf8(std::string("\x86\xE9", 2)), "\xE2\x80\xA0\xC3\xA9");  // † é
  EXPECT_EQ(Utf8Length("\xE2\x82\xAC" "ab"), 3u);
  const std::string unassigned("\x81\x8D\x8F\x90\x9D", 5);  // survive a read and a write
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(unassigned)), unassigned);
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

TEST(Numeric, FixedPointDivisionMatchesRoundingInDoubles) {
  for (int32_t v : {0, 1, 127, 128, 129, 384, 640, -128, -384, -640, -129, 25754, 2147483647, -2147483647 - 1}) {
    EXPECT_EQ(RoundDiv256(v), int32_t(RoundHalfEven(v / 256.0))) << v;
  }
  for (int32_t v = -70000; v < 70000; v += 7) ASSERT_EQ(RoundDiv256(v), int32_t(RoundHalfEven(v / 256.0))) << v;
  EXPECT_EQ(RoundToWhole256(25754), 25856);
  EXPECT_EQ(RoundToWhole256(2147483647), 8388607 * 256);  // would be 2^31: kept in range
  EXPECT_EQ(RoundToWhole256(-2147483647 - 1), -8388607 * 256);
}

}  // namespace
}  // namespace quorvel
