#include "view/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace quorvel {
namespace {

TEST(FromPolar, BothConventions) {
  float x, y;
  FromPolar(0, 10, x, y, false);
  EXPECT_FLOAT_EQ(x, 10);
  EXPECT_FLOAT_EQ(y, 0);
  FromPolar(0, 10, x, y, true);
  EXPECT_FLOAT_EQ(x, 0);
  EXPECT_FLOAT_EQ(y, 10);
  FromPolar(static_cast<float>(kPi / 2), 10, x, y, false);
  EXPECT_NEAR(x, 0, 1e-5);
  EXPECT_NEAR(y, -10, 1e-5);
  FromPolar(1.0f, 0, x, y, false);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

// The arrow head's shortcut must give ToPolar and FromPolar's very bits for every direction: near
// the axes and diagonals, zero, tiny, huge and non-finite components, lengths round the redraw's 10.
TEST(ArrowHeadOffsets, BitForBitToPolarThenFromPolar) {
  std::mt19937 rng(16);
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
  const float special[] = {0.0f, -0.0f, 1e-30f, -1e-38f, 1.0f, -1.0f, 3.4e38f, -3.4e38f, inf, -inf, nan, 1e-14f, 0.5f};
  const auto same = [](float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  for (int i = 0; i < 300000; ++i) {
    float dx = unit(rng) * 1000, dy = unit(rng) * 1000;
    switch (i % 8) {
      case 0: dx = special[rng() % std::size(special)]; break;
      case 1: dy = special[rng() % std::size(special)]; break;
      case 2: dy = dx * (1 + unit(rng) * 1e-6f); break;  // near the diagonals
      case 3: dy = std::ldexp(dy, -static_cast<int>(rng() % 40)); break;  // near the axes
      case 4: dx = std::ldexp(dx, static_cast<int>(rng() % 80) - 40); break;
      default: break;
    }
    const float len = i % 3 == 0 ? 10.0f : static_cast<float>(rng() % 200) / 3.0f;
    float x1, y1, x2, y2, a, l, e1, f1, e2, f2;
    ArrowHeadOffsets(dx, dy, len, x1, y1, x2, y2);
    ToPolar(dx, dy, a, l);
    FromPolar(static_cast<float>(double(a) + 0.7), len, e1, f1, false);
    FromPolar(static_cast<float>(double(a) - 0.7), len, e2, f2, false);
    ASSERT_TRUE(same(x1, e1) && same(y1, f1) && same(x2, e2) && same(y2, f2)) << dx << " " << dy << " " << len;
  }
}

TEST(ToPolar, InverseOfFromPolarAndZeroComponents) {
  float a, len, x, y;
  for (auto [dx, dy] : {std::pair{3.0f, 4.0f}, {-3.0f, 4.0f}, {-3.0f, -4.0f}, {3.0f, -4.0f}}) {
    ToPolar(dx, dy, a, len);
    EXPECT_FLOAT_EQ(len, 5);
    EXPECT_GE(a, -kPi / 2 - 1e-6);
    EXPECT_LE(a, 3 * kPi / 2 + 1e-6);
    FromPolar(a, len, x, y, false);
    EXPECT_NEAR(x, dx, 1e-5);
    EXPECT_NEAR(y, dy, 1e-5);
  }
  ToPolar(0, 0, a, len);  // both replaced by 1e-14: no division by zero
  EXPECT_TRUE(std::isfinite(a));
  EXPECT_NEAR(a, -kPi / 4, 1e-6);
  ToPolar(0, -5, a, len);  // straight up the screen is +90 degrees
  EXPECT_NEAR(a, kPi / 2, 1e-6);
  ToPolar(-2, 0, a, len);
  EXPECT_NEAR(a, kPi, 1e-6);
}

TEST(VectorAngle, QuadrantsAndZeroComponents) {
  float a;
  VectorAngle(-1, -1, a);
  EXPECT_NEAR(a, -3 * kPi / 4, 1e-6);
  VectorAngle(-1, 1, a);
  EXPECT_NEAR(a, 3 * kPi / 4, 1e-6);
  VectorAngle(1, 1, a);
  EXPECT_NEAR(a, kPi / 4, 1e-6);
  VectorAngle(0, 5, a);
  EXPECT_NEAR(a, kPi / 2, 1e-6);
  VectorAngle(-3, 0, a);
  EXPECT_NEAR(a, kPi, 1e-6);
  VectorAngle(0, 0, a);
  EXPECT_NEAR(a, kPi / 4, 1e-6);
}

TEST(LongToRGB, SplitsLowByteFirst) {
  uint8_t r, g, b;
  LongToRGB(0x00FF8000, r, g, b);  // bytes from low to high: 0, 128, 255, 0
  EXPECT_EQ(r, 0);
  EXPECT_EQ(g, 128);
  EXPECT_EQ(b, 255);
  LongToRGB(200, r, g, b);
  EXPECT_EQ(r, 200);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 0);
  LongToRGB(16777215, r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 255);
  EXPECT_EQ(b, 255);
  // A system colour code (negative) has no defined result; its low three bytes are used.
  LongToRGB(static_cast<int32_t>(0x80000005u), r, g, b);
  EXPECT_EQ(r, 5);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 0);
}

}  // namespace
}  // namespace quorvel
